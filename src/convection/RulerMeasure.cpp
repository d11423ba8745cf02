#include "convection/RulerMeasure.h"

#include <cmath>
#include <cstdio>

#include "convection/GreatCircle.h"
#include "geo/Projection.h"

namespace {

constexpr double kFullCircleDeg = 360.0;
// A product this close to 360° wide is taken as going round the Earth.
constexpr double kWrapToleranceDeg = 0.5;

}  // namespace

bool WrapsRoundTheEarth(const ProjectionParams& params) {
    return (params.type == EqualLatLon || params.type == Mercator) &&
           std::fabs(params.width * params.resolutionDeg - kFullCircleDeg) < kWrapToleranceDeg;
}

bool RulerPointLonLat(const ProjectionParams& params, double x, double y, double& lon,
                      double& lat) {
    if (params.type == Disk) {
        return false;
    }
    if (WrapsRoundTheEarth(params)) {
        x = std::fmod(x, params.width);
        x += x < 0.0 ? params.width : 0.0;
    }
    float fLon = 0.0f;
    float fLat = 0.0f;
    if (PixelToLatLon(params, x, y, fLon, fLat) != 0) {
        return false;
    }
    lon = fLon;
    lat = fLat;
    return true;
}

RulerMeasure MeasureBetween(const ProjectionParams& params, double x0, double y0, double x1,
                            double y1) {
    RulerMeasure measure;
    double lon0 = 0.0;
    double lat0 = 0.0;
    double lon1 = 0.0;
    double lat1 = 0.0;
    if (!RulerPointLonLat(params, x0, y0, lon0, lat0) ||
        !RulerPointLonLat(params, x1, y1, lon1, lat1)) {
        return measure;
    }
    measure.located = true;
    measure.km = GreatCircleKm(lon0, lat0, lon1, lat1);
    measure.bearingDeg = measure.km > 0.0 ? InitialBearingDeg(lon0, lat0, lon1, lat1) : 0.0;
    return measure;
}

std::string RulerText(const RulerMeasure& measure) {
    if (!measure.located) {
        return "测距：端点不在有地理定位的图像上";
    }
    char text[64];
    std::snprintf(text, sizeof text, "距离 %.1f km  方位 %.1f°", measure.km, measure.bearingDeg);
    return text;
}
