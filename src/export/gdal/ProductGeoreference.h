#pragma once
// Where an exported product's pixels lie: its projection as WKT and the
// geotransform fitted to kelvra's own geolocation, with the largest
// difference between the two in pixels. Built through PROJ (GDAL's OGR).

#include <string>

#include "export/gdal/AffineFit.h"
#include "geo/ProjectionParams.h"

struct ProductGeoreference {
    bool located = false;  // false for a full-disk product: no coordinate system
    std::string projDefinition;
    std::string wkt;
    GeoTransform transform{};
    double largestErrorPixels = 0.0;
};

// False, with why, when PROJ refuses the definition or the fit fails; a
// full-disk product succeeds unlocated.
bool GeoreferenceProduct(const ProjectionParams& params, ProductGeoreference& out,
                         std::string& why);
