#pragma once
// Shared pieces of the pixel walks: the clamp rule, and the test for when a
// walk may go straight through the rows instead of reading and writing each
// pixel with GetPixel/SetPixel. The row walk is only taken where it gives
// exactly the pixels of the per-pixel walk.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "image/CImageRegion.h"

class CDibImage;

// Forces the per-pixel walk; tests use it to check the row walks against it.
enum class WalkPath { kFastest, kPerPixel };

// A result above 254 becomes 255, one of 0 or less becomes 0.
inline int Clamp255(int value) {
    if (value > 254) {
        return 255;
    }
    return value <= 0 ? 0 : value;
}

// True when the image is writable, has 8 or 24 bits per pixel, and its region
// is a plain rectangle inside the image (so every pixel of the bounds is in
// the region and no read or write can fail).
bool CanWalkRows(const CDibImage& image);

// The first byte of picture row y (y = 0 at the top) in the locked pixel data.
std::uint8_t* PictureRow(CDibImage& image, std::uint8_t* bits, int y);

// The same for a constant pointer: the pixels an operation reads from.
const std::uint8_t* PictureRow(const CDibImage& image, const std::uint8_t* bits, int y);

// The pixels a row walk reads and the pixels it writes. When the image's
// block is referred to elsewhere (its history, its first state, a product)
// the walk writes a new block and reads the old one, which `keep` holds, so
// the old pixels are neither copied first nor changed; otherwise both point
// into the image's own block.
struct RowWalkBits {
    std::shared_ptr<const std::vector<std::uint8_t>> keep;
    const std::uint8_t* from = nullptr;
    std::uint8_t* to = nullptr;
};

// For a walk that maps each pixel of the rectangle `written` alone (a pixel
// may be written where it is read). to is nullptr when there is no memory.
RowWalkBits BitsToMap(CDibImage& image, const DibRect& written);
// For a walk whose results depend on neighbours: from never points into the
// block being written. to is nullptr when there is no memory.
RowWalkBits BitsToFilter(CDibImage& image);
