#include "image/MedianFilter.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "image/CDibImage.h"

namespace {

int ChannelSum(std::uint32_t v) {
    return static_cast<int>((v & 0xffu) + ((v >> 8) & 0xffu) + ((v >> 16) & 0xffu));
}

// The median of the in-picture neighbours of one plane pixel, counted the
// same way as Apply; used along the picture's border.
std::uint8_t BorderMedian(const CGreyPlane& source, int x, int y) {
    std::array<std::uint8_t, 9> levels{};
    int count = 0;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx;
            const int ny = y + dy;
            if (nx >= 0 && nx < source.Width() && ny >= 0 && ny < source.Height()) {
                levels[static_cast<std::size_t>(count++)] = source.Row(ny)[nx];
            }
        }
    }
    std::sort(levels.begin(), levels.begin() + count);
    return levels[static_cast<std::size_t>(count / 2)];
}

inline void Order(std::uint8_t& a, std::uint8_t& b) {
    const std::uint8_t low = std::min(a, b);
    b = std::max(a, b);
    a = low;
}

// The fifth of nine levels by a fixed network of 19 exchanges, for every
// pixel of the row; border results are replaced afterwards.
void MedianRow(const CGreyPlane& source, int y, std::uint8_t* __restrict out) {
    const std::uint8_t* __restrict above = source.Row(y - 1);
    const std::uint8_t* __restrict own = source.Row(y);
    const std::uint8_t* __restrict below = source.Row(y + 1);
    for (int b = 0; b < source.PaddedWidth(); b += CGreyPlane::kBlock) {
        for (int k = 0; k < CGreyPlane::kBlock; ++k) {
            const int x = b + k;
            std::uint8_t p0 = above[x - 1], p1 = above[x], p2 = above[x + 1];
            std::uint8_t p3 = own[x - 1], p4 = own[x], p5 = own[x + 1];
            std::uint8_t p6 = below[x - 1], p7 = below[x], p8 = below[x + 1];
            Order(p1, p2), Order(p4, p5), Order(p7, p8);
            Order(p0, p1), Order(p3, p4), Order(p6, p7);
            Order(p1, p2), Order(p4, p5), Order(p7, p8);
            Order(p0, p3), Order(p5, p8), Order(p4, p7);
            Order(p3, p6), Order(p1, p4), Order(p2, p5);
            Order(p4, p7), Order(p4, p2), Order(p6, p4);
            Order(p4, p2);
            out[x] = p4;
        }
    }
}

}  // namespace

std::uint32_t CMedianFilter::Apply(const CDibImage& source, const std::uint8_t* bits, int x,
                                   int y) const {
    std::array<std::uint32_t, 9> colours{};
    int count = 0;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            std::uint32_t value = 0;
            if (source.GetPixel(bits, x + dx, y + dy, value)) {
                colours[static_cast<std::size_t>(count++)] = value;
            }
        }
    }
    std::stable_sort(
        colours.begin(), colours.begin() + count,
        [](std::uint32_t a, std::uint32_t b) { return ChannelSum(a) < ChannelSum(b); });
    return colours[static_cast<std::size_t>(count / 2)];
}

void CMedianFilter::ApplyGrey(const CGreyPlane& source, std::uint8_t* topRow,
                              std::ptrdiff_t stride) const {
    const int width = source.Width();
    const int height = source.Height();
    std::vector<std::uint8_t> out(static_cast<std::size_t>(source.PaddedWidth()));
    for (int y = 0; y < height; ++y) {
        MedianRow(source, y, out.data());
        if (y == 0 || y == height - 1) {
            for (int x = 0; x < width; ++x) {
                out[static_cast<std::size_t>(x)] = BorderMedian(source, x, y);
            }
        } else {
            out[0] = BorderMedian(source, 0, y);
            out[static_cast<std::size_t>(width - 1)] = BorderMedian(source, width - 1, y);
        }
        std::memcpy(topRow + y * stride, out.data(), static_cast<std::size_t>(width));
    }
}
