#include "platform/RegularFile.h"

#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

std::FILE* OpenRegularFileForReading(const std::string& path) {
#ifdef _WIN32
    // Windows keeps pipes and devices out of the folders, so a look first is enough.
    return IsRegularFile(path) ? std::fopen(path.c_str(), "rb") : nullptr;
#else
    // Without O_NONBLOCK, open() waits for a FIFO's writer. The type is then
    // checked on what was opened, so nothing can be swapped in between.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    struct stat info {};
    const int flags = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || flags < 0 ||
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return nullptr;
    }
    std::FILE* file = ::fdopen(fd, "rb");
    if (file == nullptr) {
        ::close(fd);
    }
    return file;
#endif
}

bool IsRegularFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}
