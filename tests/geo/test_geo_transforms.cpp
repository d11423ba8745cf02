#include <gtest/gtest.h>

#include <cmath>

#include "GeoTestCases.h"
#include "geo/GeoConstants.h"

namespace {

constexpr double kUnwritten = -12345.0;

class Geolocated : public testing::TestWithParam<SetUpArgs> {
protected:
    void SetUp() override { ASSERT_EQ(SetUpCase(GetParam(), p), 0); }
    double Cx() const { return (p.width - 1) * 0.5; }
    double Cy() const { return (p.height - 1) * 0.5; }
    ProjectionParams p;
};

TEST_P(Geolocated, CentreMapsToCentrePixel) {
    if (p.type == Albers && p.centerLat < 0.0) {
        GTEST_SKIP() << "Albers radii vanish south of the equator";
    }
    double x = kUnwritten;
    double y = kUnwritten;
    EXPECT_EQ(LatLonToPixel(p, p.centerLon, p.centerLat, x, y), 0);
    EXPECT_NEAR(x, Cx(), 1e-6);
    EXPECT_NEAR(y, Cy(), 1e-6);
}

// Pixels on a grid through the image, kept half a pixel inside so that the
// rounding of the single-precision results cannot leave it: inverse,
// forward, inverse again.
TEST_P(Geolocated, ForwardThenInverseReturnsTheInput) {
    const int steps = 16;
    for (int i = 0; i <= steps; ++i) {
        for (int j = 0; j <= steps; ++j) {
            const double x0 = 0.5 + (p.width - 2.0) * i / steps;
            const double y0 = 0.5 + (p.height - 2.0) * j / steps;
            float lon = 0.0f;
            float lat = 0.0f;
            ASSERT_EQ(PixelToLatLon(p, x0, y0, lon, lat), 0) << x0 << "," << y0;
            if (std::fabs(lat) > 85.0f) {
                continue;  // beyond the forward transform's latitudes
            }
            double x = kUnwritten;
            double y = kUnwritten;
            ASSERT_EQ(LatLonToPixel(p, lon, lat, x, y), 0) << lon << "," << lat;
            EXPECT_NEAR(x, x0, 0.02) << lon << "," << lat;
            EXPECT_NEAR(y, y0, 0.02) << lon << "," << lat;
            float lon2 = 0.0f;
            float lat2 = 0.0f;
            ASSERT_EQ(PixelToLatLon(p, x, y, lon2, lat2), 0);
            EXPECT_NEAR(std::remainder(lon2 - lon, 360.0), 0.0, 2e-4) << x0 << "," << y0;
            EXPECT_NEAR(lat2, lat, 2e-4) << x0 << "," << y0;
        }
    }
}

TEST_P(Geolocated, LongitudeIsBroughtNearTheReferenceOnce) {
    double x1 = kUnwritten;
    double y1 = kUnwritten;
    double x2 = kUnwritten;
    double y2 = kUnwritten;
    const double lat = p.centerLat;
    const int r1 = LatLonToPixel(p, p.centerLon - 200.0, lat, x1, y1);
    const int r2 = LatLonToPixel(p, p.centerLon + 160.0, lat, x2, y2);
    EXPECT_EQ(r1, r2);
    if (r2 == 0) {
        EXPECT_EQ(x1, x2);
        EXPECT_EQ(y1, y2);
    }
    const int r3 = LatLonToPixel(p, p.centerLon + 200.0, lat, x1, y1);
    const int r4 = LatLonToPixel(p, p.centerLon - 160.0, lat, x2, y2);
    EXPECT_EQ(r3, r4);
    if (r4 == 0) {
        EXPECT_EQ(x1, x2);
        EXPECT_EQ(y1, y2);
    }
}

TEST_P(Geolocated, InverseRejectsTheLastColumnAndRow) {
    const struct {
        double x;
        double y;
        int result;
    } rows[] = {
        {p.width - 1.0, 0.0, -1}, {p.width - 1.1, 0.0, 0}, {0.0, p.height - 1.0, -1},
        {0.0, p.height - 1.1, 0}, {-1e-9, 0.0, -1},        {0.0, -1e-9, -1},
        {std::nan(""), 0.0, -1},  {0.0, std::nan(""), -1},
    };
    for (const auto& row : rows) {
        float lon = -999.0f;
        float lat = -999.0f;
        EXPECT_EQ(PixelToLatLon(p, row.x, row.y, lon, lat), row.result) << row.x << "," << row.y;
        if (row.result != 0) {
            EXPECT_EQ(lon, -999.0f);
            EXPECT_EQ(lat, -999.0f);
        } else {
            EXPECT_TRUE(lon >= -180.0f && lon <= 180.0f) << lon;
        }
    }
}

TEST_P(Geolocated, ForwardRejectsOutOfRangeWithoutOutput) {
    const struct {
        double lon;
        double lat;
    } rows[] = {{p.centerLon, 85.01}, {p.centerLon, -85.01}, {1000.0, 0.0},
                {-1000.0, 0.0},       {std::nan(""), 10.0},  {p.centerLon, std::nan("")}};
    for (const auto& row : rows) {
        double x = kUnwritten;
        double y = kUnwritten;
        EXPECT_EQ(LatLonToPixel(p, row.lon, row.lat, x, y), -1) << row.lon << "," << row.lat;
        EXPECT_EQ(x, kUnwritten);
        EXPECT_EQ(y, kUnwritten);
    }
}

INSTANTIATE_TEST_SUITE_P(Projections, Geolocated, testing::ValuesIn(GeolocatedCases()),
                         [](const auto& info) { return info.param.name; });

TEST(GeoTransforms, DiskHasNoGeolocation) {
    ProjectionParams p;
    ASSERT_EQ(SetUpProjection(Disk, 104.5, 0.0, 5.0, 8200, 8200, 0.0, 0.0, p), -1);
    ASSERT_EQ(SetUpProjection(Disk, 104.5, 0.0, 5.0, 2048, 2048, 0.0, 0.0, p), 0);
    double x = kUnwritten;
    double y = kUnwritten;
    EXPECT_EQ(LatLonToPixel(p, 104.5, 0.0, x, y), -1);
    EXPECT_EQ(x, kUnwritten);
    EXPECT_EQ(y, kUnwritten);
    float lon = -999.0f;
    float lat = -999.0f;
    EXPECT_EQ(PixelToLatLon(p, 1000.0, 1000.0, lon, lat), -1);
    EXPECT_EQ(lon, -999.0f);
    EXPECT_EQ(lat, -999.0f);
    // A record never set up is a Disk record too.
    EXPECT_EQ(LatLonToPixel(ProjectionParams{}, 0.0, 0.0, x, y), -1);
    EXPECT_EQ(PixelToLatLon(ProjectionParams{}, 5.0, 5.0, lon, lat), -1);
}

TEST(GeoTransforms, OtherHemisphereFailsWithOutput) {
    const struct {
        SetUpArgs args;
        double lat;
    } rows[] = {
        {{"Lambert", Lambert, 110.0, 35.0, 4.0, 1000, 1000, 30.0, 60.0}, -10.0},
        {{"PolarSouth", PolarStereographic, 0.0, -70.0, 10.0, 800, 800, 60.0, 60.0}, 20.0},
        {{"Albers", Albers, 105.0, 35.0, 5.0, 1000, 1000, 25.0, 47.0}, -0.5},
    };
    for (const auto& row : rows) {
        ProjectionParams p;
        ASSERT_EQ(SetUpCase(row.args, p), 0);
        double x = kUnwritten;
        double y = kUnwritten;
        EXPECT_EQ(LatLonToPixel(p, p.centerLon + 3.0, row.lat, x, y), -1) << row.args.name;
        const double r = PolarRadius(p, row.lat) * p.scale;
        const double theta = 3.0 * p.angleFactor;
        EXPECT_DOUBLE_EQ(x, p.originX + r * std::sin(theta)) << row.args.name;
        EXPECT_DOUBLE_EQ(y, p.originY + r * std::cos(theta)) << row.args.name;
    }
}

TEST(GeoTransforms, PolePixelGivesThePoleOnTheReferenceMeridian) {
    const struct {
        SetUpArgs args;
        float lat;
    } rows[] = {
        {{"Polar", PolarStereographic, 100.0, 60.0, 10.0, 1000, 1000, 60.0, 60.0}, 90.0f},
        {{"PolarSouth", PolarStereographic, -30.0, -60.0, 10.0, 1000, 1000, 60.0, 60.0}, -90.0f},
        {{"Lambert", Lambert, 100.0, 80.0, 8.0, 1000, 1000, 70.0, 80.0}, 90.0f},
    };
    for (const auto& row : rows) {
        ProjectionParams p;
        ASSERT_EQ(SetUpCase(row.args, p), 0);
        ASSERT_GT(p.originY, 0.0) << row.args.name << ": the pole must lie inside";
        float lon = -999.0f;
        float lat = -999.0f;
        ASSERT_EQ(PixelToLatLon(p, p.originX, p.originY, lon, lat), 0);
        EXPECT_EQ(lat, row.lat) << row.args.name;
        EXPECT_EQ(lon, static_cast<float>(p.refLon)) << row.args.name;
    }
}

TEST(GeoTransforms, InverseLongitudeWrapsIntoHalfTurns) {
    ProjectionParams p;
    ASSERT_EQ(SetUpProjection(EqualLatLon, 175.0, 0.0, 0.1, 400, 200, 0.0, 0.0, p), 0);
    float lon = 0.0f;
    float lat = 0.0f;
    ASSERT_EQ(PixelToLatLon(p, 398.0, 10.0, lon, lat), 0);
    EXPECT_NEAR(lon, 175.0 + (398.0 - 199.5) * 0.1 - 360.0, 1e-4);
    double x = 0.0;
    double y = 0.0;
    ASSERT_EQ(LatLonToPixel(p, lon, lat, x, y), 0);  // brought back past 180
    EXPECT_NEAR(x, 398.0, 1e-3);
}

}  // namespace
