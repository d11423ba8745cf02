#pragma once
// A picture made small for a file manager's thumbnail: scaled to a given
// longest side, keeping its proportions, each new pixel the mean of the
// pixels it covers (so coastlines thin out rather than break up).

#include <cstdint>
#include <vector>

#include "platform/DevicePixels.h"

// The picture scaled so that its longer side is longestSide pixels; the
// pixels live in store. Empty for an empty picture or a size below 1.
DevicePixels ScaleToLongestSide(const DevicePixels& picture, int longestSide,
                                std::vector<std::uint32_t>& store);
