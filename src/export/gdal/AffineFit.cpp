#include "export/gdal/AffineFit.h"

#include <algorithm>
#include <cmath>

namespace {

// Corners of GDAL's pixels are half a pixel before kelvra's integer centres.
constexpr double kCentreToCorner = 0.5;

struct Plane {
    double c = 0.0;  // value at the samples' mean pixel
    double a = 0.0;  // per x
    double b = 0.0;  // per y
};

// Least squares of v = c + a·(x - mx) + b·(y - my); centring decouples c.
bool FitPlane(const std::vector<FitSample>& s, double mx, double my, double FitSample::*v,
              Plane& out) {
    double sxx = 0.0, sxy = 0.0, syy = 0.0, sxv = 0.0, syv = 0.0, sv = 0.0;
    for (const FitSample& p : s) {
        const double dx = p.x - mx;
        const double dy = p.y - my;
        sxx += dx * dx;
        sxy += dx * dy;
        syy += dy * dy;
        sxv += dx * (p.*v);
        syv += dy * (p.*v);
        sv += p.*v;
    }
    const double det = sxx * syy - sxy * sxy;
    if (!(std::fabs(det) > 0.0)) {
        return false;
    }
    out.a = (sxv * syy - syv * sxy) / det;
    out.b = (syv * sxx - sxv * sxy) / det;
    out.c = sv / static_cast<double>(s.size());
    return std::isfinite(out.a) && std::isfinite(out.b) && std::isfinite(out.c);
}

}  // namespace

bool FitGeoTransform(const std::vector<FitSample>& samples, GeoTransform& t) {
    if (samples.size() < 3) {
        return false;
    }
    double mx = 0.0, my = 0.0;
    for (const FitSample& p : samples) {
        mx += p.x;
        my += p.y;
    }
    mx /= static_cast<double>(samples.size());
    my /= static_cast<double>(samples.size());
    Plane east, north;
    if (!FitPlane(samples, mx, my, &FitSample::east, east) ||
        !FitPlane(samples, mx, my, &FitSample::north, north)) {
        return false;
    }
    const double cornerX = -mx - kCentreToCorner;
    const double cornerY = -my - kCentreToCorner;
    t = {east.c + east.a * cornerX + east.b * cornerY,    east.a,  east.b,
         north.c + north.a * cornerX + north.b * cornerY, north.a, north.b};
    return std::fabs(t[1] * t[5] - t[2] * t[4]) > 0.0;
}

double LargestFitError(const std::vector<FitSample>& samples, const GeoTransform& t) {
    const double det = t[1] * t[5] - t[2] * t[4];
    double largest = 0.0;
    for (const FitSample& p : samples) {
        const double de = p.east - t[0];
        const double dn = p.north - t[3];
        const double col = (t[5] * de - t[2] * dn) / det;
        const double row = (t[1] * dn - t[4] * de) / det;
        largest =
            std::max(largest, std::hypot(col - kCentreToCorner - p.x, row - kCentreToCorner - p.y));
    }
    return largest;
}
