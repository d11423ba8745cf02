#pragma once
// Set-up and per-point transforms of each projection family. The public
// entry points in geo/Projection.h validate, dispatch and apply the rules common to
// every family (longitude shift, range checks, hemisphere, wrap); these only
// compute. Nothing here allocates.

#include "geo/ProjectionParams.h"

// Equal latitude/longitude: a plain linear grid in degrees.
void EqualLatLonSetUp(ProjectionParams& p, double cx, double cy);
void EqualLatLonForward(const ProjectionParams& p, double lon, double lat, double& x, double& y);
void EqualLatLonInverse(const ProjectionParams& p, double x, double y, double& lon, double& lat);

// Mercator on the sphere, scaled in pixels per radian.
void MercatorSetUp(ProjectionParams& p, double cx, double cy);
void MercatorForward(const ProjectionParams& p, double lon, double lat, double& x, double& y);
void MercatorInverse(const ProjectionParams& p, double x, double y, double& lon, double& lat);

// Lambert, polar stereographic and Albers: polar coordinates about the pole.
// LambertConeConstant returns n from the magnitudes of the standard
// parallels (the hemisphere comes from centerLat), the tangent cone sin|phi1|
// when they are equal, and 0 when both lie on the equator (no cone).
double LambertConeConstant(double stdLat1, double stdLat2);
void ConicSetUp(ProjectionParams& p, double cx, double cy);
void ConicForward(const ProjectionParams& p, double lon, double lat, double& x, double& y);
void ConicInverse(const ProjectionParams& p, double x, double y, double& lon, double& lat);
