#pragma once
// The grey display image of an AWX product: a packed 8-bit device-independent
// bitmap (40-byte information header, 256-entry grey ramp, bottom-up rows
// padded to 4 bytes) holding the raw counts, with no calibration applied.

#include <cstdint>
#include <cstdio>
#include <vector>

constexpr std::size_t kDibInfoHeaderSize = 40;
constexpr std::size_t kDibGreyPaletteSize = 256 * 4;
constexpr std::int32_t kAwxDibPixelsPerMetre = 188;

// Reads the open file from its start. The image is taken as the last
// width × height bytes of the file, whatever the header-record fields say.
// A grid product (category 3) gives its values as the counts of its
// element's display range (product/GridDisplayScale.h), northern row on top.
// Returns the packed block, or an empty vector when the headers fail the
// first-level checks, the size is 0 or more than kAwxMaxSide (AwxFileAccess.h)
// a side, or the file is too short. The caller keeps ownership of the file and
// closes it.
std::vector<std::uint8_t> ReadAwxDib(std::FILE* file);

// Row stride of an 8-bit image: width rounded up to a multiple of 4.
inline std::size_t DibStride8(std::size_t width) {
    return (width + 3) / 4 * 4;
}
