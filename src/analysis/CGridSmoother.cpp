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

struct Span {
    int first = 0;
    int last = 0;
};

// The window c - w/2 .. c + (w-1)/2, moved inward so that it lies wholly
// inside 0 .. n-1 (and cut to it when the grid is narrower than the window):
// points near an edge are averaged over as many points as any other.
Span WindowAt(int c, int w, int n) {
    Span s{c - w / 2, c + (w - 1) / 2};
    if (s.first < 0) {
        s.last -= s.first;
        s.first = 0;
    }
    if (s.last > n - 1) {
        s.first -= s.last - (n - 1);
        s.last = n - 1;
    }
    s.first = std::max(s.first, 0);
    return s;
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
    const std::unique_ptr<Span[]> columns(new (std::nothrow) Span[width]);
    const std::unique_ptr<Span[]> rows(new (std::nothrow) Span[static_cast<std::size_t>(ny)]);
    if (!source || !columns || !rows) {
        return false;
    }
    const int w = std::max(window, 1);
    for (int i = 0; i < nx; ++i) {
        columns[i] = WindowAt(i, w, nx);
    }
    for (int j = 0; j < ny; ++j) {
        rows[j] = WindowAt(j, w, ny);
    }
    for (int j = 0; j < ny; ++j) {
        for (int i = 0; i < nx; ++i) {
            const std::size_t at = static_cast<std::size_t>(j) * width + i;
            if (IsMissing(source[at], missing)) {
                continue;
            }
            double sum = 0.0;
            int count = 0;
            for (int r = rows[j].first; r <= rows[j].last; ++r) {
                const float* line = &source[static_cast<std::size_t>(r) * width];
                for (int c = columns[i].first; c <= columns[i].last; ++c) {
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
