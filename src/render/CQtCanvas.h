#pragma once
// The canvas over a QPainter, drawing like the device context the drawers
// were written for. One-pixel pens are rasterised here, straight into the
// picture, so that they behave as the original device's cosmetic pens in
// every direction: no antialiasing, LineTo draws from the current position up
// to but not including its end point, and a styled pen's pattern runs on
// across consecutive LineTo calls (restarting at MoveTo and at a new pen), so
// a grid line made of many short steps still shows its dashes. Wider pens,
// text and fills go through the painter. Text is placed by its top-left
// corner and rotated counter-clockwise by the font's escapement about it.

#include <QFont>
#include <QImage>
#include <QPainter>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Canvas.h"

class CQtCanvas : public CCanvas {
public:
    // Draws through painter, which must stay active for the canvas's
    // lifetime; the size is that of the painter's device. One-pixel lines are
    // rasterised directly when the device is an RGB32 picture painted without
    // transform or clipping, and through the painter otherwise. Starts with
    // the device context's defaults: black solid pen, black text, opaque mode.
    explicit CQtCanvas(QPainter& painter);
    ~CQtCanvas() override = default;
    CQtCanvas(const CQtCanvas&) = delete;
    CQtCanvas& operator=(const CQtCanvas&) = delete;

    int Width() const override;
    int Height() const override;

    CanvasPen SelectPen(const CanvasPen& pen) override;
    CanvasFont SelectFont(const CanvasFont& font) override;
    std::uint32_t SetTextColor(std::uint32_t colour) override;
    int SetBkMode(int mode) override;

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void TextOut(int x, int y, const std::string& utf8) override;
    CanvasSize TextExtent(const std::string& utf8) override;
    void SetPixel(int x, int y, std::uint32_t colour) override;
    void FillRect(int left, int top, int right, int bottom, std::uint32_t colour) override;

    bool BeginPixelRecord() override;
    bool EndPixelRecord(CanvasPixels& pixels) override;
    bool PutPixelRecord(const CanvasPixels& pixels) override;

private:
    void ApplyBackground();
    void RasterLine(QPoint from, QPoint to);
    void Plot(int x, int y, std::uint32_t rgb);
    void Record(std::size_t at, std::uint32_t rgb);
    // The Qt font of m_font, made when text is first drawn or measured with
    // it: finding a font is costly and most drawings select their own first.
    const QFont& QtFont();

    QPainter& m_painter;
    CanvasPen m_pen;
    CanvasFont m_font;
    std::optional<QFont> m_qFont;
    std::uint32_t m_textColour = 0;
    int m_nBkMode = kBackgroundOpaque;
    QPoint m_current;
    // The picture's pixels when lines are rasterised here, else nullptr.
    std::uint32_t* m_pBits = nullptr;
    int m_nPixelsPerLine = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
    // On/off run lengths of the pen's pattern (empty: solid) and the position
    // reached in it.
    std::vector<int> m_pattern;
    int m_nPatternPos = 0;
    // While recording: every pixel Plot writes; m_bRecordWhole turns false
    // when anything is drawn another way.
    bool m_bRecording = false;
    bool m_bRecordWhole = false;
    CanvasPixels m_record;
};

// 0x00BBGGRR as a Qt colour.
QColor ToQColor(std::uint32_t colour);
// The Qt pen of a canvas pen: styles solid, dash, dot, dash-dot, dash-dot-dot.
QPen ToQPen(const CanvasPen& pen);
// The Qt font of a canvas font. A positive height is the cell height
// (ascent + descent), as on the original device; a negative one the em size.
QFont ToQFont(const CanvasFont& font);
