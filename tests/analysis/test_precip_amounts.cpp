// The estimate on products made pixel by pixel: the amount of one cold
// pixel per season and band worked out by hand, the strict threshold,
// clamping, and the edges of the table and of the image.

#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "analysis/CPrecipEstimate.h"
#include "support/PrecipScenes.h"
#include "support/TestSupport.h"

namespace {

// One candidate at (20, 15) of a 40 x 30 image at temperature t1, with
// t2 = t1 - d, on a background at `warm` above the 240 K threshold. Only the
// candidate's four neighbours have a gradient (10 · (warm - t1) each), so
// its texture is g = 0.1 · 0.004 · 40 · (warm - t1) = 0.016 · (warm - t1).
struct AmountCase {
    const char* name;
    int month;
    double warm, t1, d;
    int amount;  // 0: no rain pixel
};

const AmountCase kAmountCases[] = {
    {"SpringColdest", 4, 300, 190, 0, 11},  // 0.0577237 · 190 = 10.97
    // 0.0110195 · 210 + 0.28244 · 2 + 1.84216 · 1.44 = 5.53
    {"SpringSecond", 4, 300, 210, -2, 6},
    {"SpringThird", 4, 300, 220, -1, 3},          // 2.143 · 1.28 + 0.0604319 = 2.80
    {"SpringWarmest", 4, 400, 235, 0, 1},         // 0.42907 · 2.64 - 0.00186563 · 235 = 0.69
    {"BelowHalfAMillimetre", 4, 300, 235, 0, 0},  // 0.42907 · 1.04 - 0.4384 = 0.008
    {"SummerColdest", 7, 300, 195, -3, 11},       // 0.0368462 · 195 + 1.11007 · 3 = 10.52
    {"SummerSecond", 7, 300, 210, -2, 5},         // 0.0146607 · 210 + 0.766437 · 2 = 4.61
    {"SummerThird", 7, 300, 225, -2, 4},          // 1.50855 · 1.2 + 0.881715 · 2 = 3.57
    {"SummerWarmest", 7, 300, 235, 0, 1},         // always 1
    {"AutumnColdest", 10, 300, 190, 1, 9},        // 4.15984 + 0.0263281 · 190 = 9.16
    {"AutumnSecond", 10, 300, 210, 0, 16},        // 10.7694 · 1.44 = 15.51
    {"AutumnThird", 10, 400, 220, 0, 2},          // 0.916415 · 2.88 - 0.00362595 · 220 = 1.84
    {"AutumnWarmest", 10, 300, 235, -5, 2},       // 0.416922 · 5 = 2.08
    // -2.12509 · 15 + 65.6601 · 0.656 - 0.0309575 · 200 = 5.01
    {"WinterColdest", 1, 241, 200, -15, 5},
    {"WinterSecond", 12, 300, 215, -10, 4},        // 0.000791122 · 215 + 0.35949 · 10 = 3.77
    {"WinterWarmestNegative", 2, 300, 230, 0, 0},  // -0.00187977 · 230 < 0
    {"AboveThirtyIsThirty", 9, 400, 210, 0, 30},   // 10.7694 · 3.04 = 32.7
    // Below 185 K, the coldest band's formula: 0.0577237 · 180 = 10.39 and
    // 0.0368462 · 180 + 1.11007 · 3 = 9.96.
    {"SpringBelow185", 5, 300, 180, 0, 10},
    {"SummerBelow185", 8, 300, 180, -3, 10},
    // Winter at exactly 205 K, the band below (the band above gives 4.48):
    // -2.12509 · 12 + 65.6601 · 0.576 - 0.0309575 · 205 = 5.97
    {"WinterAt205", 1, 241, 205, -12, 6},
};

class PrecipAmounts : public ::testing::TestWithParam<AmountCase> {};

}  // namespace

TEST_P(PrecipAmounts, OneCandidateByHand) {
    const AmountCase& c = GetParam();
    CTempDir dir;
    WritePrecipTables(dir.Path(), UniformThreshold(240.0));
    auto cold = [](int x, int y) { return x == 20 && y == 15; };
    const std::string ir1 = WritePrecipPair(
        dir.Path(), PrecipProductOptions(40, 30, c.month),
        [&](int x, int y) { return cold(x, y) ? c.t1 : c.warm; },
        [&](int x, int y) { return cold(x, y) ? c.t1 - c.d : c.warm; });
    CPrecipEstimate estimate(dir.Path());
    ASSERT_EQ(estimate.Compute(ir1, PrecipIr2Path(ir1)), 1);
    std::vector<std::tuple<int, int, int>> got;
    for (const PrecipPixel& p : estimate.Pixels()) {
        got.emplace_back(p.x, p.y, p.amount);
    }
    using Pixels = std::vector<std::tuple<int, int, int>>;
    const Pixels expected = c.amount == 0 ? Pixels{} : Pixels{{20, 15, c.amount}};
    EXPECT_EQ(got, expected);
}

INSTANTIATE_TEST_SUITE_P(SeasonsAndBands, PrecipAmounts, ::testing::ValuesIn(kAmountCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A pixel exactly at the threshold is no candidate; a hundredth below is.
TEST(PrecipThreshold, StrictlyBelow) {
    for (const auto& [t1, pixels] : {std::pair{240.0, 0u}, {239.99, 1u}, {240.01, 0u}}) {
        CTempDir dir;
        WritePrecipTables(dir.Path(), UniformThreshold(240.0));
        auto field = [t1 = t1](int x, int y) { return x == 20 && y == 15 ? t1 : 300.0; };
        const std::string ir1 =
            WritePrecipPair(dir.Path(), PrecipProductOptions(40, 30, 7), field, field);
        CPrecipEstimate estimate(dir.Path());
        ASSERT_EQ(estimate.Compute(ir1, PrecipIr2Path(ir1)), 1);
        EXPECT_EQ(estimate.Pixels().size(), pixels) << "t1 = " << t1;
    }
}

// A 40 x 30 product in the south-east corner of the table's domain: row y
// at 9.725 - 0.05 y N, column x at 132.795 + 0.05 x E. Only the table's last
// row (8.45-8.55 N) and last column (134.54-134.66 E) are warm enough for
// candidates: rows 24-25, columns 35-37. Row 26 (8.425 N) and column 38
// (134.695 E) are within half a cell of the table's edge, where the nearest
// row or column would be one past the last; they read the last one. Rows
// 27-28 lie south of 8.4 N; row 29 and column 39 are never estimated.
TEST(PrecipThreshold, TableEdgesReadTheLastRowAndColumn) {
    CTempDir dir;
    WritePrecipTables(dir.Path(), [](int r, int c) { return r == 511 || c == 511 ? 250 : 150; });
    AwxWriterOptions o = PrecipProductOptions(40, 30, 7);
    o.centerLon = 133.77;
    o.centerLat = 9.0;
    auto field = [](int, int) { return 240.0; };
    const std::string ir1 = WritePrecipPair(dir.Path(), o, field, field);
    CPrecipEstimate estimate(dir.Path());
    ASSERT_EQ(estimate.Compute(ir1, PrecipIr2Path(ir1)), 1);
    std::set<std::pair<int, int>> expected, got;
    for (int y = 0; y <= 26; ++y) {
        for (int x = 0; x <= 38; ++x) {
            if (y >= 24 || x >= 35) {
                expected.insert({x, y});
            }
        }
    }
    for (const PrecipPixel& p : estimate.Pixels()) {
        got.insert({p.x, p.y});
    }
    EXPECT_EQ(got, expected);
}

// A column ramp of 1.25 K per column from 200.5 K has the texture X = 2.5
// wherever it is defined, so in autumn every candidate gets 10.7694 · 0.25
// = 2.7 -> 3 mm, the edge rows and columns too (nearest defined texture);
// the last row and column are never estimated; pixels come row by row.
TEST(PrecipImageEdges, EdgesTakeTheNearestTextureLastRowAndColumnNever) {
    CTempDir dir;
    WritePrecipTables(dir.Path(), UniformThreshold(240.0));
    auto ramp = [](int x, int) { return 200.5 + 1.25 * x; };
    const std::string ir1 =
        WritePrecipPair(dir.Path(), PrecipProductOptions(12, 10, 10), ramp, ramp);
    CPrecipEstimate estimate(dir.Path());
    ASSERT_EQ(estimate.Compute(ir1, PrecipIr2Path(ir1)), 1);
    std::vector<std::tuple<int, int, int>> expected, got;
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 11; ++x) {
            expected.emplace_back(x, y, 3);
        }
    }
    for (const PrecipPixel& p : estimate.Pixels()) {
        got.emplace_back(p.x, p.y, p.amount);
    }
    EXPECT_EQ(got, expected);
}
