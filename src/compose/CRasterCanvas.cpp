#include "compose/CRasterCanvas.h"

#include <algorithm>
#include <new>

#include "platform/PenRaster.h"
#include "platform/TextRaster.h"

namespace {

// The original device's background colour for opaque text and pattern gaps.
constexpr std::uint32_t kOpaqueBackground = 0xFFFFFFFFu;

}  // namespace

CRasterCanvas::CRasterCanvas(const DevicePixels& pixels, CTextRaster* text)
    : m_pixels(pixels), m_pText(text) {}

CanvasPen CRasterCanvas::SelectPen(const CanvasPen& pen) {
    const CanvasPen previous = m_pen;
    m_pen = pen;
    m_pattern = PenPattern(pen.style);
    m_nPatternPos = 0;
    return previous;
}

CanvasFont CRasterCanvas::SelectFont(const CanvasFont& font) {
    const CanvasFont previous = m_font;
    m_font = font;
    return previous;
}

std::uint32_t CRasterCanvas::SetTextColor(std::uint32_t colour) {
    const std::uint32_t previous = m_textColour;
    m_textColour = colour;
    return previous;
}

int CRasterCanvas::SetBkMode(int mode) {
    const int previous = m_nBkMode;
    m_nBkMode = mode;
    return previous;
}

void CRasterCanvas::MoveTo(int x, int y) {
    m_nX = x;
    m_nY = y;
    m_nPatternPos = 0;
}

void CRasterCanvas::LineTo(int x, int y) {
    const std::uint32_t ink = DeviceColour(m_pen.colour);
    const bool opaque = m_nBkMode != kBackgroundTransparent;
    WalkPenLine(m_nX, m_nY, x, y, m_pattern, m_nPatternPos, [&](int px, int py, bool on) {
        if (on) {
            Plot(px, py, ink);
        } else if (opaque) {
            Plot(px, py, kOpaqueBackground);
        }
    });
    m_nX = x;
    m_nY = y;
}

void CRasterCanvas::Plot(int x, int y, std::uint32_t device) {
    if (x >= 0 && y >= 0 && x < m_pixels.width && y < m_pixels.height) {
        const std::size_t at =
            static_cast<std::size_t>(y) * static_cast<std::size_t>(m_pixels.pixelsPerLine) +
            static_cast<std::size_t>(x);
        m_pixels.top[at] = device;
        if (m_bRecording) {
            Record(at, device);
        }
    }
}

void CRasterCanvas::TextOut(int x, int y, const std::string& utf8) {
    m_bRecordWhole = false;
    if (m_pText != nullptr) {
        m_pText->Draw(m_pixels, x, y, m_font, DeviceColour(m_textColour),
                      m_nBkMode != kBackgroundTransparent, kOpaqueBackground, utf8);
    }
}

CanvasSize CRasterCanvas::TextExtent(const std::string& utf8) {
    return m_pText != nullptr ? m_pText->Extent(m_font, utf8) : CanvasSize{};
}

void CRasterCanvas::SetPixel(int x, int y, std::uint32_t colour) {
    Plot(x, y, DeviceColour(colour));
}

void CRasterCanvas::FillRect(int left, int top, int right, int bottom, std::uint32_t colour) {
    if (right <= left || bottom <= top) {
        return;
    }
    m_bRecordWhole = false;
    const int x0 = std::max(left, 0);
    const int x1 = std::min(right, m_pixels.width);
    const int y0 = std::max(top, 0);
    const int y1 = std::min(bottom, m_pixels.height);
    const std::uint32_t device = DeviceColour(colour);
    for (int y = y0; y < y1; ++y) {
        std::uint32_t* row = m_pixels.Row(y);
        std::fill(row + std::min(x0, x1), row + x1, device);
    }
}

void CRasterCanvas::Record(std::size_t at, std::uint32_t device) {
    try {
        m_record.at.push_back(static_cast<std::uint32_t>(at));
        m_record.value.push_back(device);
    } catch (const std::bad_alloc&) {
        // Without memory the record is given up; the drawing goes on.
        m_bRecording = false;
        m_bRecordWhole = false;
        m_record = CanvasPixels{};
    }
}

bool CRasterCanvas::BeginPixelRecord() {
    if (m_pixels.Empty()) {
        return false;
    }
    m_bRecording = true;
    m_bRecordWhole = true;
    m_record = CanvasPixels{};
    m_record.width = m_pixels.width;
    m_record.height = m_pixels.height;
    m_record.pixelsPerLine = static_cast<int>(m_pixels.pixelsPerLine);
    return true;
}

bool CRasterCanvas::EndPixelRecord(CanvasPixels& pixels) {
    const bool whole = m_bRecording && m_bRecordWhole;
    m_bRecording = false;
    if (!whole) {
        m_record = CanvasPixels{};
        return false;
    }
    m_record.endX = m_nX;
    m_record.endY = m_nY;
    pixels = std::move(m_record);
    m_record = CanvasPixels{};
    return true;
}

bool CRasterCanvas::PutPixelRecord(const CanvasPixels& pixels) {
    if (m_pixels.Empty() || pixels.width != m_pixels.width || pixels.height != m_pixels.height ||
        pixels.pixelsPerLine != m_pixels.pixelsPerLine || pixels.at.size() != pixels.value.size()) {
        return false;
    }
    const std::size_t count = pixels.at.size();
    for (std::size_t i = 0; i < count; ++i) {
        m_pixels.top[pixels.at[i]] = pixels.value[i];
    }
    if (m_bRecording) {
        m_record.at.insert(m_record.at.end(), pixels.at.begin(), pixels.at.end());
        m_record.value.insert(m_record.value.end(), pixels.value.begin(), pixels.value.end());
    }
    m_nX = pixels.endX;
    m_nY = pixels.endY;
    return true;
}
