// Compositions that write again what unchanged layers drew before give the
// picture a composition drawing every layer gives, through a sequence of
// changes: switches, palette, the image, the product, a map file rewritten
// or removed.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "image/CDibImage.h"
#include "platform/ByteOrder.h"
#include "render/CQtCanvas.h"
#include "render/CQtPicture.h"
#include "support/TestSupport.h"
#include "synth/AwxWriter.h"

namespace {

namespace fs = std::filesystem;

// Five records of 40 points; countFactor 2 for the .LNB files, 1 for .MPB.
std::vector<std::uint8_t> MapFile(int lonShift, int countFactor = 2) {
    std::vector<std::uint8_t> bytes;
    for (int r = 0; r < 5; ++r) {
        const int points = 40;
        const std::size_t at = bytes.size();
        bytes.resize(at + 10 + 4 * points);
        WriteInt16LE(bytes.data() + at, countFactor * points);
        for (int i = 0; i < points; ++i) {
            WriteInt16LE(bytes.data() + at + 10 + 4 * i, 2300 + 100 * r + 13 * i);
            WriteInt16LE(bytes.data() + at + 12 + 4 * i, 9000 + lonShift + 31 * i - 7 * r);
        }
    }
    return bytes;
}

// Public: the steps below change the fixture through a reference to it.
class LayerMemory : public ::testing::Test {
public:
    void SetUp() override {
        fs::create_directory(m_dir.File("dat"));
        for (const char* name : {"WORLD.LNB", "PROVS.LNB", "RIVER.LNB"}) {
            WriteDat(name, MapFile(0));
        }
        WriteDat("CHINAM.MPB", MapFile(200, 1));
        fs::copy_file(SourceDir() + "/dat/color1.lut", m_dir.File("dat/color1.lut"));
        AwxWriterOptions options;
        options.width = 300;
        options.height = 200;
        m_path = m_dir.File("a.awx");
        ASSERT_TRUE(WriteAwxProduct(m_path, options));
        options.centerLon = 100.0;
        options.hour = 14;
        m_other = m_dir.File("b.awx");
        ASSERT_TRUE(WriteAwxProduct(m_other, options));
        ASSERT_TRUE(m_product.ReadProduct(m_path));
        ASSERT_TRUE(m_image.Load(m_path));
        m_layers.m_bProvinces = 1;
        m_layers.m_bIsotherms = 1;
    }

    void WriteDat(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        ASSERT_TRUE(WriteFileBytes(m_dir.File("dat/" + name), bytes));
    }

    // The picture with every layer drawn, and the picture through the memory
    // after the switches from the layers last shown: it equals the drawn one
    // and differs from the one before only within the tiles said to change,
    // which are fewer than all when only kept layers were switched.
    enum How { kWhole, kSwitch, kSwitchWhole };
    void ExpectSameAsDrawing(const std::string& step, How how) {
        const CDataPaths paths(m_dir.Path());
        CDibImage drawnImage = m_image;
        int recompose = 1;
        QImage drawn;
        ASSERT_EQ(
            ComposePicture(drawnImage, SceneOf(m_product, "R", paths), m_layers, recompose, drawn),
            1);
        CompositionScene scene = SceneOf(m_product, "R", m_paths);
        scene.layerMemory = &m_memory;
        const QImage before = m_picture.copy();
        CanvasTiles changed;
        if (how == kWhole) {
            ASSERT_EQ(ComposePicture(m_image, scene, m_layers, m_recompose, m_picture), 1) << step;
            changed = CanvasTiles(m_picture.width(), m_picture.height());
            changed.MarkAll();
        } else {
            ASSERT_EQ(ComposeLayerSwitch(m_image, scene, m_shown, m_layers, m_recompose, m_picture,
                                         changed),
                      1)
                << step;
        }
        m_shown = m_layers;
        EXPECT_TRUE(m_picture == drawn) << step;
        EXPECT_EQ(!changed.All(), how == kSwitch) << step;
        if (before.size() != m_picture.size()) {
            return;
        }
        int outside = 0;
        for (int y = 0; y < m_picture.height(); ++y) {
            for (int x = 0; x < m_picture.width(); ++x) {
                outside += !changed.Covers(x, y) && before.pixel(x, y) != m_picture.pixel(x, y);
            }
        }
        EXPECT_EQ(outside, 0) << step;
    }

    CTempDir m_dir;
    std::string m_path;
    std::string m_other;
    CGeoImage m_product;
    CDibImage m_image;
    CompositionLayers m_layers;
    CompositionLayers m_shown;
    // The view's side: its data paths, memory and picture last all along.
    CDataPaths m_paths{m_dir.Path()};
    CLayerMemory m_memory;
    QImage m_picture;
    int m_recompose = 1;
};

TEST_F(LayerMemory, PicturesEqualDrawingEveryLayerThroughChanges) {
    struct Step {
        const char* name;
        std::function<void(LayerMemory&)> change;
        How how = kWhole;
    };
    const Step steps[] = {
        {"first", [](LayerMemory&) {}},
        {"again", [](LayerMemory&) {}, kSwitch},
        {"grid off", [](LayerMemory& t) { t.m_layers.m_bGrid = 0; }, kSwitch},
        {"grid on", [](LayerMemory& t) { t.m_layers.m_bGrid = 1; }, kSwitch},
        {"legend on", [](LayerMemory& t) { t.m_layers.m_bLegend = 1; }, kSwitchWhole},
        {"grid off under the legend", [](LayerMemory& t) { t.m_layers.m_bGrid = 0; }, kSwitch},
        {"isotherm levels leave the legend", [](LayerMemory& t) { t.m_layers.m_bIsotherms = 0; },
         kSwitchWhole},
        {"legend off, grid and isotherms on",
         [](LayerMemory& t) {
             t.m_layers.m_bLegend = 0;
             t.m_layers.m_bGrid = 1;
             t.m_layers.m_bIsotherms = 1;
         },
         kSwitchWhole},
        {"provinces and grid off",
         [](LayerMemory& t) {
             t.m_layers.m_bProvinces = 0;
             t.m_layers.m_bGrid = 0;
         },
         kSwitch},
        {"grid back", [](LayerMemory& t) { t.m_layers.m_bGrid = 1; }, kSwitch},
        {"provinces back", [](LayerMemory& t) { t.m_layers.m_bProvinces = 1; }, kSwitch},
        {"palette",
         [](LayerMemory& t) {
             t.m_layers.m_strPalette = t.m_dir.File("dat/color1.lut");
             t.m_layers.m_bPaletteOn = 1;
         }},
        {"palette file rewritten, grid off",
         [](LayerMemory& t) {
             const std::string lut = t.m_dir.File("dat/color1.lut");
             const auto time = fs::last_write_time(lut);
             fs::copy_file(SourceDir() + "/dat/color2.lut", lut,
                           fs::copy_options::overwrite_existing);
             fs::last_write_time(lut, time + std::chrono::seconds(2));
             t.m_layers.m_bGrid = 0;
         },
         kSwitchWhole},
        {"grid on again", [](LayerMemory& t) { t.m_layers.m_bGrid = 1; }, kSwitch},
        {"image changed", [](LayerMemory& t) { ASSERT_TRUE(t.m_image.Negate()); }},
        {"world rewritten",
         [](LayerMemory& t) {
             const auto time = fs::last_write_time(t.m_dir.File("dat/WORLD.LNB"));
             t.WriteDat("WORLD.LNB", MapFile(55));
             fs::last_write_time(t.m_dir.File("dat/WORLD.LNB"), time + std::chrono::seconds(2));
         }},
        {"rivers removed", [](LayerMemory& t) { fs::remove(t.m_dir.File("dat/RIVER.LNB")); }},
        {"rivers damaged",
         [](LayerMemory& t) {
             std::vector<std::uint8_t> cut = MapFile(0);
             cut.resize(cut.size() - 3);
             t.WriteDat("RIVER.LNB", cut);
         }},
        {"other product",
         [](LayerMemory& t) {
             ASSERT_TRUE(t.m_product.ReadProduct(t.m_other));
             ASSERT_TRUE(t.m_image.Load(t.m_other));
             t.m_recompose = 1;
         }},
        // The damaged rivers file is drawn at every composition, nothing of it
        // is kept: what it drew last cannot be told, so switches compose all.
        {"isotherms off", [](LayerMemory& t) { t.m_layers.m_bIsotherms = 0; }, kSwitchWhole},
        {"map off", [](LayerMemory& t) { t.m_layers.m_bMap = 0; }, kSwitchWhole},
        {"isotherms on without the rivers", [](LayerMemory& t) { t.m_layers.m_bIsotherms = 1; },
         kSwitch},
        {"all on",
         [](LayerMemory& t) {
             t.m_layers.m_bMap = 1;
             t.m_layers.m_bIsotherms = 1;
         },
         kSwitchWhole},
    };
    for (const Step& step : steps) {
        step.change(*this);
        ExpectSameAsDrawing(step.name, step.how);
    }
}

TEST(CanvasPixelRecord, WritesAgainWhatWasDrawnAndRefusesOtherSizes) {
    QImage first(40, 30, QImage::Format_RGB32);
    first.fill(0xff000000u);
    QImage second = first;
    CanvasPixels pixels;
    {
        QPainter painter(&first);
        CQtCanvas canvas(painter);
        ASSERT_TRUE(canvas.BeginPixelRecord());
        canvas.SelectPen(CanvasPen{kPenDash, 1, CanvasRgb(255, 0, 0)});
        canvas.MoveTo(1, 1);
        canvas.LineTo(35, 20);
        canvas.SetPixel(3, 28, CanvasRgb(0, 9, 0));
        ASSERT_TRUE(canvas.EndPixelRecord(pixels));
        // Text is drawn by Qt: such a record is not whole.
        ASSERT_TRUE(canvas.BeginPixelRecord());
        canvas.TextOut(0, 0, "x");
        CanvasPixels text;
        EXPECT_FALSE(canvas.EndPixelRecord(text));
    }
    {
        QPainter painter(&second);
        CQtCanvas canvas(painter);
        ASSERT_TRUE(canvas.PutPixelRecord(pixels));
    }
    QImage withoutText(40, 30, QImage::Format_RGB32);
    withoutText.fill(0xff000000u);
    {
        QPainter painter(&withoutText);
        CQtCanvas canvas(painter);
        canvas.SelectPen(CanvasPen{kPenDash, 1, CanvasRgb(255, 0, 0)});
        canvas.MoveTo(1, 1);
        canvas.LineTo(35, 20);
        canvas.SetPixel(3, 28, CanvasRgb(0, 9, 0));
    }
    EXPECT_TRUE(second == withoutText);
    QImage other(41, 30, QImage::Format_RGB32);
    QPainter painter(&other);
    CQtCanvas canvas(painter);
    EXPECT_FALSE(canvas.PutPixelRecord(pixels));
}

}  // namespace
