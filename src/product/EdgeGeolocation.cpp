#include "product/EdgeGeolocation.h"

#include <algorithm>
#include <cmath>

#include "geo/Projection.h"

namespace {

constexpr double kCentiDegree = 0.01;
constexpr double kFullTurn = 360.0;
// The two axes' spacings may differ by this share and still be one grid.
constexpr double kAxisAgreement = 0.01;
// Below this the equal latitude/longitude set-up reads the first standard
// latitude as the column spacing.
constexpr double kMaxColumnSpacing = 10.0;

// A resolution field holds hundredths of a degree, so it may miss the true
// spacing by half of one; each edge field may miss its point by as much, so
// the spacing from the edges may miss by one hundredth over the whole span.
bool FieldMatches(double field, double edgeStep, int pixels) {
    const double tolerance = 0.5 * kCentiDegree + kCentiDegree / (pixels - 1);
    return std::fabs(field - edgeStep) <= tolerance;
}

}  // namespace

bool EdgesOverrideResolution(const AwxSecondHeader& h, const ProductDescription& d,
                             EdgeGrid& grid) {
    if (d.projection != EqualLatLon || h.width < 2 || h.height < 2 ||
        h.northBound <= h.southBound || h.eastBound == h.westBound) {
        return false;
    }
    const double west = h.westBound * kCentiDegree;
    double east = h.eastBound * kCentiDegree;
    if (east < west) {
        east += kFullTurn;  // the picture runs across the date line
    }
    const double north = h.northBound * kCentiDegree;
    const double south = h.southBound * kCentiDegree;
    const double lonStep = (east - west) / (h.width - 1);
    const double latStep = (north - south) / (h.height - 1);
    if (std::fabs(lonStep - latStep) > kAxisAgreement * std::max(lonStep, latStep)) {
        return false;
    }
    // The spacings the product would be placed by: rows by the vertical
    // resolution, columns by the first standard latitude when it holds one.
    const double rowField = d.verticalResolution;
    const bool columnGiven = d.stdLat1 > 0.0f && d.stdLat1 < kMaxColumnSpacing;
    const double columnField = columnGiven ? d.stdLat1 : rowField;
    if (FieldMatches(rowField, latStep, h.height) && FieldMatches(columnField, lonStep, h.width)) {
        return false;
    }
    grid = EdgeGrid{west, north, lonStep, latStep, h.width, h.height};
    return true;
}

int SetUpFromEdges(const EdgeGrid& g, ProjectionParams& out) {
    if (!(g.lonStep > 0.0 && g.lonStep < kMaxColumnSpacing && g.latStep > 0.0)) {
        return -1;
    }
    // The set-up puts the centre at its own middle pixel (it keeps widths to
    // multiples of 4), so the centre is set up once, found in the picture,
    // and moved by what it missed.
    const double midX = 0.5 * (g.width - 1);
    const double midY = 0.5 * (g.height - 1);
    double lon = g.west + midX * g.lonStep;
    double lat = g.north - midY * g.latStep;
    ProjectionParams p;
    if (SetUpProjection(EqualLatLon, lon, lat, g.latStep, g.width, g.height, g.lonStep, 0.0, p) !=
        0) {
        return -1;
    }
    double x = 0.0;
    double y = 0.0;
    if (LatLonToPixel(p, lon, lat, x, y) != 0) {
        return -1;
    }
    lon += (x - midX) * g.lonStep;
    lat -= (y - midY) * g.latStep;
    return SetUpProjection(EqualLatLon, lon, lat, g.latStep, g.width, g.height, g.lonStep, 0.0,
                           out);
}
