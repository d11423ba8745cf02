#pragma once
// Shared pieces of the pixel walks: the clamp rule, and the test for when a
// walk may go straight through the rows instead of reading and writing each
// pixel with GetPixel/SetPixel. The row walk is only taken where it gives
// exactly the pixels of the per-pixel walk.

#include <cstdint>

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
