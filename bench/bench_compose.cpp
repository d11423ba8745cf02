// Composition of the real 1900 x 1300 sample with palette, map lines,
// provinces, grid and title, as the view composes after every toggle; and
// each layer on its own. Map and palette files are parsed once and kept by
// the data paths' cache (it checks the files at every use). The full
// composition is timed with every layer drawn, and with the view's layer
// memory, which writes again what unchanged map, grid and isotherm layers
// drew the time before.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchCatalogue.h"
#include "analysis/CPrecipEstimate.h"
#include "geo/MapLineFile.h"
#include "image/CDibImage.h"
#include "image/OpenImageFile.h"
#include "platform/DataPaths.h"
#include "product/CGeoImage.h"
#include "render/CGuiSession.h"
#include "render/CQtCanvas.h"
#include "render/CQtPicture.h"
#include "render/DibQImage.h"
#include "synth/AwxWriter.h"

namespace {

const std::string kSample =
    std::string(KELVRA_SHARED_DIR) + "/samples/ANI_IR1_R04_20220331_2100_FY2G.AWX";

struct Scene {
    bool ok = false;
    CGeoImage product;
    CDibImage image;
    CDataPaths paths{KELVRA_SOURCE_DIR};
    CompositionLayers layers;
};

Scene& SharedScene() {
    static Scene scene = [] {
        Scene s;
        s.ok = std::filesystem::exists(kSample) && s.product.ReadProduct(kSample) &&
               s.image.Load(kSample);
        s.layers.m_strPalette = s.paths.DataFile("color1.lut");
        s.layers.m_bPaletteOn = 1;
        s.layers.m_bProvinces = 1;
        return s;
    }();
    return scene;
}

// Counts the vertices of a map file that lie strictly inside the box.
class CInsideCounter : public CMapLineVisitor {
public:
    explicit CInsideCounter(const ProjectionParams& p) : m_params(p) {}
    void BeginRecord() override {}
    void Point(double lat, float lon) override {
        ++total;
        inside += m_params.southLat < lat && lat < m_params.northLat && m_params.westLon < lon &&
                  lon < m_params.eastLon;
    }
    long total = 0;
    long inside = 0;

private:
    const ProjectionParams& m_params;
};

void CountVertices(benchmark::State& state, const Scene& scene, const char* file,
                   MapCountRule rule) {
    std::vector<std::uint8_t> bytes;
    ReadWholeFile(scene.paths.DataFile(file), bytes);
    CInsideCounter counter(scene.product.Params());
    WalkMapLines(bytes.data(), bytes.size(), rule, counter);
    state.counters["vertices"] = static_cast<double>(counter.total);
    state.counters["inside"] = static_cast<double>(counter.inside);
}

void BM_ComposeFull(benchmark::State& state) {
    Scene& scene = SharedScene();
    if (!scene.ok) {
        state.SkipWithError("real sample product not found");
        return;
    }
    const int rebuild = static_cast<int>(state.range(0));
    QImage offscreen;
    int recompose = 1;
    for (auto _ : state) {
        recompose = rebuild ? 1 : recompose;
        benchmark::DoNotOptimize(ComposePicture(scene.image,
                                                SceneOf(scene.product, "R04", scene.paths),
                                                scene.layers, recompose, offscreen));
    }
}
BENCHMARK(BM_ComposeFull)->ArgName("rebuild")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ComposeKept(benchmark::State& state) {
    Scene& scene = SharedScene();
    if (!scene.ok) {
        state.SkipWithError("real sample product not found");
        return;
    }
    QImage offscreen;
    int recompose = 1;
    CLayerMemory memory;
    for (auto _ : state) {
        CompositionScene composition = SceneOf(scene.product, "R04", scene.paths);
        composition.layerMemory = &memory;
        benchmark::DoNotOptimize(
            ComposePicture(scene.image, composition, scene.layers, recompose, offscreen));
    }
}
BENCHMARK(BM_ComposeKept)->Unit(benchmark::kMillisecond);

// One step of the composition on its own, onto the composed picture.
template <typename Step>
void RunStep(benchmark::State& state, Step step) {
    Scene& scene = SharedScene();
    if (!scene.ok) {
        state.SkipWithError("real sample product not found");
        return;
    }
    QImage offscreen = ToDeviceBitmap(scene.image);
    QPainter painter(&offscreen);
    for (auto _ : state) {
        CQtCanvas canvas(painter);
        canvas.SetBkMode(kBackgroundTransparent);
        step(scene, painter, canvas);
    }
}

void BM_ApplyPalette(benchmark::State& state) {
    RunStep(state, [](Scene& s, QPainter&, CCanvas&) {
        s.image.ApplyPaletteFile(s.layers.m_strPalette, 1);
    });
}
BENCHMARK(BM_ApplyPalette)->Unit(benchmark::kMillisecond);

void BM_DrawImage(benchmark::State& state) {
    // The one conversion of the image into the existing picture.
    QImage picture(SharedScene().image.Width(), SharedScene().image.Height(), QImage::Format_RGB32);
    RunStep(state, [&picture](Scene& s, QPainter&, CCanvas&) { ToDeviceBitmap(s.image, picture); });
}
BENCHMARK(BM_DrawImage)->Unit(benchmark::kMillisecond);

void BM_WorldMap(benchmark::State& state) {
    RunStep(state, [](Scene& s, QPainter&, CCanvas& c) { s.product.DrawWorldMap(c, s.paths); });
    if (SharedScene().ok) {
        CountVertices(state, SharedScene(), "WORLD.LNB", MapCountRule::HalfCount);
    }
}
BENCHMARK(BM_WorldMap)->Unit(benchmark::kMillisecond);

void BM_ChinaMap(benchmark::State& state) {
    RunStep(state, [](Scene& s, QPainter&, CCanvas& c) { s.product.DrawChinaMap(c, s.paths); });
    if (SharedScene().ok) {
        CountVertices(state, SharedScene(), "CHINAM.MPB", MapCountRule::PointCount);
    }
}
BENCHMARK(BM_ChinaMap)->Unit(benchmark::kMillisecond);

void BM_Provinces(benchmark::State& state) {
    RunStep(state, [](Scene& s, QPainter&, CCanvas& c) { s.product.DrawProvinces(c, s.paths); });
    if (SharedScene().ok) {
        CountVertices(state, SharedScene(), "PROVS.LNB", MapCountRule::HalfCount);
    }
}
BENCHMARK(BM_Provinces)->Unit(benchmark::kMillisecond);

void BM_Rivers(benchmark::State& state) {
    RunStep(state, [](Scene& s, QPainter&, CCanvas& c) { s.product.DrawRivers(c, s.paths); });
    if (SharedScene().ok) {
        CountVertices(state, SharedScene(), "RIVER.LNB", MapCountRule::HalfCount);
    }
}
BENCHMARK(BM_Rivers)->Unit(benchmark::kMillisecond);

void BM_Grid(benchmark::State& state) {
    RunStep(state, [](Scene& s, QPainter&, CCanvas& c) { s.product.DrawGrid(c); });
}
BENCHMARK(BM_Grid)->Unit(benchmark::kMillisecond);

void BM_Title(benchmark::State& state) {
    RunStep(state, [](Scene& s, QPainter&, CCanvas& c) { s.product.DrawTitle(c, "R04"); });
}
BENCHMARK(BM_Title)->Unit(benchmark::kMillisecond);

// The whole composition of a 1900 × 1300 infrared product with map, grid and
// title, without (0) and with (1) the precipitation estimate, which reads
// the infrared pair and the threshold table again at every composition.
void BM_ComposePrecipitation(benchmark::State& state) {
    static CBenchTempDir dir("kelvra-bench-precip");
    static const std::string ir1 = dir.Path() + "/FY2G_LCN_IR1_202203311300.AWX";
    static const bool written = [] {
        AwxWriterOptions o;
        o.width = 1900;
        o.height = 1300;
        bool ok = WriteAwxProduct(ir1, o);
        o.channel = 2;
        return ok && WriteAwxProduct(dir.Path() + "/FY2G_LCN_IR2_202203311300.AWX", o);
    }();
    CGeoImage product;
    CDibImage image;
    if (!written || !product.ReadProduct(ir1) || !image.Load(ir1)) {
        state.SkipWithError("infrared pair not written");
        return;
    }
    const CDataPaths paths(KELVRA_SOURCE_DIR);
    CPrecipEstimate precipitation(paths.ThresholdFolder());
    CompositionScene scene = SceneOf(product, "", paths);
    scene.productPath = ir1;
    scene.precipitation = &precipitation;
    CompositionLayers layers;
    layers.m_nDisplayMode = state.range(0) ? kDisplayPrecipitation : 0;
    QImage offscreen;
    int recompose = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComposePicture(image, scene, layers, recompose, offscreen));
    }
    state.counters["rain_pixels"] = static_cast<double>(precipitation.Pixels().size());
}
BENCHMARK(BM_ComposePrecipitation)
    ->ArgName("precip")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

// Opening (product and image) and composing with map, grid and title, per
// pixel: the real products' 1900 × 1300 equal latitude/longitude shape, the
// FY-2G Mercator 2228 × 1100 and a 4000 × 3000 product.
void BM_OpenAndComposeBySize(benchmark::State& state) {
    static CBenchTempDir dir("kelvra-bench-sizes");
    AwxWriterOptions o;
    switch (state.range(0)) {
        case 0:
            o.width = 1900;
            o.height = 1300;
            break;
        case 1:
            o.projection = 2;
            o.width = 2228;
            o.height = 1100;
            o.centerLon = 104.5;
            o.centerLat = 20.0;
            o.resolution = 5.0;
            break;
        default:
            o.width = 4000;
            o.height = 3000;
            o.resolution = 0.02;
            break;
    }
    const std::string path = dir.Path() + "/size" + std::to_string(state.range(0)) + ".AWX";
    if (!WriteAwxProduct(path, o)) {
        state.SkipWithError("product not written");
        return;
    }
    const CDataPaths paths(KELVRA_SOURCE_DIR);
    const CompositionLayers layers;
    for (auto _ : state) {
        CGeoImage product;
        CDibImage image;
        OpenImageFile(path, product, image);
        QImage offscreen;
        int recompose = 1;
        benchmark::DoNotOptimize(
            ComposePicture(image, SceneOf(product, "", paths), layers, recompose, offscreen));
    }
    state.counters["ns_per_px"] = benchmark::Counter(
        static_cast<double>(o.width) * o.height,
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_OpenAndComposeBySize)
    ->ArgName("size")
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    CGuiSession session;  // the title needs the font database
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
