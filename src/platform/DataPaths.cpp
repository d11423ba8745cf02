#include "platform/DataPaths.h"

#include <filesystem>
#include <system_error>

#ifndef KELVRA_DATA_DIR
#define KELVRA_DATA_DIR "/usr/local/share/kelvra"
#endif

namespace fs = std::filesystem;

CDataPaths::CDataPaths(std::string startDirectory) : m_startDirectory(std::move(startDirectory)) {}

CDataPaths CDataPaths::FromCurrentDirectory() {
    std::error_code ec;
    fs::path current = fs::current_path(ec);
    return CDataPaths(ec ? std::string(".") : current.string());
}

std::string CDataPaths::Join(const std::string& folder, const std::string& name) {
    if (folder.empty()) {
        return name;
    }
    const char separator = static_cast<char>(fs::path::preferred_separator);
    const char last = folder.back();
    if (last == separator || last == '/') {
        return folder + name;
    }
    return folder + separator + name;
}

std::string CDataPaths::InstalledDataFolder() {
    return KELVRA_DATA_DIR;
}

std::string CDataPaths::DataFolder() const {
    std::string local = Join(m_startDirectory, "dat");
    std::error_code ec;
    if (fs::is_directory(local, ec)) {
        return local;
    }
    return InstalledDataFolder();
}

std::string CDataPaths::DataFile(const std::string& name) const {
    return Join(DataFolder(), name);
}

std::string CDataPaths::ThresholdFolder() const {
#ifdef _WIN32
    return "D:\\Data\\lut\\";
#else
    return Join(DataFolder(), "lut");
#endif
}
