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

#include "geo/MapLineFile.h"
#include "image/CDibImage.h"
#include "platform/DataPaths.h"
#include "product/CGeoImage.h"
#include "render/CGuiSession.h"
#include "render/CQtCanvas.h"
#include "render/CQtPicture.h"
#include "render/DibQImage.h"

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

}  // namespace

int main(int argc, char** argv) {
    CGuiSession session;  // the title needs the font database
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
