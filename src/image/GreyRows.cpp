#include <algorithm>
#include <cstring>

#include "image/ImageFilter.h"

CGreyRows::CGreyRows(const std::uint8_t* topRow, std::ptrdiff_t stride, int width, int height)
    : m_pTopRow(topRow),
      m_nStride(stride),
      m_nWidth(width),
      m_nHeight(height),
      m_nPadded((width + kBlock - 1) / kBlock * kBlock),
      m_nRowLength(m_nPadded + 2 * kMargin),
      m_slots(static_cast<std::size_t>(m_nRowLength) * (kSlots + 1), 0) {
    std::fill(std::begin(m_rowInSlot), std::end(m_rowInSlot), -1);
}

const std::uint8_t* CGreyRows::Row(int y) {
    if (y < 0 || y >= m_nHeight) {
        return m_slots.data() + static_cast<std::size_t>(m_nRowLength) * kSlots + kMargin;
    }
    const int slot = y & (kSlots - 1);
    std::uint8_t* row = m_slots.data() + static_cast<std::size_t>(m_nRowLength) * slot + kMargin;
    if (m_rowInSlot[slot] != y) {
        // Only the pixels are copied: margins and padding stay 0.
        std::memcpy(row, m_pTopRow + m_nStride * y, static_cast<std::size_t>(m_nWidth));
        m_rowInSlot[slot] = y;
    }
    return row;
}
