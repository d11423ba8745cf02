#pragma once
// TGA files, uncompressed true colour only. Reading accepts 24- and 32-bit
// pixels in any of the four storage orders and yields a 24-bit bottom-up block
// (alpha is dropped); writing stores exactly an 18-byte header and the
// bottom-up blue-green-red rows, unpadded, with nothing behind them.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

constexpr std::size_t kTgaHeaderSize = 18;

// Reads the open file from its start; an empty block on failure. The header
// must declare a picture within the limits of PictureLimits.h whose pixel data
// fits the file before anything is allocated for it; a TGA 2.0 footer is not
// consulted (its offsets can only point past the pixels).
std::vector<std::uint8_t> ReadTgaDib(std::FILE* file);
// The same for a file held in memory.
std::vector<std::uint8_t> ReadTgaDibBytes(const std::uint8_t* data, std::size_t size);

// False unless the block is 24-bit, uncompressed, with a 40-byte header and
// at most 65535 pixels each way; false on any file error.
bool WriteTgaDib(const std::vector<std::uint8_t>& block, std::FILE* file);
