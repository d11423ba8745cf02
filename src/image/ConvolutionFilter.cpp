#include "image/ConvolutionFilter.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "image/CDibImage.h"
#include "image/PixelWalk.h"
#include "image/VectorClones.h"

namespace {

constexpr int kBlock = CGreyRows::kBlock;

// The loops below run over whole blocks of a fixed length so that the
// compiler turns each block into vector instructions.
// __restrict (which every compiler kelvra targets understands) tells the
// compiler that the byte rows do not overlap the sums.
template <typename Sum>
KELVRA_VECTOR_CLONES void AddTap(Sum* __restrict sums, const std::uint8_t* __restrict row,
                                 int weight, int count) {
    const Sum w = static_cast<Sum>(weight);
    for (int b = 0; b < count; b += kBlock) {
        Sum* __restrict s = sums + b;
        const std::uint8_t* __restrict p = row + b;
        for (int k = 0; k < kBlock; ++k) {
            s[k] = static_cast<Sum>(s[k] + w * p[k]);
        }
    }
}

// Clamp255 written as min/max, which is the same for every int.
inline std::int32_t ClampLevel(std::int32_t v) {
    return std::min(std::max(v, 0), 255);
}

template <int Divisor, typename Sum>
KELVRA_VECTOR_CLONES void FinishFixed(const Sum* __restrict sums, std::uint8_t* __restrict out,
                                      int count, int bias) {
    for (int b = 0; b < count; b += kBlock) {
        for (int k = 0; k < kBlock; ++k) {
            out[b + k] = static_cast<std::uint8_t>(
                ClampLevel(static_cast<std::int32_t>(sums[b + k] / Divisor) + bias));
        }
    }
}

template <typename Sum>
void FinishAny(const Sum* sums, std::uint8_t* out, int count, int divisor, int bias) {
    for (int i = 0; i < count; ++i) {
        out[i] = static_cast<std::uint8_t>(Clamp255(sums[i] / divisor + bias));
    }
}

}  // namespace

template <int N>
CKernelFilter<N>::CKernelFilter() {
    SetWeight(0, 0, 1);
}

template <int N>
void CKernelFilter<N>::SetRows(const std::array<std::array<int, N>, N>& rows) {
    for (int row = 0; row < N; ++row) {
        for (int column = 0; column < N; ++column) {
            SetWeight(column - kHalf, row - kHalf,
                      rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]);
        }
    }
}

template <int N>
bool CKernelFilter<N>::SetDivisor(int divisor) {
    if (divisor == 0) {
        return false;
    }
    m_nDivisor = divisor;
    return true;
}

template <int N>
int CKernelFilter<N>::Finish(int sum) const {
    return Clamp255(sum / m_nDivisor + m_nBias);
}

template <int N>
std::uint32_t CKernelFilter<N>::Apply(const CDibImage& source, const std::uint8_t* bits, int x,
                                      int y) const {
    int sums[3] = {0, 0, 0};
    for (int dx = -kHalf; dx <= kHalf; ++dx) {
        for (int dy = -kHalf; dy <= kHalf; ++dy) {
            const int weight = Weight(dx, dy);
            std::uint32_t value = 0;
            if (weight == 0 || !source.GetPixel(bits, x + dx, y + dy, value)) {
                continue;
            }
            sums[0] += weight * static_cast<int>(value & 0xffu);
            sums[1] += weight * static_cast<int>((value >> 8) & 0xffu);
            sums[2] += weight * static_cast<int>((value >> 16) & 0xffu);
        }
    }
    return static_cast<std::uint32_t>(Finish(sums[0])) |
           (static_cast<std::uint32_t>(Finish(sums[1])) << 8) |
           (static_cast<std::uint32_t>(Finish(sums[2])) << 16);
}

template <int N>
bool CKernelFilter<N>::FitsShortSums() const {
    int positive = 0;
    int negative = 0;
    for (int weight : m_weights) {
        (weight > 0 ? positive : negative) += weight > 0 ? weight : -weight;
    }
    constexpr int kShortLimit = 32767 / 255;
    return positive <= kShortLimit && negative <= kShortLimit;
}

template <int N>
void CKernelFilter<N>::SumRow(CGreyRows& source, int y, std::int32_t* sums) const {
    SumRowAs(source, y, sums);
}

template <int N>
void CKernelFilter<N>::SumRow(CGreyRows& source, int y, std::int16_t* sums) const {
    SumRowAs(source, y, sums);
}

template <int N>
void CKernelFilter<N>::FinishRow(const std::int32_t* sums, std::uint8_t* out, int count) const {
    FinishRowAs(sums, out, count);
}

template <int N>
void CKernelFilter<N>::FinishRow(const std::int16_t* sums, std::uint8_t* out, int count) const {
    FinishRowAs(sums, out, count);
}

template <int N>
template <typename Sum>
void CKernelFilter<N>::SumRowAs(CGreyRows& source, int y, Sum* sums) const {
    const int count = source.PaddedWidth();
    std::fill(sums, sums + count, Sum{0});
    for (int dx = -kHalf; dx <= kHalf; ++dx) {
        for (int dy = -kHalf; dy <= kHalf; ++dy) {
            if (const int weight = Weight(dx, dy); weight != 0) {
                AddTap(sums, source.Row(y + dy) + dx, weight, count);
            }
        }
    }
}

template <int N>
template <typename Sum>
void CKernelFilter<N>::FinishRowAs(const Sum* sums, std::uint8_t* out, int count) const {
    switch (m_nDivisor) {
        case 1:
            FinishFixed<1>(sums, out, count, m_nBias);
            break;
        case 9:
            FinishFixed<9>(sums, out, count, m_nBias);
            break;
        case 16:
            FinishFixed<16>(sums, out, count, m_nBias);
            break;
        default:
            FinishAny(sums, out, count, m_nDivisor, m_nBias);
            break;
    }
}

template <int N>
void CKernelFilter<N>::ApplyGrey(CGreyRows& source, std::uint8_t* topRow,
                                 std::ptrdiff_t stride) const {
    if (FitsShortSums()) {
        ApplyGreyAs<std::int16_t>(source, topRow, stride);
    } else {
        ApplyGreyAs<std::int32_t>(source, topRow, stride);
    }
}

template <int N>
template <typename Sum>
void CKernelFilter<N>::ApplyGreyAs(CGreyRows& source, std::uint8_t* topRow,
                                   std::ptrdiff_t stride) const {
    const int count = source.PaddedWidth();
    std::vector<Sum> sums(static_cast<std::size_t>(count));
    std::vector<std::uint8_t> out(static_cast<std::size_t>(count));
    for (int y = 0; y < source.Height(); ++y) {
        SumRowAs(source, y, sums.data());
        FinishRowAs(sums.data(), out.data(), count);
        std::memcpy(topRow + y * stride, out.data(), static_cast<std::size_t>(source.Width()));
    }
}

template class CKernelFilter<3>;
template class CKernelFilter<7>;
