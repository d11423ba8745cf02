#pragma once
// The cold-cloud cell under a pixel, for the read-out under the mouse.

#include <string>
#include <vector>

#include "convection/ColdCells.h"

// The cell whose runs hold pixel (x, y), or nullptr; each cell's runs are in
// row order, so only the runs of row y are looked at.
const ColdCell* CellAt(const std::vector<ColdCell>& cells, int x, int y);

// "云团 12345 km² 最低 -65.2 °C".
std::string CellReadoutText(const ColdCell& cell);
