#pragma once
// JPEG files through libjpeg (libjpeg-turbo). Reading always yields a 24-bit
// bottom-up block with a 40-byte header and no colour table; writing takes a
// 24-bit uncompressed block with a 40-byte header and stores it at quality 100.
// Library errors come back as failure, never as an exit.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

// No limit on the number of pixels beyond the library's own.
constexpr std::uint64_t kJpegNoPixelLimit = 0;

// Reads the open file from its current position; an empty block on failure.
std::vector<std::uint8_t> ReadJpegDib(std::FILE* file);
// The same for a file held in memory; maxPixels (when non-zero) refuses images
// with more pixels before anything is allocated for them.
std::vector<std::uint8_t> ReadJpegDibBytes(const std::uint8_t* data, std::size_t size,
                                           std::uint64_t maxPixels = kJpegNoPixelLimit);

bool WriteJpegDib(const std::vector<std::uint8_t>& block, std::FILE* file);
