#include <gtest/gtest.h>

#include "GeoTestCases.h"
#include "geo/GeoExtent.h"

namespace {

TEST(GeoExtent, EqualLatLonSampleImage) {
    ProjectionParams p;
    ASSERT_EQ(SetUpProjection(EqualLatLon, 97.5, 27.5, 0.05, 1900, 1300, 0.0, 0.0, p), 0);
    ComputeGeoExtent(p);
    EXPECT_NEAR(p.westLon, 97.5 - 949.5 * 0.05, 1e-4);
    EXPECT_NEAR(p.eastLon, 97.5 + (1898.9 - 949.5) * 0.05, 1e-4);
    EXPECT_NEAR(p.northLat, 27.5 + 649.5 * 0.05, 1e-4);
    EXPECT_NEAR(p.southLat, 27.5 - (1298.9 - 649.5) * 0.05, 1e-4);
    // Stored from the single-precision transform results.
    EXPECT_EQ(p.westLon, static_cast<double>(static_cast<float>(p.westLon)));
}

TEST(GeoExtent, BoxRunsPastTheDateLine) {
    const struct {
        SetUpArgs args;
        double westLon;
        double eastLon;
    } rows[] = {
        {{"East", EqualLatLon, 175.0, 0.0, 0.1, 400, 200, 0.0, 0.0}, 155.05, 194.94},
        {{"West", EqualLatLon, -175.0, 0.0, 0.1, 400, 200, 0.0, 0.0}, -194.95, -155.06},
    };
    for (const auto& row : rows) {
        ProjectionParams p;
        ASSERT_EQ(SetUpCase(row.args, p), 0);
        ComputeGeoExtent(p);
        EXPECT_NEAR(p.westLon, row.westLon, 1e-4) << row.args.name;
        EXPECT_NEAR(p.eastLon, row.eastLon, 1e-4) << row.args.name;
    }
}

// For northern conic and polar images whose pole lies above the top row the
// corners and the top centre hold the extremes: no pixel lies outside the box.
TEST(GeoExtent, BoxHoldsEveryPixelOfNorthernImages) {
    for (const auto& args : GeolocatedCases()) {
        ProjectionParams p;
        ASSERT_EQ(SetUpCase(args, p), 0);
        if (p.centerLat < 0.0 || p.type == EqualLatLon || p.type == Mercator || p.originY >= 0.0) {
            continue;
        }
        ComputeGeoExtent(p);
        ASSERT_LT(p.westLon, p.eastLon) << args.name;
        ASSERT_LT(p.southLat, p.northLat) << args.name;
        for (double y = 0.0; y < p.height - 1; y += 37.0) {
            for (double x = 0.0; x < p.width - 1; x += 37.0) {
                float lon = 0.0f;
                float lat = 0.0f;
                ASSERT_EQ(PixelToLatLon(p, x, y, lon, lat), 0);
                EXPECT_GE(lat, p.southLat - 1e-3) << args.name << " " << x << "," << y;
                EXPECT_LE(lat, p.northLat + 1e-3) << args.name << " " << x << "," << y;
            }
        }
    }
}

TEST(GeoExtent, DiskBoxIsEmpty) {
    ProjectionParams p;
    ASSERT_EQ(SetUpProjection(Disk, 104.5, 0.0, 5.0, 2048, 2048, 0.0, 0.0, p), 0);
    p.westLon = 50.0;
    p.eastLon = 150.0;
    p.southLat = -60.0;
    p.northLat = 60.0;
    ComputeGeoExtent(p);
    EXPECT_EQ(p.westLon, 0.0);
    EXPECT_EQ(p.eastLon, 0.0);
    EXPECT_EQ(p.southLat, 0.0);
    EXPECT_EQ(p.northLat, 0.0);
}

}  // namespace
