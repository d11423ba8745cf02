#pragma once
// Reading diamond files from disk, read-only: a data file is never opened
// for writing, so files on read-only shares and write-protected files read
// like any other.

#include <cstddef>
#include <string>

#include "nwp/DiamondHeader.h"

// Larger files cannot be diamond files of at most 16 M points.
constexpr std::size_t kMaxDiamondFileBytes = 512u * 1024 * 1024;
// The probe looks at this much of the file's start.
constexpr std::size_t kProbeBytes = 64 * 1024;

// The whole file (at most `limit` bytes are read, refusing larger files
// unless `prefixOnly`; a file whose size is beyond the limit is refused before
// any of it is read). CannotOpen, TooShort (under 100 bytes in all),
// TooLarge or OutOfMemory on refusal.
DiamondError ReadDiamondBytes(const std::string& path, std::size_t limit, bool prefixOnly,
                              std::string& bytes);
