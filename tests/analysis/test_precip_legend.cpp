// The precipitation layer on a recording canvas: pixel colours by class,
// the white legend box, the six coloured boxes and their labels, and the
// canvas state put back.

#include <gtest/gtest.h>

#include <map>

#include "analysis/CPrecipEstimate.h"
#include "analysis/PrecipDrawing.h"
#include "platform/CRecordingCanvas.h"
#include "support/PrecipScenes.h"

namespace {

constexpr int kWidth = 40;
constexpr int kHeight = 30;

// In summer a 190 K candidate gets 0.0368462 · 190 - 1.11007 · d, so its
// infrared-2 temperature sets its amount; each amount below sits in its own
// column of row 15. The amounts straddle every class boundary.
struct Amount {
    int x;
    double t2;
    int mm;
};
const Amount kAmounts[] = {
    {3, 184.59, 1},   {6, 188.20, 5},   {9, 189.10, 6},   {12, 193.60, 11},
    {15, 194.50, 12}, {18, 199.01, 17}, {21, 199.91, 18}, {24, 204.41, 23},
    {27, 205.31, 24}, {30, 209.82, 29}, {33, 210.72, 30},
};

const std::map<int, std::uint32_t> kPixelColour = {
    {1, CanvasRgb(0, 191, 254)},  {5, CanvasRgb(0, 191, 254)},    {6, CanvasRgb(3, 76, 255)},
    {11, CanvasRgb(3, 76, 255)},  {12, CanvasRgb(248, 122, 246)}, {17, CanvasRgb(248, 122, 246)},
    {18, CanvasRgb(122, 89, 92)}, {23, CanvasRgb(122, 89, 92)},   {24, CanvasRgb(250, 62, 4)},
    {29, CanvasRgb(250, 62, 4)},  {30, CanvasRgb(255, 1, 0)},
};

CPrecipEstimate EstimateOfAllClasses(const CTempDir& dir) {
    WritePrecipTables(dir.Path(), UniformThreshold(240.0));
    auto at = [](int x, int y) -> const Amount* {
        for (const Amount& a : kAmounts) {
            if (a.x == x && y == 15) {
                return &a;
            }
        }
        return nullptr;
    };
    const std::string ir1 = WritePrecipPair(
        dir.Path(), PrecipProductOptions(kWidth, kHeight, 7),
        [&](int x, int y) { return at(x, y) ? 190.0 : 300.0; },
        [&](int x, int y) { return at(x, y) ? at(x, y)->t2 : 300.0; });
    CPrecipEstimate estimate(dir.Path());
    EXPECT_EQ(estimate.Compute(ir1, PrecipIr2Path(ir1)), 1);
    return estimate;
}

struct Box {
    int left, top, right, bottom;
    std::uint32_t colour;
    bool operator==(const Box&) const = default;
};

struct Label {
    int x, y;
    std::string text;
    bool operator==(const Label&) const = default;
};

}  // namespace

TEST(PrecipLegend, NothingDrawnWithoutRain) {
    CPrecipEstimate empty("/nowhere");
    CRecordingCanvas canvas(kWidth, kHeight);
    DrawPrecipitation(canvas, empty, kWidth, kHeight);
    EXPECT_TRUE(canvas.Calls().empty());
}

TEST(PrecipLegend, PixelsInTheirClassColours) {
    CTempDir dir;
    const CPrecipEstimate estimate = EstimateOfAllClasses(dir);
    ASSERT_EQ(estimate.Pixels().size(), std::size(kAmounts));
    CRecordingCanvas canvas(kWidth, kHeight);
    DrawPrecipitation(canvas, estimate, kWidth, kHeight);
    const std::vector<CanvasCall> pixels = canvas.CallsOf(CanvasOp::SetPixel);
    ASSERT_EQ(pixels.size(), std::size(kAmounts));
    for (std::size_t k = 0; k < pixels.size(); ++k) {
        EXPECT_EQ(pixels[k].x, kAmounts[k].x);
        EXPECT_EQ(pixels[k].y, 15);
        EXPECT_EQ(pixels[k].value, kPixelColour.at(kAmounts[k].mm)) << kAmounts[k].mm << " mm";
    }
}

// The white box is as wide as the image up to 230 pixels, plus 30.
TEST(PrecipLegend, BoxesLabelsFontAndStateRestored) {
    CTempDir dir;
    const CPrecipEstimate estimate = EstimateOfAllClasses(dir);
    for (const auto& [imageWidth, imageHeight, whiteRight] :
         {std::tuple{40, 30, 70}, std::tuple{229, 300, 259}, std::tuple{1900, 1300, 260}}) {
        CRecordingCanvas canvas(imageWidth, imageHeight);
        const CanvasFont fontBefore = canvas.Font();
        const std::uint32_t textBefore = canvas.TextColor();
        const int modeBefore = canvas.BkMode();
        DrawPrecipitation(canvas, estimate, imageWidth, imageHeight);

        const int h = imageHeight;
        const std::vector<Box> expectedBoxes = {
            {0, h - 60, whiteRight, h, CanvasRgb(255, 255, 255)},
            {10, h - 50, 40, h - 20, CanvasRgb(0, 191, 254)},
            {40, h - 50, 70, h - 20, CanvasRgb(3, 76, 255)},
            {70, h - 50, 100, h - 20, CanvasRgb(248, 122, 246)},
            {100, h - 50, 130, h - 20, CanvasRgb(122, 89, 92)},
            {130, h - 50, 160, h - 20, CanvasRgb(250, 59, 4)},
            {160, h - 50, 190, h - 20, CanvasRgb(255, 0, 0)},
        };
        std::vector<Box> boxes;
        for (const CanvasCall& c : canvas.CallsOf(CanvasOp::FillRect)) {
            boxes.push_back({c.x, c.y, c.x2, c.y2, c.value});
        }
        EXPECT_EQ(boxes, expectedBoxes);

        const std::vector<Label> expectedLabels = {
            {8, h - 15, "0"},   {38, h - 15, "6"},   {68, h - 15, "12"},
            {98, h - 15, "18"}, {128, h - 15, "24"}, {158, h - 15, "30 (单位：mm)"},
        };
        std::vector<Label> labels;
        for (const CanvasCall& c : canvas.CallsOf(CanvasOp::TextOut)) {
            labels.push_back({c.x, c.y, c.text});
            EXPECT_EQ(c.font.height, 12);
            EXPECT_EQ(c.font.weight, 700);
            EXPECT_EQ(c.font.escapement, 0);
            EXPECT_EQ(c.font.face, "宋体");
            EXPECT_EQ(c.value, CanvasRgb(0, 0, 0));
        }
        EXPECT_EQ(labels, expectedLabels);

        // Transparent while drawing, everything put back afterwards.
        const std::vector<CanvasCall> modes = canvas.CallsOf(CanvasOp::SetBkMode);
        ASSERT_FALSE(modes.empty());
        EXPECT_NE(std::find_if(modes.begin(), modes.end(),
                               [](const CanvasCall& c) {
                                   return c.value ==
                                          static_cast<std::uint32_t>(kBackgroundTransparent);
                               }),
                  modes.end());
        EXPECT_EQ(canvas.Font(), fontBefore);
        EXPECT_EQ(canvas.TextColor(), textBefore);
        EXPECT_EQ(canvas.BkMode(), modeBefore);
    }
}
