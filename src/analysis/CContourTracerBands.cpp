// Phase two of tracing: lines that run between two neighbouring rows from one
// end of a stretch of valid columns to the other without crossing any
// horizontal segment (for example in a field that only varies from row to
// row). Between two columns the line bends through the cell centre, placed
// on the half-diagonals from the corners to the centre.

#include "analysis/CContourTracer.h"

#include <new>

template <typename Visit>
void CContourTracer::ForEachValidRun(int row, Visit&& visit) const {
    int c = 1;
    while (c <= m_nx) {
        if (!IsValid(c, row) || !IsValid(c, row + 1)) {
            ++c;
            continue;
        }
        const int first = c;
        while (c <= m_nx && IsValid(c, row) && IsValid(c, row + 1)) {
            ++c;
        }
        visit(first, c - 1);
    }
}

// Stretches of columns where both rows of a pair are valid do not depend on
// the level, so they are found once for all levels: counted first, then
// stored.
bool CContourTracer::FindRuns() {
    std::size_t count = 0;
    for (int k = 1; k < m_ny; ++k) {
        ForEachValidRun(k, [&](int, int) { ++count; });
    }
    m_pRuns.reset(new (std::nothrow) std::int32_t[2 * count + 1]);
    m_pRowRuns.reset(new (std::nothrow) std::size_t[m_ny]);
    if (!m_pRuns || !m_pRowRuns) {
        return false;
    }
    std::size_t r = 0;
    for (int k = 1; k < m_ny; ++k) {
        m_pRowRuns[k - 1] = r;
        ForEachValidRun(k, [&](int first, int last) {
            m_pRuns[2 * r] = first;
            m_pRuns[2 * r + 1] = last;
            ++r;
        });
    }
    m_pRowRuns[m_ny - 1] = r;
    return true;
}

void CContourTracer::TraceBands(float level) {
    for (int k = 1; k < m_ny; ++k) {
        for (std::size_t r = m_pRowRuns[k - 1]; r < m_pRowRuns[k]; ++r) {
            const int first = m_pRuns[2 * r];
            const int last = m_pRuns[2 * r + 1];
            if (BandQualifies(first, last, k, level)) {
                TraceBand(first, last, k, level);
            }
        }
    }
}

// Every column of the run must have its two points on opposite sides in the
// same sense, and a valid neighbour beyond either end must lie on the same
// side as the run's point in its row (otherwise phase one found the line).
bool CContourTracer::BandQualifies(int first, int last, int row, float level) const {
    const float top = Value(first, row);
    const float bottom = Value(first, row + 1);
    if ((top - level) * (level - bottom) < 0.0f) {
        return false;
    }
    const bool topHigh = top > level;
    for (int c = first; c <= last; ++c) {
        if ((Value(c, row) > level) != topHigh || (Value(c, row + 1) > level) == topHigh) {
            return false;
        }
    }
    for (int c : {first - 1, last + 1}) {
        if (c < 1 || c > m_nx) {
            continue;
        }
        const float vt = Value(c, row);
        const float vb = Value(c, row + 1);
        if ((!IsMissing(vt) && (vt > level) != topHigh) ||
            (!IsMissing(vb) && (vb > level) == topHigh)) {
            return false;
        }
    }
    return true;
}

void CContourTracer::TraceBand(int first, int last, int row, float level) {
    using Mode = CContourPointStore::Mode;
    Mode mode = Mode::kStartLine;
    if (first > 1) {
        // A lone valid point left of the run: the line begins on the diagonal
        // toward it.
        const bool topValid = IsValid(first - 1, row);
        const bool bottomValid = IsValid(first - 1, row + 1);
        if (topValid != bottomValid) {
            if (topValid) {
                StoreToward(mode, first, row + 1, -1, 1, level);
            } else {
                StoreToward(mode, first, row, -1, -1, level);
            }
            mode = Mode::kContinue;
        }
    }
    for (int c = first; c <= last; ++c) {
        StoreToward(mode, c, row, 0, -1, level);
        mode = Mode::kContinue;
        if (c < last) {
            StoreCellCentre(c, row, level);
        }
    }
    if (last < m_nx) {
        const bool topValid = IsValid(last + 1, row);
        const bool bottomValid = IsValid(last + 1, row + 1);
        if (topValid != bottomValid) {
            if (bottomValid) {
                StoreToward(mode, last, row, 1, -1, level);
            } else {
                StoreToward(mode, last, row + 1, 1, 1, level);
            }
        }
    }
    m_store.End(Mode::kEndForward);
}

// Up to two points between columns c and c + 1: one on a left half-diagonal
// and one on a right half-diagonal, where the corner and the cell centre lie
// on opposite sides of the level.
void CContourTracer::StoreCellCentre(int c, int row, float level) {
    using Mode = CContourPointStore::Mode;
    const float tl = Value(c, row);
    const float bl = Value(c, row + 1);
    const float tr = Value(c + 1, row);
    const float br = Value(c + 1, row + 1);
    const float m = (tl + bl + tr + br) * 0.25f;
    const float dm = m - level;
    if ((tl - level) * dm < 0.0f) {
        StoreAt(Mode::kContinue, c, row, 1, -1, 0.5f * (tl - level) / (tl - m));
    } else if ((bl - level) * dm < 0.0f) {
        StoreAt(Mode::kContinue, c, row + 1, 1, 1, 0.5f * (bl - level) / (bl - m));
    }
    if ((tr - level) * dm < 0.0f) {
        StoreAt(Mode::kContinue, c + 1, row, -1, -1, 0.5f * (tr - level) / (tr - m));
    } else if ((br - level) * dm < 0.0f) {
        StoreAt(Mode::kContinue, c + 1, row + 1, -1, 1, 0.5f * (br - level) / (br - m));
    }
}
