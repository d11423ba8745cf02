#pragma once
// The recent-file list of four entries, newest first, kept in the profile
// as "Recent File List" / "File1".."File4".

#include <string>
#include <vector>

#include "ui/CommandIds.h"

class CSettings;

class CRecentFileList {
public:
    static constexpr int kSize = kRecentFileCount;

    // Reads the list from the profile; the profile must outlive the list.
    explicit CRecentFileList(CSettings& settings);

    // Puts the path first (moving it up when it is already listed), drops
    // the oldest beyond four entries and writes the list back.
    void Add(const std::string& path);
    // Removes entry index (0-based) and writes the list back.
    void Remove(int index);
    const std::vector<std::string>& Paths() const { return m_paths; }

    // The menu text of entry index: "&1 path" ('&' in the path doubled).
    static std::string MenuText(int index, const std::string& path);

private:
    void Write() const;

    CSettings& m_settings;
    std::vector<std::string> m_paths;
};
