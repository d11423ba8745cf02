// Lambert conformal conic and polar stereographic on the sphere: the radius
// is rho(lat) = tan((90 - |lat|) / 2)^n, with n = 1 for polar stereographic.
// The polar coordinates about the pole are shared with Albers
// (geo/PolarCoordinates.h).
//
// Parameter record: coneConstant n, angleFactor, scale (pixels per unit of
// rho, so that one pixel spans resolutionDeg of latitude along the central
// meridian at the centre) and the pole at (originX, originY).

#include <cmath>

#include "geo/GeoConstants.h"
#include "geo/PolarCoordinates.h"
#include "geo/ProjectionFamilies.h"

namespace {

constexpr double kPoleLat = 90.0;

// Colatitude in radians with the cone constant's own finer constants.
double ConeColatitude(double stdLat) {
    return kConeHalfPi - std::fabs(stdLat) * kConeDegToRad;
}

// tan of half the colatitude: the stereographic radius, raised to n for Lambert.
double HalfColatitudeTan(double lat) {
    return std::tan((kPoleLat - std::fabs(lat)) * kHalfDegToRad);
}

// The latitude whose half-colatitude tangent is t.
double LatitudeOfHalfColatitudeTan(double t) {
    return kPoleLat - std::atan(t) / kHalfDegToRad;
}

// The scale at which one pixel spans resolutionDeg of latitude about the
// centre, and the pole placed from the centre's radius.
bool SetUpAboutTheCentre(ProjectionParams& p, double cx, double cy,
                         double (*rho)(const ProjectionParams&, double)) {
    const double lat0 = std::fabs(p.centerLat);
    const double half = p.resolutionDeg / 2.0;
    p.scale = 1.0 / (rho(p, lat0 - half) - rho(p, lat0 + half));
    return PlacePole(p, rho(p, lat0), cx, cy);
}

}  // namespace

// --- Lambert conformal conic

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

double LambertRadius(const ProjectionParams& p, double lat) {
    return std::pow(HalfColatitudeTan(lat), p.coneConstant);
}

void LambertForward(const ProjectionParams& p, double lon, double lat, double& x, double& y) {
    PolarToPixel(p, LambertRadius(p, lat), lon, x, y);
}

void LambertInverse(const ProjectionParams& p, double x, double y, double& lon, double& lat) {
    double theta = 0.0;
    double d = 0.0;
    const double phi = PixelToPolar(p, x, y, theta, d)
                           ? LatitudeOfHalfColatitudeTan(std::pow(d, 1.0 / p.coneConstant))
                           : kPoleLat;
    PolarToLatLon(p, theta, phi, lon, lat);
}

// Both parallels on the equator make a cylinder, not a cone: no usable scale.
bool LambertSetUp(ProjectionParams& p, double cx, double cy) {
    if (!(p.coneConstant > 0.0)) {
        return false;
    }
    return SetUpAboutTheCentre(p, cx, cy, LambertRadius);
}

// --- Polar stereographic

double StereographicConeConstant(double /*stdLat1*/, double /*stdLat2*/) {
    return 1.0;
}

double StereographicRadius(const ProjectionParams& /*p*/, double lat) {
    return HalfColatitudeTan(lat);
}

void StereographicForward(const ProjectionParams& p, double lon, double lat, double& x, double& y) {
    PolarToPixel(p, StereographicRadius(p, lat), lon, x, y);
}

void StereographicInverse(const ProjectionParams& p, double x, double y, double& lon, double& lat) {
    double theta = 0.0;
    double d = 0.0;
    const double phi = PixelToPolar(p, x, y, theta, d) ? LatitudeOfHalfColatitudeTan(d) : kPoleLat;
    PolarToLatLon(p, theta, phi, lon, lat);
}

bool StereographicSetUp(ProjectionParams& p, double cx, double cy) {
    return SetUpAboutTheCentre(p, cx, cy, StereographicRadius);
}
