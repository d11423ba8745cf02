// The drawing order of the picture and the steps of one composition, checked
// without Qt: the layers draw onto a recording canvas through a picture that
// only remembers what was asked of it.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "compose/Composition.h"
#include "platform/Message.h"
#include "support/CRecordingCanvas.h"
#include "support/TestSupport.h"
#include "synth/AwxWriter.h"

namespace {

using L = CompositionLayer;

// Hands out canvases that record onto one shared recording canvas.
class CForwardingCanvas : public CCanvas {
public:
    explicit CForwardingCanvas(CRecordingCanvas& target) : m_target(target) {}
    int Width() const override { return m_target.Width(); }
    int Height() const override { return m_target.Height(); }
    CanvasPen SelectPen(const CanvasPen& pen) override { return m_target.SelectPen(pen); }
    CanvasFont SelectFont(const CanvasFont& font) override { return m_target.SelectFont(font); }
    std::uint32_t SetTextColor(std::uint32_t c) override { return m_target.SetTextColor(c); }
    int SetBkMode(int mode) override { return m_target.SetBkMode(mode); }
    void MoveTo(int x, int y) override { m_target.MoveTo(x, y); }
    void LineTo(int x, int y) override { m_target.LineTo(x, y); }
    void TextOut(int x, int y, const std::string& t) override { m_target.TextOut(x, y, t); }
    CanvasSize TextExtent(const std::string& t) override { return m_target.TextExtent(t); }
    void SetPixel(int x, int y, std::uint32_t c) override { m_target.SetPixel(x, y, c); }
    void FillRect(int l, int t, int r, int b, std::uint32_t c) override {
        m_target.FillRect(l, t, r, b, c);
    }

private:
    CRecordingCanvas& m_target;
};

class CFakePicture : public CPicture {
public:
    bool Fits(int width, int height) const override {
        return m_nWidth == width && m_nHeight == height;
    }
    bool Rebuild(const CDibImage& image) override {
        ++m_nRebuilds;
        if (m_bFailRebuild) {
            return false;
        }
        m_nWidth = image.Width();
        m_nHeight = image.Height();
        m_pCanvas = std::make_unique<CRecordingCanvas>(m_nWidth, m_nHeight);
        return true;
    }
    bool PutImage(const CDibImage&) override {
        ++m_nPuts;
        return true;
    }
    std::unique_ptr<CCanvas> OpenCanvas() override {
        return std::make_unique<CForwardingCanvas>(*m_pCanvas);
    }

    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nRebuilds = 0;
    int m_nPuts = 0;
    bool m_bFailRebuild = false;
    std::unique_ptr<CRecordingCanvas> m_pCanvas;
};

TEST(CompositionOrderTest, SwitchesChooseTheLayersInTheirFixedOrder) {
    CompositionLayers defaults;
    CompositionLayers everything;
    everything.m_nDisplayMode = kDisplayPrecipitation;
    everything.m_bIsotherms = 1;
    everything.m_bProvinces = 1;
    everything.m_bCooling = 1;
    everything.m_bCells = 1;
    everything.m_bTracks = 1;
    CompositionLayers bare;
    bare.m_bMap = 0;
    bare.m_bGrid = 0;
    bare.m_bTitle = 0;
    bare.m_bProvinces = 1;  // provinces come only with the map
    CompositionLayers withLegend;
    withLegend.m_bLegend = 1;
    withLegend.m_bIsotherms = 1;
    CompositionLayers otherMode;
    otherMode.m_nDisplayMode = 104;
    otherMode.m_bMap = 0;

    const struct {
        const char* name;
        CompositionLayers layers;
        std::vector<L> order;
    } cases[] = {
        {"defaults",
         defaults,
         {L::NwpOverlays, L::WorldMap, L::ChinaMap, L::Rivers, L::Grid, L::Title}},
        {"everything",
         everything,
         {L::Precipitation, L::Isotherms, L::Cooling, L::Cells, L::Tracks, L::NwpOverlays,
          L::WorldMap, L::ChinaMap, L::Provinces, L::Rivers, L::Grid, L::Title, L::PrecipLegend}},
        {"bare", bare, {L::NwpOverlays}},
        {"mode other than 105", otherMode, {L::NwpOverlays, L::Grid, L::Title}},
        {"legend over everything",
         withLegend,
         {L::Isotherms, L::NwpOverlays, L::WorldMap, L::ChinaMap, L::Rivers, L::Grid, L::Title,
          L::Legend}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LayersToDraw(c.layers), c.order) << c.name;
    }
}

// A record of count 2 × points with 8 unused bytes, (lat × 100, lon × 100).
std::vector<std::uint8_t> MapRecord() {
    const int values[] = {4, 2700, 9600, 2800, 9800};  // count, then two vertices
    std::vector<std::uint8_t> bytes(2 + 8 + 8, 0);
    std::size_t at = 0;
    for (int v : values) {
        bytes[at] = static_cast<std::uint8_t>(v & 0xFF);
        bytes[at + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
        at += at == 0 ? 10 : 2;  // the 8 unused bytes follow the count
    }
    return bytes;
}

class CompositionStepsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory(m_dir.File("dat"));
        for (const char* name : {"WORLD.LNB", "CHINAM.MPB", "PROVS.LNB", "RIVER.LNB"}) {
            ASSERT_TRUE(WriteFileBytes(m_dir.File(std::string("dat/") + name), MapRecord()));
        }
        const std::string path = m_dir.File("FY2G_LCN_IR1.AWX");
        ASSERT_TRUE(WriteAwxProduct(path, AwxWriterOptions{}));
        ASSERT_TRUE(m_product.ReadProduct(path));
        ASSERT_TRUE(m_image.Load(path));
    }

    CTempDir m_dir;
    CGeoImage m_product;
    CDibImage m_image;
};

// Which layer a recorded call belongs to, told by its pen or its text.
char LayerOf(const CanvasCall& call) {
    if (call.op == CanvasOp::TextOut) {
        return 'T';
    }
    switch (call.pen.colour) {
        case CanvasRgb(128, 255, 128):
            return 'W';
        case CanvasRgb(255, 192, 192):
            return 'C';  // China and provinces share their colour
        case CanvasRgb(0, 0, 255):
            return call.pen.style == kPenSolid ? 'R' : '?';
        case CanvasRgb(255, 255, 128):
            return 'G';
        default:
            return 'I';
    }
}

TEST_F(CompositionStepsTest, LayersCoverEachOtherInTheirOrder) {
    CompositionLayers layers;
    layers.m_bIsotherms = 1;
    layers.m_bProvinces = 1;
    CFakePicture picture;
    int recompose = 1;
    const CDataPaths paths(m_dir.Path());
    ASSERT_EQ(ComposePicture(m_image, SceneOf(m_product, "R1", paths), layers, recompose, picture),
              1);
    std::string runs;
    for (const CanvasCall& call : picture.m_pCanvas->Calls()) {
        if (call.op != CanvasOp::LineTo && call.op != CanvasOp::TextOut) {
            continue;
        }
        char layer = LayerOf(call);
        if (layer == 'R' && runs.find('C') == std::string::npos) {
            layer = 'I';  // one isotherm level is drawn in the rivers' blue
        }
        if (runs.empty() || runs.back() != layer) {
            runs += layer;
        }
    }
    // Isotherms under the map lines (world, China and provinces, rivers),
    // then the grid, the title last.
    EXPECT_EQ(runs, "IWCRGT");
    EXPECT_EQ(picture.m_pCanvas->BkMode(), kBackgroundOpaque);  // restored after the layers
}

TEST_F(CompositionStepsTest, PictureIsRebuiltOnlyWhenAskedOrWhenItDoesNotFit) {
    CFakePicture picture;
    const CDataPaths paths(m_dir.Path());
    const CompositionScene scene = SceneOf(m_product, "", paths);
    int recompose = 0;
    ASSERT_EQ(ComposePicture(m_image, scene, CompositionLayers{}, recompose, picture), 1);
    EXPECT_EQ(picture.m_nRebuilds, 1);  // none yet: made although not asked
    ASSERT_EQ(ComposePicture(m_image, scene, CompositionLayers{}, recompose, picture), 1);
    EXPECT_EQ(picture.m_nRebuilds, 1);
    recompose = 1;
    ASSERT_EQ(ComposePicture(m_image, scene, CompositionLayers{}, recompose, picture), 1);
    EXPECT_EQ(picture.m_nRebuilds, 2);
    EXPECT_EQ(recompose, 0);
    EXPECT_EQ(picture.m_nPuts, 3);  // the image is put in at every composition
}

TEST_F(CompositionStepsTest, FailedPictureSaysSoAndKeepsTheRequest) {
    CMessageRecorder recorder;
    CScopedMessageSink sink(&recorder);
    CFakePicture picture;
    picture.m_bFailRebuild = true;
    const CDataPaths paths(m_dir.Path());
    int recompose = 1;
    EXPECT_EQ(ComposePicture(m_image, SceneOf(m_product, "", paths), CompositionLayers{}, recompose,
                             picture),
              0);
    EXPECT_EQ(recompose, 1);
    EXPECT_EQ(picture.m_nPuts, 0);
    EXPECT_EQ(recorder.Messages(), std::vector<std::string>{"内存不足,不能创建兼容位图"});

    CDibImage empty;
    recorder.Clear();
    EXPECT_EQ(ComposePicture(empty, SceneOf(m_product, "", paths), CompositionLayers{}, recompose,
                             picture),
              0);
    EXPECT_TRUE(recorder.Messages().empty());
}

}  // namespace
