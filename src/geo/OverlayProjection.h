#pragma once
// The forward transform as the overlay drawers use it. The transform leaves
// its outputs unset when it fails outside its range; the drawers must never
// draw from such values, so a point counts as projected only when both
// outputs were written, are finite and fit the canvas's integer coordinates.

#include <cmath>
#include <limits>

#include "geo/Projection.h"
#include "geo/ProjectionParams.h"

// Far beyond any image of at most 2048 pixels, and far inside int.
constexpr double kMaxOverlayCoordinate = 1.0e7;

// Projects (lon, lat) into x, y; false when there is no usable point. The
// result code of the transform is not consulted beyond that: a point of the
// other hemisphere of a conic image is drawn where the formulas put it.
inline bool ProjectForOverlay(const ProjectionParams& params, double lon, double lat, double& x,
                              double& y) {
    x = std::numeric_limits<double>::quiet_NaN();
    y = std::numeric_limits<double>::quiet_NaN();
    LatLonToPixel(params, lon, lat, x, y);
    return std::isfinite(x) && std::isfinite(y) && std::fabs(x) < kMaxOverlayCoordinate &&
           std::fabs(y) < kMaxOverlayCoordinate;
}
