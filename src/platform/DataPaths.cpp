#include "platform/DataPaths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/Utf8Path.h"

#ifdef _WIN32
#include <windows.h>
#endif

#ifndef KELVRA_DATA_DIR
#define KELVRA_DATA_DIR "/usr/local/share/kelvra"
#endif

namespace fs = std::filesystem;

namespace {

bool IsFolder(const fs::path& path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(path, ec);
}

// A build tree is recognised by its CMake cache; its dat is copied there at
// build time, so a freshly built program finds the data of its own checkout.
std::string BuildTreeDataFolder(const std::string& executableFolder) {
    if (executableFolder.empty()) {
        return std::string();
    }
    fs::path folder = PathFromUtf8(executableFolder);
    for (int up = 0; up < 3 && !folder.empty(); ++up, folder = folder.parent_path()) {
        std::error_code ec;
        if (fs::is_regular_file(folder / "CMakeCache.txt", ec) && IsFolder(folder / "dat")) {
            return Utf8FromPath(folder / "dat");
        }
        if (folder == folder.parent_path()) {
            break;
        }
    }
    return std::string();
}

}  // namespace

void CDataFileNotices::Unusable(const std::string& path) {
    if (m_say && m_said.insert(path).second) {
        m_say(path);
    }
}

CDataPaths::CDataPaths(std::string startDirectory) : m_startDirectory(std::move(startDirectory)) {}

CDataPaths CDataPaths::FromCurrentDirectory() {
    std::error_code ec;
    fs::path current = fs::current_path(ec);
    return CDataPaths(ec ? std::string(".") : Utf8FromPath(current));
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

std::string CDataPaths::ExecutableFolder() {
    std::error_code ec;
#ifdef _WIN32
    wchar_t buffer[32768];
    const DWORD length = GetModuleFileNameW(nullptr, buffer, 32768);
    if (length == 0 || length >= 32768) {
        return std::string();
    }
    return Utf8FromPath(fs::path(std::wstring(buffer, length)).parent_path());
#else
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : self.parent_path().string();
#endif
}

std::string CDataPaths::DataFolder() const {
    // An explicit choice wins over a dat folder that merely happens to be
    // where the program was started.
    if (const char* variable = std::getenv("KELVRA_DATA");
        variable && IsFolder(PathFromUtf8(variable))) {
        return variable;
    }
    const std::string local = Join(m_startDirectory, "dat");
    if (IsFolder(PathFromUtf8(local))) {
        return local;
    }
    const std::string executableFolder = ExecutableFolder();
    const std::string buildTree = BuildTreeDataFolder(executableFolder);
    if (!buildTree.empty()) {
        return buildTree;
    }
#ifdef _WIN32
    // Installed on Windows with the data folder beside the program.
    if (!executableFolder.empty() && IsFolder(PathFromUtf8(executableFolder) / "dat")) {
        return Utf8FromPath(PathFromUtf8(executableFolder) / "dat");
    }
#endif
    // Installed as prefix/bin/kelvra with the data in prefix/share/kelvra,
    // whatever prefix the installation chose.
    if (!executableFolder.empty()) {
        const fs::path installed =
            PathFromUtf8(executableFolder).parent_path() / "share" / "kelvra";
        if (IsFolder(installed)) {
            return Utf8FromPath(installed);
        }
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

void CDataPaths::ReportUnusable(const std::string& path) const {
    if (m_pNotices) {
        m_pNotices->Unusable(path);
    }
}
