#include "export/gdal/ProductBand.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <limits>

#include "product/CGeoImage.h"
#include "product/GridElements.h"
#include "product/ObservationTime.h"

namespace {

constexpr int kVisibleChannel = 5;
// The table's entries are 16-bit numbers of hundredths.
constexpr double kPackedUnit = 0.01;
constexpr std::array<const char*, 6> kChannelCodes = {"", "IR1", "IR2", "WV", "IR3", "VIS"};

// A count is no value where its temperature is not above absolute zero; an
// albedo is a value wherever the table gives a finite one.
std::array<bool, 256> NoValueCounts(const std::array<float, 256>& table, bool temperature) {
    std::array<bool, 256> none{};
    for (int v = 0; v < 256; ++v) {
        none[v] = temperature ? !(table[v] > 0.0f) : !std::isfinite(table[v]);
    }
    return none;
}

}  // namespace

ProductBand BandOf(const ProductDescription& d) {
    if (d.IsGrid()) {
        const GridElement element = GridElementOf(d.grid.element);
        return {element.name, element.unit, element.temperature ? "brightness_temperature" : "",
                "value"};
    }
    if (d.channel == kVisibleChannel) {
        return {"albedo", "%", "", "albedo"};
    }
    return {"brightness temperature", "K", "toa_brightness_temperature", "brightness_temperature"};
}

bool HasCalibration(const CGeoImage& product) {
    if (product.Description().IsGrid()) {
        return true;
    }
    for (float v : product.CalibrationTable()) {
        if (v != 0.0f) {
            return true;
        }
    }
    return false;
}

bool CalibratedValues(const CGeoImage& product, std::vector<float>& out) {
    const CalibratedGrid grid = product.Calibrated();
    if (grid.Empty()) {
        return false;
    }
    out.resize(static_cast<std::size_t>(grid.width) * grid.height);
    for (int y = 0; y < grid.height; ++y) {
        grid.Row(y, out.data() + static_cast<std::size_t>(grid.width) * y);
    }
    if (grid.values != nullptr) {
        return true;  // a grid's exact values: every one is a value
    }
    const std::array<bool, 256> none =
        NoValueCounts(product.CalibrationTable(), ValuesAreTemperatures(product.Description()));
    constexpr float kNoValue = std::numeric_limits<float>::quiet_NaN();
    for (int y = 0; y < grid.height; ++y) {
        const std::uint8_t* counts = grid.CountsRow(y);
        float* row = out.data() + static_cast<std::size_t>(grid.width) * y;
        for (int x = 0; x < grid.width; ++x) {
            if (none[counts[x]]) {
                row[x] = kNoValue;
            }
        }
    }
    return true;
}

bool PackedValues(const CGeoImage& product, std::uint16_t noValue,
                  std::vector<std::uint16_t>& out) {
    const CalibratedGrid grid = product.Calibrated();
    if (grid.Empty() || grid.values != nullptr) {
        return false;
    }
    const std::array<float, 256>& table = product.CalibrationTable();
    const std::array<bool, 256> none =
        NoValueCounts(table, ValuesAreTemperatures(product.Description()));
    std::array<std::uint16_t, 256> packed{};
    for (int v = 0; v < 256; ++v) {
        packed[v] =
            none[v] ? noValue : static_cast<std::uint16_t>(std::lround(table[v] / kPackedUnit));
    }
    out.resize(static_cast<std::size_t>(grid.width) * grid.height);
    for (int y = 0; y < grid.height; ++y) {
        const std::uint8_t* counts = grid.CountsRow(y);
        std::uint16_t* row = out.data() + static_cast<std::size_t>(grid.width) * y;
        for (int x = 0; x < grid.width; ++x) {
            row[x] = packed[counts[x]];
        }
    }
    return true;
}

std::string ChannelCode(const ProductDescription& d) {
    if (d.IsGrid()) {
        return "GRID";
    }
    return d.channel < kChannelCodes.size() ? kChannelCodes[d.channel] : "";
}

std::string ObservationIso(const ProductDescription& d) {
    if (ObservationMinutes(d) == kUnknownObservation) {
        return std::string();
    }
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:00Z", d.year, d.month, d.day, d.hour,
                  d.minute);
    return text;
}

std::string SatelliteName(const ProductDescription& d) {
    std::string name = d.satelliteName.c_str();
    while (!name.empty() && (name.back() == ' ' || name.back() == '\0')) {
        name.pop_back();
    }
    return name;
}
