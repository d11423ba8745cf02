#include "analysis/CContourPointStore.h"

#include <algorithm>
#include <new>

#include "platform/Message.h"

namespace {
const char kBufferFullText[] = " Contour BUFFER内存不足 !";
}

bool CContourPointStore::Allocate(std::size_t capacity, bool report) {
    Release();
    m_pTable.reset(new (std::nothrow) std::int32_t[kTableSize]());
    // The point arrays are only read where they were written, so they are not
    // cleared: untouched pages of a large capacity then cost nothing.
    m_pX.reset(new (std::nothrow) float[capacity]);
    m_pY.reset(new (std::nothrow) float[capacity]);
    if (!m_pTable || !m_pX || !m_pY) {
        Release();
        return false;
    }
    m_nCapacity = capacity;
    m_bReport = report;
    return true;
}

void CContourPointStore::Release() {
    m_pTable.reset();
    m_pX.reset();
    m_pY.reset();
    m_nCapacity = 0;
    m_nPoints = 0;
    m_nLines = 0;
    m_bActive = false;
}

void CContourPointStore::Reset() {
    m_nPoints = 0;
    m_nLineStart = 0;
    m_nLines = 0;
    m_bActive = false;
    m_bTruncated = false;
    if (m_pTable) {
        m_pTable[0] = 0;
    }
}

bool CContourPointStore::Refuse() {
    if (static_cast<std::size_t>(m_nPoints) < m_nCapacity) {
        return false;
    }
    if (m_bReport) {
        ShowMessage(kBufferFullText);
    }
    m_bTruncated = true;
    return true;
}

void CContourPointStore::Append(float x, float y) {
    m_pX[m_nPoints] = x;
    m_pY[m_nPoints] = y;
    ++m_nPoints;
    m_fLastX = x;
    m_fLastY = y;
}

void CContourPointStore::Reverse() {
    std::reverse(m_pX.get() + m_nLineStart, m_pX.get() + m_nPoints);
    std::reverse(m_pY.get() + m_nLineStart, m_pY.get() + m_nPoints);
}

void CContourPointStore::Put(Mode mode, float x, float y) {
    if (Refuse()) {
        if (mode == kStartLine) {
            m_bActive = false;
        }
        return;
    }
    switch (mode) {
        case kStartLine:
            // The table has no room for another line: the level keeps the
            // lines it has and this one is dropped with all its points.
            m_bActive = m_nLines < kMaxLines;
            if (m_bActive) {
                m_nLineStart = m_nPoints;
                ++m_nLines;
                m_bTruncated = false;
                m_pTable[m_nLines] = 1;
                Append(x, y);
            }
            break;
        case kContinue:
            if (m_bActive && !(x == m_fLastX && y == m_fLastY)) {
                Append(x, y);
            }
            break;
        case kExtendBackward:
            if (m_bActive) {
                if (m_nPoints - m_nLineStart > 1) {
                    Reverse();
                }
                Append(x, y);
            }
            break;
        default:
            break;
    }
}

void CContourPointStore::End(Mode mode) {
    if (!m_bActive) {
        return;
    }
    const int stored = m_nPoints - m_nLineStart;
    m_pTable[m_nLines] = (mode == kEndClosed && !m_bTruncated) ? -stored : stored;
}
