#pragma once
// Distance and initial direction between two points on a sphere of radius
// 6371 km, longitudes and latitudes in degrees.

// Great-circle distance, km (haversine).
double GreatCircleKm(double lon1, double lat1, double lon2, double lat2);
// Direction of travel at the first point towards the second, degrees
// clockwise from north in [0, 360).
double InitialBearingDeg(double lon1, double lat1, double lon2, double lat2);
