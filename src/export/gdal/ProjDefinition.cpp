#include "export/gdal/ProjDefinition.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr double kSphereRadiusM = 6378137.0;  // kEarthRadiusKm in metres
constexpr double kAlbersLat1 = 25.0;
constexpr double kAlbersLat2 = 47.0;
constexpr double kPoleLat = 90.0;

// Longitudes up to 360 are kelvra's; PROJ keeps lon_0 within ±180.
double NormalisedLon(double lon) {
    return lon > 180.0 ? lon - 360.0 : lon;
}

// The hemisphere of the image: kelvra's cones use the magnitudes of their
// parallels and take the side from the centre.
double Side(const ProjectionParams& p) {
    return p.centerLat < 0.0 ? -1.0 : 1.0;
}

std::string Format(const char* pattern, double a, double b = 0.0, double c = 0.0, double d = 0.0) {
    char text[256];
    std::snprintf(text, sizeof text, pattern, a, b, c, d);
    return text;
}

}  // namespace

std::string ProjDefinition(const ProjectionParams& p) {
    const double lon0 = NormalisedLon(p.centerLon);
    const double side = Side(p);
    switch (p.type) {
        case EqualLatLon:
            return "+proj=longlat +datum=WGS84 +no_defs";
        case Mercator:
            return Format("+proj=merc +lon_0=%.10g +R=%.1f +units=m +no_defs", lon0,
                          kSphereRadiusM);
        case Lambert:
            return Format(
                "+proj=lcc +lat_1=%.10g +lat_2=%.10g +lat_0=%.10g +lon_0=%.10g +R=6378137 "
                "+units=m +no_defs",
                side * std::fabs(p.stdLat1), side * std::fabs(p.stdLat2), p.centerLat, lon0);
        case PolarStereographic:
            return Format("+proj=stere +lat_0=%.1f +lon_0=%.10g +k=1 +R=%.1f +units=m +no_defs",
                          side * kPoleLat, lon0, kSphereRadiusM);
        case Albers:
            return Format(
                "+proj=aea +lat_1=%.1f +lat_2=%.1f +lat_0=%.10g +lon_0=%.10g +ellps=krass "
                "+units=m +no_defs",
                side * kAlbersLat1, side * kAlbersLat2, p.centerLat, lon0);
        default:
            return std::string();
    }
}
