// The area tool's numbers against a brute-force sum over the box's pixels,
// and the boxes it accepts, clips and refuses.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "convection/AreaStatistics.h"
#include "convection/PixelBox.h"
#include "geo/Projection.h"
#include "support/ConvectionProducts.h"

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 200;
const std::array<float, 2> kColdK = {241.15f, 221.15f};

// Values from 300 K down to 172.5 K in a pattern no box sums by accident.
TestImage PatternImage() {
    TestImage image(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            image.counts[static_cast<std::size_t>(y) * kWidth + x] =
                static_cast<std::uint8_t>((x * 7 + y * 13) % 256);
        }
    }
    return image;
}

AreaStatistics BruteForce(const TestImage& image, const CPixelAreas& areas, const PixelBox& box) {
    AreaStatistics s;
    s.hasArea = !areas.Empty();
    s.minValue = 1e9f;
    s.maxValue = -1e9f;
    double sum = 0.0;
    for (int y = box.y0; y <= box.y1; ++y) {
        for (int x = box.x0; x <= box.x1; ++x) {
            const float v = image.table[image.counts[static_cast<std::size_t>(y) * kWidth + x]];
            const double a = s.hasArea ? areas.At(x, y) : 0.0;
            ++s.pixels;
            s.areaKm2 += a;
            sum += v;
            s.minValue = std::min(s.minValue, v);
            s.maxValue = std::max(s.maxValue, v);
            for (std::size_t t = 0; t < 2; ++t) {
                if (v < kColdK[t]) {
                    ++s.coldPixels[t];
                    s.coldAreaKm2[t] += a;
                }
            }
        }
    }
    s.meanValue = sum / static_cast<double>(s.pixels);
    return s;
}

struct BoxCase {
    const char* name;
    int type;
    PixelBox box;  // before clipping
};

const BoxCase kBoxes[] = {
    {"inside, Lambert", Lambert, {40, 30, 139, 99}},
    {"whole image, Mercator", Mercator, {0, 0, kWidth - 1, kHeight - 1}},
    {"reaching beyond two edges, equal lat/lon", EqualLatLon, {250, -20, 400, 50}},
    {"corners given in reverse, polar", PolarStereographic, {120, 150, 20, 60}},
    {"one pixel, Lambert", Lambert, {5, 7, 5, 7}},
    {"no geolocation, full disk", Disk, {10, 10, 109, 59}},
};

TEST(AreaStatistics, MatchABruteForceSum) {
    const TestImage image = PatternImage();
    for (const BoxCase& c : kBoxes) {
        ProjectionParams params;
        if (c.type != Disk) {
            ASSERT_EQ(SetUpProjection(c.type, 110.0, 35.0, c.type == EqualLatLon ? 0.05 : 5.0,
                                      kWidth, kHeight, 30.0, 60.0, params),
                      0)
                << c.name;
        } else {
            params.type = Disk;
            params.width = kWidth;
            params.height = kHeight;
        }
        CPixelAreas areas;
        EXPECT_EQ(areas.Build(params, kWidth, kHeight), c.type != Disk) << c.name;
        PixelBox box = c.box;
        ASSERT_TRUE(ClipPixelBox(box, kWidth, kHeight)) << c.name;
        const AreaStatistics got = ComputeAreaStatistics(image.Grid(), areas, box, kColdK);
        const AreaStatistics want = BruteForce(image, areas, box);
        EXPECT_EQ(got.pixels, want.pixels) << c.name;
        EXPECT_EQ(got.hasArea, want.hasArea) << c.name;
        EXPECT_NEAR(got.areaKm2, want.areaKm2, 1e-5 * want.areaKm2 + 1e-6) << c.name;
        EXPECT_EQ(got.minValue, want.minValue) << c.name;
        EXPECT_EQ(got.maxValue, want.maxValue) << c.name;
        EXPECT_NEAR(got.meanValue, want.meanValue, 1e-9 * want.meanValue) << c.name;
        for (std::size_t t = 0; t < 2; ++t) {
            EXPECT_EQ(got.coldPixels[t], want.coldPixels[t]) << c.name;
            EXPECT_NEAR(got.coldAreaKm2[t], want.coldAreaKm2[t], 1e-5 * want.coldAreaKm2[t] + 1e-6)
                << c.name;
        }
    }
}

TEST(AreaStatistics, BoxesClippedOrRefused) {
    struct Case {
        const char* name;
        PixelBox box;
        bool kept;
        PixelBox clipped;
    };
    const Case cases[] = {
        {"inside", {1, 2, 3, 4}, true, {1, 2, 3, 4}},
        {"reversed", {3, 4, 1, 2}, true, {1, 2, 3, 4}},
        {"over every edge", {-5, -5, 500, 500}, true, {0, 0, kWidth - 1, kHeight - 1}},
        {"left of the image", {-50, 10, -1, 20}, false, {}},
        {"below the image", {10, kHeight, 20, kHeight + 9}, false, {}},
    };
    for (const Case& c : cases) {
        PixelBox box = c.box;
        ASSERT_EQ(ClipPixelBox(box, kWidth, kHeight), c.kept) << c.name;
        if (c.kept) {
            EXPECT_EQ(box.x0, c.clipped.x0) << c.name;
            EXPECT_EQ(box.y0, c.clipped.y0) << c.name;
            EXPECT_EQ(box.x1, c.clipped.x1) << c.name;
            EXPECT_EQ(box.y1, c.clipped.y1) << c.name;
        }
    }
}

TEST(AreaStatistics, LongitudeLatitudeBoxes) {
    // 0.05 degree around 105E 30N (column 149.5 is 105E, row 99.5 is 30N):
    // 100.01E..109.99E is columns 49.7..249.3, 25.01N..36N rows 199.3..-20.5,
    // clipped at the top.
    ProjectionParams params;
    ASSERT_EQ(SetUpProjection(EqualLatLon, 105.0, 30.0, 0.05, kWidth, kHeight, 30.0, 60.0, params),
              0);
    PixelBox box;
    ASSERT_EQ(LonLatBoxToPixels(params, 100.01, 109.99, 25.01, 36.0, box), "");
    EXPECT_EQ(box.x0, 50);
    EXPECT_EQ(box.x1, 249);
    EXPECT_EQ(box.y0, 0);
    EXPECT_EQ(box.y1, 199);

    EXPECT_NE(LonLatBoxToPixels(params, 0.0, 10.0, 0.0, 10.0, box), "") << "wholly outside";
    EXPECT_NE(LonLatBoxToPixels(params, 100.0, 110.0, 35.0, 25.0, box), "") << "south above north";
    ProjectionParams disk;
    disk.type = Disk;
    disk.width = kWidth;
    disk.height = kHeight;
    EXPECT_NE(LonLatBoxToPixels(disk, 100.0, 110.0, 25.0, 35.0, box), "") << "full disk";
}

}  // namespace
