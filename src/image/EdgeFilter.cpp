#include "image/EdgeFilter.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "image/VectorClones.h"

namespace {

// The larger of the two clamped responses, in place in first.
KELVRA_VECTOR_CLONES void TakeLarger(std::uint8_t* __restrict first,
                                     const std::uint8_t* __restrict second, int count) {
    for (int b = 0; b < count; b += CGreyRows::kBlock) {
        for (int k = 0; k < CGreyRows::kBlock; ++k) {
            first[b + k] = std::max(first[b + k], second[b + k]);
        }
    }
}

}  // namespace

CEdgeFilter::CEdgeFilter(const CConvolutionFilter& first, const CConvolutionFilter& second)
    : m_first(first), m_second(second) {}

std::uint32_t CEdgeFilter::Apply(const CDibImage& source, const std::uint8_t* bits, int x,
                                 int y) const {
    const std::uint32_t a = m_first.Apply(source, bits, x, y);
    const std::uint32_t b = m_second.Apply(source, bits, x, y);
    std::uint32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        result |= std::max((a >> shift) & 0xffu, (b >> shift) & 0xffu) << shift;
    }
    return result;
}

void CEdgeFilter::ApplyGrey(CGreyRows& source, std::uint8_t* topRow, std::ptrdiff_t stride) const {
    if (m_first.FitsShortSums() && m_second.FitsShortSums()) {
        ApplyGreyAs<std::int16_t>(source, topRow, stride);
    } else {
        ApplyGreyAs<std::int32_t>(source, topRow, stride);
    }
}

template <typename Sum>
void CEdgeFilter::ApplyGreyAs(CGreyRows& source, std::uint8_t* topRow,
                              std::ptrdiff_t stride) const {
    const int count = source.PaddedWidth();
    std::vector<Sum> sums(static_cast<std::size_t>(count));
    std::vector<std::uint8_t> first(static_cast<std::size_t>(count));
    std::vector<std::uint8_t> second(static_cast<std::size_t>(count));
    for (int y = 0; y < source.Height(); ++y) {
        m_first.SumRow(source, y, sums.data());
        m_first.FinishRow(sums.data(), first.data(), count);
        m_second.SumRow(source, y, sums.data());
        m_second.FinishRow(sums.data(), second.data(), count);
        TakeLarger(first.data(), second.data(), count);
        std::memcpy(topRow + y * stride, first.data(), static_cast<std::size_t>(source.Width()));
    }
}
