#pragma once
// How a grid product's values become the 8-bit counts of its picture: the
// element's display range spread over counts 0-255 (reversed for the
// temperature-like elements), and the value each count stands for. The
// counts serve the picture, its palettes and the legend; the exact values
// stay with the product for everything that reads a value.

#include <array>
#include <cstdint>
#include <vector>

#include "product/GridElements.h"

struct GridDisplayScale {
    float low = 0.0f;
    float high = 1.0f;
    bool coldBright = false;

    // The count of a value: the nearest of the 256 steps, the ends for
    // values beyond the range.
    std::uint8_t CountOf(float value) const;
    // The value at the middle of each count's step.
    std::array<float, 256> Table() const;
};

// The element's range; an element outside the table takes the range of
// the values themselves.
GridDisplayScale DisplayScaleOf(const GridElement& element, const std::vector<float>& values);

// The counts of all values, in their order.
std::vector<std::uint8_t> GridCounts(const GridDisplayScale& scale,
                                     const std::vector<float>& values);
