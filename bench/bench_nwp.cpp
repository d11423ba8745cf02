// NWP overlays: reading and preparing a global 0.25 degree diamond file
// (1440 x 721 values, about 7-8 MB of text), and drawing a regional 0.25
// degree field at 23 levels over the 1900 x 1300 sample product.
//
// KELVRA_NWP_DIR=<folder> keeps the files the benchmarks use there:
// global.000 and regional.000 (diamond text) and regional.f32 (the prepared
// regional grid, float32, northernmost row first), so that
// tools/bench-nwp-peer.py can read and trace the same data.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchCatalogue.h"
#include "analysis/CContourTracer.h"
#include "nwp/CNwpOverlay.h"
#include "nwp/DiamondFile.h"
#include "nwp/NwpLevels.h"
#include "product/CGeoImage.h"

namespace {

constexpr double kPi = 3.14159265358979;

struct GridBox {
    double west, east, south, north, step;
};
constexpr GridBox kGlobal{0.0, 359.75, -90.0, 90.0, 0.25};
constexpr GridBox kRegional{70.0, 145.0, 5.0, 60.0, 0.25};

double Gaussian(double lon, double lat, double lon0, double lat0, double width) {
    const double dl = std::remainder(lon - lon0, 360.0);
    return std::exp(-(dl * dl + (lat - lat0) * (lat - lat0)) / (2.0 * width * width));
}

// A 500 hPa height field: subtropical high, waves in the westerlies and a
// cut-off low, in gpm.
double Height500(double lon, double lat) {
    const double phi = lat * kPi / 180.0;
    const double s = std::sin(phi);
    double z = 5900.0 - 650.0 * s * s;
    const double w = std::sin(2.0 * phi) * std::sin(2.0 * phi);
    z += 90.0 * w * std::cos(5.0 * lon * kPi / 180.0);
    z += 40.0 * w * std::cos((8.0 * lon + 40.0) * kPi / 180.0);
    z -= 260.0 * Gaussian(lon, lat, 95.0, 46.0, 4.5);
    return z;
}

// Rows from north to south, one row to a line.
std::string DiamondText(const GridBox& g) {
    const int nx = static_cast<int>(std::lround((g.east - g.west) / g.step)) + 1;
    const int ny = static_cast<int>(std::lround((g.north - g.south) / g.step)) + 1;
    std::string text = "diamond 4 22年03月30日12时500hPa高度\n22 3 30 12 0 500\n";
    char line[256];
    std::snprintf(line, sizeof line, "%g %g %g %g %g %g %d %d 40 5000 5880 1 0\n", g.step, -g.step,
                  g.west, g.east, g.north, g.south, nx, ny);
    text += line;
    for (int r = 0; r < ny; ++r) {
        for (int c = 0; c < nx; ++c) {
            std::snprintf(line, sizeof line, c == 0 ? "%.1f" : " %.1f",
                          Height500(g.west + c * g.step, g.north - r * g.step));
            text += line;
        }
        text += '\n';
    }
    return text;
}

class CNullCanvas : public CCanvas {
public:
    int Width() const override { return 1900; }
    int Height() const override { return 1300; }
    CanvasPen SelectPen(const CanvasPen& pen) override { return pen; }
    CanvasFont SelectFont(const CanvasFont& font) override { return font; }
    std::uint32_t SetTextColor(std::uint32_t colour) override { return colour; }
    int SetBkMode(int mode) override { return mode; }
    void MoveTo(int, int) override { ++strokes; }
    void LineTo(int, int) override { ++strokes; }
    void TextOut(int, int, const std::string&) override { ++labels; }
    CanvasSize TextExtent(const std::string& text) override {
        return CanvasSize{9 * static_cast<int>(text.size()), 16};
    }
    void SetPixel(int, int, std::uint32_t) override {}
    void FillRect(int, int, int, int, std::uint32_t) override {}
    long strokes = 0;
    long labels = 0;
};

// The files, written once into KELVRA_NWP_DIR or a temporary folder.
struct BenchFiles {
    BenchFiles() : temp("kelvra-bench-nwp") {
        const char* keep = std::getenv("KELVRA_NWP_DIR");
        folder = keep != nullptr ? keep : temp.Path();
        global = folder + "/global.000";
        regional = folder + "/regional.000";
        for (const auto& [path, box] :
             {std::pair{global, kGlobal}, std::pair{regional, kRegional}}) {
            const std::string text = DiamondText(box);
            WriteBytesToPath(path, std::vector<std::uint8_t>(text.begin(), text.end()));
        }
        globalBytes = DiamondText(kGlobal).size();
    }
    CBenchTempDir temp;
    std::string folder;
    std::string global;
    std::string regional;
    std::size_t globalBytes = 0;
};

// The machine is shared: the best of the repetitions is the figure to quote.
double Min(const std::vector<double>& v) {
    return *std::min_element(v.begin(), v.end());
}

const BenchFiles& Files() {
    static const BenchFiles files;
    return files;
}

CGeoImage SampleProduct() {
    ProjectionParams params;
    CGeoImage::SetUpProjection(EqualLatLon, 97.5, 27.5, 0.05, 1900, 1300, 0.0, 0.0, params);
    CGeoImage product;
    product.AssignProduct(ProductDescription{}, params);
    return product;
}

const CNwpOverlay& RegionalOverlay() {
    static const CNwpOverlay overlay = [] {
        CNwpOverlay o;
        if (!o.ReadFile(Files().regional)) {
            std::fprintf(stderr, "cannot read %s\n", Files().regional.c_str());
        }
        return o;
    }();
    return overlay;
}

void BM_ReadAndPrepareGlobalQuarterDegree(benchmark::State& state) {
    for (auto _ : state) {
        CNwpOverlay overlay;
        if (!overlay.ReadFile(Files().global)) {
            state.SkipWithError("global file refused");
            break;
        }
        benchmark::DoNotOptimize(overlay.Grid().data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(Files().globalBytes));
}
BENCHMARK(BM_ReadAndPrepareGlobalQuarterDegree)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Min);

// The parts of reading: the text into memory, parsing it, smoothing.
void BM_ParseGlobalQuarterDegree(benchmark::State& state) {
    std::string bytes;
    ReadDiamondBytes(Files().global, kMaxDiamondFileBytes, false, bytes);
    for (auto _ : state) {
        DiamondGrid grid;
        ParseDiamondText(bytes.data(), bytes.size(), grid);
        benchmark::DoNotOptimize(grid.values.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_ParseGlobalQuarterDegree)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Min);

void BM_SmoothGlobalQuarterDegree(benchmark::State& state) {
    std::string bytes;
    ReadDiamondBytes(Files().global, kMaxDiamondFileBytes, false, bytes);
    DiamondGrid parsed;
    ParseDiamondText(bytes.data(), bytes.size(), parsed);
    for (auto _ : state) {
        DiamondGrid grid = parsed;
        SmoothDiamondGrid(grid);
        benchmark::DoNotOptimize(grid.values.data());
    }
}
BENCHMARK(BM_SmoothGlobalQuarterDegree)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Min);

// One overlay of 23 levels as one composition draws it: the tracer's
// preparation, tracing, projection, clipping and labels (onto a canvas that
// only counts).
void BM_DrawRegional23Levels(benchmark::State& state) {
    const CGeoImage product = SampleProduct();
    const CNwpOverlay& overlay = RegionalOverlay();
    CNullCanvas canvas;
    for (auto _ : state) {
        overlay.Draw(canvas, product);
    }
    state.counters["strokes"] = static_cast<double>(canvas.strokes) / state.iterations();
    state.counters["labels"] = static_cast<double>(canvas.labels) / state.iterations();
}
BENCHMARK(BM_DrawRegional23Levels)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Min);

// The tracer alone on the same grid and levels, for the side-by-side with
// contourpy (set-up plus 23 levels).
void BM_PrepareAndTraceRegional23Levels(benchmark::State& state) {
    const CNwpOverlay& overlay = RegionalOverlay();
    const std::vector<float> levels = NwpContourLevels(5000.0f, 5880.0f, 40.0f);
    long points = 0;
    for (auto _ : state) {
        CContourTracer tracer;
        overlay.PrepareTracer(tracer, 0);
        for (float level : levels) {
            tracer.TraceLevel(level);
            points += tracer.PointCount();
        }
    }
    state.counters["points"] = static_cast<double>(points) / state.iterations();
}
BENCHMARK(BM_PrepareAndTraceRegional23Levels)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Min);

void DumpRegionalGrid() {
    const CNwpOverlay& overlay = RegionalOverlay();
    const std::string path = Files().folder + "/regional.f32";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return;
    }
    std::fwrite(overlay.Grid().data(), sizeof(float), overlay.Grid().size(), file);
    std::fclose(file);
    std::printf("regional grid %d x %d written to %s\n", overlay.Nx(), overlay.Ny(), path.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (std::getenv("KELVRA_NWP_DIR") != nullptr) {
        DumpRegionalGrid();
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
