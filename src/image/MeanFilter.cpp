#include "image/MeanFilter.h"

#include <cstring>
#include <vector>

#include "image/CDibImage.h"
#include "image/VectorClones.h"

namespace {

constexpr int kNeighbours = 9;
constexpr int kBlock = CGreyRows::kBlock;

// __restrict: the rows and the sums never overlap, so the blocks vectorise.
KELVRA_VECTOR_CLONES void SumColumns(const std::uint8_t* __restrict above,
                                     const std::uint8_t* __restrict own,
                                     const std::uint8_t* __restrict below,
                                     std::uint16_t* __restrict columns, int count) {
    for (int b = 0; b < count; b += kBlock) {
        for (int k = 0; k < kBlock; ++k) {
            const int x = b + k;
            columns[x] = static_cast<std::uint16_t>(above[x] + own[x] + below[x]);
        }
    }
}

// out[x] from columns x - 1, x and x + 1, stored one place to the right.
KELVRA_VECTOR_CLONES void MeanOfColumns(const std::uint16_t* __restrict columns,
                                        std::uint8_t* __restrict out, int count) {
    for (int b = 0; b < count; b += kBlock) {
        for (int k = 0; k < kBlock; ++k) {
            const int x = b + k;
            out[x] = static_cast<std::uint8_t>((columns[x] + columns[x + 1] + columns[x + 2]) /
                                               kNeighbours);
        }
    }
}

}  // namespace

std::uint32_t CMeanFilter::Apply(const CDibImage& source, const std::uint8_t* bits, int x,
                                 int y) const {
    std::uint32_t sums[3] = {0, 0, 0};
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            std::uint32_t value = 0;
            if (source.GetPixel(bits, x + dx, y + dy, value)) {
                sums[0] += value & 0xffu;
                sums[1] += (value >> 8) & 0xffu;
                sums[2] += (value >> 16) & 0xffu;
            }
        }
    }
    return (sums[0] / kNeighbours) | ((sums[1] / kNeighbours) << 8) |
           ((sums[2] / kNeighbours) << 16);
}

void CMeanFilter::ApplyGrey(CGreyRows& source, std::uint8_t* topRow, std::ptrdiff_t stride) const {
    // Column sums of three rows first, then three columns of them: the same
    // nine levels in four additions. The margin column on each side is summed
    // too, as zeros.
    const int count = source.PaddedWidth();
    std::vector<std::uint16_t> columns(static_cast<std::size_t>(count + 2));
    std::vector<std::uint8_t> out(static_cast<std::size_t>(count));
    for (int y = 0; y < source.Height(); ++y) {
        // Columns -1 .. count - 2 in blocks, the last two alone.
        SumColumns(source.Row(y - 1) - 1, source.Row(y) - 1, source.Row(y + 1) - 1, columns.data(),
                   count);
        for (int x = count - 1; x <= count; ++x) {
            columns[static_cast<std::size_t>(x + 1)] = static_cast<std::uint16_t>(
                source.Row(y - 1)[x] + source.Row(y)[x] + source.Row(y + 1)[x]);
        }
        MeanOfColumns(columns.data(), out.data(), count);
        std::memcpy(topRow + y * stride, out.data(), static_cast<std::size_t>(source.Width()));
    }
}
