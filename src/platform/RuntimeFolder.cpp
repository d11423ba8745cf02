#include "platform/RuntimeFolder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/Utf8Path.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

#include <vector>
#endif

namespace {

std::string TemporaryFolder() {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    return error ? std::string("/tmp") : Utf8FromPath(folder);
}

}  // namespace

#ifdef _WIN32

std::string UserRuntimeFolder() {
    // Windows gives every user a temporary folder of their own.
    return TemporaryFolder();
}

#else

namespace {

constexpr mode_t kPrivateMode = 0700;

// What lstat finds: a folder (not a link to one), the user's, closed to others.
bool IsPrivateFolder(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & 07777) == kPrivateMode;
}

// A new folder with a name nobody could have taken first; "" on failure.
std::string FreshPrivateFolder(const std::string& temporary) {
    std::string pattern = temporary + "/kelvra-runtime-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (::mkdtemp(name.data()) == nullptr || !IsPrivateFolder(name.data())) {
        return std::string();
    }
    return name.data();
}

}  // namespace

std::string UserRuntimeFolder() {
    if (const char* named = std::getenv("XDG_RUNTIME_DIR"); named != nullptr && *named != '\0') {
        return named;
    }
    const std::string temporary = TemporaryFolder();
    const std::string usual = temporary + "/runtime-" + std::to_string(::getuid());
    // An existing entry is judged as found; mkdir never follows a link.
    ::mkdir(usual.c_str(), kPrivateMode);
    std::string folder = usual;
    if (!IsPrivateFolder(usual)) {
        folder = FreshPrivateFolder(temporary);
        std::fprintf(stderr, "%s is not a private folder of this user; %s%s\n", usual.c_str(),
                     folder.empty() ? "no runtime folder could be made" : "using ", folder.c_str());
    }
    if (!folder.empty()) {
        ::setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    }
    return folder;
}

#endif
