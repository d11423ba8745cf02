// The precipitation estimate on a 1900 × 1300 infrared pair (the real
// products' shape) beside reading the two products alone, from a warm page
// cache, with the shipped threshold tables. The estimate's peak memory is
// counted through operator new and reported per pixel, in all and beyond the
// two products' calibrated images (4 bytes per pixel each).

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "BenchCatalogue.h"
#include "analysis/CPrecipEstimate.h"
#include "product/CGeoImage.h"
#include "synth/AwxWriter.h"

namespace {

constexpr int kWidth = 1900;
constexpr int kHeight = 1300;
constexpr double kPixels = static_cast<double>(kWidth) * kHeight;
constexpr double kProductBytesPerPixel = 2 * sizeof(float);

// Live and peak bytes obtained through operator new.
std::atomic<long long> g_live{0};
std::atomic<long long> g_peak{0};

// Kept out of line, so the compiler does not pair an inlined free with the
// operator new that called malloc.
[[gnu::noinline]] void* Allocate(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p) {
        const long long now = g_live += static_cast<long long>(malloc_usable_size(p));
        long long seen = g_peak.load(std::memory_order_relaxed);
        while (now > seen && !g_peak.compare_exchange_weak(seen, now)) {
        }
    }
    return p;
}

[[gnu::noinline]] void Release(void* p) {
    if (p) {
        g_live -= static_cast<long long>(malloc_usable_size(p));
        std::free(p);
    }
}

// Overwrites the counts of a product with cold cloud tops everywhere, in
// blocks of 40 × 40 pixels: counts 200..239 are 222..186 K through the
// synthetic calibration, below the shipped thresholds nearly everywhere, so
// almost every pixel of the table's domain is a rain candidate.
std::vector<std::uint8_t> AllCold(std::vector<std::uint8_t> bytes, int shift) {
    const std::size_t dataAt = bytes.size() - static_cast<std::size_t>(kWidth) * kHeight;
    for (int j = 0; j < kHeight; ++j) {
        for (int i = 0; i < kWidth; ++i) {
            bytes[dataAt + static_cast<std::size_t>(j) * kWidth + i] =
                static_cast<std::uint8_t>(200 + (i / 40 + j / 40 + shift) % 40);
        }
    }
    return bytes;
}

// The pair, written once per run, named as the catalogue names it; and a
// pair of the same shape that is cold everywhere.
class CBenchPair {
public:
    CBenchPair() : m_dir("bench_precip") {
        AwxWriterOptions o;
        o.width = kWidth;
        o.height = kHeight;
        o.centerLon = 97.5;
        o.centerLat = 27.5;
        o.resolution = 0.05;
        o.month = 3;
        o.channel = 1;
        m_ir1 = m_dir.Path() + "/FY2G_LCN_IR1_202203311300.AWX";
        m_ir2 = m_dir.Path() + "/FY2G_LCN_IR2_202203311300.AWX";
        WriteAwxProduct(m_ir1, o);
        o.channel = 2;
        WriteAwxProduct(m_ir2, o);
        m_coldIr1 = m_dir.Path() + "/FY2G_LCN_IR1_202203311400.AWX";
        m_coldIr2 = m_dir.Path() + "/FY2G_LCN_IR2_202203311400.AWX";
        o.channel = 1;
        WriteBytesToPath(m_coldIr1, AllCold(MakeAwxProduct(o), 0));
        o.channel = 2;
        WriteBytesToPath(m_coldIr2, AllCold(MakeAwxProduct(o), 5));
    }
    const std::string& Ir1() const { return m_ir1; }
    const std::string& Ir2() const { return m_ir2; }
    const std::string& ColdIr1() const { return m_coldIr1; }
    const std::string& ColdIr2() const { return m_coldIr2; }

private:
    CBenchTempDir m_dir;
    std::string m_ir1;
    std::string m_ir2;
    std::string m_coldIr1;
    std::string m_coldIr2;
};

const CBenchPair& Pair() {
    static const CBenchPair pair;
    return pair;
}

void BM_ReadInfraredPair(benchmark::State& state) {
    const CBenchPair& pair = Pair();
    for (auto _ : state) {
        CGeoImage ir1;
        CGeoImage ir2;
        if (!ir1.ReadProduct(pair.Ir1()) || !ir2.ReadProduct(pair.Ir2())) {
            state.SkipWithError("ReadProduct failed");
        }
        benchmark::DoNotOptimize(ir1.CountsRow(0));
        benchmark::DoNotOptimize(ir2.CountsRow(0));
    }
}
BENCHMARK(BM_ReadInfraredPair)->Unit(benchmark::kMillisecond);

void RunEstimate(benchmark::State& state, const std::string& ir1, const std::string& ir2) {
    CPrecipEstimate estimate(std::string(KELVRA_SOURCE_DIR) + "/dat/lut");
    long long peak = 0;
    for (auto _ : state) {
        estimate.Clear();
        const long long before = g_live.load();
        g_peak = before;
        if (estimate.Compute(ir1, ir2) != 1) {
            state.SkipWithError("Compute failed");
        }
        peak = std::max(peak, g_peak.load() - before);
        benchmark::DoNotOptimize(estimate.Pixels().data());
    }
    state.counters["rain_pixels"] = static_cast<double>(estimate.Pixels().size());
    state.counters["peak_B_per_px"] = static_cast<double>(peak) / kPixels;
    state.counters["beyond_products_B_per_px"] =
        static_cast<double>(peak) / kPixels - kProductBytesPerPixel;
}

// The synthetic weather of the sample catalogue.
void BM_PrecipEstimate(benchmark::State& state) {
    RunEstimate(state, Pair().Ir1(), Pair().Ir2());
}
BENCHMARK(BM_PrecipEstimate)->Unit(benchmark::kMillisecond);

// The worst case: nearly every pixel of the domain a candidate, every row
// textured.
void BM_PrecipEstimateAllCold(benchmark::State& state) {
    RunEstimate(state, Pair().ColdIr1(), Pair().ColdIr2());
}
BENCHMARK(BM_PrecipEstimateAllCold)->Unit(benchmark::kMillisecond);

}  // namespace

void* operator new(std::size_t size) {
    if (void* p = Allocate(size)) {
        return p;
    }
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void operator delete(void* p) noexcept {
    Release(p);
}
void operator delete[](void* p) noexcept {
    Release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    Release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    Release(p);
}

BENCHMARK_MAIN();
