#pragma once
// Set-up of a product's projection record and the two transforms between
// longitude/latitude and image pixels. The rules common to every family
// (range checks, longitude shift, hemisphere, wrap) live in ProjectionSetup.cpp
// and GeoTransforms.cpp, which dispatch through the projection table
// (geo/ProjectionTable.h); the arithmetic of each family lives in its own
// file. Nothing here allocates after the Albers table is built once.

#include <array>

#include "geo/ProjectionParams.h"

// 0 on success, -1 when a value is out of range (out is then untouched).
int SetUpProjection(int type, double centerLon, double centerLat, double resolution, int width,
                    int height, double stdLat1, double stdLat2, ProjectionParams& out);

// 0 on success; -1 without output outside the valid range; -1 with output
// for a point in the other hemisphere of a conic or polar image; -1 for Disk.
int LatLonToPixel(const ProjectionParams& params, double lon, double lat, double& x, double& y);
// 0 on success; -1 without output outside the image or for Disk.
int PixelToLatLon(const ProjectionParams& params, double x, double y, float& lon, float& lat);

// True for the families whose inverse gives a longitude that depends on the
// column alone and a latitude that depends on the row alone (equal
// latitude/longitude, Mercator): their pixels can be geolocated a column
// and a row at a time, with the very values PixelToLatLon gives.
bool SeparableProjection(int type);
// The resolution in degrees: as given for equal latitude/longitude images,
// converted from kilometres on the Earth's radius for the others.
double ResolutionInDegrees(int type, double resolution);
// True for the families drawn about a pole: Lambert, polar stereographic and
// Albers: a point of their other hemisphere fails with output, and their
// meridians turn on the picture.
bool IsConicProjection(int type);
// Distance from the pole at latitude lat in the units of the family; 0 for
// a family that is not conic.
double PolarRadius(const ProjectionParams& params, double lat);
double AlbersRadius(double lat);
double AlbersLatitude(double radius);
// Entry k: the Albers radius at latitude k/100 degrees, in units of 10 km.
const std::array<double, 9000>& AlbersRadiusTable();
