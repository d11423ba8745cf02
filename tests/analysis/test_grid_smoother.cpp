#include <gtest/gtest.h>

#include <vector>

#include "analysis/CGridSmoother.h"

namespace {
constexpr float M = 999.0f;
}

TEST(GridSmoother, WeightedAveragesTheInteriorOnly) {
    std::vector<float> grid = {1, 0, 0, 0, 6, 0, 0, 0, 9};
    ASSERT_TRUE(CGridSmoother::SmoothWeighted(grid.data(), 3, 3, 1, 1, 1, M));
    // Centre 1/3, corners 1/12 each.
    EXPECT_FLOAT_EQ(grid[4], 6.0f / 3 + 10.0f / 12);
    EXPECT_EQ(grid, (std::vector<float>{1, 0, 0, 0, grid[4], 0, 0, 0, 9}));
}

TEST(GridSmoother, WeightedLeavesMissingNeighboursOut) {
    struct Case {
        float centre, edge, corner;
        std::vector<float> grid;
        float expected;
    };
    const Case cases[] = {
        // The missing corner's 1/12 leaves the weight sum at 11/12.
        {1, 1, 1, {M, 0, 0, 0, 0, 0, 0, 0, 9}, (9.0f / 12) / (11.0f / 12)},
        // Weights 2, 1, 1: centre 1/2, edges and corners 1/16.
        {2, 1, 1, {0, 4, 0, 0, 8, 0, 0, 0, 0}, 8.0f / 2 + 4.0f / 16},
        // A missing centre stays missing.
        {1, 1, 1, {1, 1, 1, 1, M, 1, 1, 1, 1}, M},
        // No valid weight at all: missing.
        {0, 1, 1, {M, M, M, M, 5, M, M, M, M}, M},
    };
    for (const Case& c : cases) {
        std::vector<float> grid = c.grid;
        ASSERT_TRUE(
            CGridSmoother::SmoothWeighted(grid.data(), 3, 3, c.centre, c.edge, c.corner, M));
        EXPECT_FLOAT_EQ(grid[4], c.expected);
    }
}

TEST(GridSmoother, WeightedReadsOnlyUnsmoothedValues) {
    std::vector<float> grid(4 * 3, 0.0f);
    grid[5] = 12.0f;  // interior (2, 2); its neighbour (3, 2) is interior too
    ASSERT_TRUE(CGridSmoother::SmoothWeighted(grid.data(), 4, 3, 1, 1, 1, M));
    EXPECT_FLOAT_EQ(grid[5], 4.0f);
    EXPECT_FLOAT_EQ(grid[6], 1.0f);  // 12 / 12 from the original, not from 4
    EXPECT_FALSE(CGridSmoother::SmoothWeighted(grid.data(), 4, 3, 0, 0, 0, M));
    EXPECT_FALSE(CGridSmoother::SmoothWeighted(nullptr, 4, 3, 1, 1, 1, M));
}

TEST(GridSmoother, BoxMeanClampsItsWindowAtTheEdges) {
    struct Case {
        int window;
        std::vector<float> row;
        std::vector<float> expected;
    };
    // The window keeps its width: at an edge it moves inward instead of
    // being cut, so edge points are averaged over as many points as others.
    const Case cases[] = {
        {3, {1, 2, 3, 10}, {2, 2, 5, 5}},
        {4, {1, 2, 3, 10}, {4, 4, 4, 4}},  // columns c-2 .. c+1, moved inside
        {3, {1, M, 3, 10}, {2, M, 6.5f, 6.5f}},
        {1, {1, M, 3, 10}, {1, M, 3, 10}},
    };
    for (const Case& c : cases) {
        std::vector<float> grid = c.row;
        ASSERT_TRUE(CGridSmoother::SmoothBoxMean(grid.data(), 4, 1, c.window, M));
        for (std::size_t n = 0; n < grid.size(); ++n) {
            EXPECT_FLOAT_EQ(grid[n], c.expected[n]) << "window " << c.window << " column " << n;
        }
    }
}

TEST(GridSmoother, BoxMeanWorksInBothDirections) {
    // Column c, rows r: window 3 at the corner moves inside and covers the
    // whole 3 x 3 grid, the missing centre left out.
    std::vector<float> grid = {0, 4, 8, 12, M, 20, 24, 28, 32};
    ASSERT_TRUE(CGridSmoother::SmoothBoxMean(grid.data(), 3, 3, 3, M));
    EXPECT_FLOAT_EQ(grid[0], 128 / 8.0f);
    EXPECT_EQ(grid[4], M);
    EXPECT_FLOAT_EQ(grid[8], 128 / 8.0f);
    // A 4 x 2 grid: rows 0..1 always; columns 1..3 for the last column.
    std::vector<float> wide = {0, 0, 6, 6, 0, 0, 6, 6};
    ASSERT_TRUE(CGridSmoother::SmoothBoxMean(wide.data(), 4, 2, 3, M));
    EXPECT_FLOAT_EQ(wide[3], 4.0f);
    EXPECT_FLOAT_EQ(wide[4], 2.0f);
}
