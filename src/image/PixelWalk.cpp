#include "image/PixelWalk.h"

#include <typeinfo>
#include <utility>

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

const std::uint8_t* PictureRow(const CDibImage& image, const std::uint8_t* bits, int y) {
    return bits + static_cast<std::ptrdiff_t>(image.Height() - 1 - y) * image.Stride();
}

namespace {

bool CoversImage(const CDibImage& image, const DibRect& r) {
    return r.left == 0 && r.top == 0 && r.right == image.Width() && r.bottom == image.Height();
}

}  // namespace

RowWalkBits BitsToMap(CDibImage& image, const DibRect& written) {
    RowWalkBits bits;
    bits.keep = image.SharedBlock();
    // The image and `keep`: anything beyond them is another owner.
    constexpr long kOwnersWhenAlone = 2;
    if (bits.keep.use_count() > kOwnersWhenAlone && CoversImage(image, written)) {
        bits.from = std::as_const(image).LockBits();
        bits.to = image.LockBitsToRewrite();
        return bits;
    }
    bits.keep.reset();
    bits.to = image.LockBits();
    bits.from = bits.to;
    return bits;
}

RowWalkBits BitsToFilter(CDibImage& image) {
    RowWalkBits bits;
    bits.keep = image.SharedBlock();
    bits.from = std::as_const(image).LockBits();
    // While `keep` refers to the block, neither call writes into it.
    bits.to =
        CoversImage(image, image.Region().Bounds()) ? image.LockBitsToRewrite() : image.LockBits();
    return bits;
}
