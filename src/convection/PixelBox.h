#pragma once
// A rectangle of image pixels chosen for area statistics, by its pixel
// corners or by a longitude/latitude box, clipped to the image.

#include <string>

#include "geo/ProjectionParams.h"

// Columns x0..x1 and rows y0..y1, both ends included, top row 0.
struct PixelBox {
    int x0 = 0;
    int y0 = 0;
    int x1 = -1;
    int y1 = -1;
    int Width() const { return x1 - x0 + 1; }
    int Height() const { return y1 - y0 + 1; }
};

// Orders the corners and clips the box to an image of width x height; false
// when nothing of it lies on the image.
bool ClipPixelBox(PixelBox& box, int width, int height);

// The pixels enclosing the outline of the box of longitudes west..east
// (eastwards, so west > east crosses the date line) and latitudes
// south..north, clipped to the image. The reason in Chinese when refused
// (no geolocation, a box that is no box, nothing of it on the image), ""
// when box is filled.
std::string LonLatBoxToPixels(const ProjectionParams& params, double west, double east,
                              double south, double north, PixelBox& box);
