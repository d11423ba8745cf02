#pragma once
// The outline of a cell: its boundary pixels in order around the outside
// (clockwise on the screen), found by following the border from the
// topmost-leftmost pixel through the 8 neighbours. Holes are not outlined.

#include <vector>

#include "convection/ColdCells.h"

struct CellPixel {
    int x = 0;
    int y = 0;
    bool operator==(const CellPixel&) const = default;
};

// The boundary pixels; the first is not repeated at the end. A cell of one
// pixel has an outline of that pixel.
std::vector<CellPixel> CellOutline(const ColdCell& cell);
