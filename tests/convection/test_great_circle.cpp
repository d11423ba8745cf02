// The ruler's and the tracks' distance and bearing between known city pairs,
// the expected values worked out independently (unit vectors on a sphere of
// 6371 km); the Valparaíso-Shanghai row is the textbook great-circle example.

#include <gtest/gtest.h>

#include <cmath>

#include "convection/GreatCircle.h"
#include "convection/RulerMeasure.h"
#include "geo/Projection.h"

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

// The ruler between picture points: on a global product a point past its
// east edge lies at its west edge again, so a line across the edge measures
// the short way; a full disk has no measure.
TEST(GreatCircle, RulerAcrossThePicturesEdges) {
    ProjectionParams global;
    ASSERT_EQ(SetUpProjection(EqualLatLon, 0.0, 0.0, 1.0, 360, 160, 0.0, 0.0, global), 0);
    ProjectionParams regional;
    ASSERT_EQ(SetUpProjection(EqualLatLon, 110.0, 30.0, 0.1, 200, 200, 0.0, 0.0, regional), 0);
    ProjectionParams disk;
    disk.type = Disk;
    disk.width = disk.height = 100;
    const struct {
        const char* name;
        const ProjectionParams& params;
        double x0, y0, x1, y1;
        bool located;
        double km;
        double bearingDeg;
    } cases[] = {
        {"global: 10 columns along the equator", global, 100.0, 80.0, 110.0, 80.0, true, 1111.9,
         90.0},
        {"global: across the east edge", global, 355.0, 80.0, 365.0, 80.0, true, 1111.9, 90.0},
        {"global: across the west edge", global, 5.0, 80.0, -5.0, 80.0, true, 1111.9, 270.0},
        {"regional: past its edge has no place", regional, 100.0, 100.0, 250.0, 100.0, false, 0.0,
         0.0},
        {"full disk", disk, 10.0, 10.0, 20.0, 20.0, false, 0.0, 0.0},
    };
    for (const auto& c : cases) {
        const RulerMeasure m = MeasureBetween(c.params, c.x0, c.y0, c.x1, c.y1);
        EXPECT_EQ(m.located, c.located) << c.name;
        if (c.located) {
            EXPECT_NEAR(m.km, c.km, 0.5) << c.name;
            EXPECT_NEAR(m.bearingDeg, c.bearingDeg, 0.1) << c.name;
        }
    }
    EXPECT_EQ(RulerText(MeasureBetween(disk, 1, 1, 2, 2)), "测距：端点不在有地理定位的图像上");
}

}  // namespace
