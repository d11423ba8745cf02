#include "view/CKelvraView.h"

#include <QKeyEvent>
#include <QMetaObject>
#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>
#include <QRegion>
#include <QScrollBar>
#include <algorithm>

#include "render/CQtPicture.h"
#include "ui/CommandIds.h"
#include "view/CKelvraDoc.h"
#include "view/DocumentAnimationHost.h"

namespace {

// The framework's default line size: a hundredth of the total.
constexpr int kLineFraction = 100;

}  // namespace

CKelvraView::CKelvraView(CKelvraDoc& document, CDataPaths paths, QWidget* parent)
    : QAbstractScrollArea(parent), m_palette(paths), m_doc(document), m_job(std::move(paths)) {
    setFocusPolicy(Qt::StrongFocus);
    // The read-out follows the mouse without a button held.
    viewport()->setMouseTracking(true);
    // The view fills its background itself, and only where no picture is
    // painted, instead of letting Qt fill everything first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent, true);
    m_doc.AddView(this);
    RegisterCommands();
    // A frame made current is shown exactly as a product just opened.
    CAnimationHost host = MakeDocumentAnimationHost(
        m_doc, [this] { OnInitialUpdate(); }, [this] { m_job.Layers().m_nDisplayMode = 0; });
    host.setTitleMark = [this](const std::string& mark) { m_strTitleMark = mark; };
    // A stopped loop shows the document's own product again (or, without
    // one, leaves its last frame without a mark).
    host.releaseFrames = [this, release = std::move(host.releaseFrames)] {
        m_strTitleMark.clear();
        release();
        if (m_doc.RecomposeRequested()) {
            OnInitialUpdate();
        }
    };
    m_playback.SetHost(std::move(host));
}

CKelvraView::~CKelvraView() {
    m_doc.RemoveView(this);
}

PictureSubject CKelvraView::Subject() const {
    const CGeoImage* channel = m_channels.shownId != 0 ? m_channels.combiner.Subject() : nullptr;
    if (channel != nullptr) {
        // A combination is drawn over the channel it names, outside any loop.
        PictureSubject subject(*channel);
        subject.path = m_channels.combiner.SubjectPath();
        subject.combined = &m_channels.picture;
        return subject;
    }
    PictureSubject subject(m_doc.Product());
    subject.path = m_doc.PathName();
    subject.titleMark = m_strTitleMark;
    subject.frames = &m_doc.FrameProducts();
    subject.frame = FrameIndexOf(m_doc.Product(), m_doc.FrameProducts());
    return subject;
}

int CKelvraView::Compose() {
    int recompose = m_doc.RecomposeRequested() ? 1 : 0;
    CQtPicture picture(m_offscreen);
    const int composed = m_job.Compose(m_doc.Image(), Subject(), recompose, picture);
    if (recompose == 0) {
        m_doc.RecomposeDone();
    }
    if (composed) {
        ++m_nComposeCount;
        viewport()->update();
    }
    return composed;
}

int CKelvraView::ComposeSwitch(const CompositionLayers& shown) {
    int recompose = m_doc.RecomposeRequested() ? 1 : 0;
    CQtPicture picture(m_offscreen);
    CanvasTiles changed;
    const int composed =
        m_job.ComposeSwitch(m_doc.Image(), Subject(), shown, recompose, picture, changed);
    if (recompose == 0) {
        m_doc.RecomposeDone();
    }
    if (composed) {
        ++m_nComposeCount;
        if (changed.All()) {
            viewport()->update();
        } else if (!changed.Empty()) {
            viewport()->update(ViewRegionOf(changed));
        }
    }
    return composed;
}

QRegion CKelvraView::ViewRegionOf(const CanvasTiles& tiles) const {
    std::vector<QRect> rects;
    const QPoint offset = ViewOffset();
    for (const CanvasRect& run : tiles.Runs()) {
        QRect shown;
        if (m_bZoomIn) {
            const int z = m_nZoomIn;
            shown = QRect(run.left * z, run.top * z, (run.right - run.left) * z,
                          (run.bottom - run.top) * z);
        } else {
            // Every shown pixel that takes a picture pixel of the run.
            const int d = m_nZoomOut;
            const int left = (run.left + d - 1) / d;
            const int top = (run.top + d - 1) / d;
            shown = QRect(QPoint(left, top),
                          QPoint((run.right + d - 1) / d - 1, (run.bottom + d - 1) / d - 1));
        }
        if (!shown.isEmpty()) {
            rects.push_back(shown.translated(-offset));
        }
    }
    // The runs come row band by row band, left to right: a region's own order.
    QRegion region;
    region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

void CKelvraView::OnUpdate() {
    Compose();
}

void CKelvraView::OnInitialUpdate() {
    // A product opened or a frame made current shows its own channel.
    m_channels.shownId = 0;
    m_channels.ownImage.Release();
    OnUpdate();
    if (m_bFitWindow) {
        ApplyFit();
    } else {
        SetScrollSizes(TotalSizeFromZoom());
    }
}

QSize CKelvraView::TotalSizeFromZoom() const {
    const int w = m_doc.Image().Width();
    const int h = m_doc.Image().Height();
    if (m_bZoomIn) {
        return QSize(w * m_nZoomIn, h * m_nZoomIn);
    }
    return QSize(w / m_nZoomOut, h / m_nZoomOut);
}

void CKelvraView::SetScrollSizes(QSize total) {
    m_totalSize = total;
    UpdateScrollBars();
    viewport()->update();
}

void CKelvraView::UpdateScrollBars() {
    const QSize page = viewport()->size();
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    h->setRange(0, std::max(0, m_totalSize.width() - page.width()));
    v->setRange(0, std::max(0, m_totalSize.height() - page.height()));
    h->setPageStep(std::max(1, page.width()));
    v->setPageStep(std::max(1, page.height()));
    h->setSingleStep(std::max(1, m_totalSize.width() / kLineFraction));
    v->setSingleStep(std::max(1, m_totalSize.height() / kLineFraction));
}

void CKelvraView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (m_bFitWindow) {
        ApplyFit();
    } else {
        UpdateScrollBars();
    }
}

void CKelvraView::scrollContentsBy(int dx, int dy) {
    viewport()->scroll(dx, dy);
}

QRect CKelvraView::PaintPicture(QPainter& painter, const QRect& rect) const {
    if (m_offscreen.isNull()) {
        return QRect();
    }
    const QRect content = rect & QRect(QPoint(0, 0), m_totalSize);
    if (content.isEmpty()) {
        return QRect();
    }
    const int pictureW = m_offscreen.width();
    const int pictureH = m_offscreen.height();
    QRect source;
    QRect target;
    if (m_bZoomIn) {
        // Whole enlarged pixels that touch the rectangle.
        const int z = m_nZoomIn;
        const int x0 = content.left() / z;
        const int y0 = content.top() / z;
        const int x1 = std::min(pictureW, (content.right() + z) / z);
        const int y1 = std::min(pictureH, (content.bottom() + z) / z);
        source = QRect(x0, y0, x1 - x0, y1 - y0);
        target = QRect(x0 * z, y0 * z, source.width() * z, source.height() * z);
    } else {
        // Each shown pixel takes every m_nZoomOut-th picture pixel.
        const int d = m_nZoomOut;
        source = QRect(content.left() * d, content.top() * d, content.width() * d,
                       content.height() * d) &
                 m_offscreen.rect();
        target = content;
    }
    if (source.isEmpty()) {
        return QRect();
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, m_offscreen, source);
    return target;
}

void CKelvraView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QPoint offset = ViewOffset();
    painter.translate(-offset);
    const QBrush background = viewport()->palette().brush(viewport()->backgroundRole());
    // The painter is clipped to the exposed region already: a whole enlarged
    // pixel that reaches past one of its rectangles is the same picture.
    for (const QRect& exposed : event->region()) {
        const QRect content = exposed.translated(offset);
        const QRect painted = PaintPicture(painter, content);
        if (painted != content) {
            for (const QRect& bare : QRegion(content).subtracted(QRegion(painted))) {
                painter.fillRect(bare, background);
            }
        }
    }
    PaintMarks(painter);
}

bool CKelvraView::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && !m_playback.m_bAnimating) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up ||
            key == Qt::Key_Down) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void CKelvraView::keyPressEvent(QKeyEvent* event) {
    // Esc leaves a tool first; only in the normal mode does it reach the frame.
    if (event->key() == Qt::Key_Escape && m_eMode != ViewMode::kNormal) {
        SetMode(ViewMode::kNormal);
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape && m_postToFrame) {
        // Posted, so the frame acts once the key has been handled here.
        QMetaObject::invokeMethod(
            this, [this] { m_postToFrame(kIdFullScreen); }, Qt::QueuedConnection);
    }
    QAbstractScrollArea::keyPressEvent(event);
}

QPrinter& CKelvraView::Printer() {
    if (!m_pPrinter) {
        m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return *m_pPrinter;
}
