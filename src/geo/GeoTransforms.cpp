// The two transforms between longitude/latitude and image pixels: the rules
// common to every projection here, the arithmetic in each family's file.

#include "geo/Projection.h"
#include "geo/ProjectionFamilies.h"

namespace {

constexpr double kHalfTurn = 180.0;
constexpr double kFullTurn = 360.0;
constexpr double kMaxLat = 85.0;

bool IsConic(int type) {
    return type == Lambert || type == PolarStereographic || type == Albers;
}

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
    switch (params.type) {
        case EqualLatLon:
            EqualLatLonForward(params, lon, lat, x, y);
            return 0;
        case Mercator:
            MercatorForward(params, lon, lat, x, y);
            return 0;
        case Lambert:
        case PolarStereographic:
        case Albers:
            ConicForward(params, lon, lat, x, y);
            // Callers may still draw a point of the other hemisphere.
            return params.centerLat * lat < 0.0 ? -1 : 0;
        default:
            return -1;  // Disk images carry no geolocation
    }
}

int PixelToLatLon(const ProjectionParams& params, double x, double y, float& lon, float& lat) {
    // The last column and the last row are outside.
    if (!(x >= 0.0 && x < params.width - 1 && y >= 0.0 && y < params.height - 1)) {
        return -1;
    }
    double lonDeg = 0.0;
    double latDeg = 0.0;
    if (params.type == EqualLatLon) {
        EqualLatLonInverse(params, x, y, lonDeg, latDeg);
    } else if (params.type == Mercator) {
        MercatorInverse(params, x, y, lonDeg, latDeg);
    } else if (IsConic(params.type)) {
        ConicInverse(params, x, y, lonDeg, latDeg);
    } else {
        return -1;  // Disk images carry no geolocation
    }
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
