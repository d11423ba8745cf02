// The enhancement operations of CDibImage: the neighbourhood filters, all run
// by the one filter driver, the point operations and the histogram stretch.

#include <array>
#include <cstddef>
#include <cstdint>

#include "image/CDibImage.h"
#include "image/FilterDriver.h"
#include "image/FilterKernels.h"
#include "image/MeanFilter.h"
#include "image/MedianFilter.h"
#include "image/PixelWalk.h"
#include "image/PointOperation.h"

bool CDibImage::Blur() {
    return RunFilter(*this, MakeBlurFilter());
}

bool CDibImage::Sharpen() {
    return RunFilter(*this, MakeSharpenFilter());
}

bool CDibImage::MedianSmooth() {
    return RunFilter(*this, CMedianFilter());
}

bool CDibImage::MeanSmooth() {
    return RunFilter(*this, CMeanFilter());
}

bool CDibImage::Emboss() {
    return RunFilter(*this, MakeEmbossFilter());
}

bool CDibImage::EdgeDetect() {
    return RunFilter(*this, MakeEdgeFilter());
}

// The point operations of CDibImage. A percentage out of range fails before
// anything is recorded.
bool CDibImage::Brightness(int percent) {
    if (IsEmpty() || percent < 0) {
        return false;
    }
    return MapChannels(*this, kIdsAdjustBrightness, BrightnessMap(percent));
}

bool CDibImage::Contrast(int percent) {
    if (IsEmpty()) {
        return false;
    }
    return MapChannels(*this, kIdsContrast, ContrastMap(percent));
}

bool CDibImage::Negate() {
    if (IsEmpty()) {
        return false;
    }
    return MapChannels(*this, kIdsAdjustNegate, NegateMap());
}

bool CDibImage::AddNoise(int percent, CRand15& generator) {
    if (IsEmpty() || percent < 1 || percent > 100) {
        return false;
    }
    return AddNoiseWalk(*this, percent, generator);
}

// The histogram stretch ("快速线性增强"): every index v becomes the share of
// pixels with an index up to v, scaled to 0-255. It works on the whole image,
// ignores the region and records no history.
namespace {

using Histogram = std::array<std::int64_t, 256>;
using IndexMap = std::array<std::uint8_t, 256>;

IndexMap StretchMap(const Histogram& counts, std::int64_t pixels) {
    IndexMap map{};
    std::int64_t cumulative = 0;
    for (std::size_t v = 0; v < 256; ++v) {
        cumulative += counts[v];
        map[v] = static_cast<std::uint8_t>(cumulative * 255 / pixels);
    }
    return map;
}

bool StretchPerPixel(CDibImage& image) {
    std::uint8_t* bits = image.LockBits();
    Histogram counts{};
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            std::uint32_t value = 0;
            if (!image.GetPixel(bits, x, y, value)) {
                return false;
            }
            ++counts[value & 0xffu];
        }
    }
    const IndexMap map = StretchMap(counts, std::int64_t{image.Width()} * image.Height());
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            std::uint32_t value = 0;
            if (!image.GetPixel(bits, x, y, value) ||
                !image.SetPixel(bits, x, y, map[value & 0xffu])) {
                return false;
            }
        }
    }
    return true;
}

bool StretchRows(CDibImage& image) {
    const int width = image.Width();
    const RowWalkBits bits = BitsToMap(image, DibRect{0, 0, width, image.Height()});
    if (bits.to == nullptr) {
        return false;
    }
    // Four partial histograms keep successive equal indices from waiting on
    // each other's increments.
    std::array<Histogram, 4> partial{};
    for (int y = 0; y < image.Height(); ++y) {
        const std::uint8_t* p = PictureRow(image, bits.from, y);
        int x = 0;
        for (; x + 4 <= width; x += 4) {
            ++partial[0][p[x]];
            ++partial[1][p[x + 1]];
            ++partial[2][p[x + 2]];
            ++partial[3][p[x + 3]];
        }
        for (; x < width; ++x) {
            ++partial[0][p[x]];
        }
    }
    Histogram counts{};
    for (std::size_t v = 0; v < 256; ++v) {
        counts[v] = partial[0][v] + partial[1][v] + partial[2][v] + partial[3][v];
    }
    const IndexMap map = StretchMap(counts, std::int64_t{width} * image.Height());
    for (int y = 0; y < image.Height(); ++y) {
        const std::uint8_t* from = PictureRow(image, bits.from, y);
        std::uint8_t* to = PictureRow(image, bits.to, y);
        for (int x = 0; x < width; ++x) {
            to[x] = map[from[x]];
        }
    }
    return true;
}

}  // namespace

bool StretchHistogram(CDibImage& image, WalkPath path) {
    // Without a history to roll back to, a write that could fail half-way is
    // refused before anything is read.
    if (image.IsEmpty() || !image.IsEightBit() || !image.IsWritable()) {
        return false;
    }
    if (image.Width() <= 0 || image.Height() <= 0) {
        return false;
    }
    if (path == WalkPath::kFastest) {
        return StretchRows(image);
    }
    return StretchPerPixel(image);
}

bool CDibImage::HistogramStretch() {
    return StretchHistogram(*this);
}
