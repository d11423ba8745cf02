#include "analysis/IsothermLines.h"

#include <new>

#include "analysis/CGridSmoother.h"

namespace {
// One sample per 4 x 4 pixels, from the top-left pixel of each block;
// valueAt(x, y) reads one pixel.
template <typename ValueAt>
std::vector<float> SampleGrid(int nx, int ny, ValueAt valueAt) {
    std::vector<float> grid(static_cast<std::size_t>(nx) * ny);
    for (int j = 0; j < ny; ++j) {
        float* out = &grid[static_cast<std::size_t>(j) * nx];
        for (int i = 0; i < nx; ++i) {
            out[i] = valueAt(kIsothermSampleStep * i, kIsothermSampleStep * j);
        }
    }
    return grid;
}

// Copies the traced level, turning the tracer's upward y into image rows.
void CopyLevel(const CContourTracer& tracer, float height, IsothermLevel& out) {
    const int points = tracer.PointCount();
    out.counts.resize(tracer.LineCount());
    for (int k = 1; k <= tracer.LineCount(); ++k) {
        out.counts[k - 1] = tracer.LineSize(k);
    }
    out.x.assign(tracer.X(), tracer.X() + points);
    out.y.resize(points);
    for (int n = 0; n < points; ++n) {
        out.y[n] = height - tracer.Y()[n];
    }
}

template <typename ValueAt>
bool TraceLevels(CContourTracer& tracer, std::uint16_t width, std::uint16_t height, ValueAt valueAt,
                 std::vector<IsothermLevel>& levels) {
    const int nx = width / kIsothermSampleStep;
    const int ny = height / kIsothermSampleStep;
    if (nx < 1 || ny < 1) {
        return false;
    }
    std::vector<float> grid = SampleGrid(nx, ny, valueAt);
    // The smoothing sees the raw values; out-of-range ones are removed only
    // by the tracer's preparation.
    if (!CGridSmoother::SmoothWeighted(grid.data(), nx, ny, 1.0f, 1.0f, 1.0f, kIsothermMissing)) {
        return false;  // no scratch memory
    }
    const float step = static_cast<float>(kIsothermSampleStep);
    if (tracer.PrepareQuiet(grid.data(), nx, ny, step, step, kIsothermMaxValid, kIsothermMinValid,
                            kIsothermMissing) != 0) {
        return false;
    }
    levels.resize(kIsothermLevelSteps + 1);
    // The level is accumulated in single precision, one step at a time.
    int n = 0;
    for (float level = kIsothermFirstLevel;
         level <= kIsothermLastLevel && n < kIsothermLevelSteps + 1;
         level += kIsothermLevelStep, ++n) {
        tracer.TraceLevel(level);
        levels[n].level = level;
        levels[n].colourIndex = kIsothermLevelSteps - n;
        CopyLevel(tracer, static_cast<float>(height), levels[n]);
    }
    levels.resize(n);
    return true;
}

template <typename ValueAt>
bool TraceReleasing(CContourTracer& tracer, std::uint16_t width, std::uint16_t height,
                    ValueAt valueAt, std::vector<IsothermLevel>& levels) {
    levels.clear();
    bool ok = false;
    try {
        ok = TraceLevels(tracer, width, height, valueAt, levels);
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    tracer.Release();
    if (!ok) {
        levels.clear();
    }
    return ok;
}

}  // namespace

bool IsothermLines(CContourTracer& tracer, std::uint16_t width, std::uint16_t height,
                   const float* data, std::vector<IsothermLevel>& levels) {
    if (data == nullptr) {
        levels.clear();
        tracer.Release();
        return false;
    }
    const std::size_t w = width;
    return TraceReleasing(
        tracer, width, height,
        [data, w](int x, int y) { return data[static_cast<std::size_t>(y) * w + x]; }, levels);
}

bool IsothermLines(CContourTracer& tracer, const CalibratedGrid& values,
                   std::vector<IsothermLevel>& levels) {
    if (values.Empty()) {
        levels.clear();
        tracer.Release();
        return false;
    }
    return TraceReleasing(
        tracer, static_cast<std::uint16_t>(values.width), static_cast<std::uint16_t>(values.height),
        [&values](int x, int y) { return values.At(x, y); }, levels);
}
