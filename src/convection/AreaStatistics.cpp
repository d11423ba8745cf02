#include "convection/AreaStatistics.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

// The sums of one row, added to the box's in double so that a whole
// product's area does not lose its last square kilometres.
struct Sums {
    std::int64_t pixels = 0;
    double area = 0.0;
    double values = 0.0;
    float minValue = std::numeric_limits<float>::max();
    float maxValue = std::numeric_limits<float>::lowest();
    std::array<std::int64_t, 2> coldPixels{};
    std::array<double, 2> coldArea{};
};

// Adds one pixel's value and area; false pixels (no value) are skipped.
inline void AddPixel(float v, double a, const std::array<float, 2>& coldBelow, Sums& sums) {
    if (!std::isfinite(v)) {
        return;
    }
    ++sums.pixels;
    sums.area += a;
    sums.values += v;
    sums.minValue = v < sums.minValue ? v : sums.minValue;
    sums.maxValue = v > sums.maxValue ? v : sums.maxValue;
    // Branches: most of a picture is warmer than both thresholds.
    for (std::size_t t = 0; t < coldBelow.size(); ++t) {
        if (v < coldBelow[t]) {
            ++sums.coldPixels[t];
            sums.coldArea[t] += a;
        }
    }
}

void Merge(const Sums& from, Sums& into) {
    into.pixels += from.pixels;
    into.area += from.area;
    into.values += from.values;
    into.minValue = std::min(into.minValue, from.minValue);
    into.maxValue = std::max(into.maxValue, from.maxValue);
    for (std::size_t t = 0; t < from.coldPixels.size(); ++t) {
        into.coldPixels[t] += from.coldPixels[t];
        into.coldArea[t] += from.coldArea[t];
    }
}

// Even and odd pixels in sums of their own, held in registers (the value and
// area pointers cannot alias locals): two chains of additions, not one.
void AddRow(const float* values, const float* areas, const PixelBox& box,
            const std::array<float, 2>& coldBelow, Sums& sums) {
    Sums even;
    Sums odd;
    int x = box.x0;
    for (; x + 1 <= box.x1; x += 2) {
        AddPixel(values[x], areas[x], coldBelow, even);
        AddPixel(values[x + 1], areas[x + 1], coldBelow, odd);
    }
    if (x <= box.x1) {
        AddPixel(values[x], areas[x], coldBelow, even);
    }
    Merge(even, sums);
    Merge(odd, sums);
}

// The areas of the row's pixels x0..x1 from its nodes, a node span at a time
// (the very values CPixelAreas::AtNode gives); 0 without geolocation.
void RowAreas(const CPixelAreas& areas, int y, const PixelBox& box, std::vector<float>& nodes,
              std::vector<float>& out) {
    if (areas.Empty()) {
        return;
    }
    areas.RowNodes(y, nodes);
    for (int i = box.x0 / kAreaNodeStep; i * kAreaNodeStep <= box.x1; ++i) {
        const float first = nodes[i];
        const float step = (nodes[i + 1] - first) / kAreaNodeStep;
        float* span = out.data() + static_cast<std::ptrdiff_t>(i) * kAreaNodeStep;
        for (int k = 0; k < kAreaNodeStep; ++k) {
            span[k] = first + static_cast<float>(k) * step;
        }
    }
}

// The values of the row's pixels x0..x1: the grid's own row when it holds
// them, else looked up into buffer.
const float* RowValues(const CalibratedGrid& grid, int y, const PixelBox& box,
                       std::vector<float>& buffer) {
    if (grid.values != nullptr) {
        return grid.ValuesRow(y);
    }
    const std::uint8_t* counts = grid.CountsRow(y);
    for (int x = box.x0; x <= box.x1; ++x) {
        buffer[x] = grid.table[counts[x]];
    }
    return buffer.data();
}

}  // namespace

AreaStatistics ComputeAreaStatistics(const CalibratedGrid& grid, const CPixelAreas& areas,
                                     const PixelBox& box, const std::array<float, 2>& coldBelow) {
    AreaStatistics result;
    if (grid.Empty() || box.Width() <= 0 || box.Height() <= 0) {
        return result;
    }
    std::vector<float> row(static_cast<std::size_t>(grid.width));
    // Whole node spans, so the last span may pass the image's width.
    std::vector<float> rowAreas(static_cast<std::size_t>(grid.width + kAreaNodeStep), 0.0f);
    std::vector<float> nodes;
    Sums sums;
    for (int y = box.y0; y <= box.y1; ++y) {
        RowAreas(areas, y, box, nodes, rowAreas);
        AddRow(RowValues(grid, y, box, row), rowAreas.data(), box, coldBelow, sums);
    }
    result.pixels = sums.pixels;
    result.hasArea = !areas.Empty();
    result.areaKm2 = sums.area;
    result.coldPixels = sums.coldPixels;
    result.coldAreaKm2 = sums.coldArea;
    if (sums.pixels > 0) {
        result.minValue = sums.minValue;
        result.maxValue = sums.maxValue;
        result.meanValue = sums.values / static_cast<double>(sums.pixels);
    }
    return result;
}
