#include <gtest/gtest.h>

#include <cmath>

#include "GeoTestCases.h"
#include "geo/GeoConstants.h"

namespace {

// Every row differs from a valid set-up of its type in one value.
const std::vector<SetUpArgs> kRejected = {
    {"TypeBelow", -1, 100.0, 30.0, 5.0, 500, 500, 30.0, 60.0},
    {"TypeAbove", 6, 100.0, 30.0, 5.0, 500, 500, 30.0, 60.0},
    {"CenterLonWest", Mercator, -180.5, 30.0, 5.0, 500, 500, 0.0, 0.0},
    {"CenterLonEast", Mercator, 360.5, 30.0, 5.0, 500, 500, 0.0, 0.0},
    {"CenterLatNorth", Lambert, 100.0, 85.5, 5.0, 500, 500, 30.0, 60.0},
    {"CenterLatSouth", Lambert, 100.0, -85.5, 5.0, 500, 500, 30.0, 60.0},
    {"DegreesTooFine", EqualLatLon, 100.0, 30.0, 0.005, 500, 500, 0.0, 0.0},
    {"DegreesTooCoarse", EqualLatLon, 100.0, 30.0, 1.01, 500, 500, 0.0, 0.0},
    {"KmTooFine", Lambert, 100.0, 30.0, 0.5, 500, 500, 30.0, 60.0},
    {"KmTooCoarse", Albers, 100.0, 30.0, 101.0, 500, 500, 25.0, 47.0},
    {"KmOnDisk", Disk, 100.0, 0.0, 0.5, 500, 500, 0.0, 0.0},
    {"WidthSmall", EqualLatLon, 100.0, 30.0, 0.05, 9, 500, 0.0, 0.0},
    {"WidthLarge", EqualLatLon, 100.0, 30.0, 0.05, 8193, 500, 0.0, 0.0},
    {"HeightSmall", Mercator, 100.0, 30.0, 5.0, 500, 9, 0.0, 0.0},
    {"HeightLarge", Mercator, 100.0, 30.0, 5.0, 500, 8193, 0.0, 0.0},
    {"StdLat1Pole", Lambert, 100.0, 30.0, 5.0, 500, 500, 90.0, 60.0},
    {"StdLat2SouthPole", Lambert, 100.0, 30.0, 5.0, 500, 500, 30.0, -90.0},
    {"StdLatNaN", Mercator, 100.0, 30.0, 5.0, 500, 500, std::nan(""), 0.0},
    // No usable cone or scale: both parallels on the equator, or a conic
    // centre on the equator whose pixel spans no radius.
    {"LambertCylinder", Lambert, 100.0, 30.0, 5.0, 500, 500, 0.0, 0.0},
    {"LambertEquatorCentre", Lambert, 100.0, 0.0, 5.0, 500, 500, 30.0, 60.0},
    {"PolarEquatorCentre", PolarStereographic, 100.0, 0.0, 5.0, 500, 500, 60.0, 60.0},
};

const std::vector<SetUpArgs> kAcceptedBounds = {
    {"DegreesFinest", EqualLatLon, -180.0, -85.0, 0.008, 10, 10, 0.0, 0.0},
    {"DegreesCoarsest", EqualLatLon, 360.0, 85.0, 1.0, 2048, 2048, 89.9, -89.9},
    {"KmFinest", Mercator, 0.0, 0.0, 1.0, 2048, 2048, 0.0, 0.0},
    {"KmCoarsest", PolarStereographic, 0.0, 85.0, 100.0, 10, 10, 60.0, 60.0},
    {"Disk", Disk, 104.5, 0.0, 5.0, 2048, 2048, 0.0, 0.0},
    // Real FY-2G Mercator products and FY-4 class sizes.
    {"WideMercator", Mercator, 104.5, 0.0, 5.0, 2228, 1100, 0.0, 0.0},
    {"Largest", EqualLatLon, 104.5, 0.0, 0.01, 8192, 8192, 0.0, 0.0},
};

class RejectedSetUp : public testing::TestWithParam<SetUpArgs> {};

TEST_P(RejectedSetUp, ReturnsMinusOneAndLeavesRecordUntouched) {
    ProjectionParams out;
    out.scale = 123.0;
    out.westLon = -7.0;
    EXPECT_EQ(SetUpCase(GetParam(), out), -1);
    EXPECT_EQ(out.scale, 123.0);
    EXPECT_EQ(out.westLon, -7.0);
    EXPECT_EQ(out.type, 0);
}

INSTANTIATE_TEST_SUITE_P(Ranges, RejectedSetUp, testing::ValuesIn(kRejected),
                         [](const auto& info) { return info.param.name; });

class AcceptedSetUp : public testing::TestWithParam<SetUpArgs> {};

TEST_P(AcceptedSetUp, BoundsAreInclusive) {
    ProjectionParams out;
    out.westLon = -7.0;
    ASSERT_EQ(SetUpCase(GetParam(), out), 0);
    EXPECT_EQ(out.type, GetParam().type);
    EXPECT_EQ(out.refLon, GetParam().centerLon);
    EXPECT_EQ(out.westLon, 0.0);  // the record is cleared before it is filled
}

INSTANTIATE_TEST_SUITE_P(Ranges, AcceptedSetUp, testing::ValuesIn(kAcceptedBounds),
                         [](const auto& info) { return info.param.name; });

TEST(ProjectionSetUp, WidthRoundsToNearestMultipleOfFour) {
    const struct {
        int width;
        int stored;
    } rows[] = {{1001, 1000}, {1002, 1004}, {1003, 1004}, {1000, 1000}, {10, 12}, {2047, 2048}};
    for (const auto& row : rows) {
        ProjectionParams p;
        ASSERT_EQ(SetUpProjection(EqualLatLon, 0.0, 0.0, 0.1, row.width, 301, 0.0, 0.0, p), 0);
        EXPECT_EQ(p.width, row.stored) << row.width;
        EXPECT_EQ(p.height, 301);
        // centreLon 0: the origin is the centre column of the stored width.
        EXPECT_DOUBLE_EQ(p.originX, (row.stored - 1) * 0.5) << row.width;
        EXPECT_DOUBLE_EQ(p.originY, 150.0);
    }
}

TEST(ProjectionSetUp, EqualLatLonColumnSpacing) {
    const struct {
        double stdLat1;
        double resolution;
        double lonScale;
        double scale;
    } rows[] = {
        {0.05, 0.05, 20.0, 20.0},  // spacing given and equal to the resolution
        {0.1, 0.05, 10.0, 20.0},   // columns twice as wide as rows
        {30.0, 0.1, 10.0, 10.0},   // a real parallel: spacing falls back
        {0.0, 0.1, 10.0, 10.0},   {-0.05, 0.1, 10.0, 10.0},
    };
    for (const auto& row : rows) {
        ProjectionParams p;
        ASSERT_EQ(SetUpProjection(EqualLatLon, 100.0, 30.0, row.resolution, 400, 400, row.stdLat1,
                                  0.0, p),
                  0);
        EXPECT_DOUBLE_EQ(p.lonScale, row.lonScale) << row.stdLat1;
        EXPECT_DOUBLE_EQ(p.scale, row.scale) << row.stdLat1;
        EXPECT_DOUBLE_EQ(p.resolutionDeg, row.resolution);
        EXPECT_EQ(p.coneConstant, 0.0);
    }
}

TEST(ProjectionSetUp, ConeConstants) {
    const struct {
        int type;
        double centerLat;
        double stdLat1;
        double stdLat2;
        double n;
        double tolerance;
    } rows[] = {
        {Lambert, 35.0, 30.0, 60.0, 0.71557, 5e-6},
        {Lambert, 35.0, 60.0, 30.0, 0.71557, 5e-6},
        {Lambert, -35.0, -30.0, -60.0, 0.71557, 5e-6},  // magnitudes of signed parallels
        {Lambert, 35.0, 30.0, 30.0, std::sin(30.0 * kConeDegToRad), 0.0},
        {Lambert, -45.0, -45.0, -45.0, std::sin(45.0 * kConeDegToRad), 0.0},
        {Lambert, 45.0, 45.0, -45.0, std::sin(45.0 * kConeDegToRad), 0.0},
        {PolarStereographic, 60.0, 30.0, 60.0, 1.0, 0.0},
        {Albers, 35.0, 25.0, 47.0, 0.57710901, 0.0},
        {Mercator, 35.0, 30.0, 60.0, 0.0, 0.0},
    };
    for (const auto& row : rows) {
        ProjectionParams p;
        ASSERT_EQ(SetUpProjection(row.type, 100.0, row.centerLat, 5.0, 400, 400, row.stdLat1,
                                  row.stdLat2, p),
                  0);
        EXPECT_NEAR(p.coneConstant, row.n, row.tolerance) << row.stdLat1 << " " << row.stdLat2;
        const double sign = row.centerLat < 0.0 ? -1.0 : 1.0;
        EXPECT_DOUBLE_EQ(p.angleFactor, sign * p.coneConstant * kDegToRad);
    }
}

}  // namespace
