#include "product/PointSeries.h"

#include <algorithm>
#include <cmath>

#include "product/CGeoImage.h"
#include "product/ObservationTime.h"

bool ValueAtLonLat(const CGeoImage& product, double lon, double lat, float& value) {
    const ProjectionParams& params = product.Params();
    double x = 0.0;
    double y = 0.0;
    if (product.productLoaded == 0 || CGeoImage::LatLonToPixel(params, lon, lat, x, y) != 0 ||
        !std::isfinite(x) || !std::isfinite(y)) {
        return false;
    }
    // Pixel centres lie on whole coordinates, so the nearest is the rounded one.
    const double px = std::round(x);
    const double py = std::round(y);
    if (px < 0.0 || py < 0.0 || px >= params.width || py >= params.height) {
        return false;
    }
    float v = 0.0f;
    if (!product.CalibratedValueAt(static_cast<int>(px), static_cast<int>(py), v) ||
        !std::isfinite(v)) {
        return false;
    }
    value = v;
    return true;
}

std::vector<SeriesPoint> PointSeries(const std::vector<const CGeoImage*>& products, double lon,
                                     double lat) {
    std::vector<SeriesPoint> series;
    series.reserve(products.size());
    for (const CGeoImage* product : products) {
        SeriesPoint point;
        point.minutes = ObservationMinutes(product->Description());
        point.present = ValueAtLonLat(*product, lon, lat, point.value);
        series.push_back(point);
    }
    std::stable_sort(series.begin(), series.end(), [](const SeriesPoint& a, const SeriesPoint& b) {
        return a.minutes < b.minutes;
    });
    return series;
}
