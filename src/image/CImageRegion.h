#pragma once
// The region of interest of an image. Every pixel walk walks the bounds row by
// row and skips the pixels the region does not contain.

#include <memory>

struct DibRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

class CImageRegion {
public:
    CImageRegion(int left, int top, int right, int bottom) : m_rect{left, top, right, bottom} {}
    virtual ~CImageRegion() = default;

    virtual bool Contains(int x, int y) const {
        return m_rect.left <= x && x < m_rect.right && m_rect.top <= y && y < m_rect.bottom;
    }
    virtual DibRect Bounds() const { return m_rect; }
    virtual std::unique_ptr<CImageRegion> Clone() const {
        return std::make_unique<CImageRegion>(*this);
    }

protected:
    DibRect m_rect;
};
