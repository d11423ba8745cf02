#pragma once
// The ruler's measure between two points of a picture given in image pixels
// (fractions allowed, points past the image's edges too): the great-circle
// distance and the initial bearing, with the text the view shows.

#include <string>

#include "geo/ProjectionParams.h"

struct RulerMeasure {
    bool located = false;  // false when either end has no longitude/latitude
    double km = 0.0;
    double bearingDeg = 0.0;
};

// A product that goes once round the Earth: its columns wrap, so a point
// past its east edge lies at its west edge again.
bool WrapsRoundTheEarth(const ProjectionParams& params);

// The longitude and latitude of image point (x, y), wrapping columns round a
// global product; false off the image otherwise, and on a full disk.
bool RulerPointLonLat(const ProjectionParams& params, double x, double y, double& lon, double& lat);

// The measure from (x0, y0) to (x1, y1).
RulerMeasure MeasureBetween(const ProjectionParams& params, double x0, double y0, double x1,
                            double y1);

// "距离 1068.3 km  方位 125.4°", or why there is none.
std::string RulerText(const RulerMeasure& measure);
