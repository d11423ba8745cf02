// Albers equal-area conic on the ellipsoid: the radius is tabulated every
// 0.01 degree of latitude (in units of 10 km) and interpolated linearly both
// ways; the cone constant is fixed, whatever parallels the product names.
// The polar coordinates about the pole are shared with Lambert and polar
// stereographic (geo/PolarCoordinates.h).
//
// Parameter record: coneConstant n, angleFactor, scale (pixels per 10 km,
// from the resolution in kilometres) and the pole at (originX, originY).

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "geo/GeoConstants.h"
#include "geo/PolarCoordinates.h"
#include "geo/Projection.h"
#include "geo/ProjectionFamilies.h"

namespace {

// rho(s) = sqrt(kA - kB * s / (1 - kE2 * s^2) - kC * ln((1 + kE * s) / (1 - kE * s)))
// with s the sine of the latitude.
constexpr double kA = 1596832.39;
constexpr double kB = 700209.2629;
constexpr double kE2 = 0.0066934216;
constexpr double kC = 4279310.159;
constexpr double kE = 0.081813334;

constexpr double kConeConstant = 0.57710901;
constexpr int kTableSize = 9000;
constexpr double kRadiusUnitKm = 10.0;

constexpr double kStepsPerDegree = 100.0;
constexpr double kDegreesPerStep = 0.01;
constexpr int kLastInterpolated = kTableSize - 2;  // 8998
constexpr double kPoleLat = 90.0;

double AlbersTableEntry(int k) {
    const double s = std::sin(k * kCentiDegToRad);
    return std::sqrt(kA - kB * s / (1.0 - kE2 * s * s) -
                     kC * std::log((1.0 + kE * s) / (1.0 - kE * s)));
}

}  // namespace

const std::array<double, kTableSize>& AlbersRadiusTable() {
    static const std::array<double, kTableSize> table = [] {
        std::array<double, kTableSize> entries{};
        for (int k = 0; k < kTableSize; ++k) {
            entries[k] = AlbersTableEntry(k);
        }
        return entries;
    }();
    return table;
}

double AlbersRadius(double lat) {
    const double steps = kStepsPerDegree * lat;
    if (!(steps >= 1.0 && steps < kLastInterpolated + 1)) {
        return 0.0;  // k = trunc(steps) outside 1..8998, or NaN
    }
    const int k = static_cast<int>(steps);
    const auto& entry = AlbersRadiusTable();
    return entry[k] + (entry[k + 1] - entry[k]) * (steps - k);
}

namespace {

// First index k in first..last with radius > entry(k), where the caller knows
// the answer lies in first..last and entry(last) need not be read (8999 means
// "none in 1..8998"). The table falls strictly with k, so "radius > entry(k)"
// is false up to some k and true after it: a binary search finds the same k
// as a linear scan. It halves without branching on the comparison, for which
// radii give no pattern.
int FirstEntryBelow(const double* entry, double radius, int first, int last) {
    const double* base = entry + first;
    std::size_t count = static_cast<std::size_t>(last - first + 1);
    while (count > 1) {
        const std::size_t half = count / 2;
        base = !(radius > base[half - 1]) ? base + half : base;
        count -= half;
    }
    return static_cast<int>(base - entry);
}

// Radii split into equal buckets, each knowing the answer k at its lower edge,
// so a lookup searches only the few entries between neighbouring edges.
constexpr int kBuckets = 4096;

struct AlbersSearchIndex {
    double low = 0.0;
    double bucketsPerUnit = 0.0;
    std::array<int, kBuckets + 1> kAtEdge{};
};

const AlbersSearchIndex& SearchIndex() {
    static const AlbersSearchIndex index = [] {
        const auto& entry = AlbersRadiusTable();
        AlbersSearchIndex built;
        built.low = entry[kTableSize - 1];
        const double width = (entry[0] - built.low) / kBuckets;
        built.bucketsPerUnit = 1.0 / width;
        for (int b = 0; b <= kBuckets; ++b) {
            built.kAtEdge[b] =
                FirstEntryBelow(entry.data(), built.low + b * width, 1, kLastInterpolated + 1);
        }
        return built;
    }();
    return index;
}

// The bucket's neighbours widen the bracket, so rounding of the bucket number
// can never leave the answer outside it: k falls as the radius grows.
int FirstEntryBelow(double radius) {
    const auto& entry = AlbersRadiusTable();
    const AlbersSearchIndex& index = SearchIndex();
    const double position = (radius - index.low) * index.bucketsPerUnit;
    if (!(position >= 0.0 && position < kBuckets)) {
        return FirstEntryBelow(entry.data(), radius, 1, kLastInterpolated + 1);
    }
    const int b = static_cast<int>(position);
    const int first = index.kAtEdge[std::min(b + 2, kBuckets)];
    const int last = index.kAtEdge[std::max(b - 1, 0)];
    return FirstEntryBelow(entry.data(), radius, first, last);
}

}  // namespace

double AlbersLatitude(double radius) {
    if (radius <= 0.0) {
        return kPoleLat;
    }
    const auto& entry = AlbersRadiusTable();
    const int k = FirstEntryBelow(radius);
    return kDegreesPerStep * (k - 1) +
           kDegreesPerStep * (radius - entry[k - 1]) / (entry[k] - entry[k - 1]);
}

// --- Cone constant, radius, forward, inverse and set-up

double AlbersConeConstant(double /*stdLat1*/, double /*stdLat2*/) {
    return kConeConstant;
}

double AlbersTableRadius(const ProjectionParams& /*p*/, double lat) {
    return AlbersRadius(lat);
}

void AlbersForward(const ProjectionParams& p, double lon, double lat, double& x, double& y) {
    PolarToPixel(p, AlbersRadius(lat), lon, x, y);
}

void AlbersInverse(const ProjectionParams& p, double x, double y, double& lon, double& lat) {
    double theta = 0.0;
    double d = 0.0;
    const double phi = PixelToPolar(p, x, y, theta, d) ? AlbersLatitude(d) : kPoleLat;
    PolarToLatLon(p, theta, phi, lon, lat);
}

bool AlbersSetUp(ProjectionParams& p, double cx, double cy) {
    p.scale = kRadiusUnitKm / p.resolution;
    return PlacePole(p, AlbersRadius(std::fabs(p.centerLat)), cx, cy);
}
