#pragma once
// The neighbourhood filters share one operation, Apply(source, x, y) -> pixel
// value, so that one driver runs any of them. Each also has a grey form that
// filters a whole plane of single-channel levels at once; for a grey source
// (all three channels equal) it gives exactly the red channel of Apply.

#include <cstddef>
#include <cstdint>
#include <vector>

class CDibImage;

// A plane of grey levels with a zero margin around it, so that neighbours
// outside the picture read as 0 (and contribute nothing to a sum). Rows are
// padded to a whole number of blocks so that row loops run in fixed blocks.
class CGreyPlane {
public:
    static constexpr int kMargin = 3;
    static constexpr int kBlock = 32;

    CGreyPlane(int width, int height);

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    // Width rounded up to a whole number of blocks.
    int PaddedWidth() const { return m_nPadded; }
    // Pixel 0 of row y; valid for -kMargin <= y < height + kMargin and
    // offsets -kMargin <= x < PaddedWidth() + kMargin.
    const std::uint8_t* Row(int y) const { return m_data.data() + Offset(y); }
    std::uint8_t* Row(int y) { return m_data.data() + Offset(y); }

private:
    std::ptrdiff_t Offset(int y) const {
        return static_cast<std::ptrdiff_t>(y + kMargin) * m_nRowLength + kMargin;
    }

    int m_nWidth;
    int m_nHeight;
    int m_nPadded;
    int m_nRowLength;
    std::vector<std::uint8_t> m_data;
};

class CImageFilter {
public:
    virtual ~CImageFilter() = default;

    // The filtered colour of pixel (x, y) of the source; bits is the source's
    // locked pixel data.
    virtual std::uint32_t Apply(const CDibImage& source, const std::uint8_t* bits, int x,
                                int y) const = 0;

    // Filters the whole plane; row y of the result goes to topRow + y * stride
    // (stride may be negative for bottom-up images).
    virtual void ApplyGrey(const CGreyPlane& source, std::uint8_t* topRow,
                           std::ptrdiff_t stride) const = 0;
};
