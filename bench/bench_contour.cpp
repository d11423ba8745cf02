// The contour tracer on a brightness-temperature-like 512 x 512 grid: a warm
// background of 280-310 K with cold cloud blobs down to about 190 K, smoothed
// once, traced at the eleven isotherm levels 180..300.
//
// KELVRA_CONTOUR_GRID=<file> writes the traced grid as raw float32 (row-major,
// top row first) so that tools/bench-contourpy-peer.py can trace the same
// field; the lines and points of every level are printed before the timings.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "analysis/CContourTracer.h"
#include "analysis/CGridSmoother.h"
#include "platform/Rand15.h"

namespace {
constexpr int kSize = 512;
constexpr float kMissing = 999.0f;
constexpr float kFirstLevel = 180.0f;
constexpr float kLevelStep = 12.0f;
constexpr int kLevels = 11;
constexpr float kPi = 3.14159265f;

float Uniform(CRand15& random) {
    return static_cast<float>(random.Next()) / static_cast<float>(CRand15::kMax);
}

std::vector<float> BrightnessTemperatureField() {
    std::vector<float> grid(kSize * kSize);
    for (int j = 0; j < kSize; ++j) {
        for (int i = 0; i < kSize; ++i) {
            const float u = static_cast<float>(i) / kSize;
            const float v = static_cast<float>(j) / kSize;
            grid[j * kSize + i] =
                296.0f - 14.0f * v +
                8.0f * std::sin(2.0f * kPi * 1.3f * u) * std::cos(2.0f * kPi * 0.9f * v);
        }
    }
    CRand15 random;
    for (int blob = 0; blob < 40; ++blob) {
        const float cx = Uniform(random) * kSize;
        const float cy = Uniform(random) * kSize;
        const float radius = 8.0f + 32.0f * Uniform(random);
        const float depth = 50.0f + 70.0f * Uniform(random);
        for (int j = 0; j < kSize; ++j) {
            for (int i = 0; i < kSize; ++i) {
                const float d2 = ((i - cx) * (i - cx) + (j - cy) * (j - cy)) / (radius * radius);
                if (d2 < 9.0f) {
                    grid[j * kSize + i] -= depth * std::exp(-d2);
                }
            }
        }
    }
    for (float& t : grid) {
        t += 3.0f * (Uniform(random) - 0.5f);
        t = std::fmin(320.0f, std::fmax(181.0f, t));
    }
    CGridSmoother::SmoothWeighted(grid.data(), kSize, kSize, 1, 1, 1, kMissing);
    return grid;
}

const std::vector<float>& Field() {
    static const std::vector<float> grid = BrightnessTemperatureField();
    return grid;
}

void PrepareField(CContourTracer& tracer) {
    tracer.PrepareQuiet(Field().data(), kSize, kSize, 1.0f, 1.0f, 360.0f, 180.0f, kMissing);
}

void TraceAllLevels(CContourTracer& tracer, long& lines, long& points) {
    float level = kFirstLevel;
    for (int n = 0; n < kLevels; ++n, level += kLevelStep) {
        tracer.TraceLevel(level);
        lines += tracer.LineCount();
        points += tracer.PointCount();
    }
}

void BM_PrepareAndTraceElevenLevels(benchmark::State& state) {
    long lines = 0;
    long points = 0;
    for (auto _ : state) {
        CContourTracer tracer;
        PrepareField(tracer);
        TraceAllLevels(tracer, lines, points);
        benchmark::DoNotOptimize(tracer.X());
    }
    state.counters["lines"] = static_cast<double>(lines) / state.iterations();
    state.counters["points"] = static_cast<double>(points) / state.iterations();
}
BENCHMARK(BM_PrepareAndTraceElevenLevels)->Unit(benchmark::kMillisecond);

void BM_TraceElevenLevels(benchmark::State& state) {
    CContourTracer tracer;
    PrepareField(tracer);
    long lines = 0;
    long points = 0;
    for (auto _ : state) {
        TraceAllLevels(tracer, lines, points);
        benchmark::DoNotOptimize(tracer.X());
    }
}
BENCHMARK(BM_TraceElevenLevels)->Unit(benchmark::kMillisecond);

void BM_SmoothWeighted(benchmark::State& state) {
    std::vector<float> grid = Field();
    for (auto _ : state) {
        CGridSmoother::SmoothWeighted(grid.data(), kSize, kSize, 1, 1, 1, kMissing);
        benchmark::DoNotOptimize(grid.data());
    }
}
BENCHMARK(BM_SmoothWeighted)->Unit(benchmark::kMillisecond);

void DumpField(const char* path) {
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "cannot write %s\n", path);
        return;
    }
    std::fwrite(Field().data(), sizeof(float), Field().size(), file);
    std::fclose(file);
}

void PrintLevels() {
    CContourTracer tracer;
    PrepareField(tracer);
    float level = kFirstLevel;
    long lines = 0;
    long points = 0;
    for (int n = 0; n < kLevels; ++n, level += kLevelStep) {
        tracer.TraceLevel(level);
        std::printf("level %5.1f  lines %5d  points %7d\n", level, tracer.LineCount(),
                    tracer.PointCount());
        lines += tracer.LineCount();
        points += tracer.PointCount();
    }
    std::printf("total        lines %5ld  points %7ld\n", lines, points);
}
}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (const char* path = std::getenv("KELVRA_CONTOUR_GRID")) {
        DumpField(path);
    }
    PrintLevels();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
