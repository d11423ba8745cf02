#include "convection/CellOutline.h"

#include <algorithm>
#include <climits>

namespace {

// The 8 neighbours clockwise on the screen (y grows downward), from west.
constexpr int kDx[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
constexpr int kDy[8] = {0, -1, -1, -1, 0, 1, 1, 1};

int DirectionOf(int dx, int dy) {
    for (int d = 0; d < 8; ++d) {
        if (kDx[d] == dx && kDy[d] == dy) {
            return d;
        }
    }
    return 0;
}

// The cell's pixels as a mask over its bounding box, with a blank border so
// that neighbours are always inside.
class CCellMask {
public:
    explicit CCellMask(const ColdCell& cell) {
        m_nLeft = INT_MAX;
        int right = INT_MIN;
        for (const CellRun& run : cell.runs) {
            m_nLeft = std::min(m_nLeft, run.x0);
            right = std::max(right, run.x1);
        }
        m_nTop = cell.runs.front().y;
        const int bottom = cell.runs.back().y + 1;
        m_nWidth = right - m_nLeft + 2;
        m_bits.assign(static_cast<std::size_t>(m_nWidth) * (bottom - m_nTop + 2), 0);
        for (const CellRun& run : cell.runs) {
            for (int x = run.x0; x < run.x1; ++x) {
                m_bits[Index(x, run.y)] = 1;
            }
        }
    }
    bool Has(int x, int y) const { return m_bits[Index(x, y)] != 0; }

private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y - m_nTop + 1) * m_nWidth + (x - m_nLeft + 1);
    }
    int m_nLeft = 0;
    int m_nTop = 0;
    int m_nWidth = 0;
    std::vector<unsigned char> m_bits;
};

struct TraceState {
    CellPixel at;
    int back = 0;  // direction from `at` to the background pixel last passed
};

// One step: the first cell pixel clockwise after the back direction.
bool Step(const CCellMask& mask, TraceState& state) {
    for (int k = 1; k <= 8; ++k) {
        const int d = (state.back + k) % 8;
        const CellPixel next{state.at.x + kDx[d], state.at.y + kDy[d]};
        if (mask.Has(next.x, next.y)) {
            const int passed = (state.back + k - 1) % 8;
            const int bx = state.at.x + kDx[passed] - next.x;
            const int by = state.at.y + kDy[passed] - next.y;
            state = {next, DirectionOf(bx, by)};
            return true;
        }
    }
    return false;
}

}  // namespace

std::vector<CellPixel> CellOutline(const ColdCell& cell) {
    std::vector<CellPixel> outline;
    if (cell.runs.empty()) {
        return outline;
    }
    const CCellMask mask(cell);
    const CellPixel start{cell.runs.front().x0, cell.runs.front().y};
    outline.push_back(start);
    // The pixel west of the topmost-leftmost one is background.
    TraceState state{start, 0};
    if (!Step(mask, state)) {
        return outline;
    }
    const TraceState second = state;
    // Ends on coming back to the start about to take the first step again.
    const std::size_t limit = 4 * static_cast<std::size_t>(cell.pixels) + 8;
    while (outline.size() < limit) {
        outline.push_back(state.at);
        if (!Step(mask, state)) {
            break;
        }
        if (outline.back() == start && state.at == second.at) {
            outline.pop_back();
            break;
        }
    }
    return outline;
}
