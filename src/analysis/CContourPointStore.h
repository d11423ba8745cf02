#pragma once
// The contour tracer's output: a table of signed point counts (negative for a
// closed line) and the x/y arrays that hold the points of all lines of one
// level, one line after another. Every crossing the tracer finds goes through
// Put, steered by a store mode; End closes the line being built.
//
// All storage is allocated once by Allocate and reused for every level. A
// request that would write past the point capacity or the line table is
// refused, so the counts always describe exactly the points that are stored.

#include <cstddef>
#include <cstdint>
#include <memory>

class CContourPointStore {
public:
    // What the next stored point means, with the values the tracer uses.
    enum Mode : int {
        kContinue = 0,        // append unless it repeats the last point exactly
        kStartLine = 1,       // first point of a new line
        kExtendBackward = 2,  // reverse the line, then append (second pass)
        kEndForward = -1,     // end an open line after the first pass
        kEndBackward = -2,    // end an open line after the second pass
        kEndClosed = -3,      // end a line that returned to its start
    };

    // Entry 0 counts the lines, so the table holds at most this many lines.
    static constexpr int kTableSize = 13000;
    static constexpr int kMaxLines = kTableSize - 1;

    CContourPointStore() = default;
    CContourPointStore(const CContourPointStore&) = delete;
    CContourPointStore& operator=(const CContourPointStore&) = delete;

    // Allocates room for `capacity` points (zero-filled); false when memory is
    // not available, leaving the store empty. `report` makes every refused
    // point show " Contour BUFFER内存不足 !".
    bool Allocate(std::size_t capacity, bool report);
    void Release();
    bool IsAllocated() const { return m_pTable != nullptr; }

    // Forgets the previous level's lines.
    void Reset();
    // Stores a point in mode kContinue, kStartLine or kExtendBackward.
    void Put(Mode mode, float x, float y);
    // Writes the count of the line being built (kEndForward, kEndBackward or
    // kEndClosed). A line that lost points to a full store is recorded as open.
    void End(Mode mode);
    // Copies the line count into table entry 0; the level is then readable.
    void Publish() { m_pTable[0] = m_nLines; }

    // --- Results of the last published level -------------------------------
    int LineCount() const { return m_pTable ? m_pTable[0] : 0; }
    // Signed count of line k, 1 <= k <= LineCount().
    int LineSize(int k) const { return m_pTable[k]; }
    int PointCount() const { return m_nPoints; }
    const float* X() const { return m_pX.get(); }
    const float* Y() const { return m_pY.get(); }

private:
    void Append(float x, float y);
    void Reverse();
    bool Refuse();

    std::unique_ptr<std::int32_t[]> m_pTable;
    std::unique_ptr<float[]> m_pX;
    std::unique_ptr<float[]> m_pY;
    std::size_t m_nCapacity = 0;
    int m_nPoints = 0;
    int m_nLineStart = 0;
    int m_nLines = 0;
    float m_fLastX = 0.0f;
    float m_fLastY = 0.0f;
    bool m_bReport = false;
    // A line is being built: its start was stored. Points and ends that come
    // while no line is active (its start was refused) are dropped.
    bool m_bActive = false;
    // The active line lost points to the full store.
    bool m_bTruncated = false;
};
