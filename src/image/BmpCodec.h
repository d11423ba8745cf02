#pragma once
// BMP/DIB files: a 14-byte file header followed by the packed image block
// unchanged. The file's pixel-data offset is not consulted: the pixels must
// directly follow the colour table, as in every block this system writes.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

constexpr std::size_t kBmpFileHeaderSize = 14;

// Reads the open file from its start; an empty block when it is no BMP, its
// header does not describe the bytes that follow or declares a picture beyond
// the limits of PictureLimits.h. The header is checked before the body is
// read, and only the bytes it declares are kept (not whatever trails them).
std::vector<std::uint8_t> ReadBmpDib(std::FILE* file);
// The same for a file held in memory.
std::vector<std::uint8_t> ReadBmpDibBytes(const std::uint8_t* data, std::size_t size);

// Writes file header and block; false for a core-header block or a file error.
// The header's image size is written as stride x height for uncompressed rows.
bool WriteBmpDib(const std::vector<std::uint8_t>& block, std::FILE* file);
