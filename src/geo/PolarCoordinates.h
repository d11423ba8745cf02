#pragma once
// The polar coordinates the conic families share: a point lies at distance
// rho(lat) from the pole, at an angle n * (lon - refLon) from the central
// meridian, with the pole at (originX, originY) and scale pixels per unit of
// rho. A southern image uses |lat| and turns the other way (angleFactor < 0).
// Inline, so that each family's transforms compile into one function.

#include <cmath>

#include "geo/GeoConstants.h"
#include "geo/ProjectionParams.h"

// The pixel at radius rho (before scaling) and longitude lon.
inline void PolarToPixel(const ProjectionParams& p, double rho, double lon, double& x, double& y) {
    const double r = rho * p.scale;
    const double theta = (lon - p.refLon) * p.angleFactor;
    x = p.originX + r * std::sin(theta);
    y = p.originY + r * std::cos(theta);
}

// The polar angle theta (degrees, 0 straight below the pole) and distance d
// from the pole (radius units, from whichever offset is the larger share) of
// a pixel; false, with theta 0, at the pole itself.
inline bool PixelToPolar(const ProjectionParams& p, double x, double y, double& theta, double& d) {
    constexpr double kHalfTurnDeg = 180.0;
    constexpr double kQuarterTurnDeg = 90.0;
    const double dx = x - p.originX;
    const double dy = y - p.originY;
    if (dx == 0.0 && dy == 0.0) {
        theta = 0.0;
        return false;
    }
    if (dx == 0.0) {
        theta = dy > 0.0 ? 0.0 : kHalfTurnDeg;
        d = std::fabs(dy) / p.scale;
        return true;
    }
    if (dy == 0.0) {
        theta = dx > 0.0 ? kQuarterTurnDeg : -kQuarterTurnDeg;
        d = std::fabs(dx) / p.scale;
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
    d = std::fabs(s) >= std::fabs(c) ? std::fabs(dx / s) / p.scale : std::fabs(dy / c) / p.scale;
    return true;
}

// Longitude from theta; the latitude phi (of the northern cone) given the
// hemisphere of the image.
inline void PolarToLatLon(const ProjectionParams& p, double theta, double phi, double& lon,
                          double& lat) {
    const double dLambda = theta / p.coneConstant;
    if (p.centerLat < 0.0) {
        lat = -phi;
        lon = p.refLon - dLambda;
    } else {
        lat = phi;
        lon = p.refLon + dLambda;
    }
}

// Puts the pole so that radius rho0 on the central meridian lands on pixel
// (cx, cy); false unless the scale is finite and positive. A cone that
// degenerates or a centre whose pixel spans no radius leaves no usable scale.
inline bool PlacePole(ProjectionParams& p, double rho0, double cx, double cy) {
    const double theta0 = (p.centerLon - p.refLon) * p.angleFactor;
    p.originX = cx - p.scale * rho0 * std::sin(theta0);
    p.originY = cy - p.scale * rho0 * std::cos(theta0);
    return std::isfinite(p.scale) && p.scale > 0.0;
}
