#include "product/PixelReadout.h"

#include <cmath>
#include <cstdio>

#include "geo/Projection.h"
#include "product/CGeoImage.h"
#include "product/GridElements.h"

namespace {

constexpr const char* kSeparator = "  ";
constexpr double kKelvinAtZeroCelsius = 273.15;
constexpr int kVisibleChannel = 5;

std::string Format(const char* format, double a, double b = 0.0) {
    char text[64];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

// Longitudes are shown within ±180 with their hemisphere letter.
std::string LongitudeText(double lon) {
    lon = std::remainder(lon, 360.0);
    if (lon <= -180.0) {
        lon += 360.0;
    }
    return Format(lon < 0.0 ? "经度 %.2f°W" : "经度 %.2f°E", std::fabs(lon));
}

std::string LatitudeText(double lat) {
    return Format(lat < 0.0 ? "纬度 %.2f°S" : "纬度 %.2f°N", std::fabs(lat));
}

// A grid product's value with its element and unit; temperatures in
// Celsius too, as for the infrared channels.
std::string GridValueText(int elementCode, float value) {
    const GridElement element = GridElementOf(elementCode);
    if (element.temperature) {
        return element.name + Format(" %.1f K (%.1f °C)", value, value - kKelvinAtZeroCelsius);
    }
    const std::string unit = element.unit.empty() ? std::string() : " " + element.unit;
    return element.name + Format(" %.1f", value) + unit;
}

std::string CalibratedText(int channel, float value) {
    if (channel == kVisibleChannel) {
        return Format("反照率 %.1f%%", value);
    }
    if (channel >= 1 && channel < kVisibleChannel) {
        return Format("亮温 %.1f K (%.1f °C)", value, value - kKelvinAtZeroCelsius);
    }
    return Format("定标值 %.2f", value);
}

}  // namespace

std::string PixelReadoutText(const CGeoImage& product, int x, int y, std::optional<int> count) {
    std::string text = "像素 (" + std::to_string(x) + ", " + std::to_string(y) + ")";
    if (product.productLoaded == 0) {
        if (count) {
            text += kSeparator + ("计数 " + std::to_string(*count));
        }
        return text;
    }
    const ProductDescription& d = product.Description();
    const bool inside = x >= 0 && y >= 0 && x < d.width && y < d.height;
    float lon = 0.0f;
    float lat = 0.0f;
    if (inside && CGeoImage::PixelToLatLon(product.Params(), x, y, lon, lat) == 0) {
        text += kSeparator + LongitudeText(lon) + kSeparator + LatitudeText(lat);
    }
    if (count) {
        text += kSeparator + ("计数 " + std::to_string(*count));
    }
    float value = 0.0f;
    if (inside && product.CalibratedValueAt(x, y, value)) {
        text += kSeparator + (d.IsGrid() ? GridValueText(d.grid.element, value)
                                         : CalibratedText(d.channel, value));
    }
    return text;
}
