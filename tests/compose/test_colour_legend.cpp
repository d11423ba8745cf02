// The colour legend: where its labels go on the palette bar, what they say
// for each kind of product, and how the strip lies at the bottom of the
// picture, over every other layer.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "analysis/IsothermColours.h"
#include "compose/ColourLegend.h"
#include "compose/Composition.h"
#include "image/PaletteFile.h"
#include "support/CRecordingCanvas.h"
#include "support/TestSupport.h"
#include "support/UniformProduct.h"

namespace {

std::vector<std::uint32_t> Colours(const PaletteTable& table) {
    std::vector<std::uint32_t> colours;
    for (const RgbQuad& q : table) {
        colours.push_back(CanvasRgb(q.red, q.green, q.blue));
    }
    return colours;
}

std::vector<std::uint32_t> GreyColours(int entries) {
    std::vector<std::uint32_t> colours;
    for (int i = 0; i < entries; ++i) {
        const int v = i * 255 / std::max(1, entries - 1);
        colours.push_back(CanvasRgb(v, v, v));
    }
    return colours;
}

std::vector<std::string> Texts(const CRecordingCanvas& canvas) {
    std::vector<std::string> texts;
    for (const CanvasCall& call : canvas.CallsOf(CanvasOp::TextOut)) {
        texts.push_back(call.text);
    }
    return texts;
}

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

CGeoImage ReadUniform(const CTempDir& dir, int channel, int count, double value,
                      bool calibration = true) {
    AwxWriterOptions options;
    options.width = 64;
    options.height = 48;
    options.channel = channel;
    std::vector<std::uint8_t> bytes = UniformProduct(options, count, value);
    if (!calibration) {
        options.calibration = false;
        bytes = MakeAwxProduct(options);
    }
    CGeoImage product;
    WriteBytesToPath(dir.File("p.awx"), bytes);
    EXPECT_TRUE(product.ReadProduct(dir.File("p.awx")));
    return product;
}

TEST(ColourLegend, TicksAtBreaksAndSteps) {
    const auto color1 = ReadPaletteFile(SourceDir() + "/dat/color1.lut");
    ASSERT_TRUE(color1.has_value());
    const struct {
        const char* name;
        std::vector<std::uint32_t> palette;
        std::vector<int> breaks;
        std::vector<int> steps;
    } cases[] = {
        {"grey ramp: ends and even steps",
         GreyColours(256),
         {0, 256},
         {32, 64, 96, 128, 160, 192, 224}},
        // Grey up to 160, then blocks of colour: every block starts a break,
        // steps keep clear of them.
        {"color1.lut", Colours(*color1), {0, 161, 174, 187, 198, 210, 221, 256}, {32, 64, 96, 128}},
        {"16-entry table", GreyColours(16), {0, 16}, {}},
        {"no palette", {}, {}, {}},
    };
    for (const auto& c : cases) {
        const LegendTicks ticks = FindLegendTicks(c.palette);
        EXPECT_EQ(ticks.breaks, c.breaks) << c.name;
        EXPECT_EQ(ticks.steps, c.steps) << c.name;
    }
}

TEST(ColourLegend, LabelsInTheChannelsUnit) {
    CTempDir dir;
    const struct {
        const char* name;
        int channel;
        double value;
        bool calibration;
        std::string label;
        std::string unit;
    } cases[] = {
        {"infrared in degrees Celsius", 1, 220.6, true, "-53", "°C"},
        {"water vapour", 3, 250.0, true, "-23", "°C"},
        {"just below freezing reads 0, not -0", 2, 273.0, true, "0", "°C"},
        {"visible albedo", 5, 45.5, true, "46", "%"},
        {"no calibration block: counts", 1, 0.0, false, "200", "计数"},
    };
    for (const auto& c : cases) {
        const CGeoImage product = ReadUniform(dir, c.channel, 200, c.value, c.calibration);
        const LegendScale scale = LegendScaleOf(product);
        EXPECT_EQ(scale.Label(200), c.label) << c.name;
        EXPECT_EQ(scale.Unit(), c.unit) << c.name;
    }
    const LegendScale none = LegendScaleOf(CGeoImage());
    EXPECT_EQ(none.Label(17), "17");
    EXPECT_EQ(none.Unit(), "计数");
}

TEST(ColourLegend, StripAtTheBottomWithItsLabels) {
    CTempDir dir;
    const CGeoImage product = ReadUniform(dir, 1, 0, 300.0);
    const LegendScale scale = LegendScaleOf(product);
    const std::vector<std::uint32_t> palette = GreyColours(256);

    CRecordingCanvas plain(800, 600);
    DrawColourLegend(plain, palette, scale, false, 600);
    const std::vector<CanvasCall> fills = plain.CallsOf(CanvasOp::FillRect);
    ASSERT_FALSE(fills.empty());
    const CanvasCall strip = fills.front();
    EXPECT_EQ(strip.value, CanvasRgb(255, 255, 255));
    EXPECT_EQ(strip.x, 0);
    EXPECT_EQ(strip.y2, 600);
    EXPECT_LT(strip.y, 600);
    // Count 0 is 300 K: the left end reads 27 °C; the rest of the table is
    // 0 K, no temperature, and goes unlabelled.
    const std::vector<std::string> texts = Texts(plain);
    EXPECT_TRUE(Contains(texts, "°C"));
    EXPECT_TRUE(Contains(texts, "27"));
    EXPECT_FALSE(Contains(texts, "-273"));
    EXPECT_FALSE(Contains(texts, "等温线(K)"));
    // Every fill stays inside the strip.
    for (const CanvasCall& fill : fills) {
        EXPECT_GE(fill.y, strip.y);
        EXPECT_LE(fill.y2, 600);
        EXPECT_LE(fill.x2, strip.x2);
    }
    EXPECT_EQ(plain.BkMode(), kBackgroundOpaque);  // the canvas's state restored

    // With the isotherms, a row of their levels in their colours; the strip
    // grows upwards from the bottom it is given.
    CRecordingCanvas rows(800, 600);
    DrawColourLegend(rows, palette, scale, true, 540);
    const CanvasCall taller = rows.CallsOf(CanvasOp::FillRect).front();
    EXPECT_EQ(taller.y2, 540);
    EXPECT_GT(600 - taller.y, 600 - strip.y);
    const std::vector<std::string> rowTexts = Texts(rows);
    EXPECT_TRUE(Contains(rowTexts, "等温线(K)"));
    for (const char* level : {"180", "192", "240", "300"}) {
        EXPECT_TRUE(Contains(rowTexts, level)) << level;
    }
    std::vector<std::uint32_t> colours;
    for (const CanvasCall& fill : rows.CallsOf(CanvasOp::FillRect)) {
        colours.push_back(fill.value);
    }
    // 180 K takes the coldest entry of the isotherm colours, 300 K the first.
    EXPECT_NE(std::find(colours.begin(), colours.end(), kIsothermColours[10]), colours.end());
    EXPECT_NE(std::find(colours.begin(), colours.end(), kIsothermColours[0]), colours.end());

    CRecordingCanvas nothing(800, 600);
    DrawColourLegend(nothing, {}, scale, true, 600);
    EXPECT_EQ(nothing.DrawingCallCount(), 0u);
}

// A product whose counts 0-249 run along a ramp from first to last and
// whose last counts hold a fill value, as FY-2G's tables end.
CGeoImage ReadRamp(const CTempDir& dir, int channel, double first, double last, double fill) {
    AwxWriterOptions options;
    options.width = 64;
    options.height = 48;
    options.channel = channel;
    std::vector<std::uint8_t> bytes = UniformProduct(options, 0, first);
    for (int count = 0; count < 256; ++count) {
        const double value = count < 250 ? first + (last - first) * count / 249.0 : fill;
        WriteInt16LE(bytes.data() + kAwxCalibrationOffset + 8 * count,
                     static_cast<std::int32_t>(std::lround(value * 100.0)));
    }
    CGeoImage product;
    WriteBytesToPath(dir.File("ramp.awx"), bytes);
    EXPECT_TRUE(product.ReadProduct(dir.File("ramp.awx")));
    return product;
}

// The bar's labels are round values a forecaster reads (every 10 °C or 10 %),
// only of entries that hold a temperature or an albedo, and never touch.
TEST(ColourLegend, RoundLabelsOfPlausibleValuesOnly) {
    CTempDir dir;
    const std::string sample = SharedSampleProduct();
    const struct {
        const char* name;
        CGeoImage product;
        int lowest;
        int highest;
    } cases[] = {
        {"infrared ramp ending in 18 K", ReadRamp(dir, 1, 320.0, 180.0, 18.0), -90, 40},
        {"visible ramp ending in 120 %", ReadRamp(dir, 5, 0.0, 100.0, 120.0), 0, 100},
    };
    for (const auto& c : cases) {
        CRecordingCanvas canvas(800, 600);
        DrawColourLegend(canvas, GreyColours(256), LegendScaleOf(c.product), false, 600);
        std::vector<std::pair<int, int>> spans;
        int labels = 0;
        for (const CanvasCall& call : canvas.CallsOf(CanvasOp::TextOut)) {
            if (call.text == "°C" || call.text == "%") {
                continue;
            }
            const int value = std::stoi(call.text);
            EXPECT_EQ(value % 10, 0) << c.name << ": " << call.text;
            EXPECT_GE(value, c.lowest) << c.name;
            EXPECT_LE(value, c.highest) << c.name;
            const int right = call.x + static_cast<int>(call.text.size()) * 8;
            for (const auto& [l, r] : spans) {
                EXPECT_TRUE(right <= l || call.x >= r) << c.name << ": " << call.text;
            }
            spans.emplace_back(call.x, right);
            ++labels;
        }
        EXPECT_GE(labels, 6) << c.name;
    }
    if (sample.empty()) {
        GTEST_SKIP() << "real sample product not found beside the repository";
    }
    // The real FY-2G infrared product: its table's last entry is no
    // temperature, and its legend used to end at "-255".
    CGeoImage real;
    ASSERT_TRUE(real.ReadProduct(sample));
    CRecordingCanvas canvas(800, 600);
    DrawColourLegend(canvas, GreyColours(256), LegendScaleOf(real), false, 600);
    const std::vector<std::string> texts = Texts(canvas);
    EXPECT_FALSE(Contains(texts, "-255"));
    EXPECT_TRUE(Contains(texts, "-40")) << ::testing::PrintToString(texts);
    EXPECT_TRUE(Contains(texts, "0"));
}

// Switched on, the legend is the last layer; over the precipitation legend
// it moves up so that both can be read.
TEST(ColourLegend, LastLayerAbovePrecipitationLegend) {
    CompositionLayers layers;
    layers.m_bLegend = 1;
    EXPECT_EQ(LayersToDraw(layers).back(), CompositionLayer::Legend);
    layers.m_bMap = 0;
    layers.m_bGrid = 0;
    layers.m_bTitle = 0;
    CTempDir dir;
    const CGeoImage product = ReadUniform(dir, 1, 0, 300.0);
    const CDataPaths paths(dir.Path());
    const std::vector<std::uint32_t> palette = GreyColours(256);
    for (const auto& [mode, bottom] : {std::pair{0, 480}, std::pair{kDisplayPrecipitation, 420}}) {
        layers.m_nDisplayMode = mode;
        CompositionScene scene = SceneOf(product, "", paths);
        scene.palette = &palette;
        CRecordingCanvas canvas(640, 480);
        DrawOverlayLayers(canvas, scene, layers);
        const std::vector<CanvasCall> fills = canvas.CallsOf(CanvasOp::FillRect);
        ASSERT_FALSE(fills.empty()) << mode;
        EXPECT_EQ(fills.front().y2, bottom) << mode;
    }
}

}  // namespace
