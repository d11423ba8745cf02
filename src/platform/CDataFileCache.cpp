#include "platform/CDataFileCache.h"

#include <chrono>
#include <filesystem>
#include <system_error>

#include "platform/Utf8Path.h"

#ifdef _WIN32
#include <windows.h>

#include <algorithm>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifdef _WIN32
namespace {

// Shared with every other use, so a stamp never stands in a writer's way.
HANDLE OpenForStamp(const std::string& path) {
    return CreateFileW(PathFromUtf8(path).c_str(), GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Size, write time and the file's number on its volume, so a file replaced
// by a copy of the same size and time is told apart as on Linux.
bool StampOfHandle(HANDLE file, DataFileStamp& stamp) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return false;
    }
    constexpr std::int64_t kNanosecondsPerTick = 100;
    stamp.size =
        static_cast<std::int64_t>((std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow);
    stamp.modified =
        static_cast<std::int64_t>((std::uint64_t{info.ftLastWriteTime.dwHighDateTime} << 32) |
                                  info.ftLastWriteTime.dwLowDateTime) *
        kNanosecondsPerTick;
    stamp.file = (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
    stamp.device = info.dwVolumeSerialNumber;
    return true;
}

}  // namespace
#else
namespace {

constexpr std::int64_t kNanosecondsPerSecond = 1000000000;

DataFileStamp StampOfStatus(const struct stat& info) {
    DataFileStamp stamp;
    stamp.size = static_cast<std::int64_t>(info.st_size);
    stamp.modified = static_cast<std::int64_t>(info.st_mtim.tv_sec) * kNanosecondsPerSecond +
                     info.st_mtim.tv_nsec;
    // A file replaced by another of the same size and time (a copy that
    // keeps times) still has another number and status-change time.
    stamp.changed = static_cast<std::int64_t>(info.st_ctim.tv_sec) * kNanosecondsPerSecond +
                    info.st_ctim.tv_nsec;
    stamp.file = static_cast<std::uint64_t>(info.st_ino);
    stamp.device = static_cast<std::uint64_t>(info.st_dev);
    return stamp;
}

}  // namespace
#endif

bool StampDataFile(const std::string& path, DataFileStamp& stamp) {
    stamp = DataFileStamp{};
#ifdef _WIN32
    const HANDLE file = OpenForStamp(path);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool stamped = StampOfHandle(file, stamp);
    CloseHandle(file);
    return stamped;
#else
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    stamp = StampOfStatus(info);
    return true;
#endif
}

bool ReadFileHead(const std::string& path, std::uint8_t* buffer, std::size_t size, std::size_t& got,
                  DataFileStamp& stamp) {
    got = 0;
    stamp = DataFileStamp{};
#ifdef _WIN32
    const HANDLE file = OpenForStamp(path);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD read = 0;
    const bool ok =
        StampOfHandle(file, stamp) &&
        ReadFile(file, buffer, static_cast<DWORD>(std::min<std::size_t>(size, MAXDWORD)), &read,
                 nullptr) != 0;
    CloseHandle(file);
    got = ok ? read : 0;
    return ok;
#else
    // Without O_NONBLOCK, open() waits for a FIFO's writer; the type is then
    // checked on what was opened. The stamp is taken before the bytes are
    // read, so a file that grows meanwhile is read again at its next look.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    bool read = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (read) {
        stamp = StampOfStatus(info);
        const ssize_t n = ::pread(fd, buffer, size, 0);
        read = n >= 0;
        got = read ? static_cast<std::size_t>(n) : 0;
    }
    ::close(fd);
    return read;
#endif
}

std::shared_ptr<const void> CDataFileCache::GetErased(
    const std::string& path, const std::string& kind,
    const std::function<std::shared_ptr<const void>(const std::string&)>& make) {
    const auto key = std::make_pair(path, kind);
    DataFileStamp stamp;
    if (!StampDataFile(path, stamp)) {
        // Not a plain file (or none at all): read as it is, keep nothing.
        m_entries.erase(key);
        ++m_nReads;
        return make(path);
    }
    const auto found = m_entries.find(key);
    if (found != m_entries.end() && found->second.stamp == stamp) {
        return found->second.value;
    }
    // The stamp is taken before the read: a file that changes while it is
    // read is read again next time.
    ++m_nReads;
    std::shared_ptr<const void> value = make(path);
    if (!value) {
        m_entries.erase(key);
        return nullptr;
    }
    m_entries[key] = Entry{stamp, value};
    return value;
}
