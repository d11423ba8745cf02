// The ruler's and the tracks' distance and bearing between known city pairs,
// the expected values worked out independently (unit vectors on a sphere of
// 6371 km); the Valparaíso-Shanghai row is the textbook great-circle example.

#include <gtest/gtest.h>

#include <cmath>

#include "convection/GreatCircle.h"

namespace {

struct CityPair {
    const char* name;
    double lon1, lat1, lon2, lat2;
    double km;
    double bearingDeg;
};

const CityPair kPairs[] = {
    {"Beijing-Shanghai", 116.4074, 39.9042, 121.4737, 31.2304, 1067.3, 153.07},
    {"Shanghai-Beijing", 121.4737, 31.2304, 116.4074, 39.9042, 1067.3, 336.03},
    {"Beijing-Urumqi", 116.4074, 39.9042, 87.6168, 43.8256, 2411.0, 289.87},
    {"Guangzhou-Harbin", 113.2644, 23.1291, 126.6425, 45.7567, 2790.3, 22.37},
    {"Lhasa-Tokyo", 91.1409, 29.6456, 139.6917, 35.6895, 4548.2, 68.39},
    {"London-Paris", -0.1278, 51.5074, 2.3522, 48.8566, 343.6, 148.12},
    {"Singapore-Sydney", 103.8198, 1.3521, 151.2093, -33.8688, 6306.3, 133.03},
    {"Valparaiso-Shanghai", -71.6, -33.0, 121.8, 31.4, 18742.7, 265.59},
    {"Tokyo-Honolulu across the date line", 139.6917, 35.6895, -157.8583, 21.3069, 6205.6, 86.97},
    {"Honolulu-Tokyo across the date line", -157.8583, 21.3069, 139.6917, 35.6895, 6205.6, 299.48},
    {"due north along a meridian", 110.0, 10.0, 110.0, 20.0, 1111.9, 0.0},
    {"due west along the equator", 110.0, 0.0, 100.0, 0.0, 1111.9, 270.0},
};

TEST(GreatCircle, DistanceAndBearingOfCityPairs) {
    for (const CityPair& c : kPairs) {
        EXPECT_NEAR(GreatCircleKm(c.lon1, c.lat1, c.lon2, c.lat2), c.km, 0.1) << c.name;
        const double bearing = InitialBearingDeg(c.lon1, c.lat1, c.lon2, c.lat2);
        EXPECT_GE(bearing, 0.0) << c.name;
        EXPECT_LT(bearing, 360.0) << c.name;
        EXPECT_NEAR(std::remainder(bearing - c.bearingDeg, 360.0), 0.0, 0.01) << c.name;
    }
}

}  // namespace
