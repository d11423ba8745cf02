#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <vector>

#include "image/CDibImage.h"
#include "platform/Message.h"
#include "render/CQtPicture.h"
#include "render/DibQImage.h"
#include "support/CRecordingCanvas.h"
#include "support/TestSupport.h"
#include "synth/AwxWriter.h"

namespace {

// A map record: count as stored, 8 unused bytes, (lat × 100, lon × 100) pairs.
void AppendRecord(std::vector<std::uint8_t>& bytes, const std::vector<std::pair<int, int>>& points,
                  int countFactor) {
    auto put16 = [&bytes](int v) {
        bytes.push_back(static_cast<std::uint8_t>(v & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
    };
    put16(static_cast<int>(points.size()) * countFactor);
    bytes.insert(bytes.end(), 8, 0);
    for (const auto& [lat, lon] : points) {
        put16(lat);
        put16(lon);
    }
}

// A synthetic equal latitude/longitude product (400 x 300 at 0.05 degree
// round 97.5 E 27.5 N) with its own data folder.
class CompositionTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory(m_dir.File("dat"));
        m_path = m_dir.File("FY2G_LCN_IR1.AWX");
        ASSERT_TRUE(WriteAwxProduct(m_path, AwxWriterOptions{}));
        ASSERT_TRUE(m_product.ReadProduct(m_path));
        ASSERT_TRUE(m_image.Load(m_path));
    }

    void WriteDat(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        ASSERT_TRUE(WriteFileBytes(m_dir.File("dat/" + name), bytes));
    }

    std::pair<int, int> Pixel(double lon, double lat) const {
        double x = 0;
        double y = 0;
        EXPECT_EQ(CGeoImage::LatLonToPixel(m_product.Params(), lon, lat, x, y), 0);
        return {static_cast<int>(x), static_cast<int>(y)};
    }

    CDataPaths Paths() const { return CDataPaths(m_dir.Path()); }

    CTempDir m_dir;
    std::string m_path;
    CGeoImage m_product;
    CDibImage m_image;
};

TEST_F(CompositionTest, CoastlineLiesOverTheImage) {
    std::vector<std::uint8_t> world;
    AppendRecord(world, {{2750, 9600}, {2750, 9900}, {2900, 9900}}, 2);
    WriteDat("WORLD.LNB", world);
    CompositionLayers layers;
    layers.m_bGrid = 0;
    layers.m_bTitle = 0;
    int recompose = 1;
    QImage offscreen;
    ASSERT_EQ(
        ComposePicture(m_image, SceneOf(m_product, "", Paths()), layers, recompose, offscreen), 1);
    EXPECT_EQ(recompose, 0);
    const QImage plain = ToDeviceBitmap(m_image);
    ASSERT_EQ(offscreen.size(), plain.size());

    const auto [x0, y0] = Pixel(96.0, 27.5);
    const auto [x1, y1] = Pixel(99.0, 27.5);
    const auto [x2, y2] = Pixel(99.0, 29.0);
    ASSERT_EQ(y0, y1);
    ASSERT_EQ(x1, x2);
    const QRgb pen = qRgb(128, 255, 128);
    int linePixels = 0;
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x) {
            const bool onLine = (y == y0 && x >= x0 && x <= x1) || (x == x1 && y > y2 && y <= y1);
            if (onLine) {
                EXPECT_EQ(offscreen.pixel(x, y), pen) << x << "," << y;
                ++linePixels;
            } else {
                ASSERT_EQ(offscreen.pixel(x, y), plain.pixel(x, y)) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(linePixels, (x1 - x0 + 1) + (y1 - y2) - 1);  // the corner once
}

TEST_F(CompositionTest, PaletteGoesIntoTheColourTableBeforeDrawing) {
    std::ofstream(m_dir.File("dat/white.lut")) << "BK 0 x 2 0 255 256 255\n";
    CompositionLayers layers;
    layers.m_strPalette = m_dir.File("dat/white.lut");
    layers.m_bPaletteOn = 1;
    layers.m_bGrid = layers.m_bTitle = layers.m_bMap = 0;
    int recompose = 1;
    QImage offscreen;
    ASSERT_EQ(
        ComposePicture(m_image, SceneOf(m_product, "", Paths()), layers, recompose, offscreen), 1);
    EXPECT_EQ(m_image.Palette()[0] & 0xFFFFFF, 0xFFFFFFu);
    for (int y = 0; y < offscreen.height(); y += 37) {
        for (int x = 0; x < offscreen.width(); x += 41) {
            EXPECT_EQ(offscreen.pixel(x, y), qRgb(255, 255, 255));
        }
    }
}

TEST_F(CompositionTest, DrawsOverTheExistingPictureUntilAskedToRebuild) {
    CompositionLayers layers;
    int recompose = 1;
    QImage offscreen;
    ASSERT_EQ(
        ComposePicture(m_image, SceneOf(m_product, "R1", Paths()), layers, recompose, offscreen),
        1);
    const QImage first = offscreen.copy();
    ASSERT_EQ(
        ComposePicture(m_image, SceneOf(m_product, "R1", Paths()), layers, recompose, offscreen),
        1);
    EXPECT_EQ(offscreen, first);  // composing twice gives the same picture
    // A missing picture is made even without the flag.
    QImage none;
    ASSERT_EQ(ComposePicture(m_image, SceneOf(m_product, "R1", Paths()), layers, recompose, none),
              1);
    EXPECT_EQ(none, first);
}

TEST_F(CompositionTest, TitleOffLeavesTheCornerAlone) {
    CompositionLayers layers;
    layers.m_bMap = 0;
    int recompose = 1;
    QImage withTitle;
    ASSERT_EQ(
        ComposePicture(m_image, SceneOf(m_product, "R1", Paths()), layers, recompose, withTitle),
        1);
    layers.m_bTitle = 0;
    recompose = 1;
    QImage without;
    ASSERT_EQ(
        ComposePicture(m_image, SceneOf(m_product, "R1", Paths()), layers, recompose, without), 1);
    const QImage plain = ToDeviceBitmap(m_image);
    const QRect corner(6, 6, 200, 16);
    int titlePixels = 0;
    for (int y = corner.top(); y <= corner.bottom(); ++y) {
        for (int x = corner.left(); x <= corner.right(); ++x) {
            titlePixels += withTitle.pixel(x, y) == qRgb(232, 64, 64);
            EXPECT_NE(without.pixel(x, y), qRgb(232, 64, 64));
        }
    }
    EXPECT_GT(titlePixels, 20);
    EXPECT_NE(without, plain);  // the grid is there
}

TEST_F(CompositionTest, PictureWithoutProductShowsTheImageAlone) {
    CGeoImage none;
    CompositionLayers layers;
    layers.m_bProvinces = 1;
    int recompose = 1;
    QImage offscreen;
    ASSERT_EQ(ComposePicture(m_image, SceneOf(none, "R1", Paths()), layers, recompose, offscreen),
              1);
    EXPECT_EQ(offscreen, ToDeviceBitmap(m_image));
}

TEST(CompositionFailureTest, NoImageComposesNothing) {
    CDibImage empty;
    CGeoImage product;
    int recompose = 1;
    QImage offscreen;
    EXPECT_EQ(ComposePicture(empty, SceneOf(product, "", CDataPaths(".")), CompositionLayers{},
                             recompose, offscreen),
              0);
    EXPECT_EQ(recompose, 1);
    EXPECT_TRUE(offscreen.isNull());
}

TEST(CompositionFailureTest, PictureThatCannotBeMadeIsReportedAndTheFlagStays) {
    // A run-length compressed image has no readable pixels.
    std::vector<std::uint8_t> block(40 + 256 * 4 + 16, 0);
    block[0] = 40;
    block[4] = 4;
    block[8] = 4;
    block[12] = 1;
    block[14] = 8;
    block[16] = 1;  // compression: RLE8
    CDibImage image;
    ASSERT_TRUE(image.Attach(block));
    CMessageRecorder recorder;
    CScopedMessageSink sink(&recorder);
    CGeoImage product;
    int recompose = 1;
    QImage offscreen;
    EXPECT_EQ(ComposePicture(image, SceneOf(product, "", CDataPaths(".")), CompositionLayers{},
                             recompose, offscreen),
              0);
    EXPECT_EQ(recompose, 1);
    EXPECT_EQ(recorder.Messages(), std::vector<std::string>{"内存不足,不能创建兼容位图"});
}

// The pens of the line segments, in drawing order, with repeats collapsed.
std::vector<std::uint32_t> PenOrder(const CRecordingCanvas& canvas) {
    std::vector<std::uint32_t> order;
    for (const CanvasCall& call : canvas.CallsOf(CanvasOp::LineTo)) {
        if (order.empty() || order.back() != call.pen.colour) {
            order.push_back(call.pen.colour);
        }
    }
    return order;
}

TEST_F(CompositionTest, LayersInTheirOrderAndOnlyWhenSwitchedOn) {
    std::vector<std::uint8_t> lines;
    AppendRecord(lines, {{2700, 9600}, {2800, 9700}}, 2);
    for (const char* name : {"WORLD.LNB", "PROVS.LNB", "RIVER.LNB"}) {
        WriteDat(name, lines);
    }
    std::vector<std::uint8_t> china;
    AppendRecord(china, {{2600, 9600}, {2800, 9800}}, 1);
    WriteDat("CHINAM.MPB", china);
    const std::uint32_t world = CanvasRgb(128, 255, 128);
    const std::uint32_t chinese = CanvasRgb(255, 192, 192);
    const std::uint32_t river = CanvasRgb(0, 0, 255);
    const std::uint32_t grid = CanvasRgb(255, 255, 128);

    struct Case {
        int map, provinces, grid, title;
        std::vector<std::uint32_t> pens;
        std::size_t texts;
    };
    const Case cases[] = {
        {1, 0, 1, 1, {world, chinese, river, grid}, 1},
        {1, 1, 1, 1, {world, chinese, river, grid}, 1},  // provinces share China's pen
        {0, 1, 1, 0, {grid}, 0},                         // provinces need the map
        {0, 0, 0, 1, {}, 1},
        {0, 0, 0, 0, {}, 0},
    };
    for (const Case& c : cases) {
        CompositionLayers layers;
        layers.m_bMap = c.map;
        layers.m_bProvinces = c.provinces;
        layers.m_bGrid = c.grid;
        layers.m_bTitle = c.title;
        CRecordingCanvas canvas(400, 300);
        DrawOverlayLayers(canvas, SceneOf(m_product, "R1", Paths()), layers);
        EXPECT_EQ(PenOrder(canvas), c.pens) << c.map << c.provinces << c.grid << c.title;
        EXPECT_EQ(canvas.CallsOf(CanvasOp::TextOut).size(), c.texts);
    }
    // Provinces add their own strokes between China's and the rivers'.
    CompositionLayers layers;
    layers.m_bGrid = layers.m_bTitle = 0;
    CRecordingCanvas without(400, 300);
    DrawOverlayLayers(without, SceneOf(m_product, "", Paths()), layers);
    layers.m_bProvinces = 1;
    CRecordingCanvas with(400, 300);
    DrawOverlayLayers(with, SceneOf(m_product, "", Paths()), layers);
    EXPECT_EQ(with.CallsOf(CanvasOp::LineTo).size(), without.CallsOf(CanvasOp::LineTo).size() + 1);
}

TEST_F(CompositionTest, IsothermsComeBeforeTheMapLinesWhenSwitchedOn) {
    std::vector<std::uint8_t> lines;
    AppendRecord(lines, {{2700, 9600}, {2800, 9700}}, 2);
    WriteDat("WORLD.LNB", lines);
    const std::uint32_t world = CanvasRgb(128, 255, 128);
    CompositionLayers layers;
    layers.m_bGrid = layers.m_bTitle = 0;
    CRecordingCanvas off(400, 300);
    DrawOverlayLayers(off, SceneOf(m_product, "", Paths()), layers);
    EXPECT_EQ(PenOrder(off), std::vector<std::uint32_t>{world});

    layers.m_bIsotherms = 1;
    CRecordingCanvas on(400, 300);
    DrawOverlayLayers(on, SceneOf(m_product, "", Paths()), layers);
    const std::vector<std::uint32_t> pens = PenOrder(on);
    // The synthetic scene crosses several levels; all of them precede the map.
    ASSERT_GT(pens.size(), 2u);
    EXPECT_EQ(pens.back(), world);
    EXPECT_EQ(std::count(pens.begin(), pens.end(), world), 1);
}

}  // namespace
