#include "platform/CDataFileCache.h"

#include <chrono>
#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#endif

bool StampDataFile(const std::string& path, DataFileStamp& stamp) {
    stamp = DataFileStamp{};
#ifdef _WIN32
    namespace fs = std::filesystem;
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (ec) {
        return false;
    }
    const auto time = fs::last_write_time(path, ec);
    if (ec) {
        return false;
    }
    stamp.size = static_cast<std::int64_t>(size);
    stamp.modified = static_cast<std::int64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch()).count());
    return true;
#else
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    constexpr std::int64_t kNanosecondsPerSecond = 1000000000;
    stamp.size = static_cast<std::int64_t>(info.st_size);
    stamp.modified = static_cast<std::int64_t>(info.st_mtim.tv_sec) * kNanosecondsPerSecond +
                     info.st_mtim.tv_nsec;
    // A file replaced by another of the same size and time (a copy that
    // keeps times) still has another number and status-change time.
    stamp.changed = static_cast<std::int64_t>(info.st_ctim.tv_sec) * kNanosecondsPerSecond +
                    info.st_ctim.tv_nsec;
    stamp.file = static_cast<std::uint64_t>(info.st_ino);
    stamp.device = static_cast<std::uint64_t>(info.st_dev);
    return true;
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
