// The analyst's tools on a 1900 x 1300 product: the statistics of the whole
// product (with the pixel areas already built, as the view keeps them, and
// with their building) and a point's series through a loaded loop of 72
// frames. The real FY-2G product is used when it is beside the repository,
// else a synthetic one of the same size.

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "convection/AreaStatistics.h"
#include "product/CGeoImage.h"
#include "product/PointSeries.h"
#include "synth/AwxWriter.h"

namespace {

constexpr int kLoopFrames = 72;
const std::array<float, 2> kColdK = {241.15f, 221.15f};

CGeoImage BenchProduct() {
    const char* env = std::getenv("KELVRA_SAMPLE_AWX");
    const std::string real = env != nullptr ? std::string(env)
                                            : std::string(KELVRA_SHARED_DIR) +
                                                  "/samples/ANI_IR1_R04_20220331_2100_FY2G.AWX";
    CGeoImage product;
    if (product.ReadProduct(real)) {
        return product;
    }
    AwxWriterOptions options;
    options.width = 1900;
    options.height = 1300;
    const std::string path = "/tmp/kelvra-bench-analysis.awx";
    WriteBytesToPath(path, MakeAwxProduct(options));
    product.ReadProduct(path);
    std::remove(path.c_str());
    return product;
}

void BM_WholeProductStatistics(benchmark::State& state) {
    const CGeoImage product = BenchProduct();
    const ProjectionParams& p = product.Params();
    CPixelAreas areas;
    areas.Build(p, p.width, p.height);
    const PixelBox box{0, 0, p.width - 1, p.height - 1};
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeAreaStatistics(product.Calibrated(), areas, box, kColdK));
    }
}
BENCHMARK(BM_WholeProductStatistics)->Unit(benchmark::kMillisecond);

void BM_WholeProductStatisticsWithAreas(benchmark::State& state) {
    const CGeoImage product = BenchProduct();
    const ProjectionParams& p = product.Params();
    const PixelBox box{0, 0, p.width - 1, p.height - 1};
    for (auto _ : state) {
        CPixelAreas areas;
        areas.Build(p, p.width, p.height);
        benchmark::DoNotOptimize(ComputeAreaStatistics(product.Calibrated(), areas, box, kColdK));
    }
}
BENCHMARK(BM_WholeProductStatisticsWithAreas)->Unit(benchmark::kMillisecond);

void BM_SeriesThroughLoop(benchmark::State& state) {
    const CGeoImage product = BenchProduct();
    // Copies share the counts, as the frames of a loop hold their own.
    const std::vector<CGeoImage> frames(kLoopFrames, product);
    std::vector<const CGeoImage*> pointers;
    for (const CGeoImage& frame : frames) {
        pointers.push_back(&frame);
    }
    const ProjectionParams& p = product.Params();
    const double lon = 0.5 * (p.westLon + p.eastLon);
    const double lat = 0.5 * (p.southLat + p.northLat);
    for (auto _ : state) {
        benchmark::DoNotOptimize(PointSeries(pointers, lon, lat));
    }
}
BENCHMARK(BM_SeriesThroughLoop)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
