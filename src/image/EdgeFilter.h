#pragma once
// Edge detection: two convolution kernels, each result clamped on its own,
// and each channel the larger of the two. Negative responses clamp to 0, so an
// edge registers only where the picture gets brighter downwards or rightwards.

#include "image/ConvolutionFilter.h"

class CEdgeFilter : public CImageFilter {
public:
    CEdgeFilter(const CConvolutionFilter& first, const CConvolutionFilter& second);

    std::uint32_t Apply(const CDibImage& source, const std::uint8_t* bits, int x,
                        int y) const override;
    void ApplyGrey(CGreyRows& source, std::uint8_t* topRow, std::ptrdiff_t stride) const override;

private:
    template <typename Sum>
    void ApplyGreyAs(CGreyRows& source, std::uint8_t* topRow, std::ptrdiff_t stride) const;

    CConvolutionFilter m_first;
    CConvolutionFilter m_second;
};
