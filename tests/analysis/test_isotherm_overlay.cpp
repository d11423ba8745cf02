// The isotherm layer as the composition draws it: pens from the colour
// table, integer vertices inside the picture, state restored, nothing
// without a product.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "analysis/IsothermColours.h"
#include "analysis/IsothermOverlay.h"
#include "product/CGeoImage.h"
#include "support/CRecordingCanvas.h"
#include "support/TestSupport.h"
#include "synth/AwxWriter.h"

namespace {

CGeoImage SyntheticInfrared(const CTempDir& dir, int width, int height) {
    AwxWriterOptions options;
    options.width = width;
    options.height = height;
    const std::string path = dir.File("ir1.awx");
    EXPECT_TRUE(WriteAwxProduct(path, options));
    CGeoImage product;
    EXPECT_TRUE(product.ReadProduct(path));
    return product;
}

}  // namespace

TEST(GeoIsotherms, NothingWithoutAProduct) {
    CGeoImage empty;
    CRecordingCanvas canvas(100, 100);
    EXPECT_EQ(DrawIsotherms(canvas, empty.Description().width, empty.Description().height,
                            empty.CalibratedImage()),
              0);
    EXPECT_TRUE(canvas.Calls().empty());
}

TEST(GeoIsotherms, LevelsDrawnInTheirColoursAndStateRestored) {
    CTempDir dir;
    const CGeoImage product = SyntheticInfrared(dir, 400, 300);
    CRecordingCanvas canvas(400, 300);
    const CanvasPen before = canvas.Pen();
    const int modeBefore = canvas.BkMode();

    ASSERT_EQ(DrawIsotherms(canvas, product.Description().width, product.Description().height,
                            product.CalibratedImage()),
              1);

    const std::vector<RecordedSegment> segments = canvas.Segments();
    ASSERT_FALSE(segments.empty());
    std::set<std::uint32_t> used;
    for (const RecordedSegment& s : segments) {
        used.insert(s.pen.colour);
        EXPECT_EQ(s.pen.style, kPenSolid);
        EXPECT_EQ(s.pen.width, 1);
        for (int x : {s.x0, s.x1}) {
            EXPECT_GE(x, 0);
            EXPECT_LT(x, 400);
        }
        for (int y : {s.y0, s.y1}) {
            EXPECT_GE(y, 0);
            EXPECT_LE(y, 300);
        }
    }
    // Only the first eleven entries of the table are level colours.
    for (std::uint32_t colour : used) {
        EXPECT_NE(std::find(kIsothermColours.begin(), kIsothermColours.begin() + 11, colour),
                  kIsothermColours.begin() + 11);
    }
    // A scene with cold cloud over a warm surface crosses several levels.
    EXPECT_GE(used.size(), 4u);
    EXPECT_EQ(canvas.Pen(), before);
    EXPECT_EQ(canvas.BkMode(), modeBefore);
}

TEST(GeoIsotherms, PensFollowTheLevelOrderWarmestLast) {
    CTempDir dir;
    const CGeoImage product = SyntheticInfrared(dir, 320, 240);
    CRecordingCanvas canvas(320, 240);
    ASSERT_EQ(DrawIsotherms(canvas, product.Description().width, product.Description().height,
                            product.CalibratedImage()),
              1);
    // Level n (180 + 12n) is drawn with entry 10 - n: the pens selected for
    // the levels walk the table from entry 10 down to entry 0.
    std::vector<std::uint32_t> pens;
    for (const CanvasCall& call : canvas.CallsOf(CanvasOp::SelectPen)) {
        pens.push_back(call.pen.colour);
    }
    std::vector<std::uint32_t> levelPens;
    for (int n = 0; n <= 10; ++n) {
        levelPens.push_back(kIsothermColours[10 - n]);
    }
    // The recorded pens contain the eleven level pens in order (the guard's
    // own save/restore selections come before and after them).
    auto it = std::search(pens.begin(), pens.end(), levelPens.begin(), levelPens.end());
    EXPECT_NE(it, pens.end());
}
