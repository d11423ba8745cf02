#pragma once
// The largest picture the BMP, JPEG and TGA readers accept: at most 16384
// pixels a side and 2^27 pixels in all (a 384 MB 24-bit block), twice the
// largest product. A header declaring more is refused before anything is
// allocated for it, whatever the file's size.

#include <cstdint>

constexpr std::int64_t kPictureMaxSide = 16384;
constexpr std::int64_t kPictureMaxPixels = std::int64_t{1} << 27;

inline bool WithinPictureLimits(std::int64_t width, std::int64_t height,
                                std::int64_t maxPixels = kPictureMaxPixels) {
    return width > 0 && height > 0 && width <= kPictureMaxSide && height <= kPictureMaxSide &&
           width * height <= maxPixels;
}
