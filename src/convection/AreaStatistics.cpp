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

void AddRow(const float* values, const std::vector<float>* nodes, const PixelBox& box,
            const std::array<float, 2>& coldBelow, Sums& sums) {
    for (int x = box.x0; x <= box.x1; ++x) {
        const float v = values[x];
        if (!std::isfinite(v)) {
            continue;
        }
        const double a = nodes != nullptr ? CPixelAreas::AtNode(*nodes, x) : 0.0;
        ++sums.pixels;
        sums.area += a;
        sums.values += v;
        sums.minValue = std::min(sums.minValue, v);
        sums.maxValue = std::max(sums.maxValue, v);
        for (std::size_t t = 0; t < coldBelow.size(); ++t) {
            if (v < coldBelow[t]) {
                ++sums.coldPixels[t];
                sums.coldArea[t] += a;
            }
        }
    }
}

}  // namespace

AreaStatistics ComputeAreaStatistics(const CalibratedGrid& grid, const CPixelAreas& areas,
                                     const PixelBox& box, const std::array<float, 2>& coldBelow) {
    AreaStatistics result;
    if (grid.Empty() || box.Width() <= 0 || box.Height() <= 0) {
        return result;
    }
    std::vector<float> row(static_cast<std::size_t>(grid.width));
    std::vector<float> nodes;
    Sums sums;
    for (int y = box.y0; y <= box.y1; ++y) {
        grid.Row(y, row.data());
        if (!areas.Empty()) {
            areas.RowNodes(y, nodes);
        }
        AddRow(row.data(), areas.Empty() ? nullptr : &nodes, box, coldBelow, sums);
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
