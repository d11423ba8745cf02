// Lambert conformal conic and polar stereographic, and the polar-coordinate
// transforms they share with Albers: a point lies at distance rho(lat) from
// the pole, at an angle n * (lon - refLon) from the central meridian.

#include <cmath>

#include "geo/GeoConstants.h"
#include "geo/Projection.h"
#include "geo/ProjectionFamilies.h"

namespace {

constexpr double kPoleLat = 90.0;
constexpr double kHalfTurnDeg = 180.0;
constexpr double kQuarterTurnDeg = 90.0;

// Colatitude in radians with the cone constant's own finer constants.
double ConeColatitude(double stdLat) {
    return kConeHalfPi - std::fabs(stdLat) * kConeDegToRad;
}

}  // namespace

// Signed parallels describe a southern cone by their magnitudes, so n is
// never negative; the hemisphere comes from the sign of centerLat. Equal
// parallels make the secant formula 0/0 and take the tangent cone sin(phi).
double LambertConeConstant(double stdLat1, double stdLat2) {
    if (std::fabs(stdLat1) == std::fabs(stdLat2)) {
        return std::sin(std::fabs(stdLat1) * kConeDegToRad);
    }
    const double a1 = ConeColatitude(stdLat1);
    const double a2 = ConeColatitude(stdLat2);
    return std::log(std::sin(a1) / std::sin(a2)) /
           std::log(std::tan(a1 / 2.0) / std::tan(a2 / 2.0));
}

double PolarRadius(const ProjectionParams& params, double lat) {
    switch (params.type) {
        case Lambert:
            return std::pow(std::tan((kPoleLat - std::fabs(lat)) * kHalfDegToRad),
                            params.coneConstant);
        case PolarStereographic:
            return std::tan((kPoleLat - std::fabs(lat)) * kHalfDegToRad);
        case Albers:
            return AlbersRadius(lat);
        default:
            return 0.0;
    }
}

// One pixel spans resolutionDeg of latitude along the central meridian at
// the centre; Albers radii are in units of 10 km.
void ConicSetUp(ProjectionParams& p, double cx, double cy) {
    constexpr double kAlbersRadiusUnitKm = 10.0;
    const double lat0 = std::fabs(p.centerLat);
    if (p.type == Albers) {
        p.scale = kAlbersRadiusUnitKm / p.resolution;
    } else {
        const double half = p.resolutionDeg / 2.0;
        p.scale = 1.0 / (PolarRadius(p, lat0 - half) - PolarRadius(p, lat0 + half));
    }
    const double rho0 = PolarRadius(p, lat0);
    const double theta0 = (p.centerLon - p.refLon) * p.angleFactor;
    p.originX = cx - p.scale * rho0 * std::sin(theta0);
    p.originY = cy - p.scale * rho0 * std::cos(theta0);
}

void ConicForward(const ProjectionParams& p, double lon, double lat, double& x, double& y) {
    const double r = PolarRadius(p, lat) * p.scale;
    const double theta = (lon - p.refLon) * p.angleFactor;
    x = p.originX + r * std::sin(theta);
    y = p.originY + r * std::cos(theta);
}

namespace {

// Polar angle theta (degrees, 0 straight below the pole) and distance d from
// the pole in radius units of the pixel offset (dx, dy); false at the pole.
bool PolarCoordinates(double dx, double dy, double scale, double& theta, double& d) {
    if (dx == 0.0 && dy == 0.0) {
        theta = 0.0;
        return false;
    }
    if (dx == 0.0) {
        theta = dy > 0.0 ? 0.0 : kHalfTurnDeg;
        d = std::fabs(dy) / scale;
        return true;
    }
    if (dy == 0.0) {
        theta = dx > 0.0 ? kQuarterTurnDeg : -kQuarterTurnDeg;
        d = std::fabs(dx) / scale;
        return true;
    }
    const double a = std::atan(std::fabs(dx / dy)) / kDegToRad;
    if (dx > 0.0) {
        theta = dy > 0.0 ? a : kHalfTurnDeg - a;
    } else {
        theta = dy > 0.0 ? -a : a - kHalfTurnDeg;
    }
    const double s = std::sin(theta * kDegToRad);
    const double c = std::cos(theta * kDegToRad);
    d = std::fabs(s) >= std::fabs(c) ? std::fabs(dx / s) / scale : std::fabs(dy / c) / scale;
    return true;
}

}  // namespace

void ConicInverse(const ProjectionParams& p, double x, double y, double& lon, double& lat) {
    double theta = 0.0;
    double d = 0.0;
    if (!PolarCoordinates(x - p.originX, y - p.originY, p.scale, theta, d)) {
        lat = kPoleLat;
    } else if (p.type == Albers) {
        lat = AlbersLatitude(d);
    } else {
        lat = kPoleLat - std::atan(std::pow(d, 1.0 / p.coneConstant)) / kHalfDegToRad;
    }
    const double dLambda = theta / p.coneConstant;
    if (p.centerLat < 0.0) {
        lat = -lat;
        lon = p.refLon - dLambda;
    } else {
        lon = p.refLon + dLambda;
    }
}
