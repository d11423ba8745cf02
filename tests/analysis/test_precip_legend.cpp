// The precipitation layer on a recording canvas: pixel colours by class,
// the white legend box, the six coloured boxes with their labels, and the
// canvas state put back; nothing at all without rain.

#include <gtest/gtest.h>

#include <algorithm>

#include "analysis/CPrecipEstimate.h"
#include "analysis/PrecipDrawing.h"
#include "support/CRecordingCanvas.h"
#include "support/PrecipScenes.h"
#include "support/TestSupport.h"

namespace {

// In summer a 190 K candidate gets 0.0368462 · 190 - 1.11007 · (190 - t2):
// each t2 below makes the amount beside it, in column x of row 15. The
// amounts straddle every class boundary.
struct Amount {
    int x;
    double t2;
    int mm;
    std::uint32_t colour;
};
const Amount kAmounts[] = {
    {3, 184.59, 1, CanvasRgb(0, 191, 254)},     {6, 188.20, 5, CanvasRgb(0, 191, 254)},
    {9, 189.10, 6, CanvasRgb(3, 76, 255)},      {12, 193.60, 11, CanvasRgb(3, 76, 255)},
    {15, 194.50, 12, CanvasRgb(248, 122, 246)}, {18, 199.01, 17, CanvasRgb(248, 122, 246)},
    {21, 199.91, 18, CanvasRgb(122, 89, 92)},   {24, 204.41, 23, CanvasRgb(122, 89, 92)},
    {27, 205.31, 24, CanvasRgb(250, 62, 4)},    {30, 209.82, 29, CanvasRgb(250, 62, 4)},
    {33, 210.72, 30, CanvasRgb(255, 1, 0)},
};

const Amount* At(int x, int y) {
    const auto* a = std::find_if(std::begin(kAmounts), std::end(kAmounts),
                                 [&](const Amount& a) { return a.x == x && y == 15; });
    return a == std::end(kAmounts) ? nullptr : a;
}

struct Call {
    int x, y, x2, y2;
    std::uint32_t value;
    std::string text;
    bool operator==(const Call&) const = default;
};

std::vector<Call> Of(const CRecordingCanvas& canvas, CanvasOp op) {
    std::vector<Call> calls;
    for (const CanvasCall& c : canvas.CallsOf(op)) {
        calls.push_back({c.x, c.y, c.x2, c.y2, c.value, c.text});
    }
    return calls;
}

}  // namespace

TEST(PrecipLegend, NothingDrawnWithoutRain) {
    CPrecipEstimate empty("/nowhere");
    CRecordingCanvas canvas(40, 30);
    DrawPrecipitation(canvas, empty, 40, 30);
    EXPECT_TRUE(canvas.Calls().empty());
}

TEST(PrecipLegend, PixelsBoxesLabelsAndStateRestored) {
    CTempDir dir;
    WritePrecipTables(dir.Path(), UniformThreshold(240.0));
    const std::string ir1 = WritePrecipPair(
        dir.Path(), PrecipProductOptions(40, 30, 7),
        [](int x, int y) { return At(x, y) ? 190.0 : 300.0; },
        [](int x, int y) { return At(x, y) ? At(x, y)->t2 : 300.0; });
    CPrecipEstimate estimate(dir.Path());
    ASSERT_EQ(estimate.Compute(ir1, PrecipIr2Path(ir1)), 1);

    // The white box is as wide as the image up to 230 pixels, plus 30.
    for (const auto& [w, h, whiteRight] : {std::tuple{40, 30, 70}, std::tuple{1900, 1300, 260}}) {
        CRecordingCanvas canvas(w, h);
        DrawPrecipitation(canvas, estimate, w, h);

        std::vector<Call> pixels;
        for (const Amount& a : kAmounts) {
            pixels.push_back({a.x, 15, 0, 0, a.colour, ""});
        }
        EXPECT_EQ(Of(canvas, CanvasOp::SetPixel), pixels);
        const std::vector<Call> boxes = {
            {0, h - 60, whiteRight, h, CanvasRgb(255, 255, 255), ""},
            {10, h - 50, 40, h - 20, CanvasRgb(0, 191, 254), ""},
            {40, h - 50, 70, h - 20, CanvasRgb(3, 76, 255), ""},
            {70, h - 50, 100, h - 20, CanvasRgb(248, 122, 246), ""},
            {100, h - 50, 130, h - 20, CanvasRgb(122, 89, 92), ""},
            {130, h - 50, 160, h - 20, CanvasRgb(250, 59, 4), ""},
            {160, h - 50, 190, h - 20, CanvasRgb(255, 0, 0), ""},
        };
        EXPECT_EQ(Of(canvas, CanvasOp::FillRect), boxes);
        const std::uint32_t black = CanvasRgb(0, 0, 0);
        const std::vector<Call> labels = {
            {8, h - 15, 0, 0, black, "0"},    {38, h - 15, 0, 0, black, "6"},
            {68, h - 15, 0, 0, black, "12"},  {98, h - 15, 0, 0, black, "18"},
            {128, h - 15, 0, 0, black, "24"}, {158, h - 15, 0, 0, black, "30 (单位：mm)"},
        };
        EXPECT_EQ(Of(canvas, CanvasOp::TextOut), labels);
        for (const CanvasCall& c : canvas.CallsOf(CanvasOp::TextOut)) {
            EXPECT_EQ(c.font, (CanvasFont{12, 700, 0, "宋体"}));
        }
        const std::vector<Call> modes = Of(canvas, CanvasOp::SetBkMode);
        EXPECT_TRUE(std::any_of(modes.begin(), modes.end(), [](const Call& c) {
            return c.value == static_cast<std::uint32_t>(kBackgroundTransparent);
        }));
        const CRecordingCanvas untouched(w, h);
        EXPECT_EQ(canvas.Font(), untouched.Font());
        EXPECT_EQ(canvas.TextColor(), untouched.TextColor());
        EXPECT_EQ(canvas.BkMode(), untouched.BkMode());
    }
}
