#pragma once
// The projection parameter record of one product: cleared and filled by the
// projection set-up, read-only afterwards. Its last four fields are the
// geographic extent of the image, filled by ComputeGeoExtent (all 0
// for a Disk image, which has no geolocation).

#include <cstdint>

enum ProjectionType : std::int32_t {
    Disk = 0,
    EqualLatLon = 1,
    Mercator = 2,
    Lambert = 3,
    PolarStereographic = 4,
    Albers = 5,
};

struct ProjectionParams {
    std::int32_t type = 0;
    double centerLon = 0.0;
    double centerLat = 0.0;
    double stdLat1 = 0.0;
    double stdLat2 = 0.0;
    double resolution = 0.0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    double coneConstant = 0.0;
    double scale = 0.0;
    double originX = 0.0;
    double originY = 0.0;
    double angleFactor = 0.0;
    double refLon = 0.0;
    double lonScale = 0.0;
    double resolutionDeg = 0.0;
    double southLat = 0.0;
    double northLat = 0.0;
    double westLon = 0.0;
    double eastLon = 0.0;
};
