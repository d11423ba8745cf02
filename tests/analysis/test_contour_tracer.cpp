#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "analysis/ContourTestGrids.h"
#include "platform/Message.h"

namespace {
using Points = std::vector<std::pair<float, float>>;
constexpr float M = kTestMissing;

const std::vector<float> kSingleHigh = {0, 0, 0, 0, 1, 0, 0, 0, 0};

std::vector<TracedLine> Trace(const std::vector<float>& grid, int nx, int ny, float level,
                              int projectionCode = 1, float dx = 1.0f) {
    CContourTracer tracer;
    EXPECT_EQ(PrepareUnit(tracer, grid, nx, ny, projectionCode, dx), 0);
    tracer.TraceLevel(level);
    return LinesOf(tracer);
}
}  // namespace

TEST(ContourTracer, SingleHighPointGivesOneClosedFivePointLine) {
    const auto lines = Trace(kSingleHigh, 3, 3, 0.5f);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].count, -5);
    const Points expected = {
        {0.5f, -1.0f}, {1.0f, -0.5f}, {1.5f, -1.0f}, {1.0f, -1.5f}, {0.5f, -1.0f}};
    EXPECT_EQ(lines[0].points, expected);
}

TEST(ContourTracer, SingleHighPointNeverVisitsTheDiagonals) {
    std::vector<float> grid = kSingleHigh;
    grid[0] = grid[2] = grid[6] = grid[8] = M;
    const auto lines = Trace(grid, 3, 3, 0.5f);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].count, -5);
}

TEST(ContourTracer, GeometryOfBothInstanceKinds) {
    CContourTracer reporting;
    ASSERT_EQ(
        reporting.Prepare(kSingleHigh.data(), 3, 3, 50.0f, 100.0f, 2.0f, 0.5f, 1, 10.0f, -10.0f, M),
        0);
    reporting.TraceLevel(0.5f);
    ASSERT_EQ(reporting.LineCount(), 1);
    EXPECT_FLOAT_EQ(reporting.X()[0], 101.0f);  // 100 + 0.5 * 2
    EXPECT_FLOAT_EQ(reporting.Y()[0], 49.5f);   // 50 - 1 * 0.5
    EXPECT_FLOAT_EQ(reporting.Y()[1], 49.75f);  // half-way up toward row 1

    CContourTracer quiet;
    ASSERT_EQ(quiet.PrepareQuiet(kSingleHigh.data(), 3, 3, 4.0f, 4.0f, 10.0f, -10.0f, M), 0);
    quiet.TraceLevel(0.5f);
    ASSERT_EQ(quiet.LineCount(), 1);
    EXPECT_FLOAT_EQ(quiet.X()[0], 2.0f);   // (0 + 0.5) * 4
    EXPECT_FLOAT_EQ(quiet.Y()[0], 8.0f);   // (3 - 1) * 4
    EXPECT_FLOAT_EQ(quiet.Y()[1], 10.0f);  // (3 - 0.5) * 4
}

TEST(ContourTracer, RowConstantFieldGivesOpenLinesAcrossTheGrid) {
    const std::vector<float> grid = {10, 10, 10, 10, 20, 20, 20, 20, 30, 30, 30, 30};
    // The cell centre equals the level: only the vertical crossings.
    auto lines = Trace(grid, 4, 3, 15.0f);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].points, (Points{{0, -0.5f}, {1, -0.5f}, {2, -0.5f}, {3, -0.5f}}));
    EXPECT_EQ(lines[0].count, 4);

    // Off-centre, the half-diagonal points join in, all sharing one y.
    lines = Trace(grid, 4, 3, 12.0f);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].count, 10);
    EXPECT_FLOAT_EQ(lines[0].points[0].first, 0.0f);
    EXPECT_FLOAT_EQ(lines[0].points[1].first, 0.2f);
    EXPECT_FLOAT_EQ(lines[0].points[2].first, 0.8f);
    EXPECT_FLOAT_EQ(lines[0].points[9].first, 3.0f);
    for (const auto& p : lines[0].points) {
        EXPECT_FLOAT_EQ(p.second, -0.2f);
    }
    EXPECT_EQ(Trace(grid, 4, 3, 25.0f).size(), 1u);
}

TEST(ContourTracer, PointsEqualToTheLevelAreLowAndRepeatsAreDropped) {
    // A centre equal to the level, all neighbours high: every crossing lies
    // on the centre, so the closed line keeps a single point.
    const std::vector<float> ring = {1, 1, 1, 1, 0, 1, 1, 1, 1};
    auto lines = Trace(ring, 3, 3, 0.0f);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].count, -1);
    EXPECT_EQ(lines[0].points, (Points{{1.0f, -1.0f}}));

    // A column equal to the level: points sharing x are all kept, and the
    // line traced from both sides holds its start twice.
    const std::vector<float> columns = {1, 2, 3, 4, 1, 2, 3, 4, 1, 2, 3, 4};
    lines = Trace(columns, 4, 3, 2.0f);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].points, (Points{{1, 0}, {1, 0}, {1, -1}, {1, -2}}));
}

TEST(ContourTracer, LineBetweenMissingDataHoldsItsStartTwice) {
    const std::vector<float> grid = {M, M, M, 0, 1, 1, 0, 0, 1, M, M, M};
    const auto lines = Trace(grid, 3, 4, 0.5f);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].count, 5);
    const Points expected = {
        {0.5f, -1.0f}, {0.5f, -1.0f}, {1.0f, -1.5f}, {1.5f, -1.5f}, {1.5f, -2.0f}};
    EXPECT_EQ(lines[0].points, expected);
}

TEST(ContourTracer, PolarGridSpanningACircleJoinsAcrossTheSeam) {
    // Columns 1 and 5 are the same meridian, 360 degrees apart.
    const std::vector<float> grid = {0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0};
    CContourTracer tracer;
    ASSERT_EQ(PrepareUnit(tracer, grid, 5, 3, CContourTracer::kPolarProjectionCode, 90.0f), 0);
    EXPECT_TRUE(tracer.Wraps());
    tracer.TraceLevel(0.5f);
    const auto lines = LinesOf(tracer);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].count, -5);
    const Points expected = {{45, -1}, {0, -1.5f}, {315, -1}, {360, -0.5f}, {45, -1}};
    EXPECT_EQ(lines[0].points, expected);

    // Another projection, or a span of at most 359 degrees: two open halves.
    EXPECT_EQ(Trace(grid, 5, 3, 0.5f, 1, 90.0f).size(), 2u);
    EXPECT_EQ(Trace(grid, 5, 3, 0.5f, 4, 89.0f).size(), 2u);
    CContourTracer quiet;
    ASSERT_EQ(quiet.PrepareQuiet(grid.data(), 5, 3, 90.0f, 1.0f, 10.0f, -10.0f, M), 0);
    EXPECT_FALSE(quiet.Wraps());
}

TEST(ContourTracer, OutOfRangeAndNanValuesAreMissing) {
    std::vector<float> reference = kSingleHigh;
    reference[1] = M;
    CContourTracer expectedTracer;
    ASSERT_EQ(expectedTracer.Prepare(reference.data(), 3, 3, 0, 0, 1, 1, 1, 100, -100, M), 0);
    expectedTracer.TraceLevel(0.5f);
    const auto expected = LinesOf(expectedTracer);
    ASSERT_EQ(expected.size(), 1u);
    EXPECT_GT(expected[0].count, 0);

    for (float bad : {1000.0f, -1000.0f, std::numeric_limits<float>::quiet_NaN()}) {
        std::vector<float> grid = kSingleHigh;
        grid[1] = bad;
        const std::vector<float> before = grid;
        CContourTracer tracer;
        ASSERT_EQ(tracer.Prepare(grid.data(), 3, 3, 0, 0, 1, 1, 1, 100, -100, M), 0);
        tracer.TraceLevel(0.5f);
        const auto lines = LinesOf(tracer);
        ASSERT_EQ(lines.size(), 1u) << bad;
        EXPECT_EQ(lines[0].count, expected[0].count) << bad;
        EXPECT_EQ(lines[0].points, expected[0].points) << bad;
        EXPECT_EQ(std::memcmp(grid.data(), before.data(), grid.size() * sizeof(float)), 0);
    }
}

TEST(ContourTracer, SingleColumnOrRowGrids) {
    // One column: no horizontal segments, one vertical crossing per line.
    auto lines = Trace({0, 1, 0, 1}, 1, 4, 0.5f);
    ASSERT_EQ(lines.size(), 3u);
    for (const auto& line : lines) {
        EXPECT_EQ(line.count, 1);
    }
    // One row: no row pairs, every crossing is a line traced from both sides.
    lines = Trace({0, 1, 0, 1}, 4, 1, 0.5f);
    ASSERT_EQ(lines.size(), 3u);
    for (const auto& line : lines) {
        EXPECT_EQ(line.count, 2);
    }
}

TEST(ContourTracer, LevelKeepsTheFirstLinesWhenTheTableIsFull) {
    const int nx = 2 * CContourPointStore::kMaxLines + 100;
    std::vector<float> grid(nx);
    for (int i = 0; i < nx; ++i) {
        grid[i] = static_cast<float>(i % 2);
    }
    CContourTracer tracer;
    ASSERT_EQ(PrepareUnit(tracer, grid, nx, 1), 0);
    tracer.TraceLevel(0.5f);
    EXPECT_EQ(tracer.LineCount(), CContourPointStore::kMaxLines);
    EXPECT_EQ(tracer.PointCount(), 2 * CContourPointStore::kMaxLines);
    EXPECT_EQ(tracer.LineSize(CContourPointStore::kMaxLines), 2);
}

TEST(ContourTracer, FailedPreparationTracesNothing) {
    CMessageRecorder recorder;
    CScopedMessageSink scope(&recorder);
    CContourTracer tracer;
    tracer.TraceLevel(0.5f);  // never prepared
    EXPECT_EQ(tracer.LineCount(), 0);

    ASSERT_EQ(PrepareUnit(tracer, kSingleHigh, 3, 3), 0);
    tracer.TraceLevel(0.5f);
    EXPECT_EQ(tracer.LineCount(), 1);

    // Too large to count its points: refused as out of memory.
    EXPECT_EQ(tracer.Prepare(kSingleHigh.data(), 100000, 100000, 0, 0, 1, 1, 1, 1, 0, M), -1);
    EXPECT_EQ(recorder.Messages(), std::vector<std::string>{"内存不足 !"});
    EXPECT_FALSE(tracer.IsPrepared());
    tracer.TraceLevel(0.5f);
    EXPECT_EQ(tracer.LineCount(), 0);
    EXPECT_EQ(tracer.PointCount(), 0);

    recorder.Clear();
    EXPECT_EQ(tracer.PrepareQuiet(kSingleHigh.data(), 100000, 100000, 1, 1, 1, 0, M), -1);
    EXPECT_EQ(tracer.PrepareQuiet(nullptr, 3, 3, 1, 1, 1, 0, M), -1);
    EXPECT_EQ(tracer.PrepareQuiet(kSingleHigh.data(), 0, 3, 1, 1, 1, 0, M), -1);
    EXPECT_TRUE(recorder.Messages().empty());
    tracer.TraceLevel(0.5f);
    EXPECT_EQ(tracer.LineCount(), 0);
}

TEST(ContourTracer, EachLevelReplacesThePreviousOne) {
    const std::vector<float> grid = {10, 10, 10, 10, 20, 20, 20, 20, 30, 30, 30, 30};
    CContourTracer tracer;
    ASSERT_EQ(PrepareUnit(tracer, grid, 4, 3), 0);
    tracer.TraceLevel(12.0f);
    EXPECT_EQ(tracer.PointCount(), 10);
    tracer.TraceLevel(15.0f);
    EXPECT_EQ(tracer.LineCount(), 1);
    EXPECT_EQ(tracer.PointCount(), 4);
    tracer.TraceLevel(40.0f);
    EXPECT_EQ(tracer.LineCount(), 0);
}
