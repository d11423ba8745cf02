#include "convection/GreatCircle.h"

#include <algorithm>
#include <cmath>

#include "convection/PixelAreas.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRadPerDeg = kPi / 180.0;

}  // namespace

double GreatCircleKm(double lon1, double lat1, double lon2, double lat2) {
    const double phi1 = lat1 * kRadPerDeg;
    const double phi2 = lat2 * kRadPerDeg;
    const double dPhi = phi2 - phi1;
    const double dLam = (lon2 - lon1) * kRadPerDeg;
    const double h = std::sin(dPhi / 2) * std::sin(dPhi / 2) +
                     std::cos(phi1) * std::cos(phi2) * std::sin(dLam / 2) * std::sin(dLam / 2);
    return 2.0 * kSphereRadiusKm * std::asin(std::sqrt(std::min(1.0, h)));
}

double InitialBearingDeg(double lon1, double lat1, double lon2, double lat2) {
    const double phi1 = lat1 * kRadPerDeg;
    const double phi2 = lat2 * kRadPerDeg;
    const double dLam = (lon2 - lon1) * kRadPerDeg;
    const double east = std::sin(dLam) * std::cos(phi2);
    const double north =
        std::cos(phi1) * std::sin(phi2) - std::sin(phi1) * std::cos(phi2) * std::cos(dLam);
    const double theta = std::atan2(east, north) / kRadPerDeg;
    return std::fmod(theta + 360.0, 360.0);
}
