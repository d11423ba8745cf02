#pragma once
// The precipitation estimate's amount at one pixel, for the read-out under
// the mouse.

#include <optional>
#include <vector>

#include "analysis/CPrecipEstimate.h"

// The millimetres of pixel (x, y), or none where it does not rain; the
// pixels in row order, left to right (as the estimate makes them), so the
// look-up is a binary search.
std::optional<int> PrecipAmountAt(const std::vector<PrecipPixel>& pixels, int x, int y);
