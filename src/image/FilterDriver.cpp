#include "image/FilterDriver.h"

#include "image/CDibImage.h"

namespace {

// The rows of the region's bounds are read straight from the unchanged
// pixels, which the history keeps, and the results go into the image's new
// block: nothing is copied whole first.
bool FilterGrey(CDibImage& image, const CImageFilter& filter) {
    if (!image.PushHistory(kIdsFilter)) {
        return false;
    }
    const DibRect r = image.Region().Bounds();
    const RowWalkBits bits = BitsToFilter(image);
    if (bits.to == nullptr) {
        image.RollBack();
        return false;
    }
    const std::ptrdiff_t stride = -static_cast<std::ptrdiff_t>(image.Stride());
    CGreyRows rows(PictureRow(image, bits.from, r.top) + r.left, stride, r.Width(), r.Height());
    filter.ApplyGrey(rows, PictureRow(image, bits.to, r.top) + r.left, stride);
    return true;
}

bool FilterPerPixel(CDibImage& image, const CImageFilter& filter) {
    CDibImage copy;
    if (!image.ConvertTo24(copy) || !image.PushHistory(kIdsFilter)) {
        return false;
    }
    const CImageRegion& region = image.Region();
    const DibRect r = region.Bounds();
    const std::uint8_t* source = copy.LockBits();
    std::uint8_t* bits = image.LockBits();
    for (int y = 0; y < copy.Height(); ++y) {
        for (int x = 0; x < copy.Width(); ++x) {
            if (!region.Contains(x + r.left, y + r.top)) {
                continue;
            }
            const std::uint32_t value = filter.Apply(copy, source, x, y);
            if (!image.SetPixel(bits, x + r.left, y + r.top, value)) {
                image.RollBack();
                return false;
            }
        }
    }
    return true;
}

}  // namespace

bool RunFilter(CDibImage& image, const CImageFilter& filter, WalkPath path) {
    if (image.IsEmpty()) {
        return false;
    }
    if (path == WalkPath::kFastest && image.IsEightBit() && CanWalkRows(image)) {
        return FilterGrey(image, filter);
    }
    return FilterPerPixel(image, filter);
}
