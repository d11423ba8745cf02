#pragma once
// Convolution filters: an N x N kernel of signed weights, a divisor and a
// bias. The weights are stored column by column: weight number
// N * (dx + N/2) + (dy + N/2) applies to the neighbour at offset (dx, dy),
// dy = -1 being the row above. Neighbours outside the picture contribute
// nothing and the divisor is not adjusted for them.

#include <array>
#include <cstdint>

#include "image/ImageFilter.h"

template <int N>
class CKernelFilter : public CImageFilter {
public:
    static constexpr int kHalf = N / 2;
    static constexpr int kCount = N * N;
    static_assert(N % 2 == 1 && kHalf <= CGreyRows::kMargin);

    // The identity: every weight 0 except the centre 1.
    CKernelFilter();

    static constexpr int WeightNumber(int dx, int dy) { return N * (dx + kHalf) + (dy + kHalf); }

    int Weight(int dx, int dy) const { return m_weights[WeightNumber(dx, dy)]; }
    void SetWeight(int dx, int dy, int weight) { m_weights[WeightNumber(dx, dy)] = weight; }
    // Sets the kernel from rows as it is written: the row above first, each
    // row from left to right.
    void SetRows(const std::array<std::array<int, N>, N>& rows);
    const std::array<int, kCount>& Weights() const { return m_weights; }

    int Divisor() const { return m_nDivisor; }
    // A divisor of 0 is refused and the previous one kept.
    bool SetDivisor(int divisor);
    int Bias() const { return m_nBias; }
    void SetBias(int bias) { m_nBias = bias; }

    std::uint32_t Apply(const CDibImage& source, const std::uint8_t* bits, int x,
                        int y) const override;
    void ApplyGrey(CGreyRows& source, std::uint8_t* topRow, std::ptrdiff_t stride) const override;

    // True when every sum of levels 0-255 fits in 16 bits, so rows can be
    // summed in twice as many lanes with the same results.
    bool FitsShortSums() const;
    // The weighted sums of row y of the plane, PaddedWidth() of them.
    void SumRow(CGreyRows& source, int y, std::int32_t* sums) const;
    void SumRow(CGreyRows& source, int y, std::int16_t* sums) const;
    // sum / divisor + bias, clamped, for count sums (a whole number of blocks).
    void FinishRow(const std::int32_t* sums, std::uint8_t* out, int count) const;
    void FinishRow(const std::int16_t* sums, std::uint8_t* out, int count) const;
    // The same for one channel sum.
    int Finish(int sum) const;

private:
    template <typename Sum>
    void SumRowAs(CGreyRows& source, int y, Sum* sums) const;
    template <typename Sum>
    void FinishRowAs(const Sum* sums, std::uint8_t* out, int count) const;
    template <typename Sum>
    void ApplyGreyAs(CGreyRows& source, std::uint8_t* topRow, std::ptrdiff_t stride) const;

    std::array<int, kCount> m_weights{};
    int m_nDivisor = 1;
    int m_nBias = 0;
};

using CConvolutionFilter = CKernelFilter<3>;
using CLargeConvolutionFilter = CKernelFilter<7>;

extern template class CKernelFilter<3>;
extern template class CKernelFilter<7>;
