// The contour tracer on small arbitrary grids: values from the input bytes
// (some of them missing), with the first and last column joined or not, must
// always finish with counts that describe exactly the stored points.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "analysis/CContourTracer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) {
        return 0;
    }
    const int nx = 1 + data[0] % 24;
    const int ny = 1 + data[1] % 24;
    const bool wrap = (data[2] & 1) != 0;
    const float level = static_cast<float>(data[3] % 16);
    constexpr float kMissing = 99.0f;
    std::vector<float> grid(static_cast<std::size_t>(nx) * ny);
    for (std::size_t n = 0; n < grid.size(); ++n) {
        const std::uint8_t b = 4 + n < size ? data[4 + n] : 0;
        grid[n] = b >= 240 ? kMissing : static_cast<float>(b % 16);
    }
    CContourTracer tracer;
    const float dx = wrap ? 360.0f / static_cast<float>(nx > 1 ? nx - 1 : 1) : 1.0f;
    if (tracer.Prepare(grid.data(), nx, ny, 0.0f, 0.0f, dx, 1.0f, wrap ? 4 : 1, 50.0f, 0.0f,
                       kMissing) != 0) {
        return 0;
    }
    tracer.TraceLevel(level);
    long total = 0;
    for (int k = 1; k <= tracer.LineCount(); ++k) {
        total += std::labs(tracer.LineSize(k));
    }
    if (total != tracer.PointCount()) {
        std::abort();
    }
    return 0;
}
