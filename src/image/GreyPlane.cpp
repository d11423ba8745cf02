#include "image/ImageFilter.h"

CGreyPlane::CGreyPlane(int width, int height)
    : m_nWidth(width),
      m_nHeight(height),
      m_nPadded((width + kBlock - 1) / kBlock * kBlock),
      m_nRowLength(m_nPadded + 2 * kMargin),
      m_data(
          static_cast<std::size_t>(m_nRowLength) * static_cast<std::size_t>(height + 2 * kMargin),
          0) {}
