#pragma once
// The canvas over a device picture in memory, writing every pixel itself:
// no Qt. It draws as the QPainter canvas does on an RGB32 picture - the
// same one-pixel lines (platform/PenRaster.h), pixels and filled
// rectangles - and writes text through the text raster it is given; without
// one, text is measured as empty and not drawn. The system's drawers use
// one-pixel pens only; a wider pen is drawn one pixel wide.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Canvas.h"
#include "platform/DevicePixels.h"

class CTextRaster;

class CRasterCanvas : public CCanvas {
public:
    // Draws into pixels, which must outlive the canvas. Starts with the
    // device context's defaults: black solid pen, black text, opaque mode.
    CRasterCanvas(const DevicePixels& pixels, CTextRaster* text);
    ~CRasterCanvas() override = default;
    CRasterCanvas(const CRasterCanvas&) = delete;
    CRasterCanvas& operator=(const CRasterCanvas&) = delete;

    int Width() const override { return m_pixels.width; }
    int Height() const override { return m_pixels.height; }

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
    void Plot(int x, int y, std::uint32_t device);
    void Record(std::size_t at, std::uint32_t device);

    DevicePixels m_pixels;
    CTextRaster* m_pText;
    CanvasPen m_pen;
    CanvasFont m_font;
    std::uint32_t m_textColour = 0;
    int m_nBkMode = kBackgroundOpaque;
    int m_nX = 0;
    int m_nY = 0;
    std::vector<int> m_pattern;
    int m_nPatternPos = 0;
    // While recording: every pixel Plot writes; m_bRecordWhole turns false
    // when anything is drawn another way.
    bool m_bRecording = false;
    bool m_bRecordWhole = false;
    CanvasPixels m_record;
};
