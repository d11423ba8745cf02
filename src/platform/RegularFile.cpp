#include "platform/RegularFile.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <new>
#include <system_error>
#include <utility>

#include "platform/Utf8Path.h"

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::FILE* OpenRegularFileForReading(const std::string& path) {
    std::uint64_t size = 0;
    return OpenRegularFileForReading(path, size);
}

std::FILE* OpenRegularFileForReading(const std::string& path, std::uint64_t& size) {
#ifdef _WIN32
    // Windows keeps pipes and devices out of the folders, so a look first is
    // enough; the size is told by what was opened.
    if (!IsRegularFile(path)) {
        return nullptr;
    }
    std::FILE* file = OpenUtf8File(path, "rb");
    const std::int64_t length = file == nullptr ? -1 : _filelengthi64(_fileno(file));
    if (length < 0) {
        if (file != nullptr) {
            std::fclose(file);
        }
        return nullptr;
    }
    size = static_cast<std::uint64_t>(length);
    return file;
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
    size = static_cast<std::uint64_t>(info.st_size);
    return file;
#endif
}

bool IsRegularFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(PathFromUtf8(path), error);
}

FileReadResult ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes) {
    bytes.clear();
    std::uint64_t size = 0;
    std::unique_ptr<std::FILE, FileCloser> file(OpenRegularFileForReading(path, size));
    if (!file) {
        return FileReadResult::kCannotOpen;
    }
    if (size > maxBytes) {
        return FileReadResult::kTooLarge;
    }
    std::string data;
    try {
        // Read past the size, so a file that grew since (or whose size is not
        // told, as in /proc) is read or refused as it is.
        data.resize(static_cast<std::size_t>(size) + 1);
        std::size_t used = 0;
        while (true) {
            used += std::fread(&data[used], 1, data.size() - used, file.get());
            if (used > maxBytes) {
                return FileReadResult::kTooLarge;
            }
            if (used < data.size()) {
                break;
            }
            data.resize(std::min(data.size() * 2, maxBytes + 1));
        }
        if (std::ferror(file.get()) != 0) {
            return FileReadResult::kReadError;
        }
        data.resize(used);
    } catch (const std::bad_alloc&) {
        return FileReadResult::kReadError;
    }
    bytes = std::move(data);
    return FileReadResult::kRead;
}
