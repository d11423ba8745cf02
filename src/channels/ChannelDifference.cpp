#include "channels/ChannelDifference.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kSplitWindowSpanK = 8.0f;
constexpr float kWaterVapourSpanK = 16.0f;
constexpr int kEntries = 256;

Combination OneTerm(const char* name, int first, int second, float span) {
    Combination combination;
    combination.difference = true;
    combination.recipe.name = name;
    RgbColour& colour = combination.recipe.colours[0];
    colour.term.first = first;
    colour.term.second = second;
    colour.range.low = -span;
    colour.range.high = span;
    return combination;
}

std::uint8_t Channel(double value) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 255.0)));
}

}  // namespace

bool ParseDifferenceKind(const std::string& word, DifferenceKind& kind) {
    if (word == "split") {
        kind = DifferenceKind::kSplitWindow;
    } else if (word == "wv") {
        kind = DifferenceKind::kWaterVapour;
    } else {
        return false;
    }
    return true;
}

Combination DifferenceCombination(DifferenceKind kind) {
    if (kind == DifferenceKind::kSplitWindow) {
        return OneTerm("分裂窗差值 (红外一−红外二)", 1, 2, kSplitWindowSpanK);
    }
    return OneTerm("水汽−红外一", 3, 1, kWaterVapourSpanK);
}

std::array<RgbQuad, 256> DivergingColours() {
    // Dark blue → white → dark red, each half a straight line through a
    // saturated middle colour, so equal steps of the value read as equal
    // steps of colour on either side of 0.
    struct Stop {
        double at, r, g, b;
    };
    constexpr Stop kStops[] = {{0.0, 8, 29, 110},
                               {0.25, 49, 130, 220},
                               {0.5, 250, 250, 250},
                               {0.75, 235, 90, 45},
                               {1.0, 110, 8, 20}};
    std::array<RgbQuad, 256> colours{};
    for (int i = 0; i < kEntries; ++i) {
        const double t = (i + 0.5) / kEntries;
        std::size_t s = 0;
        while (s + 2 < std::size(kStops) && t > kStops[s + 1].at) {
            ++s;
        }
        const Stop& a = kStops[s];
        const Stop& b = kStops[s + 1];
        const double f = std::clamp((t - a.at) / (b.at - a.at), 0.0, 1.0);
        RgbQuad& c = colours[static_cast<std::size_t>(i)];
        c.red = Channel(a.r + (b.r - a.r) * f);
        c.green = Channel(a.g + (b.g - a.g) * f);
        c.blue = Channel(a.b + (b.b - a.b) * f);
    }
    return colours;
}
