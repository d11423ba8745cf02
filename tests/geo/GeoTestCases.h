#pragma once
// Set-up arguments of the projections the geo tests share, one per row.

#include <string>
#include <vector>

#include "geo/Projection.h"
#include "geo/ProjectionParams.h"

struct SetUpArgs {
    std::string name;
    int type;
    double centerLon;
    double centerLat;
    double resolution;
    int width;
    int height;
    double stdLat1;
    double stdLat2;
};

inline int SetUpCase(const SetUpArgs& a, ProjectionParams& out) {
    return SetUpProjection(a.type, a.centerLon, a.centerLat, a.resolution, a.width, a.height,
                           a.stdLat1, a.stdLat2, out);
}

// One image of every geolocated projection, with both hemispheres where the
// projection allows them.
inline const std::vector<SetUpArgs>& GeolocatedCases() {
    static const std::vector<SetUpArgs> cases = {
        {"EqualLatLonSample", EqualLatLon, 97.5, 27.5, 0.05, 1900, 1300, 0.0, 0.0},
        {"EqualLatLonSpacing", EqualLatLon, 120.0, -10.0, 0.05, 800, 600, 0.1, 0.0},
        {"Mercator", Mercator, 110.0, 20.0, 5.0, 1024, 1024, 0.0, 0.0},
        {"MercatorSouth", Mercator, -60.0, -30.0, 10.0, 512, 700, 0.0, 0.0},
        {"Lambert", Lambert, 110.0, 35.0, 4.0, 1500, 1100, 30.0, 60.0},
        {"LambertSouthSigned", Lambert, 140.0, -35.0, 4.0, 1000, 800, -30.0, -60.0},
        {"LambertTangent", Lambert, 10.0, 45.0, 8.0, 900, 900, 45.0, 45.0},
        {"Polar", PolarStereographic, 100.0, 60.0, 10.0, 1000, 1000, 60.0, 60.0},
        {"PolarSouth", PolarStereographic, 0.0, -70.0, 10.0, 800, 800, -60.0, -60.0},
        {"Albers", Albers, 105.0, 35.0, 5.0, 1400, 1000, 25.0, 47.0},
    };
    return cases;
}
