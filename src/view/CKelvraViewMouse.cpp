// The view and the mouse: the read-out of the pixel under the cursor, the
// zoom stepped by Ctrl with the wheel (or the keys the frame binds) about a
// fixed point or fitted to the window, and the picture dragged.

#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "analysis/PrecipAmountAt.h"
#include "convection/CellAt.h"
#include "geo/Projection.h"
#include "nwp/NwpValueAt.h"
#include "product/ObservationTime.h"
#include "product/PixelReadout.h"
#include "ui/CommandIds.h"
#include "view/CKelvraDoc.h"
#include "view/CKelvraView.h"

namespace {

// The zoom steps, as signed levels: -d is 1:d, 1 is 1:1, z is z:1.
constexpr std::array<int, 9> kZoomLevels = {-16, -8, -4, -2, 1, 2, 4, 8, 16};
// One notch of a wheel.
constexpr int kWheelNotch = 120;

double ScaleOfLevel(int level) {
    return level > 0 ? level : 1.0 / -level;
}

int FloorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

}  // namespace

double CKelvraView::ZoomScale() const {
    return m_bZoomIn ? m_nZoomIn : 1.0 / m_nZoomOut;
}

QPoint CKelvraView::ViewOffset() const {
    const QPoint scroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
    if (!m_bFitWindow) {
        return scroll;
    }
    const QSize page = viewport()->size();
    return scroll - QPoint(std::max(0, (page.width() - m_totalSize.width()) / 2),
                           std::max(0, (page.height() - m_totalSize.height()) / 2));
}

QPoint CKelvraView::ImagePixelAt(const QPoint& viewportPos) const {
    const QPoint content = viewportPos + ViewOffset();
    // The same pixels painting shows there: whole enlarged pixels, or every
    // m_nZoomOut-th pixel.
    if (m_bZoomIn) {
        return QPoint(FloorDiv(content.x(), m_nZoomIn), FloorDiv(content.y(), m_nZoomIn));
    }
    return content * m_nZoomOut;
}

std::string CKelvraView::ReadoutAt(const QPoint& viewportPos) const {
    const CDibImage& image = m_doc.Image();
    if (image.IsEmpty()) {
        return {};
    }
    const QPoint pixel = ImagePixelAt(viewportPos);
    if (m_channels.shownId != 0) {
        return m_channels.combiner.Readout(pixel.x(), pixel.y());
    }
    std::optional<int> count;
    std::uint32_t value = 0;
    if (image.IsEightBit() && image.GetPixel(pixel.x(), pixel.y(), value)) {
        count = static_cast<int>(value & 0xFF);
    }
    std::string text = PixelReadoutText(m_doc.Product(), pixel.x(), pixel.y(), count);
    AppendLayerReadouts(pixel, text);
    // The product's time in UTC as the header gives it, and as read in China.
    if (m_doc.Product().productLoaded != 0) {
        const std::string time =
            UtcAndBeijingText(ObservationMinutes(m_doc.Product().Description()));
        text += time.empty() ? std::string() : "  " + time;
    }
    return text;
}

void CKelvraView::AppendLayerReadouts(const QPoint& pixel, std::string& text) const {
    const CGeoImage& product = m_doc.Product();
    const CompositionLayers& layers = m_job.Layers();
    const auto append = [&text](const std::string& part) {
        text += part.empty() ? std::string() : "  " + part;
    };
    float lon = 0.0f;
    float lat = 0.0f;
    if (product.productLoaded != 0 &&
        PixelToLatLon(product.Params(), pixel.x(), pixel.y(), lon, lat) == 0) {
        for (const CNwpOverlay& overlay : m_job.Overlays()) {
            float value = 0.0f;
            if (overlay.IsVisible() && overlay.CurrentSettings().contoursOn != 0 &&
                NwpValueAt(overlay, lon, lat, value)) {
                append(NwpReadoutText(overlay, value));
            }
        }
    }
    if (layers.m_nDisplayMode == kDisplayPrecipitation && !m_job.Precipitation().Empty()) {
        const std::optional<int> mm =
            PrecipAmountAt(m_job.Precipitation().Pixels(), pixel.x(), pixel.y());
        append("降水 " + std::to_string(mm.value_or(0)) + " mm");
    }
    if (layers.m_bCells) {
        const std::vector<ColdCell>* cells = m_job.Convection().Cache().KnownCellsOf(product);
        const ColdCell* cell = cells ? CellAt(*cells, pixel.x(), pixel.y()) : nullptr;
        if (cell != nullptr) {
            append(CellReadoutText(*cell));
        }
    }
}

bool CKelvraView::PansWith(Qt::MouseButton button) const {
    return button == Qt::MiddleButton || (button == Qt::LeftButton && m_eMode == ViewMode::kNormal);
}

void CKelvraView::mousePressEvent(QMouseEvent* event) {
    if (ToolPress(event)) {
        return;
    }
    if (!m_bPanning && PansWith(event->button())) {
        m_bPanning = true;
        m_panFrom = event->position().toPoint();
        m_panScroll = QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
        viewport()->setCursor(Qt::ClosedHandCursor);
        event->accept();
        return;
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void CKelvraView::mouseReleaseEvent(QMouseEvent* event) {
    if (ToolRelease(event)) {
        return;
    }
    if (m_bPanning && PansWith(event->button())) {
        m_bPanning = false;
        viewport()->unsetCursor();
        event->accept();
        return;
    }
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void CKelvraView::mouseMoveEvent(QMouseEvent* event) {
    m_lastMouse = event->position().toPoint();
    if (ToolMove(event)) {
        return;
    }
    if (m_bPanning) {
        // The picture follows the mouse: the scroll moves the other way.
        const QPoint moved = event->position().toPoint() - m_panFrom;
        horizontalScrollBar()->setValue(m_panScroll.x() - moved.x());
        verticalScrollBar()->setValue(m_panScroll.y() - moved.y());
    }
    if (m_readout) {
        m_readout(ReadoutAt(event->position().toPoint()));
    }
    QAbstractScrollArea::mouseMoveEvent(event);
}

bool CKelvraView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Leave && m_readout) {
        m_readout(std::string());
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void CKelvraView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        m_nWheelDelta = 0;
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    // Fine-grained wheels send parts of a notch; a step is taken per notch.
    m_nWheelDelta += event->angleDelta().y();
    const int steps = m_nWheelDelta / kWheelNotch;
    m_nWheelDelta -= steps * kWheelNotch;
    if (steps != 0) {
        StepZoom(steps, event->position().toPoint());
    }
    event->accept();
}

void CKelvraView::SetZoomLevel(int level) {
    if (level == 1) {
        OnActualSize();
    } else if (level > 0) {
        OnZoomIn(kZoomInBase + level);
    } else {
        OnZoomOut(kZoomOutBase - level);
    }
}

void CKelvraView::StepZoom(int steps, const QPoint& anchor) {
    const double scale = ZoomScale();
    int level = 0;
    if (steps > 0) {
        // The steps-th level larger than the zoom in force, or the largest.
        int found = 0;
        for (int candidate : kZoomLevels) {
            if (ScaleOfLevel(candidate) > scale && found < steps) {
                level = candidate;
                ++found;
            }
        }
    } else if (steps < 0) {
        int found = 0;
        for (auto it = kZoomLevels.rbegin(); it != kZoomLevels.rend(); ++it) {
            if (ScaleOfLevel(*it) < scale && found < -steps) {
                level = *it;
                ++found;
            }
        }
    }
    if (level == 0) {
        return;
    }
    const QPointF offset(ViewOffset());
    const QPointF imagePoint = (QPointF(anchor) + offset) / scale;
    SetZoomLevel(level);
    const QPointF kept = imagePoint * ZoomScale() - QPointF(anchor);
    horizontalScrollBar()->setValue(static_cast<int>(std::lround(kept.x())));
    verticalScrollBar()->setValue(static_cast<int>(std::lround(kept.y())));
}

void CKelvraView::StepZoom(int steps) {
    StepZoom(steps, viewport()->rect().center());
}

int CKelvraView::FitLevel() const {
    const QSize room = maximumViewportSize();
    const int w = m_doc.Image().Width();
    const int h = m_doc.Image().Height();
    if (w <= 0 || h <= 0) {
        return 1;  // nothing to fit yet: opening a file fits it
    }
    for (auto it = kZoomLevels.rbegin(); it != kZoomLevels.rend(); ++it) {
        const double scale = ScaleOfLevel(*it);
        if (w * scale <= room.width() && h * scale <= room.height()) {
            return *it;
        }
    }
    return kZoomLevels.front();
}

void CKelvraView::ApplyFit() {
    SetZoomLevel(FitLevel());
    m_bFitWindow = 1;
    UpdateScrollBars();
    viewport()->update();
}

void CKelvraView::FitToWindow() {
    ApplyFit();
}

void CKelvraView::SetZoom(const ZoomState& zoom) {
    if (zoom.bFitWindow) {
        FitToWindow();
        return;
    }
    m_bFitWindow = 0;
    m_bZoomIn = zoom.bZoomIn;
    m_nZoomIn = zoom.nZoomIn;
    m_nZoomOut = zoom.nZoomOut;
    SetScrollSizes(TotalSizeFromZoom());
}
