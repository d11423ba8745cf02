#pragma once
// What has been made from data files (parsed map lines, palettes, the region
// list), kept per path together with the file's size and modification time:
// a file is read and parsed once and again only after it changed, so using
// the cache is observably the same as reading the file at every use. The
// data paths own one cache that their copies share; nothing is global.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

// What tells one version of a file from another.
struct DataFileStamp {
    std::int64_t size = -1;
    std::int64_t modified = 0;  // modification time, nanoseconds
    std::int64_t changed = 0;   // status-change time where the system has one
    std::uint64_t file = 0;     // device and file number where the system has them
    std::uint64_t device = 0;

    bool operator==(const DataFileStamp&) const = default;
};

// The stamp of the file at path; false when there is no such file.
bool StampDataFile(const std::string& path, DataFileStamp& stamp);

// The stamp of the regular file at path and its first bytes (up to size, got
// of them read), through one open: a listing reads the heads of thousands of
// files. False, with nothing read, when it is no regular file or cannot be
// opened; a FIFO is refused without waiting for a writer.
bool ReadFileHead(const std::string& path, std::uint8_t* buffer, std::size_t size, std::size_t& got,
                  DataFileStamp& stamp);

class CDataFileCache {
public:
    // The object made from the file at path by make(path), reused while the
    // file's stamp is the one it had before it was made. kind tells apart
    // different readings of one file. make returns nullptr when the file
    // cannot be used; nothing is kept then, so the next call tries again.
    template <typename T>
    std::shared_ptr<const T> Get(
        const std::string& path, const std::string& kind,
        const std::function<std::shared_ptr<const T>(const std::string&)>& make) {
        return std::static_pointer_cast<const T>(GetErased(
            path, kind,
            [&make](const std::string& p) -> std::shared_ptr<const void> { return make(p); }));
    }

    // How many times a file was read through the cache (for tests).
    int Reads() const { return m_nReads; }

private:
    struct Entry {
        DataFileStamp stamp;
        std::shared_ptr<const void> value;
    };

    std::shared_ptr<const void> GetErased(
        const std::string& path, const std::string& kind,
        const std::function<std::shared_ptr<const void>(const std::string&)>& make);

    std::map<std::pair<std::string, std::string>, Entry> m_entries;
    int m_nReads = 0;
};
