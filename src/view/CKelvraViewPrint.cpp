// Printing and print preview: the composed picture scaled to the printable
// area of the page, aspect ratio kept, centred, as any viewer prints.

#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "view/CKelvraView.h"

QRect CKelvraView::FitToPage(const QSize& picture, const QRect& printable) {
    if (picture.isEmpty() || printable.isEmpty()) {
        return QRect();
    }
    const QSize fitted = picture.scaled(printable.size(), Qt::KeepAspectRatio);
    const QPoint corner(printable.x() + (printable.width() - fitted.width()) / 2,
                        printable.y() + (printable.height() - fitted.height()) / 2);
    return QRect(corner, fitted);
}

void CKelvraView::PaintPage(QPainter& painter, const QRect& printable) const {
    if (m_offscreen.isNull()) {
        return;
    }
    const QRect target = FitToPage(m_offscreen.size(), printable);
    if (target.isEmpty()) {
        return;
    }
    // Enlarged, every picture pixel stays a crisp block (thin map lines
    // included); reduced, neighbouring pixels are blended so lines do not
    // drop out.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, target.width() < m_offscreen.width());
    painter.drawImage(target, m_offscreen);
}

void CKelvraView::PrintTo(QPrinter& printer) const {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return;
    }
    // The painter's origin is the corner of the printable area.
    const QRect printable(QPoint(0, 0),
                          printer.pageLayout().paintRectPixels(printer.resolution()).size());
    PaintPage(painter, printable);
}
