#include "support/CRecordingCanvas.h"

CanvasPen CRecordingCanvas::SelectPen(const CanvasPen& pen) {
    CanvasCall call;
    call.op = CanvasOp::SelectPen;
    call.pen = pen;
    m_calls.push_back(call);
    CanvasPen previous = m_pen;
    m_pen = pen;
    return previous;
}

CanvasFont CRecordingCanvas::SelectFont(const CanvasFont& font) {
    CanvasCall call;
    call.op = CanvasOp::SelectFont;
    call.font = font;
    m_calls.push_back(call);
    CanvasFont previous = m_font;
    m_font = font;
    return previous;
}

std::uint32_t CRecordingCanvas::SetTextColor(std::uint32_t colour) {
    CanvasCall call;
    call.op = CanvasOp::SetTextColor;
    call.value = colour;
    m_calls.push_back(call);
    std::uint32_t previous = m_textColour;
    m_textColour = colour;
    return previous;
}

int CRecordingCanvas::SetBkMode(int mode) {
    CanvasCall call;
    call.op = CanvasOp::SetBkMode;
    call.value = static_cast<std::uint32_t>(mode);
    m_calls.push_back(call);
    int previous = m_nBkMode;
    m_nBkMode = mode;
    return previous;
}

void CRecordingCanvas::MoveTo(int x, int y) {
    CanvasCall call;
    call.op = CanvasOp::MoveTo;
    call.x = x;
    call.y = y;
    m_calls.push_back(call);
}

void CRecordingCanvas::LineTo(int x, int y) {
    CanvasCall call;
    call.op = CanvasOp::LineTo;
    call.x = x;
    call.y = y;
    call.pen = m_pen;
    m_calls.push_back(call);
}

void CRecordingCanvas::TextOut(int x, int y, const std::string& utf8) {
    CanvasCall call;
    call.op = CanvasOp::TextOut;
    call.x = x;
    call.y = y;
    call.text = utf8;
    call.font = m_font;
    call.value = m_textColour;
    m_calls.push_back(call);
}

CanvasSize CRecordingCanvas::TextExtent(const std::string& utf8) {
    // A negative height asks for the character height, as a device context
    // reads it; the extent is positive either way.
    return CanvasSize{static_cast<int>(utf8.size()) * 8,
                      m_font.height < 0 ? -m_font.height : m_font.height};
}

void CRecordingCanvas::SetPixel(int x, int y, std::uint32_t colour) {
    CanvasCall call;
    call.op = CanvasOp::SetPixel;
    call.x = x;
    call.y = y;
    call.value = colour;
    m_calls.push_back(call);
}

void CRecordingCanvas::FillRect(int left, int top, int right, int bottom, std::uint32_t colour) {
    CanvasCall call;
    call.op = CanvasOp::FillRect;
    call.x = left;
    call.y = top;
    call.x2 = right;
    call.y2 = bottom;
    call.value = colour;
    m_calls.push_back(call);
}

std::vector<RecordedSegment> CRecordingCanvas::Segments() const {
    std::vector<RecordedSegment> segments;
    int x = 0;
    int y = 0;
    for (const CanvasCall& call : m_calls) {
        if (call.op == CanvasOp::MoveTo) {
            x = call.x;
            y = call.y;
        } else if (call.op == CanvasOp::LineTo) {
            segments.push_back(RecordedSegment{x, y, call.x, call.y, call.pen});
            x = call.x;
            y = call.y;
        }
    }
    return segments;
}

std::vector<CanvasCall> CRecordingCanvas::CallsOf(CanvasOp op) const {
    std::vector<CanvasCall> calls;
    for (const CanvasCall& call : m_calls) {
        if (call.op == op) {
            calls.push_back(call);
        }
    }
    return calls;
}

std::size_t CRecordingCanvas::DrawingCallCount() const {
    std::size_t count = 0;
    for (const CanvasCall& call : m_calls) {
        if (call.op == CanvasOp::LineTo || call.op == CanvasOp::TextOut ||
            call.op == CanvasOp::SetPixel || call.op == CanvasOp::FillRect) {
            ++count;
        }
    }
    return count;
}
