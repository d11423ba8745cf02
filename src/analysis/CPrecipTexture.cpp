#include "analysis/CPrecipTexture.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace {

constexpr double kGradientScale = 10.0;
constexpr double kBlockScale = 0.004;
constexpr int kHalfBlock = 2;
constexpr int kBlock = 2 * kHalfBlock + 1;
// The first defined row and column; the last are H-4 and W-4.
constexpr int kFirst = 2;
constexpr int kLastFromEnd = 4;

}  // namespace

bool CPrecipTexture::Begin(const float* t1, int width, int height) {
    m_pT1 = t1;
    m_grid = CalibratedGrid{};
    return Start(width, height);
}

bool CPrecipTexture::Begin(const CalibratedGrid& t1) {
    m_pT1 = nullptr;
    m_grid = t1;
    std::fill(std::begin(m_t1InSlot), std::end(m_t1InSlot), -1);
    try {
        m_t1Rows.resize(4 * static_cast<std::size_t>(std::max(t1.width, 0)));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return Start(t1.width, t1.height);
}

const float* CPrecipTexture::T1Row(int r) {
    if (m_pT1 != nullptr) {
        return m_pT1 + static_cast<std::size_t>(r) * m_nWidth;
    }
    float* row = m_t1Rows.data() + static_cast<std::size_t>(r % 4) * m_nWidth;
    if (m_t1InSlot[r % 4] != r) {
        m_grid.Row(r, row);
        m_t1InSlot[r % 4] = r;
    }
    return row;
}

bool CPrecipTexture::Start(int width, int height) {
    m_nWidth = width;
    m_nHeight = height;
    m_nMadeRow = -1;
    std::fill(std::begin(m_rowInSlot), std::end(m_rowInSlot), -1);
    try {
        m_row.assign(static_cast<std::size_t>(std::max(width, 0)), 0.0f);
        if (width - kLastFromEnd >= kFirst && height - kLastFromEnd >= kFirst) {
            m_ring.resize(static_cast<std::size_t>(kBlock) * width);
            m_columnSums.resize(static_cast<std::size_t>(width));
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

// Row k of the gradient field with its edge copies: rows 0 and H-1 repeat
// their neighbours, and so do columns 0 and W-1, so row k is the inner
// gradient of row clamp(k, 1, H-2) with its ends repeated.
const float* CPrecipTexture::GradientRow(int k) {
    float* out = m_ring.data() + static_cast<std::size_t>(k % kBlock) * m_nWidth;
    if (m_rowInSlot[k % kBlock] == k) {
        return out;
    }
    const int w = m_nWidth;
    const int r = std::clamp(k, 1, m_nHeight - 2);
    const float* above = T1Row(r - 1);
    const float* here = T1Row(r);
    const float* below = T1Row(r + 1);
    for (int c = 1; c <= w - 2; ++c) {
        const double dx = static_cast<double>(here[c - 1]) - here[c + 1];
        const double dy = static_cast<double>(above[c]) - below[c];
        out[c] = static_cast<float>(kGradientScale * std::sqrt(dx * dx + dy * dy));
    }
    out[0] = out[1];
    out[w - 1] = out[w - 2];
    m_rowInSlot[k % kBlock] = k;
    return out;
}

const float* CPrecipTexture::Row(int row) {
    const int lastColumn = m_nWidth - kLastFromEnd;
    const int lastRow = m_nHeight - kLastFromEnd;
    if (lastColumn < kFirst || lastRow < kFirst) {
        return m_row.data();  // no defined area: all 0
    }
    const int r = std::clamp(row, kFirst, lastRow);
    if (r == m_nMadeRow) {
        return m_row.data();
    }
    const float* g0 = GradientRow(r - 2);
    const float* g1 = GradientRow(r - 1);
    const float* g2 = GradientRow(r);
    const float* g3 = GradientRow(r + 1);
    const float* g4 = GradientRow(r + 2);
    for (int c = 0; c < m_nWidth; ++c) {
        m_columnSums[static_cast<std::size_t>(c)] =
            static_cast<double>(g0[c]) + g1[c] + g2[c] + g3[c] + g4[c];
    }
    const double* sums = m_columnSums.data();
    for (int c = kFirst; c <= lastColumn; ++c) {
        const double block = sums[c - 2] + sums[c - 1] + sums[c] + sums[c + 1] + sums[c + 2];
        m_row[static_cast<std::size_t>(c)] = static_cast<float>(kBlockScale * block);
    }
    std::fill(m_row.begin(), m_row.begin() + kFirst, m_row[kFirst]);
    std::fill(m_row.begin() + lastColumn + 1, m_row.end(), m_row[lastColumn]);
    m_nMadeRow = r;
    return m_row.data();
}
