#include "platform/FolderEntries.h"

#ifdef _WIN32
#include <windows.h>

#include <filesystem>
#include <system_error>

#include "platform/Utf8Path.h"
#else
#include <dirent.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <cstring>
#endif

namespace {

#ifdef _WIN32
// A link (a reparse point) is followed to what it leads to; a link to a
// folder counts as neither, as on Linux.
FolderEntryType TypeOf(const std::string& folder, const WIN32_FIND_DATAW& found) {
    const DWORD attributes = found.dwFileAttributes;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        std::error_code error;
        return std::filesystem::is_regular_file(PathFromUtf8(folder) / found.cFileName, error)
                   ? FolderEntryType::kFile
                   : FolderEntryType::kOther;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FolderEntryType::kFolder
                                                        : FolderEntryType::kFile;
}
#else
// The type of an entry the folder does not record (or that is a link), from
// the file system itself.
FolderEntryType LookedUpType(int folderFd, const char* name, bool isLink) {
    struct stat info {};
    if (!isLink) {
        if (::fstatat(folderFd, name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
            return FolderEntryType::kOther;
        }
        if (S_ISDIR(info.st_mode)) {
            return FolderEntryType::kFolder;
        }
        isLink = S_ISLNK(info.st_mode);
    }
    if (isLink && ::fstatat(folderFd, name, &info, 0) != 0) {
        return FolderEntryType::kOther;
    }
    return S_ISREG(info.st_mode) ? FolderEntryType::kFile : FolderEntryType::kOther;
}

FolderEntryType TypeOf(int folderFd, const dirent& entry) {
    switch (entry.d_type) {
        case DT_REG:
            return FolderEntryType::kFile;
        case DT_DIR:
            return FolderEntryType::kFolder;
        case DT_LNK:
            return LookedUpType(folderFd, entry.d_name, true);
        case DT_UNKNOWN:
            return LookedUpType(folderFd, entry.d_name, false);
        default:
            return FolderEntryType::kOther;
    }
}
#endif

}  // namespace

bool ReadFolderEntries(const std::string& folder, std::vector<FolderEntry>& entries) {
    entries.clear();
#ifdef _WIN32
    // Through the wide find functions, which take the long-path form as well.
    const std::wstring pattern = (PathFromUtf8(folder) / L"*").native();
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                           FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) {
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    }
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") {
            entries.push_back(
                FolderEntry{Utf8FromPath(std::filesystem::path(name)), TypeOf(folder, found)});
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return true;
#else
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return false;
    }
    const int fd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
            entries.push_back(FolderEntry{entry->d_name, TypeOf(fd, *entry)});
        }
    }
    ::closedir(dir);
    return true;
#endif
}
