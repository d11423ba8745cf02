// The extent is read at the corners and the top centre: for northern conic
// and polar images the meridians converge towards the top, so these are the
// extreme points.

#include "geo/GeoExtent.h"

#include "geo/Projection.h"

namespace {

constexpr double kHalfTurn = 180.0;
constexpr double kFullTurn = 360.0;
// Just inside the last column and row, which the inverse rejects.
constexpr double kLastInside = 1.1;

// The same single shift as the forward transform, so the box may run past 180.
double NearReference(double lon, double refLon) {
    if (lon < refLon - kHalfTurn) {
        return lon + kFullTurn;
    }
    if (lon > refLon + kHalfTurn) {
        return lon - kFullTurn;
    }
    return lon;
}

}  // namespace

void ComputeGeoExtent(ProjectionParams& params) {
    float westLon = 0.0f;
    float eastLon = 0.0f;
    float northLat = 0.0f;
    float southLat = 0.0f;
    float ignored = 0.0f;
    const double right = params.width - kLastInside;
    const double bottom = params.height - kLastInside;
    const bool located = PixelToLatLon(params, 0.0, 0.0, westLon, ignored) == 0 &&
                         PixelToLatLon(params, right, 0.0, eastLon, ignored) == 0 &&
                         PixelToLatLon(params, params.width * 0.5, 0.0, ignored, northLat) == 0 &&
                         PixelToLatLon(params, 0.0, bottom, ignored, southLat) == 0;
    if (!located) {
        params.southLat = params.northLat = params.westLon = params.eastLon = 0.0;
        return;
    }
    params.westLon = NearReference(westLon, params.refLon);
    params.eastLon = NearReference(eastLon, params.refLon);
    params.northLat = northLat;
    params.southLat = southLat;
}
