#pragma once
// The dashed 10-degree latitude/longitude grid, drawn in image pixels onto
// the canvas with a transparent background; every state it changes is
// restored. Nothing is drawn on a Disk image, which has no geolocation.

#include "geo/ProjectionParams.h"

class CCanvas;

void DrawGrid(CCanvas& canvas, const ProjectionParams& params);
