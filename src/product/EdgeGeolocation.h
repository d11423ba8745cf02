#pragma once
// Equal latitude/longitude products placed by their edges rather than their
// resolution fields. Some products (FY-4A, 1751 × 1001 at 0.04 degree) carry
// resolution fields that do not match the picture, while their four edge
// fields do; such a product is geolocated from the edges, with the first and
// last pixels' centres on them. Grid products, which give their first and
// last grid points, are placed the same way.

#include "geo/ProjectionParams.h"
#include "product/AwxHeaders.h"
#include "product/ProductDescription.h"

// A regular longitude/latitude grid: the centre of pixel (0, 0) and the
// spacing between pixel centres, in degrees.
struct EdgeGrid {
    double west = 0.0;
    double north = 0.0;
    double lonStep = 0.0;
    double latStep = 0.0;
    int width = 0;
    int height = 0;
};

// The grid the edge fields of an equal latitude/longitude image describe,
// when they are set, agree with each other and with the size (the same
// spacing along both axes within 1 %) and disagree with the resolution the
// product would be placed by (description after the degree rule). False for
// every other product, which keeps its resolution fields.
bool EdgesOverrideResolution(const AwxSecondHeader& header, const ProductDescription& description,
                             EdgeGrid& grid);

// Sets up the equal latitude/longitude record whose pixel (x, y) lies at
// west + x · lonStep, north − y · latStep. 0, or −1 when the set-up refuses
// the grid's values.
int SetUpFromEdges(const EdgeGrid& grid, ProjectionParams& out);
