#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "GeoTestCases.h"

namespace {

// Known forward results of every family: the images of GeolocatedCases(), a
// longitude/latitude, the pixel, its tolerance. The pixels were computed
// apart from the code, from the textbook formulas with the truncated
// constants of geo/GeoConstants.h, about the centre pixel ((w-1)/2, (h-1)/2):
//   equal lat/lon  x = (lon - lon0) / spacing, y = -(lat - lat0) / resolution
//   Mercator       k = 1 / (resDeg * kDegToRad), resDeg = res / kEarthRadiusKm * kRadToDeg
//                  x = k (lon - lon0) kDegToRad, y = -k (M(lat) - M(lat0)),
//                  M = ln tan(pi/4 + lat kDegToRad / 2)
//   conic          x = k rho(lat) sin t, y = k (rho(lat) cos t - rho(lat0)),
//                  t = n (lon - lon0) kDegToRad, with |lat| and -t in the south
//     Lambert      rho = tan((90 - lat) kHalfDegToRad)^n, n from the colatitudes
//                  a = kConeHalfPi - lat kConeDegToRad: ln(sin a1 / sin a2) /
//                  ln(tan(a1/2) / tan(a2/2)), sin of the parallel when equal
//     polar        the same with n = 1
//     (both)       k = 1 / (rho(lat0 - resDeg/2) - rho(lat0 + resDeg/2))
//     Albers       n = 0.57710901, k = 10 / res, rho in 10 km from the closed
//                  form the radius table samples (s = sin(lat kDegToRad))
// Albers' tolerance covers the table's linear interpolation. The rows pin the
// set-up's scale and pole too (polar: one pixel spans resDeg of latitude at
// the centre; Albers: pixels per 10 km).
struct KnownPoint {
    const char* image;
    double lon;
    double lat;
    double x;
    double y;
    double tolerance;
};

const KnownPoint kKnownPoints[] = {
    {"EqualLatLonSample", 120.0, 40.0, 1399.500000000, 399.500000000, 1e-6},
    {"EqualLatLonSample", 80.25, 10.1, 604.500000000, 997.500000000, 1e-6},
    {"EqualLatLonSpacing", 135.0, -20.0, 549.500000000, 499.500000000, 1e-6},
    {"Mercator", 125.0, 35.0, 845.458471998, 133.329914482, 1e-6},
    {"Mercator", 98.0, 5.0, 244.333222401, 854.645141678, 1e-6},
    {"MercatorSouth", -48.5, -45.0, 383.517414266, 561.297211605, 1e-6},
    {"Lambert", 125.0, 45.0, 1038.170986741, 247.004294482, 1e-6},
    {"Lambert", 95.0, 25.0, 356.685562454, 796.406609554, 1e-6},
    {"LambertSouthSigned", 152.0, -45.0, 268.075485247, 106.748645729, 1e-6},
    {"LambertTangent", 22.0, 50.0, 556.861719294, 371.870299183, 1e-6},
    {"Polar", 100.0, 80.0, 499.500000000, 284.720038068, 1e-6},  // the pole above the centre
    {"Polar", 135.0, 70.0, 619.871002679, 352.500524583, 1e-6},
    {"Polar", 70.0, 45.0, 253.006243319, 607.532501892, 1e-6},
    {"PolarSouth", 25.0, -62.0, 269.139423749, 460.913853465, 1e-6},
    {"Albers", 105.0, 40.0, 699.500000000, 386.488165395, 1e-5},
    {"Albers", 122.0, 45.0, 964.436396258, 251.246176951, 1e-5},
    {"Albers", 90.0, 25.0, 397.795443702, 700.836215050, 1e-5},
};

const SetUpArgs* FindImage(const std::string& name) {
    for (const SetUpArgs& args : GeolocatedCases()) {
        if (args.name == name) {
            return &args;
        }
    }
    return nullptr;
}

// Forward to the known pixel, and the inverse of that pixel back to the
// point within single precision.
TEST(ProjectionKnownPoints, ForwardGivesTheKnownPixelAndInverseReturns) {
    for (const KnownPoint& row : kKnownPoints) {
        SCOPED_TRACE(testing::Message() << row.image << " " << row.lon << "," << row.lat);
        const SetUpArgs* image = FindImage(row.image);
        ASSERT_NE(image, nullptr);
        ProjectionParams p;
        ASSERT_EQ(SetUpCase(*image, p), 0);
        double x = 0.0;
        double y = 0.0;
        ASSERT_EQ(LatLonToPixel(p, row.lon, row.lat, x, y), 0);
        EXPECT_NEAR(x, row.x, row.tolerance);
        EXPECT_NEAR(y, row.y, row.tolerance);
        float lon = 0.0f;
        float lat = 0.0f;
        ASSERT_EQ(PixelToLatLon(p, row.x, row.y, lon, lat), 0);
        EXPECT_NEAR(lon, row.lon, 5e-5);
        EXPECT_NEAR(lat, row.lat, 5e-5);
    }
}

}  // namespace
