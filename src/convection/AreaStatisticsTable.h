#pragma once
// The area tool's table: one row per product (the open one, or each frame
// of the loop) with the statistics of the box, temperatures in °C.

#include <array>
#include <string>
#include <vector>

#include "convection/AreaStatistics.h"

// The column titles; the cold areas only for temperatures.
std::vector<std::string> AreaStatisticsHeader(bool temperatures,
                                              const std::array<double, 2>& coldC);
// The row of one product: its label (the observation time), pixels, area,
// min/mean/max ("-" without values) and, for temperatures, the cold areas.
std::vector<std::string> AreaStatisticsRow(const std::string& label, const AreaStatistics& s,
                                           bool temperatures);
