#pragma once
// 8-connected regions of the pixels whose count is marked, found run by run:
// each row's stretches of marked pixels are joined to the stretches of the
// row above that touch them, also at a corner. Cold pixels are few, so the
// work beyond one pass over the counts grows with the runs, not the image.

#include <array>
#include <cstdint>
#include <vector>

#include "product/CalibratedGrid.h"

// The pixels [x0, x1) of row y.
struct CellRun {
    int y = 0;
    int x0 = 0;
    int x1 = 0;
    int Length() const { return x1 - x0; }
};

struct RunRegions {
    // Every run, in row order and from left to right within a row.
    std::vector<CellRun> runs;
    // The region of each run, 0 … count − 1.
    std::vector<int> region;
    int count = 0;
    // runs of row y are runs[rowStart[y]] … runs[rowStart[y + 1] − 1].
    std::vector<std::size_t> rowStart;

    // The region holding pixel (x, y), or −1.
    int RegionAt(int x, int y) const;
};

// marked[c] says whether a pixel of count c belongs to a region.
RunRegions LabelRuns(const CalibratedGrid& grid, const std::array<bool, 256>& marked);

// The counts whose calibrated value lies in (floorK, ceilingK].
std::array<bool, 256> CountsAtOrBelow(const float* table, float ceilingK, float floorK);
