#include "analysis/CGridSmoother.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <memory>
#include <new>

namespace {
bool IsMissing(float v, float missing) {
    return v == missing;
}

std::unique_ptr<float[]> CopyOf(const float* grid, std::size_t size) {
    std::unique_ptr<float[]> copy(new (std::nothrow) float[size]);
    if (copy) {
        std::copy(grid, grid + size, copy.get());
    }
    return copy;
}

bool HasPoints(const float* grid, int nx, int ny) {
    return grid != nullptr && nx > 0 && ny > 0;
}
}  // namespace

bool CGridSmoother::SmoothWeighted(float* grid, int nx, int ny, float centreWeight,
                                   float edgeWeight, float cornerWeight, float missing) {
    const float sum = centreWeight + edgeWeight + cornerWeight;
    if (!HasPoints(grid, nx, ny) || sum == 0.0f || !std::isfinite(sum)) {
        return false;
    }
    const std::size_t width = static_cast<std::size_t>(nx);
    const std::unique_ptr<float[]> source = CopyOf(grid, width * static_cast<std::size_t>(ny));
    if (!source) {
        return false;
    }
    const float centre = centreWeight / sum;
    const float edge = edgeWeight / (4.0f * sum);
    const float corner = cornerWeight / (4.0f * sum);
    // Row by row, the weights of the 3 x 3 block around a point.
    const float weights[3][3] = {
        {corner, edge, corner}, {edge, centre, edge}, {corner, edge, corner}};
    for (int j = 1; j + 1 < ny; ++j) {
        for (int i = 1; i + 1 < nx; ++i) {
            const std::size_t at = static_cast<std::size_t>(j) * width + i;
            if (IsMissing(source[at], missing)) {
                continue;
            }
            float weighted = 0.0f;
            float total = 0.0f;
            for (int dj = -1; dj <= 1; ++dj) {
                const float* line = &source[at + dj * static_cast<std::ptrdiff_t>(width)];
                for (int di = -1; di <= 1; ++di) {
                    const float v = line[di];
                    if (!IsMissing(v, missing)) {
                        const float w = weights[dj + 1][di + 1];
                        weighted += w * v;
                        total += w;
                    }
                }
            }
            grid[at] = total == 0.0f ? missing : weighted / total;
        }
    }
    return true;
}

bool CGridSmoother::SmoothBoxMean(float* grid, int nx, int ny, int window, float missing) {
    if (!HasPoints(grid, nx, ny)) {
        return false;
    }
    const std::size_t width = static_cast<std::size_t>(nx);
    const std::unique_ptr<float[]> source = CopyOf(grid, width * static_cast<std::size_t>(ny));
    if (!source) {
        return false;
    }
    const int before = window / 2;
    const int after = (window - 1) / 2;
    for (int j = 0; j < ny; ++j) {
        const int j0 = std::max(0, j - before);
        const int j1 = std::min(ny - 1, j + after);
        for (int i = 0; i < nx; ++i) {
            const std::size_t at = static_cast<std::size_t>(j) * width + i;
            if (IsMissing(source[at], missing)) {
                continue;
            }
            const int i0 = std::max(0, i - before);
            const int i1 = std::min(nx - 1, i + after);
            double sum = 0.0;
            int count = 0;
            for (int r = j0; r <= j1; ++r) {
                const float* line = &source[static_cast<std::size_t>(r) * width];
                for (int c = i0; c <= i1; ++c) {
                    if (!IsMissing(line[c], missing)) {
                        sum += line[c];
                        ++count;
                    }
                }
            }
            grid[at] = count == 0 ? source[at] : static_cast<float>(sum / count);
        }
    }
    return true;
}
