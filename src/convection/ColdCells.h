#pragma once
// Cold-cloud cells of one infrared product: 8-connected regions of pixels at
// or below the cell threshold, with their area on the sphere, coldest and
// mean brightness temperature, centroid and the area of the cloud shield
// (the region at or below the shield threshold) they sit in. Cells smaller
// than the minimum area are dropped; the rest are numbered from 1, largest
// first.

#include <string>
#include <vector>

#include "convection/ConvectionSettings.h"
#include "convection/PixelAreas.h"
#include "convection/RunLabels.h"
#include "geo/ProjectionParams.h"
#include "product/CalibratedGrid.h"

class CGeoImage;

struct ColdCell {
    int id = 0;
    double areaKm2 = 0.0;
    float minK = 0.0f;
    // Area-weighted mean brightness temperature.
    float meanK = 0.0f;
    // Area-weighted centroid, in image pixels and on the earth.
    double x = 0.0;
    double y = 0.0;
    double lon = 0.0;
    double lat = 0.0;
    int pixels = 0;
    // The cloud shield around the cell.
    double shieldKm2 = 0.0;
    // The cell's pixels, in row order.
    std::vector<CellRun> runs;
};

// The cells of a grid whose pixels have the areas given (built for the
// grid's size and the projection record), largest first.
std::vector<ColdCell> FindColdCells(const CalibratedGrid& grid, const ProjectionParams& params,
                                    const CPixelAreas& areas, const ConvectionSettings& settings);

// Why cells cannot be found on a product (Chinese), or "" when they can:
// a product not loaded, of a channel that is not infrared (a grid product
// whose element is no temperature), or without geolocation (full disk).
std::string ColdCellRefusal(const CGeoImage& product);

// Infrared 1, infrared 2 and infrared 3 see cloud tops; water vapour and
// visible do not.
bool IsInfraredChannel(int channel);

// The position of an image point, with the point kept inside the part of the
// image the inverse transform accepts; false for a full-disk image.
bool LocateImagePoint(const ProjectionParams& params, double x, double y, double& lon, double& lat);
