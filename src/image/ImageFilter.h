#pragma once
// The neighbourhood filters share one operation, Apply(source, x, y) -> pixel
// value, so that one driver runs any of them. Each also has a grey form that
// filters whole rows of single-channel levels at once; for a grey source
// (all three channels equal) it gives exactly the red channel of Apply.

#include <cstddef>
#include <cstdint>
#include <vector>

class CDibImage;

// The grey levels of a rectangle of a picture as the filters read them: row
// y with a zero margin on both sides, and zero rows above and below, so that
// neighbours outside the rectangle read as 0 (and contribute nothing to a
// sum). Rows are padded to a whole number of blocks so that row loops run in
// fixed blocks. Only a window of the last few rows asked for is held: a
// filter walks the rows from the top and never looks further than kMargin
// rows away, so each row is copied in once and the picture is never copied
// whole.
class CGreyRows {
public:
    static constexpr int kMargin = 3;
    static constexpr int kBlock = 32;

    // topRow is pixel 0 of the rectangle's top row; row y starts at
    // topRow + y * stride (stride is negative for bottom-up pictures). The
    // picture must stay alive while rows are read.
    CGreyRows(const std::uint8_t* topRow, std::ptrdiff_t stride, int width, int height);

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    // Width rounded up to a whole number of blocks.
    int PaddedWidth() const { return m_nPadded; }
    // Pixel 0 of row y, valid for offsets -kMargin <= x < PaddedWidth() +
    // kMargin until a row more than kMargin rows away is asked for. Any y may
    // be asked for; rows outside the rectangle are all 0.
    const std::uint8_t* Row(int y);

private:
    // A power of two above the 2 * kMargin + 1 rows a filter reads at once.
    static constexpr int kSlots = 8;

    const std::uint8_t* m_pTopRow;
    std::ptrdiff_t m_nStride;
    int m_nWidth;
    int m_nHeight;
    int m_nPadded;
    int m_nRowLength;
    std::vector<std::uint8_t> m_slots;  // kSlots rows, then one row of zeros
    int m_rowInSlot[kSlots];
};

class CImageFilter {
public:
    virtual ~CImageFilter() = default;

    // The filtered colour of pixel (x, y) of the source; bits is the source's
    // locked pixel data.
    virtual std::uint32_t Apply(const CDibImage& source, const std::uint8_t* bits, int x,
                                int y) const = 0;

    // Filters every row of the source, from the top; row y of the result
    // goes to topRow + y * stride (stride may be negative for bottom-up
    // images). The result must not overlap the source.
    virtual void ApplyGrey(CGreyRows& source, std::uint8_t* topRow,
                           std::ptrdiff_t stride) const = 0;
};
