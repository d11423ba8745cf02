#include "nwp/NwpValueAt.h"

#include <cmath>
#include <cstdio>

#include "nwp/CNwpOverlay.h"
#include "nwp/DiamondGrid.h"

namespace {

constexpr double kFullTurn = 360.0;
constexpr float kWholeFrom = 100.0f;

}  // namespace

bool NwpValueAt(const CNwpOverlay& overlay, double lon, double lat, float& value) {
    const NwpGridExtent& e = overlay.Extent();
    const int nx = overlay.Nx();
    const int ny = overlay.Ny();
    const std::vector<float>& grid = overlay.Grid();
    if (nx < 2 || ny < 2 || grid.size() < static_cast<std::size_t>(nx) * ny ||
        e.columnSpacing <= 0.0 || e.rowSpacing <= 0.0) {
        return false;
    }
    // Longitudes run eastwards from the first column, across 180° if need be.
    double east = lon - e.firstLon;
    east -= kFullTurn * std::floor(east / kFullTurn);
    const double col = east / e.columnSpacing;
    const double row = (e.northLat - lat) / e.rowSpacing;  // row 0 is the northernmost
    if (col < 0.0 || row < 0.0 || col > nx - 1 || row > ny - 1) {
        return false;
    }
    const int c0 = std::min(static_cast<int>(col), nx - 2);
    const int r0 = std::min(static_cast<int>(row), ny - 2);
    const double fc = col - c0;
    const double fr = row - r0;
    const auto at = [&](int r, int c) { return grid[static_cast<std::size_t>(r) * nx + c]; };
    const float v00 = at(r0, c0);
    const float v01 = at(r0, c0 + 1);
    const float v10 = at(r0 + 1, c0);
    const float v11 = at(r0 + 1, c0 + 1);
    for (const float v : {v00, v01, v10, v11}) {
        if (v <= kNwpMissing) {
            return false;
        }
    }
    value = static_cast<float>((v00 * (1 - fc) + v01 * fc) * (1 - fr) +
                               (v10 * (1 - fc) + v11 * fc) * fr);
    return true;
}

std::string NwpReadoutText(const CNwpOverlay& overlay, float value) {
    char number[32];
    std::snprintf(number, sizeof number, std::fabs(value) >= kWholeFrom ? "%.0f" : "%.1f",
                  static_cast<double>(value));
    const std::string name = overlay.FieldNameText();
    return name.empty() ? std::string(number) : name + " " + number;
}
