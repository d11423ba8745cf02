#pragma once
// Mean smoothing: per channel, the sum over the 3 x 3 neighbours inside the
// picture divided by 9 in every case, so border pixels darken.

#include "image/ImageFilter.h"

class CMeanFilter : public CImageFilter {
public:
    std::uint32_t Apply(const CDibImage& source, const std::uint8_t* bits, int x,
                        int y) const override;
    void ApplyGrey(CGreyRows& source, std::uint8_t* topRow, std::ptrdiff_t stride) const override;
};
