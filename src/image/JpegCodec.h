#pragma once
// JPEG files through libjpeg (libjpeg-turbo). Reading always yields a 24-bit
// bottom-up block with a 40-byte header and no colour table; writing takes a
// 24-bit uncompressed block with a 40-byte header and stores it at quality 100.
// Library errors come back as failure, never as an exit.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "image/PictureLimits.h"

// Reads the open file from its current position; an empty block on failure.
// Before anything is allocated for the picture, its header must declare at
// most 16384 pixels a side and maxPixels in all (PictureLimits.h), and the
// file must be long enough to hold that many pixels at all.
std::vector<std::uint8_t> ReadJpegDib(std::FILE* file, std::int64_t maxPixels = kPictureMaxPixels);
// The same for a file held in memory.
std::vector<std::uint8_t> ReadJpegDibBytes(const std::uint8_t* data, std::size_t size,
                                           std::int64_t maxPixels = kPictureMaxPixels);

bool WriteJpegDib(const std::vector<std::uint8_t>& block, std::FILE* file);
