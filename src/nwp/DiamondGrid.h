#pragma once
// A diamond type-4 file read into memory and prepared for contouring: the
// header, the derived bounds and spacings, and the grid with row 0 the
// northernmost, a wrap column when the longitudes go round the earth, and
// both smoothers applied.

#include <cstddef>
#include <vector>

#include "nwp/DiamondHeader.h"

// Points without a value: the file ended early or held something that is not
// a number.
constexpr float kNwpMissing = -1.0e20f;
// Longitude spans of at least this many degrees get a wrap column.
constexpr double kWrapColumnSpan = 340.0;
// The largest grid accepted, whatever the file's size.
constexpr long long kMaxDiamondPoints = 16LL * 1024 * 1024;

struct DiamondGrid {
    DiamondHeader header;  // header.nx is the stored column count
    double southLat = 0.0;
    double northLat = 0.0;
    double firstLon = 0.0;
    double lastLon = 0.0;  // plus 360 when the first longitude is greater
    double rowSpacing = 0.0;
    double columnSpacing = 0.0;
    int fileColumns = 0;         // nx as written in the file
    std::size_t pointsRead = 0;  // values found before the data ran out
    std::vector<float> values;   // header.ny rows of header.nx values
};

// Reads header and values from the file's bytes (the first nine header
// tokens included) and arranges the rows; nothing is smoothed. Sizes below
// 2 x 2, grids larger than the text could hold (two bytes per value) or than
// kMaxDiamondPoints, and zero or non-finite steps or bounds are refused.
// Values the file does not hold, from the first token that is not a number
// on, are kNwpMissing; an infinite or not-a-number value is missing alone.
DiamondError ParseDiamondText(const char* data, std::size_t size, DiamondGrid& grid);

// Smooths the grid in place as it is prepared for tracing: a weighted 3 x 3
// average (0.5, 0.3, 0.2), then a 3 x 3 box mean, missing points left out.
// False when scratch memory is not available.
bool SmoothDiamondGrid(DiamondGrid& grid);
