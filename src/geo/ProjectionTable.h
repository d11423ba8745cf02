#pragma once
// The table of projection families, one row per projection code: what the
// public entry points of geo/Projection.h need to dispatch. A new family is
// one row and one file of its own. The table and its look-up are inline so
// that the per-point transforms pay no call to find their row.

#include <cstddef>
#include <cstdint>
#include <iterator>

#include "geo/ProjectionFamilies.h"
#include "geo/ProjectionParams.h"

struct ProjectionFamily {
    std::int32_t code;
    // The resolution is given in degrees rather than kilometres.
    bool degreeResolution;
    // The cone constant n from the standard parallels. Only the conic
    // families (drawn about a pole) have one; n is 0 for the others.
    double (*coneConstant)(double stdLat1, double stdLat2);
    // Distance from the pole at latitude lat in the family's units (conic only).
    double (*polarRadius)(const ProjectionParams& p, double lat);
    // Fills scale and origin once; false when they leave no usable scale.
    bool (*setUp)(ProjectionParams& p, double cx, double cy);
    void (*forward)(const ProjectionParams& p, double lon, double lat, double& x, double& y);
    void (*inverse)(const ProjectionParams& p, double x, double y, double& lon, double& lat);

    // The one test of conic: a family with a cone constant.
    constexpr bool IsConic() const { return coneConstant != nullptr; }
};

// Rows in code order, so the code is the index. Columns: code, resolution in
// degrees, cone constant, polar radius, set-up, forward, inverse. The Disk
// row has no functions: a full-disk image carries no geolocation.
inline constexpr ProjectionFamily kProjectionFamilies[] = {
    {Disk, false, nullptr, nullptr, nullptr, nullptr, nullptr},
    {EqualLatLon, true, nullptr, nullptr, EqualLatLonSetUp, EqualLatLonForward, EqualLatLonInverse},
    {Mercator, false, nullptr, nullptr, MercatorSetUp, MercatorForward, MercatorInverse},
    {Lambert, false, LambertConeConstant, LambertRadius, LambertSetUp, LambertForward,
     LambertInverse},
    {PolarStereographic, false, StereographicConeConstant, StereographicRadius, StereographicSetUp,
     StereographicForward, StereographicInverse},
    {Albers, false, AlbersConeConstant, AlbersTableRadius, AlbersSetUp, AlbersForward,
     AlbersInverse},
};

constexpr bool ProjectionRowsInCodeOrder() {
    for (std::size_t i = 0; i < std::size(kProjectionFamilies); ++i) {
        if (kProjectionFamilies[i].code != static_cast<std::int32_t>(i)) {
            return false;
        }
    }
    return true;
}
static_assert(ProjectionRowsInCodeOrder(), "a row's index must be its projection code");

// The row of a projection code; null for a code outside the table.
inline const ProjectionFamily* FindProjectionFamily(int code) {
    if (code < 0 || code >= static_cast<int>(std::size(kProjectionFamilies))) {
        return nullptr;
    }
    return &kProjectionFamilies[code];
}
