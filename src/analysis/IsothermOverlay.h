#pragma once
// Isotherms of calibrated brightness temperatures at the eleven levels
// 180..300 K, each level in its colour, drawn in image pixels onto the canvas.

#include "product/CalibratedGrid.h"

class CCanvas;

// values: width × height, row-major, top row first. 1 when drawn, 0 when
// there are no values or the tracer's memory is not available.
int DrawIsotherms(CCanvas& canvas, int width, int height, const float* values);
// The same from a product's counts and calibration table.
int DrawIsotherms(CCanvas& canvas, const CalibratedGrid& values);
