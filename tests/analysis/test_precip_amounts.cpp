// The precipitation estimate on products made pixel by pixel: the amount of
// one cold pixel per season and band worked out by hand, the strict
// threshold, clamping, the table's edges and the image's edges.

#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "analysis/CPrecipEstimate.h"
#include "support/PrecipScenes.h"

namespace {

constexpr int kWidth = 40;
constexpr int kHeight = 30;
constexpr int kColdX = 20;
constexpr int kColdY = 15;

// One candidate at (20, 15) with temperature t1 on a background of
// temperature `warm`; the background stays above the 240 K threshold. Only
// the four neighbours of the candidate have a gradient (10 · (warm - t1)
// each), so its texture is X = 0.004 · 40 · (warm - t1) and g = 0.1 · X.
struct AmountCase {
    const char* name;
    int month;
    double warm;
    double t1;
    double d;    // t1 - t2 at the candidate
    int amount;  // 0: no rain pixel
};

// Amounts by hand, g = 0.016 · (warm - t1):
const AmountCase kAmountCases[] = {
    // spring: 0.0577237 · 190 = 10.97
    {"SpringColdest", 4, 300, 190, 0, 11},
    // 0.0110195 · 210 + 0.28244 · 2 + 1.84216 · 1.44 = 5.53
    {"SpringSecond", 4, 300, 210, -2, 6},
    // 2.143 · 1.28 + 0.0604319 = 2.80
    {"SpringThird", 4, 300, 220, -1, 3},
    // 0.42907 · 2.64 - 0.00186563 · 235 = 0.69
    {"SpringWarmest", 4, 400, 235, 0, 1},
    // 0.42907 · 1.04 - 0.00186563 · 235 = 0.008: below half a millimetre
    {"SpringWarmestTooLittle", 4, 300, 235, 0, 0},
    // summer: 0.0368462 · 195 + 1.11007 · 3 = 10.52
    {"SummerColdest", 7, 300, 195, -3, 11},
    // 0.0146607 · 210 + 0.766437 · 2 = 4.61
    {"SummerSecond", 7, 300, 210, -2, 5},
    // 1.50855 · 1.2 + 0.881715 · 2 = 3.57
    {"SummerThird", 7, 300, 225, -2, 4},
    // every summer candidate above 230 K gets 1 mm
    {"SummerWarmest", 7, 300, 235, 0, 1},
    // autumn: 4.15984 · 1 + 0.0263281 · 190 = 9.16
    {"AutumnColdest", 10, 300, 190, 1, 9},
    // 10.7694 · 1.44 = 15.51
    {"AutumnSecond", 10, 300, 210, 0, 16},
    // 0.916415 · 2.88 - 0.00362595 · 220 = 1.84
    {"AutumnThird", 10, 400, 220, 0, 2},
    // 0.416922 · 5 = 2.08
    {"AutumnWarmest", 10, 300, 235, -5, 2},
    // winter: -2.12509 · 15 + 65.6601 · 0.656 - 0.0309575 · 200 = 5.01
    {"WinterColdest", 1, 241, 200, -15, 5},
    // 0.000791122 · 215 + 0.35949 · 10 = 3.77
    {"WinterSecond", 12, 300, 215, -10, 4},
    // -0.00187977 · 230 < 0: no rain
    {"WinterWarmestNegative", 2, 300, 230, 0, 0},
    // Clamped: 10.7694 · 3.04 = 32.7 is stored as 30
    {"AboveThirtyIsThirty", 9, 400, 210, 0, 30},
    // Below 185 K the coldest band's formula: 0.0577237 · 180 = 10.39
    {"SpringBelow185", 5, 300, 180, 0, 10},
    // 0.0368462 · 180 + 1.11007 · 3 = 9.96
    {"SummerBelow185", 8, 300, 180, -3, 10},
    // Winter at exactly 205 K takes the band below:
    // -2.12509 · 12 + 65.6601 · 0.576 - 0.0309575 · 205 = 5.97
    // (the band above would give 4.48)
    {"WinterAt205", 1, 241, 205, -12, 6},
};

class PrecipAmounts : public ::testing::TestWithParam<AmountCase> {};

std::vector<PrecipPixel> EstimateOneCandidate(const AmountCase& c, int& result) {
    CTempDir dir;
    WritePrecipTables(dir.Path(), UniformThreshold(240.0));
    const AwxWriterOptions o = PrecipProductOptions(kWidth, kHeight, c.month);
    auto isCold = [](int x, int y) { return x == kColdX && y == kColdY; };
    const std::string ir1 = WritePrecipPair(
        dir.Path(), o, [&](int x, int y) { return isCold(x, y) ? c.t1 : c.warm; },
        [&](int x, int y) { return isCold(x, y) ? c.t1 - c.d : c.warm; });
    CPrecipEstimate estimate(dir.Path());
    result = estimate.Compute(ir1, PrecipIr2Path(ir1));
    return estimate.Pixels();
}

}  // namespace

TEST_P(PrecipAmounts, OneCandidateByHand) {
    const AmountCase& c = GetParam();
    int result = 0;
    const std::vector<PrecipPixel> pixels = EstimateOneCandidate(c, result);
    ASSERT_EQ(result, 1);
    if (c.amount == 0) {
        EXPECT_TRUE(pixels.empty());
        return;
    }
    ASSERT_EQ(pixels.size(), 1u);
    EXPECT_EQ(pixels[0].x, kColdX);
    EXPECT_EQ(pixels[0].y, kColdY);
    EXPECT_EQ(pixels[0].amount, c.amount);
}

INSTANTIATE_TEST_SUITE_P(SeasonsAndBands, PrecipAmounts, ::testing::ValuesIn(kAmountCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A pixel exactly at the threshold is no candidate; a hundredth below is.
TEST(PrecipThreshold, StrictlyBelow) {
    const struct {
        double t1;
        std::size_t pixels;
    } kCases[] = {{240.0, 0}, {239.99, 1}, {240.01, 0}};
    for (const auto& c : kCases) {
        CTempDir dir;
        WritePrecipTables(dir.Path(), UniformThreshold(240.0));
        auto field = [&](int x, int y) { return x == kColdX && y == kColdY ? c.t1 : 300.0; };
        const std::string ir1 =
            WritePrecipPair(dir.Path(), PrecipProductOptions(kWidth, kHeight, 7), field, field);
        CPrecipEstimate estimate(dir.Path());
        ASSERT_EQ(estimate.Compute(ir1, PrecipIr2Path(ir1)), 1);
        EXPECT_EQ(estimate.Pixels().size(), c.pixels) << "t1 = " << c.t1;
    }
}

// A product in the south-east corner of the table's domain, 0.05 degree per
// pixel: row y lies at 9.725 - 0.05 y N, column x at 132.795 + 0.05 x E. Only
// the last row (8.45-8.55 N) and the last column (134.54-134.66 E) of the
// table are warm enough to make candidates: rows 24-25 and columns 35-37.
// Row 26 (8.425 N) and column 38 (134.695 E) lie within half a cell of the
// table's south and east edges, where the nearest table row or column would
// be one past the last; they read the last one. Rows 27 and 28 lie south of
// 8.4 N, outside the domain; row 29 and column 39 are never estimated.
TEST(PrecipThreshold, TableEdgesReadTheLastRowAndColumn) {
    CTempDir dir;
    WritePrecipTables(dir.Path(),
                      [](int r, int c) { return r == 511 || c == 511 ? 250.0 : 150.0; });
    AwxWriterOptions o = PrecipProductOptions(kWidth, kHeight, 7);
    o.centerLon = 133.77;
    o.centerLat = 9.0;
    auto field = [](int, int) { return 240.0; };
    const std::string ir1 = WritePrecipPair(dir.Path(), o, field, field);
    CPrecipEstimate estimate(dir.Path());
    ASSERT_EQ(estimate.Compute(ir1, PrecipIr2Path(ir1)), 1);

    std::set<std::pair<int, int>> expected;
    for (int y = 0; y <= 26; ++y) {
        for (int x = 0; x <= 38; ++x) {
            if (y >= 24 || x >= 35) {
                expected.insert({x, y});
            }
        }
    }
    std::set<std::pair<int, int>> got;
    for (const PrecipPixel& p : estimate.Pixels()) {
        got.insert({p.x, p.y});
        EXPECT_EQ(p.amount, 1);
    }
    EXPECT_EQ(got, expected);
}

// A steep column ramp (1.25 K per column, 200.5 K at the left) has the same
// texture everywhere, X = 2.5, so in autumn every candidate gets
// 10.7694 · 0.25 = 2.7 -> 3 mm: the edge rows and columns, outside the area
// where the texture is defined, take the texture of the nearest defined
// pixel. The last row and the last column are never estimated, and pixels
// come row by row, left to right.
TEST(PrecipImageEdges, EdgesTakeTheNearestTextureLastRowAndColumnNever) {
    CTempDir dir;
    WritePrecipTables(dir.Path(), UniformThreshold(240.0));
    const int width = 12;
    const int height = 10;
    auto ramp = [](int x, int) { return 200.5 + 1.25 * x; };
    const std::string ir1 =
        WritePrecipPair(dir.Path(), PrecipProductOptions(width, height, 10), ramp, ramp);
    CPrecipEstimate estimate(dir.Path());
    ASSERT_EQ(estimate.Compute(ir1, PrecipIr2Path(ir1)), 1);

    std::vector<std::tuple<int, int, int>> expected;
    for (int y = 0; y < height - 1; ++y) {
        for (int x = 0; x < width - 1; ++x) {
            expected.emplace_back(x, y, 3);
        }
    }
    std::vector<std::tuple<int, int, int>> got;
    for (const PrecipPixel& p : estimate.Pixels()) {
        got.emplace_back(p.x, p.y, p.amount);
    }
    EXPECT_EQ(got, expected);
}
