#include "image/PixelWalk.h"

#include <typeinfo>

#include "image/CDibImage.h"

bool CanWalkRows(const CDibImage& image) {
    if (image.IsEmpty() || !image.IsWritable()) {
        return false;
    }
    if (image.BitsPerPixel() != 8 && image.BitsPerPixel() != 24) {
        return false;
    }
    // A derived region may leave out pixels of its bounds.
    const CImageRegion& region = image.Region();
    if (typeid(region) != typeid(CImageRegion)) {
        return false;
    }
    const DibRect r = region.Bounds();
    return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom &&
           r.right <= image.Width() && r.bottom <= image.Height();
}

std::uint8_t* PictureRow(CDibImage& image, std::uint8_t* bits, int y) {
    return bits + static_cast<std::ptrdiff_t>(image.Height() - 1 - y) * image.Stride();
}
