#include "product/GridDisplayScale.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kTopCount = 255.0f;

}  // namespace

std::uint8_t GridDisplayScale::CountOf(float value) const {
    const float fraction = std::clamp((value - low) / (high - low), 0.0f, 1.0f);
    const float step = std::nearbyint(fraction * kTopCount);
    const float count = coldBright ? kTopCount - step : step;
    return static_cast<std::uint8_t>(std::isfinite(count) ? count : 0.0f);
}

std::array<float, 256> GridDisplayScale::Table() const {
    std::array<float, 256> table{};
    for (int c = 0; c < 256; ++c) {
        const float step = coldBright ? kTopCount - static_cast<float>(c) : static_cast<float>(c);
        table[static_cast<std::size_t>(c)] = low + (high - low) * step / kTopCount;
    }
    return table;
}

GridDisplayScale DisplayScaleOf(const GridElement& element, const std::vector<float>& values) {
    GridDisplayScale scale{element.low, element.high, element.coldBright};
    if (element.high > element.low) {
        return scale;
    }
    if (!values.empty()) {
        const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
        scale.low = *lowest;
        scale.high = *highest;
    }
    if (!(scale.high > scale.low)) {
        scale.high = scale.low + 1.0f;  // one value everywhere: any range shows it
    }
    return scale;
}

std::vector<std::uint8_t> GridCounts(const GridDisplayScale& scale,
                                     const std::vector<float>& values) {
    std::vector<std::uint8_t> counts(values.size());
    std::transform(values.begin(), values.end(), counts.begin(),
                   [&scale](float v) { return scale.CountOf(v); });
    return counts;
}
