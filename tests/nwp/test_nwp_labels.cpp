// Where the contour labels go: leaving and re-entering the picture, closed
// lines, line ends at grid edges, the turn along conic meridians, and
// labels kept inside the picture and clear of each other and the title.

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "geo/GeoTestCases.h"
#include "geo/OverlayTestSupport.h"
#include "nwp/CNwpContourPainter.h"
#include "nwp/CNwpOverlay.h"
#include "nwp/NwpDrawSupport.h"
#include "nwp/NwpTestFiles.h"
#include "support/ProductSupport.h"

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
    // "5880.0" is 48 x 16: the last inside point (60, 5) gets (-0.5, 0),
    // which would put the label's top at -7: mirrored about the point, it
    // stands below it. The re-entry (1, 30) gets (-1.0, 0.5), left of the
    // picture: mirrored, it stands right of the point. The two ends' labels
    // (the first left of its neighbour at (2, 34), the last right of it at
    // (36, 34)) would cover the re-entry's label of the same line: left out.
    const std::vector<TextAt> expected = {
        {60 - 24, 5 + 12 - 16, "5880.0"},
        {1, 30 - 6, "5880.0"},
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
    const Line line{{100, 96, 92}, {18, 19, 18}, 3};
    NwpGridExtent grid = FarGrid();
    grid.firstLon = 92.0;
    const CLabelCanvas canvas = DrawOne(line, grid);
    EXPECT_EQ(TextsOf(canvas),
              std::vector<TextAt>({{100 + 6, 40 - 6, "5880.0"}, {20 + 6, 40 - 6, "5880.0"}}));
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

// An 850 hPa temperature-like field that spans the picture: every line
// enters at the left edge and leaves at the right one. Each line gets a
// label, every label lies inside the picture, and none covers another or
// the title line.
TEST(NwpLabels, EveryLineAcrossThePictureIsLabelledInsideIt) {
    ProjectionParams params;
    ASSERT_EQ(SetUpProjection(EqualLatLon, 105.0, 35.0, 0.1, 640, 480, 0.0, 0.0, params), 0);
    const CGeoImage product = MakeProduct(params);
    CTempDir dir;
    DiamondContent s;
    s.firstLon = 60.0;
    s.lastLon = 150.0;
    s.firstLat = 70.0;
    s.lastLat = 0.0;
    s.nx = 37;
    s.ny = 29;
    s.interval = 4.0;
    s.firstValue = 200.0;
    s.lastValue = 320.0;
    s.field = [](double lon, double lat) { return 300.0 - lat + 1.5 * std::sin(lon / 8.0); };
    std::vector<CNwpOverlay> overlays(2);
    ASSERT_TRUE(overlays[0].ReadFile(WriteDiamond(dir, "t850.000", s)));
    // A second field over the first, crossing it: its labels must find room.
    s.field = [](double lon, double lat) { return 200.0 + lon - 0.5 * lat; };
    ASSERT_TRUE(overlays[1].ReadFile(WriteDiamond(dir, "other.000", s)));

    CLabelCanvas canvas(params.width, params.height);
    const CanvasBox title{6, 6, 6 + 8 * 40, 6 + 16};
    ASSERT_EQ(DrawNwpOverlays(canvas, product, overlays, &title), 2);

    std::vector<CanvasBox> boxes;
    std::set<std::string> texts;
    for (const TextAt& t : TextsOf(canvas)) {
        const CanvasBox box{t.x, t.y, t.x + 8 * static_cast<int>(t.text.size()), t.y + 16};
        EXPECT_TRUE(box.left >= 0 && box.top >= 0 && box.right <= params.width &&
                    box.bottom <= params.height)
            << t;
        EXPECT_FALSE(box.Overlaps(title)) << t;
        for (const CanvasBox& earlier : boxes) {
            EXPECT_FALSE(box.Overlaps(earlier)) << t;
        }
        boxes.push_back(box);
        texts.insert(t.text);
    }
    // The picture spans 11-59 N, so 241-289 K less the wiggle: 12 levels of
    // the first field cross it from edge to edge.
    for (int level = 244; level <= 288; level += 4) {
        EXPECT_TRUE(texts.count(NwpLabelText(static_cast<float>(level), 1))) << level;
    }
}
