// Mercator on the sphere: x is linear in longitude, y the isometric latitude
// M(phi) = ln((1 + sin u) / cos u), both in pixels per radian.
//
// Parameter record: scale (pixels per radian), originX the central column
// and originY the row of the equator.

#include <cmath>

#include "geo/GeoConstants.h"
#include "geo/ProjectionFamilies.h"

namespace {

// Computed on |phi| and given the sign of phi afterwards.
double IsometricLatitude(double lat) {
    const double u = std::fabs(lat * kDegToRad);
    const double m = std::log((1.0 + std::sin(u)) / std::cos(u));
    return lat < 0.0 ? -m : m;
}

}  // namespace

void MercatorForward(const ProjectionParams& p, double lon, double lat, double& x, double& y) {
    x = (lon - p.centerLon) * kDegToRad * p.scale + p.originX;
    y = p.originY - p.scale * IsometricLatitude(lat);
}

void MercatorInverse(const ProjectionParams& p, double x, double y, double& lon, double& lat) {
    lon = (x - p.originX) / (p.scale * kDegToRad) + p.centerLon;
    const double f = (p.originY - y) / p.scale;
    const double t = std::exp(2.0 * std::fabs(f));
    const double phi = std::asin((t - 1.0) / (t + 1.0)) / kDegToRad;
    lat = f < 0.0 ? -phi : phi;
}

bool MercatorSetUp(ProjectionParams& p, double cx, double cy) {
    p.scale = 1.0 / (p.resolutionDeg * kDegToRad);
    p.originX = cx;
    p.originY = cy + p.scale * IsometricLatitude(p.centerLat);
    return true;
}
