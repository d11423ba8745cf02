#include "analysis/PrecipAmountAt.h"

#include <algorithm>

std::optional<int> PrecipAmountAt(const std::vector<PrecipPixel>& pixels, int x, int y) {
    const auto before = [](const PrecipPixel& p, const std::pair<int, int>& at) {
        return p.y != at.second ? p.y < at.second : p.x < at.first;
    };
    const auto it = std::lower_bound(pixels.begin(), pixels.end(), std::pair{x, y}, before);
    if (it == pixels.end() || it->x != x || it->y != y) {
        return std::nullopt;
    }
    return it->amount;
}
