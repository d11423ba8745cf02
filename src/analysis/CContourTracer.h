#pragma once
// Traces the isolines of one level at a time on a regular float grid with a
// missing value. Rows run from the top (row 1) downward; a value equal to the
// level counts as below it. The results are a line table (signed counts,
// negative for a closed line) and x/y point arrays, valid until the next
// TraceLevel.
//
// Two kinds of instance exist. The reporting one (Prepare) places points at
// x0 + column offset, y0 - row offset, joins the first and last column of a
// polar grid that spans a full circle, and shows a message on allocation
// failure and for every point the full store refuses. The quiet one
// (PrepareQuiet) places points from a zero origin with the y axis pointing up
// from the bottom row, never wraps and never shows a message.
//
// All working storage is allocated by the preparation; TraceLevel allocates
// nothing.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "analysis/CContourPointStore.h"

class CContourTracer {
public:
    // The projection code that allows the first and last column to be joined.
    static constexpr int kPolarProjectionCode = 4;
    // A grid wraps when its columns span more than this many degrees.
    static constexpr float kWrapSpan = 359.0f;

    CContourTracer() = default;
    CContourTracer(const CContourTracer&) = delete;
    CContourTracer& operator=(const CContourTracer&) = delete;

    // Reporting preparation. Copies the grid, replacing every value above
    // maxValid, below minValid or not a number by the missing value. Returns 0,
    // or -1 after showing "内存不足 !" when memory is not available (the
    // tracer is then left without buffers). Grids without rows or columns are
    // refused silently.
    int Prepare(const float* grid, int nx, int ny, float y0, float x0, float dx, float dy,
                int projectionCode, float maxValid, float minValid, float missing);
    // Quiet preparation: 0 on success, -1 without any message on failure.
    int PrepareQuiet(const float* grid, int nx, int ny, float dx, float dy, float maxValid,
                     float minValid, float missing);
    void Release();
    bool IsPrepared() const { return m_pGrid != nullptr; }
    bool Wraps() const { return m_bWrap; }

    // Traces every line of one level; does nothing when not prepared.
    void TraceLevel(float level);

    // --- Results ----------------------------------------------------------
    int LineCount() const { return IsPrepared() ? m_store.LineCount() : 0; }
    // Signed point count of line k (1-based), negative for a closed line.
    int LineSize(int k) const { return m_store.LineSize(k); }
    int PointCount() const { return IsPrepared() ? m_store.PointCount() : 0; }
    const float* X() const { return m_store.X(); }
    const float* Y() const { return m_store.Y(); }

private:
    struct GridPoint {
        int i;
        int j;
    };

    int Allocate(const float* grid, int nx, int ny, float maxValid, float minValid, float missing);

    float Value(int i, int j) const {
        return m_pGrid[static_cast<std::size_t>(j - 1) * m_nx + (i - 1)];
    }
    bool IsMissing(float v) const { return v == m_fMissing || v != v; }
    bool IsValid(int i, int j) const { return !IsMissing(Value(i, j)); }

    // Stores the point at fraction t from (i, j) along the step (ci, cj),
    // cj = +1 pointing up.
    void StoreAt(CContourPointStore::Mode mode, int i, int j, int ci, int cj, float t);
    // Stores the crossing of the level on the segment from (i, j) to its
    // neighbour one step (ci, cj) away.
    void StoreToward(CContourPointStore::Mode mode, int i, int j, int ci, int cj, float level);

    // Lines through horizontal segments; false when the pending list filled.
    bool TraceRows(float level);
    bool TraceFromSegment(int low, int high, int row, float level);
    int TracePass(int pass, int low, int high, int row, float level);
    bool MarkSegment(GridPoint low, GridPoint high, int scanRow);
    void AddRowCode(int code);
    bool HasRowCode(int code) const { return m_pRowFlags[SegmentIndex(code)] != 0; }
    static int SegmentIndex(int code) { return code > 0 ? code : -code - 1; }
    void AdvanceRow(int nextRow);

    // Lines that run between two rows without crossing a horizontal segment.
    bool FindRuns();
    template <typename Visit>
    void ForEachValidRun(int row, Visit&& visit) const;
    void TraceBands(float level);
    bool BandQualifies(int first, int last, int row, float level) const;
    void TraceBand(int first, int last, int row, float level);
    void StoreCellCentre(int c, int row, float level);

    CContourPointStore m_store;
    std::unique_ptr<float[]> m_pGrid;
    int m_nx = 0;
    int m_ny = 0;
    std::size_t m_nSize = 0;
    float m_fMissing = 0.0f;
    float m_fDx = 0.0f;
    float m_fDy = 0.0f;
    float m_fX0 = 0.0f;
    float m_fY0 = 0.0f;
    bool m_bQuiet = false;
    bool m_bWrap = false;

    // Codes of the horizontal segments of the scan row that belong to a traced
    // line, with a flag per segment for constant-time look-up.
    std::unique_ptr<std::int32_t[]> m_pRowCodes;
    std::unique_ptr<std::uint8_t[]> m_pRowFlags;
    int m_nRowCodes = 0;
    // Codes and rows of horizontal segments crossed below the scan row.
    std::unique_ptr<std::int32_t[]> m_pPendingCodes;
    std::unique_ptr<std::int32_t[]> m_pPendingRows;
    std::size_t m_nPending = 0;
    // Maximal runs of columns valid in both rows of a row pair: first and
    // last column of each; runs of pair k start at m_pRowRuns[k - 1] and end
    // before m_pRowRuns[k] (entry ny - 1 holds the total).
    std::unique_ptr<std::int32_t[]> m_pRuns;
    std::unique_ptr<std::size_t[]> m_pRowRuns;
};
