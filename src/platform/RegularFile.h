#pragma once
// Opening input files without ever blocking: a FIFO, a device or a folder
// named where a file is expected is refused before anything is read from it.
// Every data file and product is opened through here. A file's size is known
// once it is open, so a file too large for its kind is refused before any of
// it is read or any memory is taken for it.

#include <cstdint>
#include <cstdio>
#include <string>

// Opens path for binary reading when it is a regular file (links followed);
// nullptr when it is missing, unreadable or anything but a regular file. The
// caller closes the file.
std::FILE* OpenRegularFileForReading(const std::string& path);

// The same, also giving the size of what was opened.
std::FILE* OpenRegularFileForReading(const std::string& path, std::uint64_t& size);

// Whether path names a regular file (links followed), found without opening it.
bool IsRegularFile(const std::string& path);

enum class FileReadResult {
    kRead,
    kCannotOpen,  // missing, unreadable, or not a regular file
    kTooLarge,    // more than the limit, told by its size before reading
    kReadError,   // a failing read, or no memory
};

// The whole of a regular file of at most maxBytes (a file that grows past
// the limit while it is read is refused too). bytes is left empty unless read.
FileReadResult ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes);
