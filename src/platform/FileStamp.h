#pragma once
// What tells one version of a file from another without reading it: its size
// and modification time. A result computed from files can be kept while the
// stamps of those files stay the same, and is observably the same as reading
// them again.

#include <cstdint>
#include <string>

struct FileStamp {
    bool exists = false;
    std::uintmax_t size = 0;
    std::int64_t modified = 0;  // in the file system clock's ticks
    bool operator==(const FileStamp&) const = default;
};

// The stamp of a regular file; exists is false for anything else.
FileStamp StampOf(const std::string& path);
