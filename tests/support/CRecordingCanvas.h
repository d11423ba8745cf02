#pragma once
// A canvas that draws nothing and records every call, so tests can assert on
// the strokes a drawer makes (which pen, which moves and lines, which text).

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Canvas.h"

enum class CanvasOp {
    SelectPen,
    SelectFont,
    SetTextColor,
    SetBkMode,
    MoveTo,
    LineTo,
    TextOut,
    SetPixel,
    FillRect,
};

// One recorded call. Only the fields that belong to the operation are
// meaningful: x/y for moves, lines, texts and pixels (and left/top of a
// fill), x2/y2 for right/bottom of a fill, value for colours and modes.
struct CanvasCall {
    CanvasOp op = CanvasOp::MoveTo;
    int x = 0;
    int y = 0;
    int x2 = 0;
    int y2 = 0;
    std::uint32_t value = 0;
    CanvasPen pen;
    CanvasFont font;
    std::string text;
};

// A line drawn by LineTo, with the pen in force and where it started.
struct RecordedSegment {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
    CanvasPen pen;
};

class CRecordingCanvas : public CCanvas {
public:
    CRecordingCanvas(int width, int height) : m_nWidth(width), m_nHeight(height) {}

    int Width() const override { return m_nWidth; }
    int Height() const override { return m_nHeight; }

    CanvasPen SelectPen(const CanvasPen& pen) override;
    CanvasFont SelectFont(const CanvasFont& font) override;
    std::uint32_t SetTextColor(std::uint32_t colour) override;
    int SetBkMode(int mode) override;

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void TextOut(int x, int y, const std::string& utf8) override;
    // A fixed metric: 8 pixels per byte of text, the font height tall.
    CanvasSize TextExtent(const std::string& utf8) override;
    void SetPixel(int x, int y, std::uint32_t colour) override;
    void FillRect(int left, int top, int right, int bottom, std::uint32_t colour) override;

    const std::vector<CanvasCall>& Calls() const { return m_calls; }
    // Every LineTo as a segment from the position before it.
    std::vector<RecordedSegment> Segments() const;
    // The calls of one kind, in order.
    std::vector<CanvasCall> CallsOf(CanvasOp op) const;
    // Calls that put something on the surface (lines, texts, pixels, fills).
    std::size_t DrawingCallCount() const;

    // The state in force now.
    const CanvasPen& Pen() const { return m_pen; }
    const CanvasFont& Font() const { return m_font; }
    std::uint32_t TextColor() const { return m_textColour; }
    int BkMode() const { return m_nBkMode; }

    void Clear() { m_calls.clear(); }

private:
    int m_nWidth;
    int m_nHeight;
    CanvasPen m_pen;
    CanvasFont m_font;
    std::uint32_t m_textColour = 0;
    int m_nBkMode = kBackgroundOpaque;
    std::vector<CanvasCall> m_calls;
};
