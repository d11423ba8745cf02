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

// Row by row, the weights of the 3 x 3 block around a point.
using Weights = float[3][3];

// The weighted mean of one point's block, missing points left out.
float WeightedAt(const float* source, std::size_t at, std::size_t width, const Weights& weights,
                 float missing) {
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
    return total == 0.0f ? missing : weighted / total;
}

// The same mean where no point of the block is missing, in the same order of
// operations, so both give the same value to the last bit.
float WeightedFull(const float* source, std::size_t at, std::size_t width, const Weights& weights,
                   float total) {
    float weighted = 0.0f;
    for (int dj = -1; dj <= 1; ++dj) {
        const float* line = &source[at + dj * static_cast<std::ptrdiff_t>(width)];
        for (int di = -1; di <= 1; ++di) {
            weighted += weights[dj + 1][di + 1] * line[di];
        }
    }
    return weighted / total;
}

bool RowHasMissing(const float* row, std::size_t width, float missing) {
    return std::find(row, row + width, missing) != row + width;
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
    const std::unique_ptr<bool[]> gaps(new (std::nothrow) bool[static_cast<std::size_t>(ny)]);
    if (!source || !gaps) {
        return false;
    }
    const float centre = centreWeight / sum;
    const float edge = edgeWeight / (4.0f * sum);
    const float corner = cornerWeight / (4.0f * sum);
    const Weights weights = {{corner, edge, corner}, {edge, centre, edge}, {corner, edge, corner}};
    float fullTotal = 0.0f;
    for (const auto& row : weights) {
        for (float w : row) {
            fullTotal += w;
        }
    }
    for (int j = 0; j < ny; ++j) {
        gaps[j] = RowHasMissing(&source[static_cast<std::size_t>(j) * width], width, missing);
    }
    for (int j = 1; j + 1 < ny; ++j) {
        // Most fields have no missing point at all; their rows skip the tests.
        const bool full = !gaps[j - 1] && !gaps[j] && !gaps[j + 1];
        const std::size_t rowStart = static_cast<std::size_t>(j) * width;
        if (full) {
            for (std::size_t at = rowStart + 1; at + 1 < rowStart + width; ++at) {
                grid[at] = WeightedFull(source.get(), at, width, weights, fullTotal);
            }
            continue;
        }
        for (std::size_t at = rowStart + 1; at + 1 < rowStart + width; ++at) {
            if (!IsMissing(source[at], missing)) {
                grid[at] = WeightedAt(source.get(), at, width, weights, missing);
            }
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
    // Per column, the sum and count of the valid values in the row window.
    const std::unique_ptr<double[]> columnSums(new (std::nothrow) double[width]);
    const std::unique_ptr<int[]> columnCounts(new (std::nothrow) int[width]);
    const std::unique_ptr<bool[]> gaps(new (std::nothrow) bool[static_cast<std::size_t>(ny)]);
    if (!source || !columns || !columnSums || !columnCounts || !gaps) {
        return false;
    }
    for (int j = 0; j < ny; ++j) {
        gaps[j] = RowHasMissing(&source[static_cast<std::size_t>(j) * width], width, missing);
    }
    const int w = std::max(window, 1);
    for (int i = 0; i < nx; ++i) {
        columns[i] = WindowAt(i, w, nx);
    }
    for (int j = 0; j < ny; ++j) {
        const Span rows = WindowAt(j, w, ny);
        std::fill(columnSums.get(), columnSums.get() + width, 0.0);
        std::fill(columnCounts.get(), columnCounts.get() + width, 0);
        for (int r = rows.first; r <= rows.last; ++r) {
            const float* line = &source[static_cast<std::size_t>(r) * width];
            if (gaps[r]) {
                for (std::size_t c = 0; c < width; ++c) {
                    if (!IsMissing(line[c], missing)) {
                        columnSums[c] += line[c];
                        ++columnCounts[c];
                    }
                }
            } else {
                // The same sums without the tests, for rows with no gap.
                for (std::size_t c = 0; c < width; ++c) {
                    columnSums[c] += line[c];
                    ++columnCounts[c];
                }
            }
        }
        for (int i = 0; i < nx; ++i) {
            const std::size_t at = static_cast<std::size_t>(j) * width + i;
            if (IsMissing(source[at], missing)) {
                continue;
            }
            double total = 0.0;
            int count = 0;
            for (int c = columns[i].first; c <= columns[i].last; ++c) {
                total += columnSums[c];
                count += columnCounts[c];
            }
            grid[at] = count == 0 ? source[at] : static_cast<float>(total / count);
        }
    }
    return true;
}
