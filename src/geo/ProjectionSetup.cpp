// Projection set-up: validates the header values, then has the family's
// set-up precompute every number its per-point transforms need, so they only
// multiply and add.

#include <cmath>

#include "geo/GeoConstants.h"
#include "geo/Projection.h"
#include "geo/ProjectionTable.h"

namespace {

struct Range {
    double low;
    double high;
    bool Contains(double v) const { return v >= low && v <= high; }
};

constexpr Range kCenterLonRange{-180.0, 360.0};
constexpr Range kCenterLatRange{-85.0, 85.0};
constexpr Range kDegreeResolutionRange{0.008, 1.0};
constexpr Range kKmResolutionRange{1.0, 100.0};
// Real products reach 2228 × 1100 (FY-2G Mercator) and beyond (FY-4 class).
constexpr Range kSizeRange{10.0, 8192.0};
constexpr double kStdLatLimit = 90.0;

bool InsideOpen(double v, double limit) {
    return v > -limit && v < limit;
}

// The checks in the order the header values are judged, after the code has
// been found in the table; the first failure rejects the product.
bool ValuesInRange(const ProjectionFamily& family, double centerLon, double centerLat,
                   double resolution, int width, int height, double stdLat1, double stdLat2) {
    if (!kCenterLonRange.Contains(centerLon) || !kCenterLatRange.Contains(centerLat)) {
        return false;
    }
    const Range& resolutionRange =
        family.degreeResolution ? kDegreeResolutionRange : kKmResolutionRange;
    return resolutionRange.Contains(resolution) && kSizeRange.Contains(width) &&
           kSizeRange.Contains(height) && InsideOpen(stdLat1, kStdLatLimit) &&
           InsideOpen(stdLat2, kStdLatLimit);
}

// Widths are kept to whole multiples of 4 pixels, rounded to the nearest.
int RoundedWidth(int width) {
    return 4 * static_cast<int>(std::floor(width / 4.0 + 0.5));
}

}  // namespace

double ResolutionInDegrees(int type, double resolution) {
    const ProjectionFamily* family = FindProjectionFamily(type);
    return family != nullptr && family->degreeResolution ? resolution
                                                         : resolution / kEarthRadiusKm * kRadToDeg;
}

int SetUpProjection(int type, double centerLon, double centerLat, double resolution, int width,
                    int height, double stdLat1, double stdLat2, ProjectionParams& out) {
    const ProjectionFamily* family = FindProjectionFamily(type);
    if (family == nullptr || !ValuesInRange(*family, centerLon, centerLat, resolution, width,
                                            height, stdLat1, stdLat2)) {
        return -1;
    }
    ProjectionParams p;
    p.type = type;
    p.centerLon = centerLon;
    p.centerLat = centerLat;
    p.stdLat1 = stdLat1;
    p.stdLat2 = stdLat2;
    p.resolution = resolution;
    p.refLon = centerLon;
    p.resolutionDeg = ResolutionInDegrees(type, resolution);
    p.width = RoundedWidth(width);
    p.height = height;
    const double cx = (p.width - 1) * 0.5;
    const double cy = (p.height - 1) * 0.5;

    p.coneConstant = family->coneConstant != nullptr ? family->coneConstant(stdLat1, stdLat2) : 0.0;
    p.angleFactor = centerLat >= 0.0 ? p.coneConstant * kDegToRad : -p.coneConstant * kDegToRad;

    if (family->setUp != nullptr && !family->setUp(p, cx, cy)) {
        return -1;
    }
    out = p;
    return 0;
}
