#include "nwp/NwpLabels.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "geo/GeoConstants.h"
#include "geo/Projection.h"

namespace {

// Pixels from an edge within which a crossing counts as on that edge.
constexpr int kEdgeBand = 5;
// Degrees from a grid edge within which a line end counts as on it.
constexpr double kGridEdgeBand = 0.05;
// Text turns only from this meridian angle on (degrees).
constexpr double kMinTurnedAngle = 20.0;

// The label offset table, entries A..H.
constexpr double kA = -0.5;
constexpr double kB = 0.1;
constexpr double kC = -1.0;
constexpr double kD = -0.5;
constexpr double kE = 1.3;
constexpr double kF = 0.5;
constexpr double kG = 0.5;
constexpr double kH = -0.3;

constexpr NwpLabelFactors kRightOfEnd{kB, kF};
constexpr NwpLabelFactors kLeftOfEnd{kC, kG};
constexpr NwpLabelFactors kAboveEnd{kD, kH};
constexpr NwpLabelFactors kBelowEnd{kA, kE};

bool Near(double a, double b) {
    return std::fabs(a - b) < kGridEdgeBand;
}

}  // namespace

NwpLabelFactors EdgeLabelFactors(int x, int y, int width) {
    if (std::abs(y) < kEdgeBand) {
        return {-0.5, 0.0};
    }
    if (std::abs(x) < kEdgeBand) {
        return {-1.0, 0.5};
    }
    if (std::abs(x - (width - 1)) < kEdgeBand) {
        return {0.0, 0.5};
    }
    return {-0.5, 1.0};
}

NwpLabelFactors EndLabelFactors(double lon, double lat, double neighbourLon,
                                const NwpGridExtent& grid, bool southernConic) {
    if (Near(lon, grid.firstLon)) {
        return southernConic ? kLeftOfEnd : kRightOfEnd;
    }
    if (Near(lon, grid.lastLon)) {
        return southernConic ? kRightOfEnd : kLeftOfEnd;
    }
    if (Near(lat, grid.northLat)) {
        return southernConic ? kBelowEnd : kAboveEnd;
    }
    if (Near(lat, grid.southLat)) {
        return southernConic ? kAboveEnd : kBelowEnd;
    }
    return lon >= neighbourLon ? kRightOfEnd : kLeftOfEnd;
}

bool IsSouthernConic(const NwpGridExtent& grid, const ProjectionParams& params) {
    return grid.southLat < 0.0 && IsConicProjection(params.type);
}

std::string NwpLabelText(float value, int decimals) {
    if (decimals <= -5) {
        return std::string();
    }
    char formatted[64];
    std::snprintf(formatted, sizeof formatted, "%10.5f", static_cast<double>(value));
    const std::size_t keep = static_cast<std::size_t>(decimals) + 5;
    std::string text;
    for (std::size_t n = 0; n < keep && formatted[n] != '\0'; ++n) {
        if (formatted[n] != ' ') {
            text += formatted[n];
        }
    }
    return text;
}

double MeridianRotation(const ProjectionParams& params, double lon) {
    if (!IsConicProjection(params.type)) {
        return 0.0;
    }
    // The longitude taken within 180 degrees of the central meridian.
    const double fromCentre = std::remainder(lon - params.refLon, 360.0);
    return params.angleFactor / kDegToRad * fromCentre;
}

int LabelEscapement(double rotationDeg) {
    return rotationDeg >= kMinTurnedAngle ? static_cast<int>(rotationDeg * 10.0) : 0;
}
