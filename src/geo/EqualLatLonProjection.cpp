// Equal latitude/longitude: columns are evenly spaced in longitude and rows
// in latitude, so both directions are one multiply-add.
//
// Parameter record: scale (rows per degree of latitude), lonScale (columns
// per degree of longitude) and the pixel of 0°E 0°N at (originX, originY).

#include "geo/ProjectionFamilies.h"

namespace {
// Below this a standard latitude is read as the column spacing in degrees.
constexpr double kMaxColumnSpacing = 10.0;
}  // namespace

void EqualLatLonForward(const ProjectionParams& p, double lon, double lat, double& x, double& y) {
    x = p.lonScale * lon + p.originX;
    y = p.originY - p.scale * lat;
}

void EqualLatLonInverse(const ProjectionParams& p, double x, double y, double& lon, double& lat) {
    lon = (x - p.originX) / p.lonScale;
    lat = (p.originY - y) / p.scale;
}

bool EqualLatLonSetUp(ProjectionParams& p, double cx, double cy) {
    p.scale = 1.0 / p.resolution;
    const bool spacingGiven = p.stdLat1 > 0.0 && p.stdLat1 < kMaxColumnSpacing;
    p.lonScale = spacingGiven ? 1.0 / p.stdLat1 : p.scale;
    p.originX = cx - p.lonScale * p.centerLon;
    p.originY = cy + p.scale * p.centerLat;
    return true;
}
