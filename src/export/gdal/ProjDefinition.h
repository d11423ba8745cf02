#pragma once
// The PROJ definition of a product's projection family: the sphere or
// ellipsoid and the parameters whose projected coordinates are an affine of
// kelvra's own pixels (geo/ProjectionTable.h). Scale and origin are left to
// the affine, which absorbs kelvra's pixel scale whatever its units.
//
// Equal latitude/longitude: longitude and latitude on WGS84 themselves.
// Mercator, Lambert and polar stereographic: kelvra's sphere (radius
// kEarthRadiusKm), the cone from the product's parallels taken with the
// hemisphere of its centre. Albers: kelvra's radius table is the Albers
// conic of the Krasovsky ellipsoid with parallels 25 and 47 degrees,
// whatever the product names. Only kelvra's truncated constants remain as
// a difference, which the fit measures.

#include <string>

#include "geo/ProjectionParams.h"

// The PROJ string; empty for a full-disk product (no geolocation).
std::string ProjDefinition(const ProjectionParams& params);
