#pragma once
// The affine from kelvra's pixels to projected coordinates that fits a set
// of sample points best (least squares), and how far it strays from them in
// pixels: the geotransform of an exported product and its stated accuracy.

#include <array>
#include <vector>

struct FitSample {
    double x = 0.0;  // kelvra's pixel, integers at pixel centres
    double y = 0.0;
    double east = 0.0;  // the projected coordinates of its longitude/latitude
    double north = 0.0;
};

// GDAL's geotransform order: east = t[0] + t[1]·col + t[2]·row, north =
// t[3] + t[4]·col + t[5]·row, with col, row at pixel corners (col = x + 0.5).
using GeoTransform = std::array<double, 6>;

// False when the samples leave the affine undetermined (fewer than three,
// all in a line).
bool FitGeoTransform(const std::vector<FitSample>& samples, GeoTransform& transform);
// The largest distance in pixels between a sample's pixel and where the
// transform puts its projected coordinates.
double LargestFitError(const std::vector<FitSample>& samples, const GeoTransform& transform);
