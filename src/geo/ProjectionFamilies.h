#pragma once
// Set-up and per-point transforms of each projection family, the functions
// the rows of the projection table (geo/ProjectionTable.h) point at. The
// public entry points in geo/Projection.h validate, dispatch and apply the
// rules common to every family (longitude shift, range checks, hemisphere,
// wrap); these only compute. A set-up returns false when the values leave no
// usable scale. Nothing here allocates.

#include "geo/ProjectionParams.h"

// Equal latitude/longitude: a plain linear grid in degrees.
void EqualLatLonForward(const ProjectionParams& p, double lon, double lat, double& x, double& y);
void EqualLatLonInverse(const ProjectionParams& p, double x, double y, double& lon, double& lat);
bool EqualLatLonSetUp(ProjectionParams& p, double cx, double cy);

// Mercator on the sphere, scaled in pixels per radian.
void MercatorForward(const ProjectionParams& p, double lon, double lat, double& x, double& y);
void MercatorInverse(const ProjectionParams& p, double x, double y, double& lon, double& lat);
bool MercatorSetUp(ProjectionParams& p, double cx, double cy);

// The conic families share their polar coordinates about the pole
// (geo/PolarCoordinates.h).
// Lambert conformal conic. LambertConeConstant returns n from the magnitudes
// of the standard parallels (the hemisphere comes from centerLat), the
// tangent cone sin|phi1| when they are equal, and 0 when both lie on the
// equator (no cone).
double LambertConeConstant(double stdLat1, double stdLat2);
double LambertRadius(const ProjectionParams& p, double lat);
void LambertForward(const ProjectionParams& p, double lon, double lat, double& x, double& y);
void LambertInverse(const ProjectionParams& p, double x, double y, double& lon, double& lat);
bool LambertSetUp(ProjectionParams& p, double cx, double cy);

// Polar stereographic: the cone flattened into the plane (n = 1).
double StereographicConeConstant(double stdLat1, double stdLat2);
double StereographicRadius(const ProjectionParams& p, double lat);
void StereographicForward(const ProjectionParams& p, double lon, double lat, double& x, double& y);
void StereographicInverse(const ProjectionParams& p, double x, double y, double& lon, double& lat);
bool StereographicSetUp(ProjectionParams& p, double cx, double cy);

// Albers equal-area conic with a fixed cone and a tabulated radius.
double AlbersConeConstant(double stdLat1, double stdLat2);
double AlbersTableRadius(const ProjectionParams& p, double lat);
void AlbersForward(const ProjectionParams& p, double lon, double lat, double& x, double& y);
void AlbersInverse(const ProjectionParams& p, double x, double y, double& lon, double& lat);
bool AlbersSetUp(ProjectionParams& p, double cx, double cy);
