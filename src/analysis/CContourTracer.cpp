#include "analysis/CContourTracer.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <new>

#include "platform/Message.h"

namespace {
const char kOutOfMemoryText[] = "内存不足 !";

// Points are counted in 32-bit integers, three per grid point at most.
constexpr std::size_t kPointsPerGridPoint = 3;
constexpr std::size_t kMaxGridSize =
    static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()) / kPointsPerGridPoint;

template <typename T>
std::unique_ptr<T[]> ZeroedArray(std::size_t n) {
    return std::unique_ptr<T[]>(new (std::nothrow) T[n]());
}

// For lists that are only read where they were written.
template <typename T>
std::unique_ptr<T[]> UnclearedArray(std::size_t n) {
    return std::unique_ptr<T[]>(new (std::nothrow) T[n]);
}
}  // namespace

int CContourTracer::Prepare(const float* grid, int nx, int ny, float y0, float x0, float dx,
                            float dy, int projectionCode, float maxValid, float minValid,
                            float missing) {
    m_bQuiet = false;
    const int result = Allocate(grid, nx, ny, maxValid, minValid, missing);
    if (result != 0) {
        return result;
    }
    m_fX0 = x0;
    m_fY0 = y0;
    m_fDx = dx;
    m_fDy = dy;
    m_bWrap = std::fabs(static_cast<float>(nx - 1) * dx) > kWrapSpan &&
              projectionCode == kPolarProjectionCode;
    return 0;
}

int CContourTracer::PrepareQuiet(const float* grid, int nx, int ny, float dx, float dy,
                                 float maxValid, float minValid, float missing) {
    m_bQuiet = true;
    const int result = Allocate(grid, nx, ny, maxValid, minValid, missing);
    if (result != 0) {
        return result;
    }
    m_fX0 = 0.0f;
    m_fY0 = 0.0f;
    m_fDx = dx;
    m_fDy = dy;
    m_bWrap = false;
    return 0;
}

int CContourTracer::Allocate(const float* grid, int nx, int ny, float maxValid, float minValid,
                             float missing) {
    Release();
    if (grid == nullptr || nx < 1 || ny < 1) {
        return -1;
    }
    // A grid too large to count its points cannot be held either; the test
    // comes before the product so that it cannot overflow.
    bool ok = static_cast<std::size_t>(nx) <= kMaxGridSize / static_cast<std::size_t>(ny);
    const std::size_t size = ok ? static_cast<std::size_t>(nx) * static_cast<std::size_t>(ny) : 0;
    ok = ok && m_store.Allocate(kPointsPerGridPoint * size, !m_bQuiet);
    if (ok) {
        m_pGrid = UnclearedArray<float>(size);
        m_pRowCodes = ZeroedArray<std::int32_t>(static_cast<std::size_t>(nx));
        m_pRowFlags = ZeroedArray<std::uint8_t>(static_cast<std::size_t>(nx) + 1);
        m_pPendingCodes = UnclearedArray<std::int32_t>(size);
        m_pPendingRows = UnclearedArray<std::int32_t>(size);
        ok = m_pGrid && m_pRowCodes && m_pRowFlags && m_pPendingCodes && m_pPendingRows;
    }
    if (!ok) {
        Release();
        if (!m_bQuiet) {
            ShowMessage(kOutOfMemoryText);
        }
        return -1;
    }
    m_nx = nx;
    m_ny = ny;
    m_nSize = size;
    m_fMissing = missing;
    for (std::size_t n = 0; n < size; ++n) {
        const float v = grid[n];
        m_pGrid[n] = (v > maxValid || !(v >= minValid)) ? missing : v;
    }
    if (!FindRuns()) {
        Release();
        if (!m_bQuiet) {
            ShowMessage(kOutOfMemoryText);
        }
        return -1;
    }
    return 0;
}

void CContourTracer::Release() {
    m_store.Release();
    m_pGrid.reset();
    m_pRowCodes.reset();
    m_pRowFlags.reset();
    m_pPendingCodes.reset();
    m_pPendingRows.reset();
    m_pRuns.reset();
    m_pRowRuns.reset();
    m_nx = 0;
    m_ny = 0;
    m_nSize = 0;
    m_nRowCodes = 0;
    m_nPending = 0;
    m_bWrap = false;
}

void CContourTracer::TraceLevel(float level) {
    if (!IsPrepared()) {
        return;
    }
    m_store.Reset();
    std::memset(m_pRowFlags.get(), 0, static_cast<std::size_t>(m_nx) + 1);
    m_nRowCodes = 0;
    m_nPending = 0;
    // A full pending list leaves the level without lines.
    if (!TraceRows(level)) {
        m_store.Reset();
        return;
    }
    TraceBands(level);
    m_store.Publish();
}

void CContourTracer::StoreAt(CContourPointStore::Mode mode, int i, int j, int ci, int cj, float t) {
    const float across = static_cast<float>(i - 1) + t * static_cast<float>(ci);
    const float down = static_cast<float>(j - 1) - t * static_cast<float>(cj);
    if (m_bQuiet) {
        m_store.Put(mode, across * m_fDx, (static_cast<float>(m_ny) - down) * m_fDy);
    } else {
        m_store.Put(mode, m_fX0 + across * m_fDx, m_fY0 - down * m_fDy);
    }
}

void CContourTracer::StoreToward(CContourPointStore::Mode mode, int i, int j, int ci, int cj,
                                 float level) {
    const float va = Value(i, j);
    const float vb = Value(i + ci, j - cj);
    StoreAt(mode, i, j, ci, cj, (va - level) / (va - vb));
}
