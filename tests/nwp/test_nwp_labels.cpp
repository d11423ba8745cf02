// Where the contour labels go: leaving and re-entering the picture, closed
// lines, line ends at grid edges, and the turn along conic meridians.

#include <gtest/gtest.h>

#include <vector>

#include "geo/GeoTestCases.h"
#include "geo/OverlayTestSupport.h"
#include "nwp/CNwpContourPainter.h"
#include "nwp/NwpDrawSupport.h"

namespace {

// A grid far larger than the lines below, so no end lies on its edges.
NwpGridExtent FarGrid() {
    return NwpGridExtent{-80.0, 80.0, 0.0, 300.0, 2.5, 2.5};
}

struct Line {
    std::vector<float> lon;
    std::vector<float> lat;
    int count;
};

// Draws one line of level 5880 with one decimal, labels 16 pixels high, on
// the linear 200 x 100 picture (x = 10 lon - 899.1, y = 220.9 - 10 lat).
CLabelCanvas DrawOne(const Line& line, const NwpGridExtent& grid) {
    const ProjectionParams params = LinearParams();
    CLabelCanvas canvas(params.width, params.height);
    CNwpContourPainter painter(canvas, params, DrawingSettingsOf(NwpSettings{}), grid);
    const NwpLines lines{line.lon.data(), line.lat.data(), &line.count, 1};
    painter.DrawContourLevel(lines, 5880.0f);
    return canvas;
}

}  // namespace

TEST(NwpLabels, LineLeavingAtTheTopAndReenteringAtTheLeft) {
    // Inside, inside, just above the top, beyond the left, just inside the
    // left edge, inside.
    const Line line{{95, 96, 96.5f, 89, 90.1f, 93}, {18, 21.5f, 22.1f, 20, 19, 18}, 6};
    const CLabelCanvas canvas = DrawOne(line, FarGrid());
    // "5880.0" is 48 x 16: the last inside point (60, 5) gets (-0.5, 0), the
    // re-entry (1, 30) gets (-1.0, 0.5), then the two ends: the first ends
    // left of its neighbour, the last right of it.
    const std::vector<TextAt> expected = {
        {60 - 24, 5 - 12, "5880.0"},
        {1 - 48, 30 - 6, "5880.0"},
        {50 - 48, 40 - 6, "5880.0"},
        {30 + 6, 40 - 6, "5880.0"},
    };
    EXPECT_EQ(TextsOf(canvas), expected);
    const std::vector<RecordedSegment> segments = canvas.Segments();
    ASSERT_EQ(segments.size(), 2u);
    EXPECT_EQ(std::vector<int>({segments[0].x0, segments[0].y0, segments[0].x1, segments[0].y1}),
              std::vector<int>({50, 40, 60, 5}));
    EXPECT_EQ(std::vector<int>({segments[1].x0, segments[1].y0, segments[1].x1, segments[1].y1}),
              std::vector<int>({1, 30, 30, 40}));
}

TEST(NwpLabels, ClosedLineGetsOneLabelAtItsNorthernmostPoint) {
    const Line line{{95, 97, 99, 97, 95}, {18, 20, 18, 16, 18}, -5};
    const CLabelCanvas canvas = DrawOne(line, FarGrid());
    // (97, 20) is pixel (70, 20); factors (-0.5, 0.5).
    EXPECT_EQ(TextsOf(canvas), std::vector<TextAt>({{70 - 24, 20 - 6, "5880.0"}}));
    EXPECT_EQ(canvas.Segments().size(), 4u);
}

TEST(NwpLabels, LineEndingAtTheWestEdgeIsLabelledToItsRight) {
    // Running west to the grid's first longitude: without the edge rule the
    // label would stand left of the end, beyond the line.
    const Line line{{94, 93, 92}, {18, 19, 18}, 3};
    NwpGridExtent grid = FarGrid();
    grid.firstLon = 92.0;
    const CLabelCanvas canvas = DrawOne(line, grid);
    EXPECT_EQ(TextsOf(canvas),
              std::vector<TextAt>({{40 + 6, 40 - 6, "5880.0"}, {20 + 6, 40 - 6, "5880.0"}}));
}

TEST(NwpLabels, EdgeFactorsByTheEdgeCrossed) {
    struct Case {
        int x, y;
        NwpLabelFactors f;
    };
    const Case cases[] = {
        {50, -3, {-0.5, 0.0}},  {50, 4, {-0.5, 0.0}},   {2, 2, {-0.5, 0.0}},  // top first
        {-4, 50, {-1.0, 0.5}},  {203, 50, {0.0, 0.5}},  {195, 50, {0.0, 0.5}},
        {50, 120, {-0.5, 1.0}}, {-40, 50, {-0.5, 1.0}},  // far outside: bottom
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EdgeLabelFactors(c.x, c.y, 200), c.f) << c.x << ", " << c.y;
    }
}

TEST(NwpLabels, EndFactorsSwapSidesOnSouthernConicPictures) {
    const NwpGridExtent g{-60.0, -10.0, 100.0, 150.0, 2.5, 2.5};
    struct Case {
        double lon, lat, neighbour;
        NwpLabelFactors normal, southern;
    };
    const Case cases[] = {
        {100.02, -30, 102, {0.1, 0.5}, {-1.0, 0.5}},    // west edge
        {149.97, -30, 148, {-1.0, 0.5}, {0.1, 0.5}},    // east edge
        {120, -10.04, 121, {-0.5, -0.3}, {-0.5, 1.3}},  // north edge
        {120, -59.99, 121, {-0.5, 1.3}, {-0.5, -0.3}},  // south edge
        {120, -30, 119, {0.1, 0.5}, {0.1, 0.5}},        // no edge: beyond the end
        {120, -30, 121, {-1.0, 0.5}, {-1.0, 0.5}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EndLabelFactors(c.lon, c.lat, c.neighbour, g, false), c.normal) << c.lon;
        EXPECT_EQ(EndLabelFactors(c.lon, c.lat, c.neighbour, g, true), c.southern) << c.lon;
    }
    ProjectionParams p;
    p.type = PolarStereographic;
    EXPECT_TRUE(IsSouthernConic(g, p));
    p.type = Mercator;
    EXPECT_FALSE(IsSouthernConic(g, p));
}

TEST(NwpLabels, TextTurnsOnlyWellEastOfTheCentralMeridian) {
    struct Case {
        SetUpArgs projection;
        double lon;
        int escapement;
    };
    const std::vector<SetUpArgs>& p = GeolocatedCases();
    auto find = [&p](const std::string& name) {
        for (const SetUpArgs& a : p) {
            if (a.name == name) {
                return a;
            }
        }
        return p.front();
    };
    const Case cases[] = {
        {find("Polar"), 130.0, 300},       // 30 degrees east, n = 1
        {find("Polar"), 110.0, 0},         // near the central meridian
        {find("Polar"), 70.0, 0},          // west
        {find("Polar"), 300.0, 0},         // 160 degrees west
        {find("Lambert"), 140.0, 214},     // n = 0.71557: 21.47 degrees
        {find("Lambert"), 135.0, 0},       // 17.9 degrees
        {find("PolarSouth"), -30.0, 300},  // the southern pole turns the other way
        {find("PolarSouth"), 30.0, 0},
        {find("Mercator"), 170.0, 0},
        {find("EqualLatLonSample"), 170.0, 0},
    };
    for (const Case& c : cases) {
        ProjectionParams params;
        ASSERT_EQ(SetUpCase(c.projection, params), 0);
        EXPECT_EQ(LabelEscapement(MeridianRotation(params, c.lon)), c.escapement)
            << c.projection.name << " " << c.lon;
    }

    // Drawn: the label's font carries the turn, its text stays in the picture.
    ProjectionParams polar;
    ASSERT_EQ(SetUpCase(find("Polar"), polar), 0);
    CLabelCanvas canvas(polar.width, polar.height);
    CNwpContourPainter painter(canvas, polar, DrawingSettingsOf(NwpSettings{}), FarGrid());
    painter.DrawContourLabel(130.0, 60.0, 5480.0f, -0.5, 0.5);
    painter.DrawContourLabel(70.0, 60.0, 5480.0f, -0.5, 0.5);
    const std::vector<CanvasCall> texts = canvas.CallsOf(CanvasOp::TextOut);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].font.escapement, 300);
    EXPECT_EQ(texts[1].font.escapement, 0);
    EXPECT_EQ(texts[0].font.height, -16);
    EXPECT_EQ(texts[0].font.face, "Arial");
    EXPECT_EQ(canvas.Font(), CanvasFont{});  // restored
}
