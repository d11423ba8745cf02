// The image menu's operations on a 2048 x 2048 8-bit infrared picture (a
// synthetic cloud scene), each on a fresh copy of the loaded image, so every
// run pays for its own history copy as the first operation after a load
// does. tools/bench-opencv-peer.py times the closest OpenCV operations on the
// same picture: run this program with --dump-pgm=PATH to write it.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "image/CDibImage.h"
#include "platform/Rand15.h"
#include "synth/SynthScene.h"

namespace {

constexpr int kSide = 2048;
constexpr int kInfrared1 = 1;

std::vector<std::uint8_t> SceneCounts() {
    SynthGrid grid;
    grid.width = kSide;
    grid.height = kSide;
    grid.centerLon = 110.0;
    grid.centerLat = 30.0;
    grid.degPerPixel = 0.02;
    return CSynthScene(7, grid, 0.0).RenderCounts(kInfrared1);
}

const CDibImage& LoadedImage() {
    static const CDibImage image = [] {
        const std::vector<std::uint8_t> counts = SceneCounts();
        CDibImage made;
        made.CreateBlank(kSide, kSide, 8);
        std::uint8_t* bits = made.LockBits();
        for (int y = 0; y < kSide; ++y) {
            std::memcpy(bits + static_cast<std::size_t>(kSide - 1 - y) * made.Stride(),
                        counts.data() + static_cast<std::size_t>(y) * kSide, kSide);
        }
        return made;
    }();
    return image;
}

template <typename Operation>
void RunOnFreshCopies(benchmark::State& state, Operation operation) {
    std::unique_ptr<CDibImage> copy;
    CRand15 generator;
    for (auto _ : state) {
        state.PauseTiming();
        copy = std::make_unique<CDibImage>(LoadedImage());
        state.ResumeTiming();
        benchmark::DoNotOptimize(operation(*copy, generator));
    }
    state.SetItemsProcessed(state.iterations() * kSide * kSide);
}

#define KELVRA_ENHANCE_BENCH(name, call)                                   \
    void BM_##name(benchmark::State& state) {                              \
        RunOnFreshCopies(state, [](CDibImage& image, CRand15& generator) { \
            (void)generator;                                               \
            return call;                                                   \
        });                                                                \
    }                                                                      \
    BENCHMARK(BM_##name)->Unit(benchmark::kMillisecond)->UseRealTime()

KELVRA_ENHANCE_BENCH(Brightness, image.Brightness(150));
KELVRA_ENHANCE_BENCH(Contrast, image.Contrast(150));
KELVRA_ENHANCE_BENCH(Negate, image.Negate());
KELVRA_ENHANCE_BENCH(Noise, image.AddNoise(50, generator));
KELVRA_ENHANCE_BENCH(HistogramStretch, image.HistogramStretch());
KELVRA_ENHANCE_BENCH(Blur, image.Blur());
KELVRA_ENHANCE_BENCH(Sharpen, image.Sharpen());
KELVRA_ENHANCE_BENCH(Median, image.MedianSmooth());
KELVRA_ENHANCE_BENCH(Mean, image.MeanSmooth());
KELVRA_ENHANCE_BENCH(Emboss, image.Emboss());
KELVRA_ENHANCE_BENCH(EdgeDetect, image.EdgeDetect());

// The picture as a binary PGM, top row first.
bool DumpPgm(const std::string& path) {
    const std::vector<std::uint8_t> counts = SceneCounts();
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        return false;
    }
    std::fprintf(f, "P5\n%d %d\n255\n", kSide, kSide);
    const bool ok = std::fwrite(counts.data(), 1, counts.size(), f) == counts.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dumpFlag = "--dump-pgm=";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], dumpFlag.c_str(), dumpFlag.size()) == 0) {
            return DumpPgm(argv[i] + dumpFlag.size()) ? 0 : 1;
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
