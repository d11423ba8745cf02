// Phase one of tracing: every line that crosses a horizontal segment is found
// from its first such segment in scan order, then followed around its low
// points in both directions. Horizontal segments a line has crossed are
// remembered per row so that the line is traced only once.

#include "analysis/CContourTracer.h"

namespace {
int Sign(int v) {
    return (v > 0) - (v < 0);
}

// A segment from a low to a high grid point; step = high - low in
// (column, up) units.
struct Step {
    int a;
    int b;
};

// The step turned by 45 degrees about the low point: counter-clockwise for
// turn = +1, clockwise for turn = -1.
Step Turn(Step s, int turn) {
    if (turn > 0) {
        return {Sign(s.a - s.b), Sign(s.a + s.b)};
    }
    return {Sign(s.a + s.b), -Sign(s.a - s.b)};
}
}  // namespace

bool CContourTracer::TraceRows(float level) {
    for (int k = 1; k <= m_ny; ++k) {
        const float* line = &m_pGrid[static_cast<std::size_t>(k - 1) * m_nx];
        bool previousAbove = line[0] > level;
        for (int f = 2; f <= m_nx; ++f) {
            // Two valid points on opposite sides always compare differently
            // with the level, so pairs that compare alike are passed by at
            // once; missing points are sorted out only where the sides change.
            const bool above = line[f - 1] > level;
            if (above == previousAbove) {
                continue;
            }
            previousAbove = above;
            const float left = line[f - 2];
            const float right = line[f - 1];
            if (IsMissing(left) || IsMissing(right)) {
                continue;
            }
            const int low = above ? f - 1 : f;
            const int high = above ? f : f - 1;
            const int code = low * (high - low);
            if (HasRowCode(code)) {
                continue;
            }
            AddRowCode(code);
            if (!TraceFromSegment(low, high, k, level)) {
                return false;
            }
        }
        AdvanceRow(k + 1);
    }
    return true;
}

bool CContourTracer::TraceFromSegment(int low, int high, int row, float level) {
    for (int pass = 1; pass <= 2; ++pass) {
        const int result = TracePass(pass, low, high, row, level);
        if (result < 0) {
            return false;
        }
        if (result == 1) {
            break;  // closed: the second pass has nothing left to find
        }
    }
    return true;
}

// Follows the line from the start segment until it leaves the grid, meets
// missing data or returns to the start. Returns 0 for an open end, 1 for a
// closed line and -1 when the pending list is full.
int CContourTracer::TracePass(int pass, int low, int high, int row, float level) {
    using Mode = CContourPointStore::Mode;
    const int turn = pass == 1 ? 1 : -1;
    const float startLow = Value(low, row);
    const float startHigh = Value(high, row);
    StoreAt(pass == 1 ? Mode::kStartLine : Mode::kExtendBackward, low, row, high - low, 0,
            (startLow - level) / (startLow - startHigh));

    GridPoint p{low, row};
    GridPoint q{high, row};
    float vp = startLow;
    float vq = startHigh;
    Step s{high - low, 0};
    // Each (low point, step) state occurs once on a line; more steps than
    // states means the walk is circling without reaching its start.
    const std::size_t maxSteps = 8 * m_nSize + 8;
    for (std::size_t steps = 0; steps < maxSteps; ++steps) {
        const Step n = Turn(s, turn);
        int ci = p.i + n.a;
        const int cj = p.j - n.b;
        if (m_bWrap && ci == m_nx + 1) {
            ci = 2;
            p.i = q.i = 1;
        } else if (m_bWrap && ci == 0) {
            ci = m_nx - 1;
            p.i = q.i = m_nx;
        } else if (ci < 1 || ci > m_nx) {
            break;
        }
        if (cj < 1 || cj > m_ny) {
            break;
        }
        const float vc = Value(ci, cj);
        if (IsMissing(vc)) {
            break;
        }
        if (vc > level) {
            q = {ci, cj};
            vq = vc;
            s = n;
        } else {
            p = {ci, cj};
            vp = vc;
            s = {q.i - p.i, p.j - q.j};
        }
        if (p.j == q.j && !MarkSegment(p, q, row)) {
            return -1;
        }
        StoreAt(Mode::kContinue, p.i, p.j, s.a, s.b, (vp - level) / (vp - vq));
        if (p.i == low && p.j == row && q.i == high && q.j == row) {
            m_store.End(Mode::kEndClosed);
            return 1;
        }
    }
    m_store.End(pass == 1 ? Mode::kEndForward : Mode::kEndBackward);
    return 0;
}

// Records a horizontal segment the line has crossed: in the scan row it joins
// the row list, below it waits in the pending list. False when the pending
// list is full.
bool CContourTracer::MarkSegment(GridPoint low, GridPoint high, int scanRow) {
    const int code = low.i * (high.i - low.i);
    if (low.j == scanRow) {
        AddRowCode(code);
    } else if (low.j > scanRow) {
        if (m_nPending + 1 >= m_nSize) {
            return false;
        }
        m_pPendingCodes[m_nPending] = code;
        m_pPendingRows[m_nPending] = low.j;
        ++m_nPending;
    }
    return true;
}

// A closed line crosses its start segment a second time; the flag keeps that
// and any other repeat out of the list, which therefore never outgrows nx.
void CContourTracer::AddRowCode(int code) {
    std::uint8_t& flag = m_pRowFlags[SegmentIndex(code)];
    if (flag == 0) {
        flag = 1;
        m_pRowCodes[m_nRowCodes++] = code;
    }
}

void CContourTracer::AdvanceRow(int nextRow) {
    for (int n = 0; n < m_nRowCodes; ++n) {
        m_pRowFlags[SegmentIndex(m_pRowCodes[n])] = 0;
    }
    m_nRowCodes = 0;
    std::size_t kept = 0;
    for (std::size_t n = 0; n < m_nPending; ++n) {
        const int pendingRow = m_pPendingRows[n];
        if (pendingRow == nextRow) {
            AddRowCode(m_pPendingCodes[n]);
        } else if (pendingRow > nextRow) {
            m_pPendingCodes[kept] = m_pPendingCodes[n];
            m_pPendingRows[kept] = pendingRow;
            ++kept;
        }
    }
    m_nPending = kept;
}
