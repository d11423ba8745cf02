#include "convection/CellAt.h"

#include <algorithm>
#include <cstdio>

#include "convection/AreaStatistics.h"

const ColdCell* CellAt(const std::vector<ColdCell>& cells, int x, int y) {
    for (const ColdCell& cell : cells) {
        auto run = std::lower_bound(cell.runs.begin(), cell.runs.end(), y,
                                    [](const CellRun& r, int row) { return r.y < row; });
        for (; run != cell.runs.end() && run->y == y; ++run) {
            if (x >= run->x0 && x < run->x1) {
                return &cell;
            }
        }
    }
    return nullptr;
}

std::string CellReadoutText(const ColdCell& cell) {
    char text[96];
    std::snprintf(text, sizeof text, "云团 %.0f km² 最低 %.1f °C", cell.areaKm2,
                  static_cast<double>(cell.minK) - kKelvinAtZeroCelsius);
    return text;
}
