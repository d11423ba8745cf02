#include "convection/PixelBox.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "geo/Projection.h"

namespace {

// Points taken along each side of a longitude/latitude box: its sides are
// curves on most projections, and the pixels must enclose the whole curve.
constexpr int kSideSamples = 128;

struct Bounds {
    double xMin = std::numeric_limits<double>::max();
    double yMin = std::numeric_limits<double>::max();
    double xMax = std::numeric_limits<double>::lowest();
    double yMax = std::numeric_limits<double>::lowest();
    bool any = false;

    void Add(const ProjectionParams& params, double lon, double lat) {
        double x = 0.0;
        double y = 0.0;
        if (LatLonToPixel(params, lon, lat, x, y) != 0 || !std::isfinite(x) || !std::isfinite(y)) {
            return;
        }
        xMin = std::min(xMin, x);
        yMin = std::min(yMin, y);
        xMax = std::max(xMax, x);
        yMax = std::max(yMax, y);
        any = true;
    }
};

// A coordinate brought into the int range before rounding, far outside any image.
int ToPixel(double v) {
    constexpr double kFar = 1e9;
    return static_cast<int>(std::lround(std::clamp(v, -kFar, kFar)));
}

}  // namespace

bool ClipPixelBox(PixelBox& box, int width, int height) {
    if (box.x0 > box.x1) {
        std::swap(box.x0, box.x1);
    }
    if (box.y0 > box.y1) {
        std::swap(box.y0, box.y1);
    }
    if (box.x1 < 0 || box.y1 < 0 || box.x0 >= width || box.y0 >= height) {
        return false;
    }
    box.x0 = std::max(box.x0, 0);
    box.y0 = std::max(box.y0, 0);
    box.x1 = std::min(box.x1, width - 1);
    box.y1 = std::min(box.y1, height - 1);
    return true;
}

std::string LonLatBoxToPixels(const ProjectionParams& params, double west, double east,
                              double south, double north, PixelBox& box) {
    if (params.type == Disk) {
        return "全圆盘图像没有地理定位，不能按经纬度选区";
    }
    if (!(south < north) || south < -90.0 || north > 90.0 || west == east) {
        return "经纬度范围不成区域";
    }
    if (east < west) {
        east += 360.0;
    }
    Bounds bounds;
    for (int i = 0; i <= kSideSamples; ++i) {
        const double f = static_cast<double>(i) / kSideSamples;
        const double lon = west + f * (east - west);
        const double lat = south + f * (north - south);
        bounds.Add(params, lon, south);
        bounds.Add(params, lon, north);
        bounds.Add(params, west, lat);
        bounds.Add(params, east, lat);
    }
    PixelBox found{ToPixel(bounds.xMin), ToPixel(bounds.yMin), ToPixel(bounds.xMax),
                   ToPixel(bounds.yMax)};
    if (!bounds.any || !ClipPixelBox(found, params.width, params.height)) {
        return "所选区域完全在图像之外";
    }
    box = found;
    return "";
}
