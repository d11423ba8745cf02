// Throughput of the two geolocation transforms, one projection at a time,
// over a batch of points inside the image; PROJ's own projection of the same
// points runs beside them for comparison when PROJ is found.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "geo/GeoConstants.h"
#include "product/CGeoImage.h"

#ifdef KELVRA_HAVE_PROJ
#include <proj.h>
#endif

namespace {

constexpr int kBatchSize = 4096;

struct BenchCase {
    const char* name;
    int type;
    double centerLon;
    double centerLat;
    double resolution;
    int width;
    int height;
    double stdLat1;
    double stdLat2;
    // The closest PROJ definition: a sphere of the same radius, except for
    // Albers, whose radius table is built on the WGS 84 ellipsoid.
    const char* projDefinition;
};

const BenchCase kCases[] = {
    {"EqualLatLon", EqualLatLon, 97.5, 27.5, 0.05, 1900, 1300, 0.0, 0.0,
     "+proj=eqc +lat_ts=0 +lon_0=97.5 +R=6378137"},
    {"Mercator", Mercator, 110.0, 20.0, 5.0, 1024, 1024, 0.0, 0.0,
     "+proj=merc +lon_0=110 +R=6378137"},
    {"Lambert", Lambert, 110.0, 35.0, 4.0, 1500, 1100, 30.0, 60.0,
     "+proj=lcc +lat_1=30 +lat_2=60 +lat_0=35 +lon_0=110 +R=6378137"},
    {"PolarStereographic", PolarStereographic, 100.0, 60.0, 10.0, 1000, 1000, 60.0, 60.0,
     "+proj=stere +lat_0=90 +lat_ts=60 +lon_0=100 +R=6378137"},
    {"Albers", Albers, 105.0, 35.0, 5.0, 1400, 1000, 25.0, 47.0,
     "+proj=aea +lat_1=25 +lat_2=47 +lat_0=0 +lon_0=105 +ellps=WGS84"},
};

struct Batch {
    ProjectionParams params;
    std::vector<double> lon, lat;  // degrees
    std::vector<double> x, y;      // pixels
};

// Pseudo-random pixels inside the image whose longitude/latitude the forward
// transform accepts, so both directions run over the same points.
Batch MakeBatch(const BenchCase& c) {
    Batch b;
    CGeoImage::SetUpProjection(c.type, c.centerLon, c.centerLat, c.resolution, c.width, c.height,
                               c.stdLat1, c.stdLat2, b.params);
    std::uint32_t seed = 1;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed / 4294967296.0;
    };
    while (static_cast<int>(b.lon.size()) < kBatchSize) {
        const double px = next() * (b.params.width - 1);
        const double py = next() * (b.params.height - 1);
        float lon = 0.0f;
        float lat = 0.0f;
        double fx = 0.0;
        double fy = 0.0;
        if (CGeoImage::PixelToLatLon(b.params, px, py, lon, lat) != 0 ||
            CGeoImage::LatLonToPixel(b.params, lon, lat, fx, fy) != 0) {
            continue;
        }
        b.lon.push_back(lon);
        b.lat.push_back(lat);
        b.x.push_back(px);
        b.y.push_back(py);
    }
    return b;
}

void KelvraForward(benchmark::State& state, const BenchCase& c) {
    const Batch b = MakeBatch(c);
    for (auto _ : state) {
        double sum = 0.0;
        for (int i = 0; i < kBatchSize; ++i) {
            double x = 0.0;
            double y = 0.0;
            CGeoImage::LatLonToPixel(b.params, b.lon[i], b.lat[i], x, y);
            sum += x + y;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kBatchSize);
}

void KelvraInverse(benchmark::State& state, const BenchCase& c) {
    const Batch b = MakeBatch(c);
    for (auto _ : state) {
        float sum = 0.0f;
        for (int i = 0; i < kBatchSize; ++i) {
            float lon = 0.0f;
            float lat = 0.0f;
            CGeoImage::PixelToLatLon(b.params, b.x[i], b.y[i], lon, lat);
            sum += lon + lat;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kBatchSize);
}

#ifdef KELVRA_HAVE_PROJ

// PROJ transforms in place: each iteration copies the batch in first, which
// costs little beside the projection itself.
void ProjRun(benchmark::State& state, const BenchCase& c, PJ_DIRECTION direction) {
    const Batch b = MakeBatch(c);
    PJ_CONTEXT* ctx = proj_context_create();
    PJ* pj = proj_create(ctx, c.projDefinition);
    if (pj == nullptr) {
        state.SkipWithError("PROJ rejected the definition");
        proj_context_destroy(ctx);
        return;
    }
    std::vector<double> u(kBatchSize);
    std::vector<double> v(kBatchSize);
    for (int i = 0; i < kBatchSize; ++i) {
        u[i] = proj_torad(b.lon[i]);
        v[i] = proj_torad(b.lat[i]);
    }
    if (direction == PJ_INV) {
        proj_trans_generic(pj, PJ_FWD, u.data(), sizeof(double), kBatchSize, v.data(),
                           sizeof(double), kBatchSize, nullptr, 0, 0, nullptr, 0, 0);
    }
    const std::vector<double> inU = u;
    const std::vector<double> inV = v;
    for (auto _ : state) {
        u = inU;
        v = inV;
        proj_trans_generic(pj, direction, u.data(), sizeof(double), kBatchSize, v.data(),
                           sizeof(double), kBatchSize, nullptr, 0, 0, nullptr, 0, 0);
        benchmark::DoNotOptimize(u.data());
        benchmark::DoNotOptimize(v.data());
    }
    state.SetItemsProcessed(state.iterations() * kBatchSize);
    proj_destroy(pj);
    proj_context_destroy(ctx);
}

void ProjForward(benchmark::State& state, const BenchCase& c) {
    ProjRun(state, c, PJ_FWD);
}
void ProjInverse(benchmark::State& state, const BenchCase& c) {
    ProjRun(state, c, PJ_INV);
}

#endif

void RegisterAll() {
    for (const BenchCase& c : kCases) {
        const std::string name = c.name;
        benchmark::RegisterBenchmark(("Forward/kelvra/" + name).c_str(), KelvraForward, c);
#ifdef KELVRA_HAVE_PROJ
        benchmark::RegisterBenchmark(("Forward/proj/" + name).c_str(), ProjForward, c);
#endif
        benchmark::RegisterBenchmark(("Inverse/kelvra/" + name).c_str(), KelvraInverse, c);
#ifdef KELVRA_HAVE_PROJ
        benchmark::RegisterBenchmark(("Inverse/proj/" + name).c_str(), ProjInverse, c);
#endif
    }
}

}  // namespace

int main(int argc, char** argv) {
    RegisterAll();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
