#include "image/FilterDriver.h"

#include <cstring>

#include "image/CDibImage.h"

namespace {

// The grey working copy of the region's bounds of an 8-bit image.
CGreyPlane GreyCopy(CDibImage& image) {
    const DibRect r = image.Region().Bounds();
    CGreyPlane plane(r.Width(), r.Height());
    std::uint8_t* bits = image.LockBits();
    for (int y = 0; y < r.Height(); ++y) {
        std::memcpy(plane.Row(y), PictureRow(image, bits, r.top + y) + r.left,
                    static_cast<std::size_t>(r.Width()));
    }
    return plane;
}

bool FilterGrey(CDibImage& image, const CImageFilter& filter) {
    const CGreyPlane plane = GreyCopy(image);
    if (!image.PushHistory(kIdsFilter)) {
        return false;
    }
    const DibRect r = image.Region().Bounds();
    std::uint8_t* topRow = PictureRow(image, image.LockBits(), r.top) + r.left;
    filter.ApplyGrey(plane, topRow, -static_cast<std::ptrdiff_t>(image.Stride()));
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
