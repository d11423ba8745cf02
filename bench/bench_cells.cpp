// Cold-cloud cells of a 1900 x 1300 product, their tracks through a loop of
// 72 frames once the frames are loaded, and the cloud-top cooling map
// between two frames. The real FY-2G product is used when it is beside the
// repository, else a synthetic one of the same size; the loop moves its
// weather two pixels east an hour.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "convection/CConvectionCache.h"
#include "convection/ColdCells.h"
#include "convection/ConvectionOverlay.h"
#include "convection/CoolingRate.h"
#include "platform/ByteOrder.h"
#include "platform/Canvas.h"
#include "product/AwxHeaders.h"
#include "synth/AwxWriter.h"

namespace {

constexpr int kLoopFrames = 72;
constexpr int kShiftPerFrame = 2;

std::vector<std::uint8_t> ProductBytes() {
    const char* env = std::getenv("KELVRA_SAMPLE_AWX");
    const std::string real = env != nullptr ? std::string(env)
                                            : std::string(KELVRA_SHARED_DIR) +
                                                  "/samples/ANI_IR1_R04_20220331_2100_FY2G.AWX";
    std::ifstream in(real, std::ios::binary);
    if (in) {
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    AwxWriterOptions options;
    options.width = 1900;
    options.height = 1300;
    return MakeAwxProduct(options);
}

// The product f hours later: observed then, its image moved east.
std::vector<std::uint8_t> FrameBytes(const std::vector<std::uint8_t>& bytes, int f) {
    std::vector<std::uint8_t> frame = bytes;
    std::uint8_t* second = frame.data() + kAwxFirstHeaderSize;
    WriteInt16LE(second + 12, 1 + f / 24);  // day
    WriteInt16LE(second + 14, f % 24);      // hour
    WriteInt16LE(second + 16, 0);           // minute
    const int width = ReadUInt16LE(second + 22);
    const int height = ReadUInt16LE(second + 24);
    const int shift = (f * kShiftPerFrame) % width;
    const std::size_t first = frame.size() - static_cast<std::size_t>(width) * height;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* from = bytes.data() + first + static_cast<std::size_t>(y) * width;
        std::uint8_t* to = frame.data() + first + static_cast<std::size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            to[x] = from[x >= shift ? x - shift : 0];
        }
    }
    return frame;
}

class CBenchFiles {
public:
    CBenchFiles() {
        char pattern[] = "/tmp/kelvra-bench-cells-XXXXXX";
        m_folder = mkdtemp(pattern) ? pattern : "";
    }
    ~CBenchFiles() { std::filesystem::remove_all(m_folder); }
    CGeoImage Read(const std::vector<std::uint8_t>& bytes, int index) const {
        const std::string path = m_folder + "/frame" + std::to_string(index) + ".awx";
        WriteBytesToPath(path, bytes);
        CGeoImage product;
        product.ReadProduct(path);
        std::filesystem::remove(path);
        return product;
    }

private:
    std::string m_folder;
};

// Draws nothing: what the cooling layer costs apart from the picture.
class CCountingCanvas : public CCanvas {
public:
    int Width() const override { return 1900; }
    int Height() const override { return 1300; }
    CanvasPen SelectPen(const CanvasPen& pen) override { return pen; }
    CanvasFont SelectFont(const CanvasFont& font) override { return font; }
    std::uint32_t SetTextColor(std::uint32_t c) override { return c; }
    int SetBkMode(int mode) override { return mode; }
    void MoveTo(int, int) override {}
    void LineTo(int, int) override {}
    void TextOut(int, int, const std::string&) override {}
    CanvasSize TextExtent(const std::string&) override { return {}; }
    void SetPixel(int, int, std::uint32_t) override { ++pixels; }
    void FillRect(int, int, int, int, std::uint32_t) override {}
    long long pixels = 0;
};

void BM_CellsOfProduct(benchmark::State& state) {
    CBenchFiles files;
    const CGeoImage product = files.Read(ProductBytes(), 0);
    CPixelAreas areas;
    areas.Build(product.Params(), product.Description().width, product.Description().height);
    std::size_t cells = 0;
    for (auto _ : state) {
        const std::vector<ColdCell> found =
            FindColdCells(product.Calibrated(), product.Params(), areas, ConvectionSettings{});
        cells = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["cells"] = static_cast<double>(cells);
}
BENCHMARK(BM_CellsOfProduct)->Unit(benchmark::kMillisecond);

// The pixel areas of a geometry, worked out once per geometry.
void BM_PixelAreasOfGeometry(benchmark::State& state) {
    CBenchFiles files;
    const CGeoImage product = files.Read(ProductBytes(), 0);
    for (auto _ : state) {
        CPixelAreas areas;
        benchmark::DoNotOptimize(areas.Build(product.Params(), product.Description().width,
                                             product.Description().height));
    }
}
BENCHMARK(BM_PixelAreasOfGeometry)->Unit(benchmark::kMillisecond);

// Cells of all 72 frames and their tracks, from a fresh cache: what showing
// the tracks of a newly loaded loop costs.
void BM_TracksOfLoop(benchmark::State& state) {
    CBenchFiles files;
    const std::vector<std::uint8_t> bytes = ProductBytes();
    std::vector<CGeoImage> frames;
    for (int f = 0; f < kLoopFrames; ++f) {
        frames.push_back(files.Read(FrameBytes(bytes, f), f));
    }
    std::size_t steps = 0;
    for (auto _ : state) {
        CConvectionCache cache;
        const std::vector<TrackStep>* tracks = cache.TracksOf(frames);
        steps = tracks != nullptr ? tracks->size() : 0;
    }
    state.counters["steps"] = static_cast<double>(steps);
}
BENCHMARK(BM_TracksOfLoop)->Unit(benchmark::kMillisecond);

void BM_CoolingMapAndSummary(benchmark::State& state) {
    CBenchFiles files;
    const std::vector<std::uint8_t> bytes = ProductBytes();
    const CGeoImage older = files.Read(FrameBytes(bytes, 0), 0);
    const CGeoImage newer = files.Read(FrameBytes(bytes, 1), 1);
    long long fast = 0;
    for (auto _ : state) {
        CCoolingMap cooling;
        std::string why;
        cooling.Make(older, newer, why);
        fast = cooling.Summary().fastPixels;
    }
    state.counters["fast"] = static_cast<double>(fast);
}
BENCHMARK(BM_CoolingMapAndSummary)->Unit(benchmark::kMillisecond);

void BM_CoolingLayerDrawn(benchmark::State& state) {
    CBenchFiles files;
    const std::vector<std::uint8_t> bytes = ProductBytes();
    CCoolingMap cooling;
    std::string why;
    cooling.Make(files.Read(FrameBytes(bytes, 0), 0), files.Read(FrameBytes(bytes, 1), 1), why);
    long long drawn = 0;
    for (auto _ : state) {
        CCountingCanvas canvas;
        DrawCooling(canvas, cooling);
        drawn = canvas.pixels;
    }
    state.counters["pixels"] = static_cast<double>(drawn);
}
BENCHMARK(BM_CoolingLayerDrawn)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
