#include "convection/AreaStatisticsTable.h"

#include <cstdio>

namespace {

std::string Format(const char* format, double value) {
    char text[48];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Area(bool hasArea, double km2) {
    return hasArea ? Format("%.0f", km2) : "-";
}

}  // namespace

std::vector<std::string> AreaStatisticsHeader(bool temperatures,
                                              const std::array<double, 2>& coldC) {
    const std::string unit = temperatures ? "(°C)" : "";
    std::vector<std::string> header = {"时间",          "像素数",        "面积(km²)",
                                       "最小值" + unit, "平均值" + unit, "最大值" + unit};
    if (temperatures) {
        for (const double c : coldC) {
            header.push_back("低于" + Format("%g", c) + "°C面积(km²)");
        }
    }
    return header;
}

std::vector<std::string> AreaStatisticsRow(const std::string& label, const AreaStatistics& s,
                                           bool temperatures) {
    const double offset = temperatures ? kKelvinAtZeroCelsius : 0.0;
    std::vector<std::string> row = {label, std::to_string(s.pixels), Area(s.hasArea, s.areaKm2)};
    for (const double v :
         {static_cast<double>(s.minValue), s.meanValue, static_cast<double>(s.maxValue)}) {
        row.push_back(s.pixels > 0 ? Format("%.1f", v - offset) : "-");
    }
    if (temperatures) {
        for (const double km2 : s.coldAreaKm2) {
            row.push_back(Area(s.hasArea, km2));
        }
    }
    return row;
}
