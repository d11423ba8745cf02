#pragma once
// File access shared by the AWX readers and lists: an owning handle that
// closes on every path, exact reads, 64-bit sizes and seeks, the reading of
// the two headers with their first-level checks, and the size limit.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "product/AwxHeaders.h"

struct StdFileCloser {
    void operator()(std::FILE* file) const {
        if (file) {
            std::fclose(file);
        }
    }
};
using UniqueStdFile = std::unique_ptr<std::FILE, StdFileCloser>;

// Opens path for binary reading; empty handle when it cannot be opened or is
// not a regular file (a FIFO is refused without waiting for a writer).
UniqueStdFile OpenForReading(const std::string& path);

// Reads exactly size bytes; false on a short read.
bool ReadExactly(std::FILE* file, void* buffer, std::size_t size);

// The current position from the start of the file, or -1.
std::int64_t FilePosition(std::FILE* file);

// Size of the whole file in bytes, or -1. Leaves the position at the end.
std::int64_t FileSize(std::FILE* file);

// Seeks to offset from the start (whence SEEK_SET) or from the end (SEEK_END).
bool SeekTo(std::FILE* file, std::int64_t offset, int whence);

// Reads the first header at the current position, checks identifier and
// category, then reads the second header. False on a short read or a failed
// check; first is filled whenever its 40 bytes were read.
bool ReadAwxHeaders(std::FILE* file, AwxFirstHeader& first, AwxSecondHeader& second);

// The largest image either reader accepts: a header declaring more pixels a
// side is refused before anything is allocated for it, whatever the file's
// size (a sparse file can be as large as it claims).
constexpr int kAwxMaxSide = 8192;
bool AwxSizeWithinLimits(const AwxSecondHeader& second);
