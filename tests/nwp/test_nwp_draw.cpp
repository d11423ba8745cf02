// A whole overlay drawn on products of every projection: its lines fall on
// the pixels of its projected points, its levels follow the interval, and
// only visible, readable overlays on geolocated products draw.

#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "analysis/CContourTracer.h"
#include "geo/GeoTestCases.h"
#include "geo/OverlayTestSupport.h"
#include "nwp/CNwpContourPainter.h"
#include "nwp/CNwpOverlay.h"
#include "nwp/NwpDrawSupport.h"
#include "nwp/NwpLevels.h"
#include "nwp/NwpTestFiles.h"
#include "support/ProductSupport.h"

namespace {

using Segment = std::tuple<int, int, int, int>;

CNwpOverlay GlobalOverlay(const CTempDir& dir) {
    CNwpOverlay overlay;
    EXPECT_TRUE(overlay.ReadFile(WriteDiamond(dir, "global.000", GlobalContent())));
    return overlay;
}

// Every pair of consecutive traced points, both with a pixel, as the
// segment joining their truncated pixels.
std::set<Segment> ProjectedSegments(const CNwpOverlay& overlay, const ProjectionParams& params,
                                    CCanvas& scratch) {
    CContourTracer tracer;
    const int code = params.type == PolarStereographic ? CContourTracer::kPolarProjectionCode : 0;
    EXPECT_EQ(overlay.PrepareTracer(tracer, code), 0);
    CNwpContourPainter pixels(scratch, params, NwpDrawingSettings{}, overlay.Extent());
    std::set<Segment> segments;
    const DiamondHeader& h = overlay.Header();
    for (float level : NwpContourLevels(h.firstValue, h.lastValue, h.interval)) {
        tracer.TraceLevel(level);
        std::size_t first = 0;
        for (int k = 1; k <= tracer.LineCount(); ++k) {
            const std::size_t n = static_cast<std::size_t>(std::abs(tracer.LineSize(k)));
            for (std::size_t p = first; p + 1 < first + n; ++p) {
                int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
                if (pixels.ToPixel(tracer.X()[p], tracer.Y()[p], x0, y0) &&
                    pixels.ToPixel(tracer.X()[p + 1], tracer.Y()[p + 1], x1, y1)) {
                    segments.insert({x0, y0, x1, y1});
                }
            }
            first += n;
        }
    }
    return segments;
}

}  // namespace

TEST(NwpDraw, LinesFallOnTheProjectedPointsOnEveryProjection) {
    CTempDir dir;
    const CNwpOverlay overlay = GlobalOverlay(dir);
    for (const SetUpArgs& args : GeolocatedCases()) {
        ProjectionParams params;
        ASSERT_EQ(SetUpCase(args, params), 0) << args.name;
        const CGeoImage product = MakeProduct(params);
        CLabelCanvas canvas(params.width, params.height);
        const CanvasPen pen = canvas.Pen();
        ASSERT_EQ(overlay.Draw(canvas, product), 1) << args.name;

        const std::set<Segment> expected = ProjectedSegments(overlay, params, canvas);
        const std::vector<RecordedSegment> drawn = canvas.Segments();
        EXPECT_GT(drawn.size(), 20u) << args.name;
        for (const RecordedSegment& s : drawn) {
            EXPECT_TRUE(expected.count({s.x0, s.y0, s.x1, s.y1}))
                << args.name << ": " << s.x0 << "," << s.y0 << " - " << s.x1 << "," << s.y1;
            EXPECT_TRUE(0 < s.x1 && s.x1 < params.width - 1 && 0 < s.y1 && s.y1 < params.height - 1)
                << args.name;
        }
        EXPECT_FALSE(canvas.CallsOf(CanvasOp::TextOut).empty()) << args.name;
        // Everything the overlay changed is back as it was.
        EXPECT_EQ(canvas.Pen(), pen) << args.name;
        EXPECT_EQ(canvas.Font(), CanvasFont{}) << args.name;
        EXPECT_EQ(canvas.BkMode(), kBackgroundOpaque) << args.name;
        EXPECT_EQ(canvas.TextColor(), 0u) << args.name;
    }
}

TEST(NwpDraw, OneLevelPerIntervalStep) {
    CTempDir dir;
    CNwpOverlay overlay = GlobalOverlay(dir);
    const CGeoImage product = MakeProduct(LinearParams());
    struct Case {
        float interval;
        int levels;
    };
    for (const Case& c : {Case{40, 23}, Case{80, 12}, Case{0, 0}, Case{-40, 0}}) {
        overlay.CurrentSettings().interval = c.interval;
        overlay.CurrentSettings().lineColour = CanvasRgb(1, 2, 3);
        CLabelCanvas canvas(200, 100);
        overlay.Draw(canvas, product);
        int pens = 0;
        for (const CanvasCall& call : canvas.CallsOf(CanvasOp::SelectPen)) {
            pens += call.pen.colour == CanvasRgb(1, 2, 3) ? 1 : 0;
        }
        EXPECT_EQ(pens, c.levels) << c.interval;
    }
}

TEST(NwpDraw, OnlyVisibleReadOverlaysOnGeolocatedProductsDraw) {
    CTempDir dir;
    const CNwpOverlay read = GlobalOverlay(dir);
    ProjectionParams disk;
    disk.type = Disk;
    disk.width = 200;
    disk.height = 100;
    const CGeoImage geolocated = MakeProduct(LinearParams());
    CNwpOverlay off = read;
    off.CurrentSettings().contoursOn = 0;
    struct Case {
        const char* name;
        CNwpOverlay overlay;
        CGeoImage product;
        int result;
    };
    const Case cases[] = {
        {"drawn", read, geolocated, 1},
        {"no file read", CNwpOverlay{}, geolocated, 0},
        {"contours off", off, geolocated, 0},
        {"no product", read, CGeoImage{}, 0},
        {"full disk", read, MakeProduct(disk), 0},
    };
    for (const Case& c : cases) {
        CLabelCanvas canvas(200, 100);
        EXPECT_EQ(c.overlay.Draw(canvas, c.product), c.result) << c.name;
        EXPECT_EQ(canvas.DrawingCallCount() > 0, c.result == 1) << c.name;
    }

    // In list order, hidden ones left out.
    std::vector<CNwpOverlay> list(3, read);
    list[0].CurrentSettings().lineColour = CanvasRgb(255, 0, 0);
    list[1].CurrentSettings().lineColour = CanvasRgb(0, 255, 0);
    list[1].SetVisible(0);
    list[2].CurrentSettings().lineColour = CanvasRgb(0, 0, 255);
    CLabelCanvas canvas(200, 100);
    EXPECT_EQ(DrawNwpOverlays(canvas, geolocated, list), 2);
    std::vector<std::uint32_t> order;
    for (const RecordedSegment& s : canvas.Segments()) {
        if (order.empty() || order.back() != s.pen.colour) {
            order.push_back(s.pen.colour);
        }
    }
    EXPECT_EQ(order, std::vector<std::uint32_t>({CanvasRgb(255, 0, 0), CanvasRgb(0, 0, 255)}));
}

TEST(NwpDraw, RealProductCarriesTheContours) {
    KELVRA_REQUIRE_SAMPLE(sample);
    CGeoImage product;
    ASSERT_TRUE(product.ReadProduct(sample));
    CTempDir dir;
    const CNwpOverlay overlay = GlobalOverlay(dir);
    const ProjectionParams& params = product.Params();
    CLabelCanvas canvas(params.width, params.height);
    ASSERT_EQ(overlay.Draw(canvas, product), 1);
    const std::set<Segment> expected = ProjectedSegments(overlay, params, canvas);
    const std::vector<RecordedSegment> drawn = canvas.Segments();
    EXPECT_GT(drawn.size(), 100u);
    for (const RecordedSegment& s : drawn) {
        EXPECT_TRUE(expected.count({s.x0, s.y0, s.x1, s.y1}));
    }
    EXPECT_GT(canvas.CallsOf(CanvasOp::TextOut).size(), 10u);
}
