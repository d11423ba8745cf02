// Isotherms of a 2048 x 2048 calibrated image: sampling, smoothing,
// preparation and the eleven levels, as every composition does them.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/IsothermLines.h"
#include "platform/Rand15.h"

namespace {
constexpr int kSize = 2048;
constexpr float kPi = 3.14159265f;

float Uniform(CRand15& random) {
    return static_cast<float>(random.Next()) / static_cast<float>(CRand15::kMax);
}

// A warm background with cold cloud blobs, 181-320 K, and a little noise.
std::vector<float> CalibratedImage() {
    std::vector<float> data(static_cast<std::size_t>(kSize) * kSize);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const float u = static_cast<float>(x) / kSize;
            const float v = static_cast<float>(y) / kSize;
            data[static_cast<std::size_t>(y) * kSize + x] =
                296.0f - 14.0f * v +
                8.0f * std::sin(2.0f * kPi * 1.3f * u) * std::cos(2.0f * kPi * 0.9f * v);
        }
    }
    CRand15 random;
    for (int blob = 0; blob < 60; ++blob) {
        const float cx = Uniform(random) * kSize;
        const float cy = Uniform(random) * kSize;
        const float radius = 30.0f + 120.0f * Uniform(random);
        const float depth = 50.0f + 70.0f * Uniform(random);
        const int x0 = std::max(0, static_cast<int>(cx - 3 * radius));
        const int x1 = std::min(kSize - 1, static_cast<int>(cx + 3 * radius));
        const int y0 = std::max(0, static_cast<int>(cy - 3 * radius));
        const int y1 = std::min(kSize - 1, static_cast<int>(cy + 3 * radius));
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                const float d2 = ((x - cx) * (x - cx) + (y - cy) * (y - cy)) / (radius * radius);
                data[static_cast<std::size_t>(y) * kSize + x] -= depth * std::exp(-d2);
            }
        }
    }
    for (float& t : data) {
        t = std::fmin(320.0f, std::fmax(181.0f, t + 3.0f * (Uniform(random) - 0.5f)));
    }
    return data;
}

void BM_IsothermLines2048(benchmark::State& state) {
    const std::vector<float> data = CalibratedImage();
    CContourTracer tracer;
    std::vector<IsothermLevel> levels;
    double lines = 0;
    double points = 0;
    for (auto _ : state) {
        IsothermLines(tracer, kSize, kSize, data.data(), levels);
        for (const IsothermLevel& level : levels) {
            lines += static_cast<double>(level.counts.size());
            points += static_cast<double>(level.x.size());
        }
    }
    state.counters["lines"] = lines / static_cast<double>(state.iterations());
    state.counters["points"] = points / static_cast<double>(state.iterations());
}
BENCHMARK(BM_IsothermLines2048)->Unit(benchmark::kMillisecond);
}  // namespace

BENCHMARK_MAIN();
