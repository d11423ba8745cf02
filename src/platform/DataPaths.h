#pragma once
// The start-up directory and the data files under it. Every data file of the
// system (palettes, map files, region file, threshold tables) is found in the
// data folder: the folder named by KELVRA_DATA when that exists, otherwise
// start-up directory + "dat", the build tree's copy next to the executable,
// on Windows the dat folder beside the executable, or the installed share
// folder beside the executable's bin folder, so that
// kelvra finds its files wherever it is started.

#include <functional>
#include <memory>
#include <set>
#include <string>

#include "platform/CDataFileCache.h"

// Says once per path that a data file is missing or cannot be used, so a
// picture made without its coastlines or palette is never a silent success.
class CDataFileNotices {
public:
    explicit CDataFileNotices(std::function<void(const std::string& path)> say)
        : m_say(std::move(say)) {}
    void Unusable(const std::string& path);

private:
    std::function<void(const std::string& path)> m_say;
    std::set<std::string> m_said;
};

class CDataPaths {
public:
    // Captures the given directory as the start-up directory.
    explicit CDataPaths(std::string startDirectory);

    // Captures the process's current directory.
    static CDataPaths FromCurrentDirectory();

    const std::string& StartDirectory() const { return m_startDirectory; }

    // The folder that holds the data files, the first that exists of:
    // $KELVRA_DATA, start-up directory + "dat", the build tree's dat beside the
    // executable, the executable's ../share/kelvra, the installed data folder
    // compiled in (returned even when it does not exist).
    std::string DataFolder() const;

    // Full path of one data file, joined with the platform's separator.
    std::string DataFile(const std::string& name) const;

    // The folder of the seasonal precipitation threshold tables: the data
    // folder's lut, or the fixed D:\Data\lut\ folder on Windows.
    std::string ThresholdFolder() const;

    // Joins two path parts with the platform's separator.
    static std::string Join(const std::string& folder, const std::string& name);

    // The installed data folder compiled into the program.
    static std::string InstalledDataFolder();
    // The folder of the running executable; empty when it cannot be told.
    static std::string ExecutableFolder();

    // Where unusable data files are reported; copies of these paths share it.
    void SetNotices(std::shared_ptr<CDataFileNotices> notices) { m_pNotices = std::move(notices); }
    // Reports a data file that is missing or unusable (once per path).
    void ReportUnusable(const std::string& path) const;

    // What has been parsed from data files, kept until a file changes; copies
    // of these paths share it.
    CDataFileCache& Cache() const { return *m_pCache; }

private:
    std::string m_startDirectory;
    std::shared_ptr<CDataFileNotices> m_pNotices;
    std::shared_ptr<CDataFileCache> m_pCache = std::make_shared<CDataFileCache>();
};
