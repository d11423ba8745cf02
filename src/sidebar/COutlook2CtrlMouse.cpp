// Mouse handling of the side bar: clicks, hot tracking, cursors and the
// splitter drag on its left edge.

#include <QMouseEvent>
#include <QRubberBand>

#include <algorithm>

#include "sidebar/COutlook2Ctrl.h"

void COutlook2Ctrl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    // A bar dragged down to its minimum shows no grab zone: all of it is one.
    if (m_nWidth <= kMinWidth || m_rcSplitter.contains(point)) {
        StartDrag(point.x());
    } else {
        ClickAt(point);
    }
    event->accept();
}

void COutlook2Ctrl::ClickAt(const QPoint& point) {
    const OutlookHit hit = HitTest(point);
    if (hit.code == OutlookHit::kFolder) {
        SetCurrentFolder(hit.folder, true);
        return;
    }
    OutlookItem* item = ItemAt(hit);
    if (!item) {
        return;
    }
    switch (item->kind) {
        case kOutlookLink:
        case kOutlookCheck:
            SendCommand(item->commandId);
            update(m_rcContent);
            break;
        case kOutlookPlain:
        case kOutlookRadio:
            // Choosing the entry already chosen changes nothing.
            if ((QueryState(*item) & (kOutlookStateChecked | kOutlookStateRadio)) == 0) {
                SendCommand(item->commandId);
            }
            update(m_rcContent);
            break;
        default:
            break;
    }
}

void COutlook2Ctrl::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (m_bDragging) {
        MoveTracker(point.x());
    } else {
        TrackHot(point);
    }
    UpdateCursor(point);
    event->accept();
}

void COutlook2Ctrl::mouseReleaseEvent(QMouseEvent* event) {
    if (m_bDragging) {
        EndDrag(event->position().toPoint().x());
    }
    m_bDragging = false;
    UpdateCursor(event->position().toPoint());
    event->accept();
}

void COutlook2Ctrl::TrackHot(const QPoint& point) {
    const OutlookHit hit = HitTest(point);
    if (hit.code == OutlookHit::kFolder) {
        if (hit.folder != m_nHotFolder) {
            if (OutlookFolder* old = FolderAt(m_nHotFolder)) {
                update(old->rect);
            }
            m_nHotFolder = hit.folder;
            update(m_folders[hit.folder]->rect);
        }
    } else if (hit.code == OutlookHit::kItem) {
        OutlookItem* item = ItemAt(hit);
        if (item != m_pHotItem) {
            if (m_pHotItem) {
                update(m_pHotItem->rect);
            }
            m_pHotItem = item;
            m_nHotItemFolder = hit.folder;
            m_nHotItemSubFolder = hit.subFolder;
            update(item->rect);
        }
    } else if (hit.code == OutlookHit::kNothing) {
        if (OutlookFolder* old = FolderAt(m_nHotFolder)) {
            update(old->rect);
        }
        if (m_pHotItem) {
            update(m_pHotItem->rect);
        }
        m_nHotFolder = -1;
        m_pHotItem = nullptr;
    }
}

void COutlook2Ctrl::UpdateCursor(const QPoint& point) {
    if (m_bDragging || m_rcSplitter.contains(point)) {
        setCursor(Qt::SizeHorCursor);
        return;
    }
    const OutlookHit hit = HitTest(point);
    const OutlookItem* item = ItemAt(hit);
    if (hit.code == OutlookHit::kFolder || (item && item->kind == kOutlookLink)) {
        setCursor(Qt::PointingHandCursor);
    } else {
        unsetCursor();
    }
}

void COutlook2Ctrl::StartDrag(int x) {
    m_bDragging = true;
    m_nDragStartX = x;
    setCursor(Qt::SizeHorCursor);
    setFocus(Qt::MouseFocusReason);
    ShowTracker();
}

void COutlook2Ctrl::MoveTracker(int x) {
    const int left = x - m_nDragStartX;
    if (left != m_rcSplitter.x()) {
        m_rcSplitter.moveLeft(left);
        ShowTracker();
    }
}

void COutlook2Ctrl::EndDrag(int x) {
    if (m_pTracker) {
        m_pTracker->hide();
    }
    m_bDragging = false;
    // The grab zone goes back to the edge even when the width cannot change.
    ResetSplitter();
    SetWidth(m_nWidth + m_nDragStartX - x);
}

// The tracker lies over the frame, so it is a child of the top-level window
// and follows the grab zone wherever the mouse takes it.
void COutlook2Ctrl::ShowTracker() {
    QWidget* host = window();
    if (!m_pTracker) {
        m_pTracker = new QRubberBand(QRubberBand::Line, host);
    }
    const QPoint topLeft = mapTo(host, m_rcSplitter.topLeft());
    m_pTracker->setGeometry(QRect(topLeft, m_rcSplitter.size()));
    m_pTracker->show();
    m_pTracker->raise();
}

void COutlook2Ctrl::ResetSplitter() {
    m_rcSplitter = QRect(0, 0, kSplitterWidth, height());
}

void COutlook2Ctrl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ResetSplitter();
}
