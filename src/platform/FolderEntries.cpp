#include "platform/FolderEntries.h"

#ifdef _WIN32
#include <filesystem>
#include <system_error>
#else
#include <dirent.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <cstring>
#endif

namespace {

#ifndef _WIN32
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
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) {
        return false;
    }
    // Stepped with an error code: a folder that changes meanwhile ends the
    // listing instead of throwing.
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code typeError;
        FolderEntry entry{it->path().filename().string(), FolderEntryType::kOther};
        if (it->is_directory(typeError) && !it->is_symlink(typeError)) {
            entry.type = FolderEntryType::kFolder;
        } else if (it->is_regular_file(typeError)) {
            entry.type = FolderEntryType::kFile;
        }
        entries.push_back(std::move(entry));
    }
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
