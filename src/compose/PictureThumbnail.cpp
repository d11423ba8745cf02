#include "compose/PictureThumbnail.h"

#include <algorithm>
#include <cstddef>

namespace {

// The source span [first, last) that target index i of count covers along a
// side of length source; never empty, so enlarging repeats pixels.
void SourceSpan(int i, int count, int source, int& first, int& last) {
    first = static_cast<int>(static_cast<std::int64_t>(i) * source / count);
    last = static_cast<int>(static_cast<std::int64_t>(i + 1) * source / count);
    last = std::max(last, first + 1);
}

std::uint32_t MeanColour(const DevicePixels& picture, int x0, int x1, int y0, int y1) {
    std::uint64_t red = 0;
    std::uint64_t green = 0;
    std::uint64_t blue = 0;
    for (int y = y0; y < y1; ++y) {
        const std::uint32_t* row = picture.Row(y);
        for (int x = x0; x < x1; ++x) {
            red += (row[x] >> 16) & 0xFF;
            green += (row[x] >> 8) & 0xFF;
            blue += row[x] & 0xFF;
        }
    }
    const std::uint64_t n =
        static_cast<std::uint64_t>(x1 - x0) * static_cast<std::uint64_t>(y1 - y0);
    return DeviceRgb(static_cast<int>((red + n / 2) / n), static_cast<int>((green + n / 2) / n),
                     static_cast<int>((blue + n / 2) / n));
}

}  // namespace

DevicePixels ScaleToLongestSide(const DevicePixels& picture, int longestSide,
                                std::vector<std::uint32_t>& store) {
    if (picture.Empty() || longestSide < 1) {
        return {};
    }
    const bool wide = picture.width >= picture.height;
    const std::int64_t shortSource = wide ? picture.height : picture.width;
    const std::int64_t longSource = wide ? picture.width : picture.height;
    const int shortSide =
        std::max(1, static_cast<int>((shortSource * longestSide + longSource / 2) / longSource));
    DevicePixels scaled;
    scaled.width = wide ? longestSide : shortSide;
    scaled.height = wide ? shortSide : longestSide;
    scaled.pixelsPerLine = scaled.width;
    store.assign(static_cast<std::size_t>(scaled.width) * static_cast<std::size_t>(scaled.height),
                 0);
    scaled.top = store.data();
    for (int y = 0; y < scaled.height; ++y) {
        int y0 = 0;
        int y1 = 0;
        SourceSpan(y, scaled.height, picture.height, y0, y1);
        std::uint32_t* row = scaled.Row(y);
        for (int x = 0; x < scaled.width; ++x) {
            int x0 = 0;
            int x1 = 0;
            SourceSpan(x, scaled.width, picture.width, x0, x1);
            row[x] = MeanColour(picture, x0, x1, y0, y1);
        }
    }
    return scaled;
}
