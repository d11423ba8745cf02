#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "OverlayTestSupport.h"
#include "geo/MapLineFile.h"
#include "platform/DataPaths.h"
#include "support/CRecordingCanvas.h"

namespace {

struct Stroke {
    bool line;  // false: a move
    int x;
    int y;
    bool operator==(const Stroke&) const = default;
};

std::vector<Stroke> Strokes(const CRecordingCanvas& canvas) {
    std::vector<Stroke> strokes;
    for (const CanvasCall& call : canvas.Calls()) {
        if (call.op == CanvasOp::MoveTo || call.op == CanvasOp::LineTo) {
            strokes.push_back({call.op == CanvasOp::LineTo, call.x, call.y});
        }
    }
    return strokes;
}

class MapLineTest : public ::testing::Test {
protected:
    std::vector<Stroke> DrawWorld(const std::vector<std::uint8_t>& bytes,
                                  const ProjectionParams& params = LinearParams()) {
        EXPECT_TRUE(m_data.Write("WORLD.LNB", bytes));
        CRecordingCanvas canvas(200, 100);
        DrawWorldMap(canvas, params, CDataPaths(m_data.Start()));
        return Strokes(canvas);
    }

    CTempDataDir m_data;
};

TEST_F(MapLineTest, VerticesAreTruncatedTowardZero) {
    std::vector<std::uint8_t> bytes;
    AppendRecord(bytes, 4, {{2000, 9100}, {1800, 9500}});  // (10.9, 20.9), (50.9, 40.9)
    EXPECT_EQ(DrawWorld(bytes), (std::vector<Stroke>{{false, 10, 20}, {true, 50, 40}}));
}

TEST_F(MapLineTest, PointOnTheBoxEdgeLiftsThePen) {
    // Latitude 15 equals southLat and longitude 85 equals westLon: both outside.
    std::vector<std::uint8_t> bytes;
    AppendRecord(bytes, 8, {{2000, 9100}, {1500, 9300}, {1800, 9500}, {1800, 8500}});
    AppendRecord(bytes, 6, {{2000, 9100}, {1800, 9500}, {2000, 10500}});
    EXPECT_EQ(
        DrawWorld(bytes),
        (std::vector<Stroke>{{false, 10, 20}, {false, 50, 40}, {false, 10, 20}, {true, 50, 40}}));
}

TEST_F(MapLineTest, EachRecordStartsWithThePenUp) {
    std::vector<std::uint8_t> bytes;
    AppendRecord(bytes, 2, {{2000, 9100}});
    AppendRecord(bytes, 2, {{1800, 9500}});
    EXPECT_EQ(DrawWorld(bytes), (std::vector<Stroke>{{false, 10, 20}, {false, 50, 40}}));
}

TEST_F(MapLineTest, NegativeLongitudesAreOutsideABoxPast180) {
    ProjectionParams params = LinearParams();
    params.refLon = 185.0;
    params.westLon = 170.0;
    params.eastLon = 200.0;
    params.originX = -1700.0;  // x = 10 (lon - 170)
    std::vector<std::uint8_t> bytes;
    // 175 E, then 175 W stored as -175 (185 E on the box's scale), then 179 E.
    AppendRecord(bytes, 6, {{2000, 17500}, {2000, -17500}, {2000, 17900}});
    const std::vector<Stroke> strokes = DrawWorld(bytes, params);
    ASSERT_EQ(strokes.size(), 2u);
    EXPECT_FALSE(strokes[0].line);
    EXPECT_FALSE(strokes[1].line);
    EXPECT_EQ(strokes[0].x, 50);
    EXPECT_EQ(strokes[1].x, 90);
}

TEST_F(MapLineTest, InsidePointWithoutAPositionLiftsThePen) {
    // A box reaching 89 N holds latitudes the transform refuses (beyond 85).
    ProjectionParams params = LinearParams();
    params.northLat = 89.0;
    std::vector<std::uint8_t> bytes;
    AppendRecord(bytes, 6, {{2000, 9100}, {8600, 9300}, {1800, 9500}});
    EXPECT_EQ(DrawWorld(bytes, params), (std::vector<Stroke>{{false, 10, 20}, {false, 50, 40}}));
}

struct CountCase {
    MapCountRule rule;
    int count;
    int points;
};

TEST(MapRecordPointsTest, CountRules) {
    const CountCase cases[] = {
        {MapCountRule::HalfCount, 1, 0},   {MapCountRule::HalfCount, 2, 1},
        {MapCountRule::HalfCount, 7, 3},   {MapCountRule::HalfCount, 0, 0},
        {MapCountRule::HalfCount, -4, 0},  {MapCountRule::PointCount, 1, 1},
        {MapCountRule::PointCount, 7, 7},  {MapCountRule::PointCount, 0, 0},
        {MapCountRule::PointCount, -1, 0},
    };
    for (const CountCase& c : cases) {
        EXPECT_EQ(MapRecordPoints(c.count, c.rule), c.points) << c.count;
    }
}

TEST_F(MapLineTest, RecordsWithoutPointsStillSkipTheirHeader) {
    std::vector<std::uint8_t> bytes;
    AppendRecord(bytes, 1, {});   // .LNB count 1: no points
    AppendRecord(bytes, -3, {});  // negative count: no points
    AppendRecord(bytes, 0, {});
    AppendRecord(bytes, 4, {{2000, 9100}, {1800, 9500}});
    EXPECT_EQ(DrawWorld(bytes), (std::vector<Stroke>{{false, 10, 20}, {true, 50, 40}}));
}

TEST_F(MapLineTest, ChinaMapCountsPoints) {
    std::vector<std::uint8_t> bytes;
    AppendRecord(bytes, 1, {{2000, 9100}});  // one point: only a move
    AppendRecord(bytes, 2, {{2000, 9100}, {1800, 9500}});
    ASSERT_TRUE(m_data.Write("CHINAM.MPB", bytes));
    CRecordingCanvas canvas(200, 100);
    DrawChinaMap(canvas, LinearParams(), CDataPaths(m_data.Start()));
    EXPECT_EQ(Strokes(canvas),
              (std::vector<Stroke>{{false, 10, 20}, {false, 10, 20}, {true, 50, 40}}));
}

TEST_F(MapLineTest, RecordCutShortEndsTheFile) {
    std::vector<std::uint8_t> bytes;
    AppendRecord(bytes, 6, {{2000, 9100}, {1800, 9500}});  // declares 3, holds 2
    bytes.push_back(0x07);                                 // and half a point
    EXPECT_EQ(DrawWorld(bytes), (std::vector<Stroke>{{false, 10, 20}, {true, 50, 40}}));

    std::vector<std::uint8_t> shortHeader;
    AppendRecord(shortHeader, 2, {{2000, 9100}});
    shortHeader.insert(shortHeader.end(), {0x02, 0x00, 0x00});  // 3 bytes of a header
    EXPECT_EQ(DrawWorld(shortHeader), (std::vector<Stroke>{{false, 10, 20}}));
}

TEST_F(MapLineTest, FileIsReadAgainAtEveryCall) {
    std::vector<std::uint8_t> first;
    AppendRecord(first, 2, {{2000, 9100}});
    std::vector<std::uint8_t> second;
    AppendRecord(second, 2, {{1800, 9500}});
    EXPECT_EQ(DrawWorld(first), (std::vector<Stroke>{{false, 10, 20}}));
    EXPECT_EQ(DrawWorld(second), (std::vector<Stroke>{{false, 50, 40}}));
}

struct DrawerCase {
    void (*draw)(CCanvas&, const ProjectionParams&, const CDataPaths&);
    const char* file;
    std::uint32_t colour;
    std::size_t lines;  // of a record with count 3 and three points
};

TEST_F(MapLineTest, EachOverlayReadsItsFileWithItsPen) {
    const DrawerCase cases[] = {
        {&DrawWorldMap, "WORLD.LNB", CanvasRgb(128, 255, 128), 0},
        {&DrawChinaMap, "CHINAM.MPB", CanvasRgb(255, 192, 192), 2},
        {&DrawProvinces, "PROVS.LNB", CanvasRgb(255, 192, 192), 0},
        {&DrawRivers, "RIVER.LNB", CanvasRgb(0, 0, 255), 0},
    };
    std::vector<std::uint8_t> bytes;
    AppendRecord(bytes, 3, {{2000, 9100}, {1800, 9500}, {1600, 9900}});
    for (const DrawerCase& c : cases) {
        ASSERT_TRUE(m_data.Write(c.file, bytes));
    }
    for (const DrawerCase& c : cases) {
        CRecordingCanvas canvas(200, 100);
        const CanvasPen before{kPenDot, 3, CanvasRgb(1, 2, 3)};
        canvas.SelectPen(before);
        canvas.SetBkMode(kBackgroundOpaque);
        c.draw(canvas, LinearParams(), CDataPaths(m_data.Start()));
        const auto lines = canvas.CallsOf(CanvasOp::LineTo);
        EXPECT_EQ(lines.size(), c.lines) << c.file;
        for (const CanvasCall& line : lines) {
            EXPECT_EQ(line.pen, (CanvasPen{kPenSolid, 1, c.colour})) << c.file;
        }
        EXPECT_EQ(canvas.CallsOf(CanvasOp::MoveTo).size(), 1u) << c.file;
        EXPECT_EQ(canvas.Pen(), before) << c.file;
        EXPECT_EQ(canvas.BkMode(), kBackgroundOpaque) << c.file;
    }
}

TEST_F(MapLineTest, MissingFileDrawsNothingAndRestoresTheState) {
    CRecordingCanvas canvas(200, 100);
    DrawRivers(canvas, LinearParams(), CDataPaths(m_data.Start()));
    EXPECT_EQ(canvas.DrawingCallCount(), 0u);
    EXPECT_EQ(canvas.Pen(), CanvasPen{});
    EXPECT_EQ(canvas.BkMode(), kBackgroundOpaque);
}

}  // namespace

namespace {

class CIgnoringVisitor : public CMapLineVisitor {
public:
    void BeginRecord() override {}
    void Point(double, float) override {}
};

// A damaged map file is told apart from a whole one, so it can be reported;
// the files the program ships must all read whole.
TEST(MapLineFileTest, DamagedFilesAreToldApart) {
    std::vector<std::uint8_t> whole;
    AppendRecord(whole, 4, {{2000, 9100}, {1800, 9500}});
    std::vector<std::uint8_t> cut = whole;
    cut.resize(cut.size() - 2);
    std::vector<std::uint8_t> leftover = whole;
    leftover.push_back(0);
    std::vector<std::uint8_t> offGlobe;
    AppendRecord(offGlobe, 2, {{9500, 9100}});  // 95 degrees north
    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
        bool whole;
    } cases[] = {
        {"whole", whole, true},
        {"empty", {}, true},
        {"record cut short", cut, false},
        {"bytes after the last record", leftover, false},
        {"vertex off the globe", offGlobe, false},
    };
    for (const auto& c : cases) {
        CIgnoringVisitor visitor;
        EXPECT_EQ(WalkMapLines(c.bytes.data(), c.bytes.size(), MapCountRule::HalfCount, visitor),
                  c.whole)
            << c.what;
    }
    const struct {
        const char* file;
        MapCountRule rule;
    } shipped[] = {{"WORLD.LNB", MapCountRule::HalfCount},
                   {"CHINAM.MPB", MapCountRule::PointCount},
                   {"PROVS.LNB", MapCountRule::HalfCount},
                   {"RIVER.LNB", MapCountRule::HalfCount}};
    for (const auto& f : shipped) {
        std::vector<std::uint8_t> bytes;
        ASSERT_TRUE(ReadWholeFile(std::string(KELVRA_SOURCE_DIR) + "/dat/" + f.file, bytes));
        CIgnoringVisitor visitor;
        EXPECT_TRUE(WalkMapLines(bytes.data(), bytes.size(), f.rule, visitor)) << f.file;
    }
}

}  // namespace
