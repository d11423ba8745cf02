#include "convection/RunLabels.h"

#include <algorithm>
#include <numeric>

namespace {

// Union-find over runs, joining towards the smaller index.
int Root(std::vector<int>& parent, int i) {
    while (parent[i] != i) {
        parent[i] = parent[parent[i]];
        i = parent[i];
    }
    return i;
}

void Join(std::vector<int>& parent, int a, int b) {
    a = Root(parent, a);
    b = Root(parent, b);
    if (a != b) {
        parent[std::max(a, b)] = std::min(a, b);
    }
}

// The marked counts as one interval [low, low + span], when they are one:
// calibration tables run one way, so a threshold marks one end of them.
struct MarkedInterval {
    bool valid = false;
    std::uint8_t low = 0;
    std::uint8_t span = 0;
};

MarkedInterval IntervalOf(const std::array<bool, 256>& marked) {
    int first = -1;
    int last = -1;
    for (int c = 0; c < 256; ++c) {
        if (marked[c]) {
            if (first < 0) {
                first = c;
            } else if (last != c - 1) {
                return {};
            }
            last = c;
        }
    }
    if (first < 0) {
        // Nothing is marked: any interval will do, as the counts it lets
        // through are still checked one by one.
        return {true, 0, 0};
    }
    return {true, static_cast<std::uint8_t>(first), static_cast<std::uint8_t>(last - first)};
}

// Whether any of n counts lies in the interval: a loop without an early
// exit, which the compiler turns into vector compares.
bool AnyInInterval(const std::uint8_t* counts, int n, const MarkedInterval& interval) {
    unsigned any = 0;
    for (int k = 0; k < n; ++k) {
        any |= static_cast<std::uint8_t>(counts[k] - interval.low) <= interval.span ? 1u : 0u;
    }
    return any != 0;
}

constexpr int kSkipBlock = 32;

void AppendRowRuns(const std::uint8_t* counts, int width, int y,
                   const std::array<bool, 256>& marked, const MarkedInterval& interval,
                   std::vector<CellRun>& runs) {
    int x = 0;
    while (x < width) {
        // Most of a picture is warm: whole blocks of it are passed at once.
        while (interval.valid && x + kSkipBlock <= width &&
               !AnyInInterval(counts + x, kSkipBlock, interval)) {
            x += kSkipBlock;
        }
        const int end = interval.valid ? std::min(width, x + kSkipBlock) : width;
        while (x < end && !marked[counts[x]]) {
            ++x;
        }
        const int start = x;
        while (x < width && marked[counts[x]]) {
            ++x;
        }
        if (x > start) {
            runs.push_back({y, start, x});
        }
    }
}

// Joins the runs of one row to those of the row above that touch them,
// side by side or at a corner.
void JoinRows(const std::vector<CellRun>& runs, std::size_t above, std::size_t aboveEnd,
              std::size_t row, std::size_t rowEnd, std::vector<int>& parent) {
    std::size_t a = above;
    for (std::size_t r = row; r < rowEnd; ++r) {
        while (a < aboveEnd && runs[a].x1 < runs[r].x0) {
            ++a;
        }
        for (std::size_t k = a; k < aboveEnd && runs[k].x0 <= runs[r].x1; ++k) {
            Join(parent, static_cast<int>(k), static_cast<int>(r));
        }
    }
}

}  // namespace

int RunRegions::RegionAt(int x, int y) const {
    if (y < 0 || static_cast<std::size_t>(y) + 1 >= rowStart.size()) {
        return -1;
    }
    const auto first = runs.begin() + static_cast<std::ptrdiff_t>(rowStart[y]);
    const auto last = runs.begin() + static_cast<std::ptrdiff_t>(rowStart[y + 1]);
    const auto it = std::upper_bound(first, last, x,
                                     [](int value, const CellRun& run) { return value < run.x1; });
    if (it == last || it->x0 > x) {
        return -1;
    }
    return region[static_cast<std::size_t>(it - runs.begin())];
}

RunRegions LabelRuns(const CalibratedGrid& grid, const std::array<bool, 256>& marked) {
    RunRegions result;
    if (grid.Empty()) {
        return result;
    }
    result.rowStart.reserve(static_cast<std::size_t>(grid.height) + 1);
    std::vector<int> parent;
    std::size_t previousRow = 0;
    const MarkedInterval interval = IntervalOf(marked);
    for (int y = 0; y < grid.height; ++y) {
        const std::size_t row = result.runs.size();
        result.rowStart.push_back(row);
        AppendRowRuns(grid.CountsRow(y), grid.width, y, marked, interval, result.runs);
        parent.resize(result.runs.size());
        std::iota(parent.begin() + static_cast<std::ptrdiff_t>(row), parent.end(),
                  static_cast<int>(row));
        JoinRows(result.runs, previousRow, row, row, result.runs.size(), parent);
        previousRow = row;
    }
    result.rowStart.push_back(result.runs.size());
    // Number the regions in the order of their first run.
    result.region.assign(result.runs.size(), -1);
    std::vector<int> number(result.runs.size(), -1);
    for (std::size_t i = 0; i < result.runs.size(); ++i) {
        const int root = Root(parent, static_cast<int>(i));
        if (number[root] < 0) {
            number[root] = result.count++;
        }
        result.region[i] = number[root];
    }
    return result;
}

std::array<bool, 256> CountsAtOrBelow(const float* table, float ceilingK, float floorK) {
    std::array<bool, 256> marked{};
    for (int c = 0; c < 256; ++c) {
        marked[c] = table[c] > floorK && table[c] <= ceilingK;
    }
    return marked;
}
