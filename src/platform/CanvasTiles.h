#pragma once
// A set of square tiles of a picture: where a composition that redraws only
// part of the picture writes, and what the view then repaints. Tiles are
// small enough that thin lines across the picture mark a small share of it
// and large enough that the set stays a few kilobytes.

#include <cstddef>
#include <cstdint>
#include <vector>

// [left, right) × [top, bottom) in picture pixels.
struct CanvasRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const CanvasRect&) const = default;
};

// The row and column of a pixel given as y * pixelsPerLine + x. Records hold
// hundreds of thousands of pixels: the row comes from a multiplication by the
// reciprocal, put right where it rounds the wrong way.
class PixelOffsets {
public:
    explicit PixelOffsets(int pixelsPerLine)
        : m_nLine(static_cast<std::uint64_t>(pixelsPerLine > 0 ? pixelsPerLine : 1)),
          m_dPerLine(1.0 / static_cast<double>(m_nLine)) {}

    void Split(std::uint32_t at, int& x, int& y) const {
        std::uint64_t row = static_cast<std::uint64_t>(at * m_dPerLine);
        if (row * m_nLine > at) {
            --row;
        } else if ((row + 1) * m_nLine <= at) {
            ++row;
        }
        x = static_cast<int>(at - row * m_nLine);
        y = static_cast<int>(row);
    }

private:
    std::uint64_t m_nLine;
    double m_dPerLine;
};

class CanvasTiles {
public:
    static constexpr int kTileSize = 16;

    CanvasTiles() = default;
    CanvasTiles(int width, int height);

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    bool Empty() const { return m_nMarked == 0; }
    bool All() const { return m_nMarked == m_on.size(); }

    // Marks the tile holding the pixel; pixels outside the picture are ignored.
    void Mark(int x, int y);
    // Marks the tiles of pixels given as y * pixelsPerLine + x.
    void MarkPixels(const std::vector<std::uint32_t>& at, int pixelsPerLine);
    void MarkAll();

    bool Covers(int x, int y) const {
        return x >= 0 && y >= 0 && x < m_nWidth && y < m_nHeight &&
               m_on[static_cast<std::size_t>(y / kTileSize) * m_nColumns + x / kTileSize] != 0;
    }

    // The marked tiles as rectangles, runs of neighbouring tiles in a row of
    // tiles joined, cut to the picture; top to bottom, left to right.
    std::vector<CanvasRect> Runs() const;

private:
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nColumns = 0;
    int m_nRows = 0;
    std::size_t m_nMarked = 0;
    std::vector<std::uint8_t> m_on;
};
