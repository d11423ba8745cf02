#pragma once
// Median smoothing: the up to nine colours of the 3 x 3 neighbourhood inside
// the picture, ordered by red + green + blue (a stable sort over the order
// above-left to below-right, so equal sums keep a fixed order), and the one at
// position count / 2: the fifth of nine, the third of four in a corner, the
// fourth of six along an edge.

#include "image/ImageFilter.h"

class CMedianFilter : public CImageFilter {
public:
    std::uint32_t Apply(const CDibImage& source, const std::uint8_t* bits, int x,
                        int y) const override;
    void ApplyGrey(CGreyRows& source, std::uint8_t* topRow, std::ptrdiff_t stride) const override;
};
