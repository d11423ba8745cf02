#include "render/CQtCanvas.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>

#include "platform/PenRaster.h"

namespace {

// The original device's background colour for opaque text and pattern gaps.
constexpr QRgb kOpaqueBackground = 0xFFFFFFFFu;

Qt::PenStyle ToQtStyle(int style) {
    switch (style) {
        case kPenDash:
            return Qt::DashLine;
        case kPenDot:
            return Qt::DotLine;
        case kPenDashDot:
            return Qt::DashDotLine;
        case kPenDashDotDot:
            return Qt::DashDotDotLine;
        default:
            return Qt::SolidLine;
    }
}

QString ToQString(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QRgb ToQRgb(std::uint32_t colour) {
    return qRgb(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

bool CanRasterInto(QPainter& painter) {
    QPaintDevice* device = painter.device();
    if (!device || device->devType() != QInternal::Image) {
        return false;
    }
    const QImage* picture = static_cast<QImage*>(device);
    return picture->format() == QImage::Format_RGB32 && painter.transform().isIdentity() &&
           !painter.hasClipping();
}

}  // namespace

QColor ToQColor(std::uint32_t colour) {
    return QColor(ToQRgb(colour));
}

QPen ToQPen(const CanvasPen& pen) {
    QPen qPen(ToQColor(pen.colour));
    qPen.setStyle(ToQtStyle(pen.style));
    if (pen.width <= 1) {
        qPen.setWidth(1);
        qPen.setCosmetic(true);
        qPen.setCapStyle(Qt::FlatCap);
    } else {
        qPen.setWidth(pen.width);
        qPen.setCapStyle(Qt::RoundCap);
        qPen.setJoinStyle(Qt::RoundJoin);
    }
    return qPen;
}

QFont ToQFont(const CanvasFont& font) {
    QFont qFont(QString::fromStdString(font.face));
    const int weight = font.weight <= 0 ? 400 : std::clamp(font.weight, 1, 1000);
    qFont.setWeight(static_cast<QFont::Weight>(weight));
    qFont.setStyleStrategy(QFont::NoAntialias);
    const int height = font.height == 0 ? 16 : std::abs(font.height);
    qFont.setPixelSize(height);
    if (font.height > 0) {
        // Shrink the em so that ascent + descent matches the requested cell.
        const int cell = QFontMetrics(qFont).height();
        if (cell > height) {
            const double em = static_cast<double>(height) * height / cell;
            qFont.setPixelSize(std::max(1, static_cast<int>(std::lround(em))));
        }
    }
    return qFont;
}

CQtCanvas::CQtCanvas(QPainter& painter) : m_painter(painter) {
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, false);
    m_painter.setBrush(Qt::NoBrush);
    m_painter.setBackground(QBrush(QColor(kOpaqueBackground)));
    ApplyBackground();
    if (m_painter.device()) {
        m_nWidth = m_painter.device()->width();
        m_nHeight = m_painter.device()->height();
    }
    if (CanRasterInto(m_painter)) {
        // QPainter::begin has made the picture's data its own, so this does
        // not detach it from what the painter draws into.
        QImage* picture = static_cast<QImage*>(m_painter.device());
        m_pBits = reinterpret_cast<std::uint32_t*>(picture->bits());
        m_nPixelsPerLine = static_cast<int>(picture->bytesPerLine() / 4);
    }
}

const QFont& CQtCanvas::QtFont() {
    if (!m_qFont) {
        m_qFont = ToQFont(m_font);
    }
    return *m_qFont;
}

int CQtCanvas::Width() const {
    return m_nWidth;
}

int CQtCanvas::Height() const {
    return m_nHeight;
}

CanvasPen CQtCanvas::SelectPen(const CanvasPen& pen) {
    const CanvasPen previous = m_pen;
    m_pen = pen;
    m_pattern = PenPattern(pen.style);
    m_nPatternPos = 0;
    return previous;
}

CanvasFont CQtCanvas::SelectFont(const CanvasFont& font) {
    const CanvasFont previous = m_font;
    if (!(font == m_font)) {
        m_font = font;
        m_qFont.reset();
    }
    return previous;
}

std::uint32_t CQtCanvas::SetTextColor(std::uint32_t colour) {
    const std::uint32_t previous = m_textColour;
    m_textColour = colour;
    return previous;
}

int CQtCanvas::SetBkMode(int mode) {
    const int previous = m_nBkMode;
    m_nBkMode = mode;
    ApplyBackground();
    return previous;
}

void CQtCanvas::ApplyBackground() {
    m_painter.setBackgroundMode(m_nBkMode == kBackgroundTransparent ? Qt::TransparentMode
                                                                    : Qt::OpaqueMode);
}

void CQtCanvas::MoveTo(int x, int y) {
    m_current = QPoint(x, y);
    m_nPatternPos = 0;
}

void CQtCanvas::LineTo(int x, int y) {
    const QPoint to(x, y);
    if (m_pBits && m_pen.width <= 1) {
        RasterLine(m_current, to);
    } else {
        m_bRecordWhole = false;
        m_painter.setPen(ToQPen(m_pen));
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawLine(m_current, to);
    }
    m_current = to;
}

void CQtCanvas::Plot(int x, int y, std::uint32_t rgb) {
    if (x >= 0 && y >= 0 && x < m_nWidth && y < m_nHeight) {
        const std::size_t at =
            static_cast<std::size_t>(y) * static_cast<std::size_t>(m_nPixelsPerLine) +
            static_cast<std::size_t>(x);
        m_pBits[at] = rgb;
        if (m_bRecording) {
            Record(at, rgb);
        }
    }
}

void CQtCanvas::RasterLine(QPoint from, QPoint to) {
    const QRgb ink = ToQRgb(m_pen.colour);
    const bool opaque = m_nBkMode != kBackgroundTransparent;
    WalkPenLine(from.x(), from.y(), to.x(), to.y(), m_pattern, m_nPatternPos,
                [&](int x, int y, bool on) {
                    if (on) {
                        Plot(x, y, ink);
                    } else if (opaque) {
                        Plot(x, y, kOpaqueBackground);
                    }
                });
}

void CQtCanvas::TextOut(int x, int y, const std::string& utf8) {
    m_bRecordWhole = false;
    m_painter.save();
    const QFont& qFont = QtFont();
    m_painter.setFont(qFont);
    m_painter.setPen(ToQColor(m_textColour));
    m_painter.translate(x, y);
    if (m_font.escapement != 0) {
        m_painter.rotate(-m_font.escapement / 10.0);  // Qt turns clockwise on screen
    }
    m_painter.drawText(0, QFontMetrics(qFont).ascent(), ToQString(utf8));
    m_painter.restore();
}

CanvasSize CQtCanvas::TextExtent(const std::string& utf8) {
    const QFontMetrics metrics(QtFont());
    return CanvasSize{metrics.horizontalAdvance(ToQString(utf8)), metrics.height()};
}

void CQtCanvas::SetPixel(int x, int y, std::uint32_t colour) {
    if (m_pBits) {
        Plot(x, y, ToQRgb(colour));
    } else {
        m_bRecordWhole = false;
        m_painter.fillRect(QRect(x, y, 1, 1), ToQColor(colour));
    }
}

void CQtCanvas::FillRect(int left, int top, int right, int bottom, std::uint32_t colour) {
    if (right > left && bottom > top) {
        m_bRecordWhole = false;
        m_painter.fillRect(QRect(left, top, right - left, bottom - top), ToQColor(colour));
    }
}

void CQtCanvas::Record(std::size_t at, std::uint32_t rgb) {
    try {
        m_record.at.push_back(static_cast<std::uint32_t>(at));
        m_record.value.push_back(rgb);
    } catch (const std::bad_alloc&) {
        // Without memory the record is given up; the drawing goes on.
        m_bRecording = false;
        m_bRecordWhole = false;
        m_record = CanvasPixels{};
    }
}

bool CQtCanvas::BeginPixelRecord() {
    // Only the picture's own raster path writes pixels that can be told.
    if (m_pBits == nullptr) {
        return false;
    }
    m_bRecording = true;
    m_bRecordWhole = true;
    m_record = CanvasPixels{};
    m_record.width = m_nWidth;
    m_record.height = m_nHeight;
    m_record.pixelsPerLine = m_nPixelsPerLine;
    return true;
}

bool CQtCanvas::EndPixelRecord(CanvasPixels& pixels) {
    const bool whole = m_bRecording && m_bRecordWhole;
    m_bRecording = false;
    if (!whole) {
        m_record = CanvasPixels{};
        return false;
    }
    m_record.endX = m_current.x();
    m_record.endY = m_current.y();
    pixels = std::move(m_record);
    m_record = CanvasPixels{};
    return true;
}

bool CQtCanvas::PutPixelRecord(const CanvasPixels& pixels) {
    if (m_pBits == nullptr || pixels.width != m_nWidth || pixels.height != m_nHeight ||
        pixels.pixelsPerLine != m_nPixelsPerLine || pixels.at.size() != pixels.value.size()) {
        return false;
    }
    const std::size_t count = pixels.at.size();
    for (std::size_t i = 0; i < count; ++i) {
        m_pBits[pixels.at[i]] = pixels.value[i];
    }
    if (m_bRecording) {
        m_record.at.insert(m_record.at.end(), pixels.at.begin(), pixels.at.end());
        m_record.value.insert(m_record.value.end(), pixels.value.begin(), pixels.value.end());
    }
    m_current = QPoint(pixels.endX, pixels.endY);
    return true;
}
