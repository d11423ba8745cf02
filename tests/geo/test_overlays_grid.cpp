#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>
#include <vector>

#include "OverlayTestSupport.h"
#include "support/CRecordingCanvas.h"

namespace {

// Equal latitude/longitude at 10 pixels per degree with the box's north-west
// corner at pixel (0, 0): x = 10 (lon - west), y = 10 (north - lat).
ProjectionParams GridParams(double south, double north, double west, double east) {
    ProjectionParams p;
    p.type = EqualLatLon;
    p.centerLon = p.refLon = (west + east) / 2;
    p.scale = p.lonScale = 10.0;
    p.originX = -10.0 * west;
    p.originY = 10.0 * north;
    p.width = static_cast<int>(10 * (east - west));
    p.height = static_cast<int>(10 * (north - south));
    p.southLat = south;
    p.northLat = north;
    p.westLon = west;
    p.eastLon = east;
    return p;
}

std::pair<int, int> Rounded(const ProjectionParams& p, double lon, double lat) {
    double x = 0;
    double y = 0;
    LatLonToPixel(p, lon, lat, x, y);
    return {static_cast<int>(std::trunc(x + 0.5)), static_cast<int>(std::trunc(y + 0.5))};
}

std::vector<CanvasCall> DrawGridCalls(const ProjectionParams& p) {
    CRecordingCanvas canvas(p.width, p.height);
    DrawGrid(canvas, p);
    std::vector<CanvasCall> strokes;
    for (const CanvasCall& call : canvas.Calls()) {
        if (call.op == CanvasOp::MoveTo || call.op == CanvasOp::LineTo) {
            strokes.push_back(call);
        }
    }
    return strokes;
}

std::vector<std::pair<int, int>> Moves(const std::vector<CanvasCall>& strokes) {
    std::vector<std::pair<int, int>> moves;
    for (const CanvasCall& call : strokes) {
        if (call.op == CanvasOp::MoveTo) {
            moves.push_back({call.x, call.y});
        }
    }
    return moves;
}

// The start of every grid line: parallels from (lonStart, L), then meridians
// from (M, latStart).
std::vector<std::pair<int, int>> ExpectedMoves(const ProjectionParams& p, int latStart, int latEnd,
                                               int lonStart, int lonEnd) {
    std::vector<std::pair<int, int>> moves;
    for (int lat = latStart; lat <= latEnd; lat += 10) {
        moves.push_back(Rounded(p, lonStart, lat));
    }
    for (int lon = lonStart; lon <= lonEnd; lon += 10) {
        moves.push_back(Rounded(p, lon, latStart));
    }
    return moves;
}

struct BoundsCase {
    double south, north, west, east;
    int latStart, latEnd, lonStart, lonEnd;
};

TEST(GridTest, BoundsTruncateTowardZero) {
    const BoundsCase cases[] = {
        {15.3, 54.7, 70.2, 139.9, 10, 60, 70, 140},    // the worked example
        {15.3, 54.7, -5.5, 20.0, 10, 60, 0, 30},       // west -5.5 starts at 0, not -10
        {15.3, 54.7, 100.0, 130.0, 10, 60, 100, 140},  // east exactly 130 ends at 140
        {-35.5, -5.5, 100.0, 120.0, -30, 10, 100, 130},
    };
    for (const BoundsCase& c : cases) {
        const ProjectionParams p = GridParams(c.south, c.north, c.west, c.east);
        EXPECT_EQ(Moves(DrawGridCalls(p)),
                  ExpectedMoves(p, c.latStart, c.latEnd, c.lonStart, c.lonEnd))
            << c.south << " " << c.north << " " << c.west << " " << c.east;
    }
}

TEST(GridTest, FirstMoveIsUnclippedAndLaterPointsStayStrictlyInside) {
    const ProjectionParams p = GridParams(15.3, 54.7, 70.2, 139.9);
    const std::vector<CanvasCall> strokes = DrawGridCalls(p);
    ASSERT_FALSE(strokes.empty());
    // The parallel of 10 N starts at (70 E, 10 N), left of and below the image.
    EXPECT_EQ(strokes.front().op, CanvasOp::MoveTo);
    EXPECT_LT(strokes.front().x, 0);
    EXPECT_GT(strokes.front().y, p.height);
    bool reachesLeft = false;
    bool reachesRight = false;
    for (const CanvasCall& call : strokes) {
        if (call.op != CanvasOp::LineTo) {
            continue;
        }
        EXPECT_GT(call.x, 0);
        EXPECT_LT(call.x, p.width);
        EXPECT_GT(call.y, 0);
        EXPECT_LT(call.y, p.height);
        reachesLeft = reachesLeft || call.x == 1;
        reachesRight = reachesRight || call.x == p.width - 1;
        EXPECT_EQ(call.pen, (CanvasPen{kPenDash, 1, CanvasRgb(255, 255, 128)}));
    }
    EXPECT_TRUE(reachesLeft);
    EXPECT_TRUE(reachesRight);
}

TEST(GridTest, ParallelStepsInSinglePrecisionUntilPastTheEast) {
    ProjectionParams p = GridParams(15.0, 25.0, 90.0, 110.0);
    p.width = 400;  // room east of the box, so the last step is drawn
    p.eastLon = 101.0;
    std::vector<std::pair<int, int>> expected{Rounded(p, 90, 20)};
    for (float lon = 90.0f; lon < 101.0;) {
        lon += 0.1f;
        expected.push_back(Rounded(p, lon, 20));
    }
    const std::vector<CanvasCall> strokes = DrawGridCalls(p);
    std::vector<std::pair<int, int>> parallel20;
    bool inParallel20 = false;
    for (const CanvasCall& call : strokes) {
        if (call.op == CanvasOp::MoveTo) {
            inParallel20 = std::make_pair(call.x, call.y) == Rounded(p, 90, 20);
        }
        if (inParallel20) {
            parallel20.push_back({call.x, call.y});
        }
    }
    EXPECT_EQ(parallel20, expected);
    EXPECT_GE(parallel20.back().first, 110);  // the first λ not below 101
}

TEST(GridTest, PointsWithoutAPositionAreNeverDrawn) {
    // Grid bounds reach 90 N, where the transform gives nothing.
    const ProjectionParams p = GridParams(60.0, 84.5, 0.0, 40.0);
    const std::vector<CanvasCall> strokes = DrawGridCalls(p);
    const int yAt85 = Rounded(p, 0, 85).second;
    for (const CanvasCall& call : strokes) {
        EXPECT_GE(call.y, yAt85) << "a point north of 85 degrees was used";
    }
    // Parallels 60, 70, 80 (90 has no point at all), meridians 0 to 50.
    EXPECT_EQ(Moves(strokes).size(), 3u + 6u);
}

TEST(GridTest, LineWhoseStartHasNoPositionStartsAtItsFirstProjectedPoint) {
    // Longitudes below -540 cannot be brought into range: the parallels start
    // at -550 and project only from -540 on.
    ProjectionParams p = GridParams(-25.0, -10.5, -555.0, -530.0);
    p.centerLon = p.refLon = 0.0;
    p.originX = 10.0 * (555.0 - 360.0);  // x = 10 (lon + 195) after the shift by 360
    double x = 0;
    double y = 0;
    ASSERT_NE(LatLonToPixel(p, -550, -20, x, y), 0);
    float firstProjected = static_cast<float>(p.westLon);
    do {
        firstProjected += 0.1f;
    } while (LatLonToPixel(p, firstProjected, -20, x, y) != 0);
    const std::vector<CanvasCall> strokes = DrawGridCalls(p);
    ASSERT_FALSE(strokes.empty());
    // The first parallel (20 S) starts with a move to its first projected point.
    EXPECT_EQ(strokes.front().op, CanvasOp::MoveTo);
    EXPECT_EQ(std::make_pair(strokes.front().x, strokes.front().y),
              Rounded(p, firstProjected, -20));
    EXPECT_EQ(strokes[1].op, CanvasOp::LineTo);
}

TEST(GridTest, RestoresPenAndBackground) {
    const ProjectionParams p = GridParams(15.3, 54.7, 70.2, 139.9);
    CRecordingCanvas canvas(p.width, p.height);
    const CanvasPen before{kPenDot, 2, CanvasRgb(9, 9, 9)};
    canvas.SelectPen(before);
    DrawGrid(canvas, p);
    EXPECT_EQ(canvas.Pen(), before);
    EXPECT_EQ(canvas.BkMode(), kBackgroundOpaque);
    EXPECT_GT(canvas.CallsOf(CanvasOp::LineTo).size(), 0u);
}

}  // namespace
