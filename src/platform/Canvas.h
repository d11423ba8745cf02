#pragma once
// The drawing surface every drawer of the system draws through, in image
// pixel coordinates. It mirrors the device-context habits the drawers rely
// on: selecting a pen, font, text colour or background mode returns the
// previous one, so each drawer restores exactly what it changed.
// Colours are 0x00BBGGRR (red in the low byte).

#include <cstdint>
#include <string>
#include <vector>

enum CanvasPenStyle : int {
    kPenSolid = 0,
    kPenDash = 1,
    kPenDot = 2,
    kPenDashDot = 3,
    kPenDashDotDot = 4,
};

enum CanvasBackgroundMode : int {
    kBackgroundTransparent = 1,
    kBackgroundOpaque = 2,
};

constexpr std::uint32_t CanvasRgb(int red, int green, int blue) {
    return static_cast<std::uint32_t>(red & 0xFF) |
           (static_cast<std::uint32_t>(green & 0xFF) << 8) |
           (static_cast<std::uint32_t>(blue & 0xFF) << 16);
}

struct CanvasPen {
    int style = kPenSolid;
    int width = 1;
    std::uint32_t colour = 0;
    bool operator==(const CanvasPen&) const = default;
};

struct CanvasFont {
    int height = 16;     // logical units (pixels)
    int weight = 400;    // 400 normal, 600 semi-bold, 700 bold
    int escapement = 0;  // tenths of a degree, counter-clockwise
    std::string face = "Arial";
    bool operator==(const CanvasFont&) const = default;
};

struct CanvasSize {
    int cx = 0;
    int cy = 0;
};

// [left, right) × [top, bottom) in pixels.
struct CanvasBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const CanvasBox&) const = default;
    // Whether the two share a pixel.
    bool Overlaps(const CanvasBox& other) const {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
};
// The pixels a stretch of drawing wrote, in the order written, with where
// the drawing left the current position: what a canvas that writes whole
// pixels itself can record and write again later (see CCanvas).
struct CanvasPixels {
    int width = 0;
    int height = 0;
    int pixelsPerLine = 0;
    std::vector<std::uint32_t> at;     // y * pixelsPerLine + x
    std::vector<std::uint32_t> value;  // the pixel value written there
    int endX = 0;
    int endY = 0;
};

class CCanvas {
public:
    virtual ~CCanvas() = default;

    virtual int Width() const = 0;
    virtual int Height() const = 0;

    // Each Select/Set returns what was in force before.
    virtual CanvasPen SelectPen(const CanvasPen& pen) = 0;
    virtual CanvasFont SelectFont(const CanvasFont& font) = 0;
    virtual std::uint32_t SetTextColor(std::uint32_t colour) = 0;
    virtual int SetBkMode(int mode) = 0;

    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    // Text in UTF-8 with its top-left corner at (x, y); an escapement rotates
    // it counter-clockwise about that corner.
    virtual void TextOut(int x, int y, const std::string& utf8) = 0;
    virtual CanvasSize TextExtent(const std::string& utf8) = 0;
    virtual void SetPixel(int x, int y, std::uint32_t colour) = 0;
    // Fills [left, right) × [top, bottom).
    virtual void FillRect(int left, int top, int right, int bottom, std::uint32_t colour) = 0;

    // Recording of written pixels, for canvases that write every pixel of
    // their lines themselves; by default a canvas records nothing.
    // Begin: false when this canvas cannot record.
    virtual bool BeginPixelRecord() { return false; }
    // Ends the record; true, with the pixels, only when everything drawn
    // since Begin was recorded (text, for one, is not).
    virtual bool EndPixelRecord(CanvasPixels& pixels) {
        (void)pixels;
        return false;
    }
    // Writes recorded pixels again and moves to where their drawing ended;
    // false (nothing written) when they were recorded on another picture
    // size.
    virtual bool PutPixelRecord(const CanvasPixels& pixels) {
        (void)pixels;
        return false;
    }
};

// Saves pen, font, text colour and background mode, and puts them back when
// it goes out of scope.
class CCanvasStateGuard {
public:
    explicit CCanvasStateGuard(CCanvas& canvas)
        : m_canvas(canvas),
          m_pen(canvas.SelectPen(CanvasPen{})),
          m_font(canvas.SelectFont(CanvasFont{})),
          m_textColour(canvas.SetTextColor(0)),
          m_mode(canvas.SetBkMode(kBackgroundOpaque)) {
        m_canvas.SelectPen(m_pen);
        m_canvas.SelectFont(m_font);
        m_canvas.SetTextColor(m_textColour);
        m_canvas.SetBkMode(m_mode);
    }
    ~CCanvasStateGuard() {
        m_canvas.SelectPen(m_pen);
        m_canvas.SelectFont(m_font);
        m_canvas.SetTextColor(m_textColour);
        m_canvas.SetBkMode(m_mode);
    }
    CCanvasStateGuard(const CCanvasStateGuard&) = delete;
    CCanvasStateGuard& operator=(const CCanvasStateGuard&) = delete;

private:
    CCanvas& m_canvas;
    CanvasPen m_pen;
    CanvasFont m_font;
    std::uint32_t m_textColour;
    int m_mode;
};
