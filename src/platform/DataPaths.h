#pragma once
// The start-up directory and the data files under it. Every data file of the
// system (palettes, map files, region file) is start-up directory + "dat" +
// name. When the start-up directory has no dat folder the installed data
// folder is used instead, so an installed kelvra finds its files from anywhere.

#include <string>

class CDataPaths {
public:
    // Captures the given directory as the start-up directory.
    explicit CDataPaths(std::string startDirectory);

    // Captures the process's current directory.
    static CDataPaths FromCurrentDirectory();

    const std::string& StartDirectory() const { return m_startDirectory; }

    // The folder that holds the data files: start-up directory + "dat", or the
    // installed data folder when that does not exist.
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

private:
    std::string m_startDirectory;
};
