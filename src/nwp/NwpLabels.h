#pragma once
// Where and how contour labels are placed: the factors that put a label
// beside the point it belongs to, the label text, and the turn of the text
// along the meridian of a conic or polar picture.

#include <string>

#include "geo/ProjectionParams.h"

// Offsets of a label from its point in units of the text's size: fx < 0
// moves it left by fx text widths, fx >= 0 puts it a little to the right;
// fy = 1 puts its top at the point, smaller values raise it.
struct NwpLabelFactors {
    double fx = 0.0;
    double fy = 0.0;
    bool operator==(const NwpLabelFactors&) const = default;
};

// The overlay's grid as the end labels need it, in degrees.
struct NwpGridExtent {
    double southLat = 0.0;
    double northLat = 0.0;
    double firstLon = 0.0;
    double lastLon = 0.0;
    double rowSpacing = 0.0;
    double columnSpacing = 0.0;
};

// Where a line leaves or re-enters the picture: the factors of the edge the
// pixel is near (top, left, right, in that order, within 5 pixels; bottom
// otherwise). `width` is the picture's width.
NwpLabelFactors EdgeLabelFactors(int x, int y, int width);

// The label at the end of an open line: beside the grid edge the end lies on
// (within 0.05 degree), beyond the end of the line otherwise. On a southern
// grid over a conic or polar picture, which turns the picture upside down
// relative to the grid, the sides are swapped.
NwpLabelFactors EndLabelFactors(double lon, double lat, double neighbourLon,
                                const NwpGridExtent& grid, bool southernConic);

// True when end labels swap sides: a grid reaching south of the equator on
// a Lambert, polar stereographic or Albers picture.
bool IsSouthernConic(const NwpGridExtent& grid, const ProjectionParams& params);

// The value formatted "%10.5f", cut to decimals + 5 characters, blanks
// dropped: 5880 with one decimal is "5880.0", with none "5880.". Empty when
// decimals + 5 <= 0.
std::string NwpLabelText(float value, int decimals);

// The meridian's turn at this longitude on the picture, in degrees
// counter-clockwise; 0 for the projections whose meridians are upright.
double MeridianRotation(const ProjectionParams& params, double lon);

// Text is turned only from 20 degrees on, in tenths of a degree: near the
// central meridian the upright text reads better.
int LabelEscapement(double rotationDeg);
