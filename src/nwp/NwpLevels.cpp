#include "nwp/NwpLevels.h"

#include <cmath>

std::vector<float> NwpContourLevels(float first, float last, float interval) {
    std::vector<float> levels;
    if (!(interval > 0.0f) || !std::isfinite(interval)) {
        return levels;
    }
    for (float level = first; level <= last;) {
        levels.push_back(level);
        const float next = level + interval;
        if (next == level || levels.size() >= static_cast<std::size_t>(kMaxNwpLevels)) {
            break;
        }
        level = next;
    }
    return levels;
}
