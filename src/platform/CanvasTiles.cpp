// The tile set of a partly redrawn picture.

#include "platform/CanvasTiles.h"

#include <algorithm>

CanvasTiles::CanvasTiles(int width, int height)
    : m_nWidth(std::max(0, width)),
      m_nHeight(std::max(0, height)),
      m_nColumns((m_nWidth + kTileSize - 1) / kTileSize),
      m_nRows((m_nHeight + kTileSize - 1) / kTileSize),
      m_on(static_cast<std::size_t>(m_nColumns) * static_cast<std::size_t>(m_nRows), 0) {}

void CanvasTiles::Mark(int x, int y) {
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight) {
        return;
    }
    std::uint8_t& tile = m_on[static_cast<std::size_t>(y / kTileSize) * m_nColumns + x / kTileSize];
    m_nMarked += tile == 0;
    tile = 1;
}

void CanvasTiles::MarkPixels(const std::vector<std::uint32_t>& at, int pixelsPerLine) {
    if (pixelsPerLine <= 0) {
        return;
    }
    const PixelOffsets offsets(pixelsPerLine);
    for (std::uint32_t offset : at) {
        int x = 0;
        int y = 0;
        offsets.Split(offset, x, y);
        Mark(x, y);
    }
}

void CanvasTiles::MarkAll() {
    std::fill(m_on.begin(), m_on.end(), 1);
    m_nMarked = m_on.size();
}

std::vector<CanvasRect> CanvasTiles::Runs() const {
    std::vector<CanvasRect> runs;
    for (int row = 0; row < m_nRows; ++row) {
        const std::uint8_t* tiles = m_on.data() + static_cast<std::size_t>(row) * m_nColumns;
        const int top = row * kTileSize;
        const int bottom = std::min(m_nHeight, top + kTileSize);
        for (int column = 0; column < m_nColumns;) {
            if (tiles[column] == 0) {
                ++column;
                continue;
            }
            const int first = column;
            while (column < m_nColumns && tiles[column] != 0) {
                ++column;
            }
            runs.push_back(
                CanvasRect{first * kTileSize, top, std::min(m_nWidth, column * kTileSize), bottom});
        }
    }
    return runs;
}
