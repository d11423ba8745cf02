#pragma once
// The geographic extent of an image from its projection record.

#include "geo/ProjectionParams.h"

// Fills southLat, northLat, westLon and eastLon of params from four inverse
// transforms. When the image has no geolocation (Disk) all four are 0, an
// empty box: no latitude lies strictly between south and north and no
// longitude strictly between west and east.
void ComputeGeoExtent(ProjectionParams& params);
