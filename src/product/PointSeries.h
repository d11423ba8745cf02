#pragma once
// A point's history through several products: the calibrated value at one
// longitude and latitude in each, from the nearest pixel of each product's
// own geolocation, in observation-time order.

#include <cstdint>
#include <vector>

class CGeoImage;

struct SeriesPoint {
    std::int64_t minutes = 0;  // observation time (product/ObservationTime.h)
    bool present = false;      // false: the point is off the product or has no value
    float value = 0.0f;
};

// The value of the pixel nearest to (lon, lat) in product; false where the
// product has no geolocation, the point falls outside it, or the product
// holds no (finite) value there.
bool ValueAtLonLat(const CGeoImage& product, double lon, double lat, float& value);

// One point per product, ordered by observation time (products of one time
// keep their order).
std::vector<SeriesPoint> PointSeries(const std::vector<const CGeoImage*>& products, double lon,
                                     double lat);
