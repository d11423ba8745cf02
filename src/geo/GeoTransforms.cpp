// The two transforms between longitude/latitude and image pixels: the rules
// common to every projection here, the arithmetic in each family's file,
// reached through the projection table.

#include "geo/Projection.h"
#include "geo/ProjectionTable.h"

namespace {

constexpr double kHalfTurn = 180.0;
constexpr double kFullTurn = 360.0;
constexpr double kMaxLat = 85.0;

}  // namespace

int LatLonToPixel(const ProjectionParams& params, double lon, double lat, double& x, double& y) {
    // One shift only: the range check below rejects what it cannot bring near.
    if (lon < params.refLon - kHalfTurn) {
        lon += kFullTurn;
    } else if (lon > params.refLon + kHalfTurn) {
        lon -= kFullTurn;
    }
    if (!(lon <= kFullTurn && lon >= -kHalfTurn && lat <= kMaxLat && lat >= -kMaxLat)) {
        return -1;
    }
    const ProjectionFamily* family = FindProjectionFamily(params.type);
    if (family == nullptr || family->forward == nullptr) {
        return -1;  // Disk images carry no geolocation
    }
    family->forward(params, lon, lat, x, y);
    if (family->IsConic()) {
        // Callers may still draw a point of the other hemisphere.
        return params.centerLat * lat < 0.0 ? -1 : 0;
    }
    return 0;
}

int PixelToLatLon(const ProjectionParams& params, double x, double y, float& lon, float& lat) {
    // The last column and the last row are outside.
    if (!(x >= 0.0 && x < params.width - 1 && y >= 0.0 && y < params.height - 1)) {
        return -1;
    }
    const ProjectionFamily* family = FindProjectionFamily(params.type);
    if (family == nullptr || family->inverse == nullptr) {
        return -1;  // Disk images carry no geolocation
    }
    double lonDeg = 0.0;
    double latDeg = 0.0;
    family->inverse(params, x, y, lonDeg, latDeg);
    if (lonDeg > kHalfTurn) {
        lonDeg -= kFullTurn;
    }
    if (lonDeg < -kHalfTurn) {
        lonDeg += kFullTurn;
    }
    lon = static_cast<float>(lonDeg);
    lat = static_cast<float>(latDeg);
    return 0;
}

double PolarRadius(const ProjectionParams& params, double lat) {
    const ProjectionFamily* family = FindProjectionFamily(params.type);
    if (family == nullptr || family->polarRadius == nullptr) {
        return 0.0;
    }
    return family->polarRadius(params, lat);
}

bool IsConicProjection(int type) {
    const ProjectionFamily* family = FindProjectionFamily(type);
    return family != nullptr && family->IsConic();
}

bool SeparableProjection(int type) {
    return type == EqualLatLon || type == Mercator;
}
