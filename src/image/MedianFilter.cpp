#include "image/MedianFilter.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "image/CDibImage.h"
#include "image/VectorClones.h"

namespace {

int ChannelSum(std::uint32_t v) {
    return static_cast<int>((v & 0xffu) + ((v >> 8) & 0xffu) + ((v >> 16) & 0xffu));
}

// The median of the in-picture neighbours of one plane pixel, counted the
// same way as Apply; used along the picture's border.
std::uint8_t BorderMedian(CGreyRows& source, int x, int y) {
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

inline std::uint8_t Median3(std::uint8_t a, std::uint8_t b, std::uint8_t c) {
    return std::max(std::min(a, b), std::min(std::max(a, b), c));
}

// Every column's three levels in order, for columns -1 .. count - 2 of the
// row (the pointers are already one column to the left). Each column serves
// three neighbouring pixels, so it is ordered once.
KELVRA_VECTOR_CLONES void SortColumns(const std::uint8_t* __restrict above,
                                      const std::uint8_t* __restrict own,
                                      const std::uint8_t* __restrict below,
                                      std::uint8_t* __restrict low, std::uint8_t* __restrict middle,
                                      std::uint8_t* __restrict high, int count) {
    for (int j = 0; j < count; ++j) {
        std::uint8_t p = above[j];
        std::uint8_t q = own[j];
        std::uint8_t r = below[j];
        Order(p, q);
        Order(q, r);
        Order(p, q);
        low[j] = p;
        middle[j] = q;
        high[j] = r;
    }
}

// The fifth of the nine levels of three ordered columns is the median of the
// largest low, the middle middle and the smallest high (a known identity of
// the 3 x 3 median; the tests check it against sorting).
KELVRA_VECTOR_CLONES void MedianOfColumns(const std::uint8_t* __restrict low,
                                          const std::uint8_t* __restrict middle,
                                          const std::uint8_t* __restrict high,
                                          std::uint8_t* __restrict out, int count) {
    for (int b = 0; b < count; b += CGreyRows::kBlock) {
        for (int k = 0; k < CGreyRows::kBlock; ++k) {
            const int x = b + k;
            const std::uint8_t lows = std::max(std::max(low[x], low[x + 1]), low[x + 2]);
            const std::uint8_t highs = std::min(std::min(high[x], high[x + 1]), high[x + 2]);
            const std::uint8_t middles = Median3(middle[x], middle[x + 1], middle[x + 2]);
            out[x] = Median3(lows, middles, highs);
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

void CMedianFilter::ApplyGrey(CGreyRows& source, std::uint8_t* topRow,
                              std::ptrdiff_t stride) const {
    const int width = source.Width();
    const int height = source.Height();
    const int padded = source.PaddedWidth();
    const std::size_t columns = static_cast<std::size_t>(padded) + 2;
    std::vector<std::uint8_t> scratch(4 * columns);
    std::uint8_t* low = scratch.data();
    std::uint8_t* middle = low + columns;
    std::uint8_t* high = middle + columns;
    std::uint8_t* out = high + columns;
    for (int y = 0; y < height; ++y) {
        SortColumns(source.Row(y - 1) - 1, source.Row(y) - 1, source.Row(y + 1) - 1, low, middle,
                    high, padded + 2);
        MedianOfColumns(low, middle, high, out, padded);
        // Border pixels have fewer than nine neighbours in the picture.
        if (y == 0 || y == height - 1) {
            for (int x = 0; x < width; ++x) {
                out[x] = BorderMedian(source, x, y);
            }
        } else {
            out[0] = BorderMedian(source, 0, y);
            out[width - 1] = BorderMedian(source, width - 1, y);
        }
        std::memcpy(topRow + y * stride, out, static_cast<std::size_t>(width));
    }
}
