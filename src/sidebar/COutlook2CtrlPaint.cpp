// Painting of the side bar. Every paint lays the bar out afresh: the header
// and item rectangles it leaves behind are the ones hit testing uses, so only
// what is visible can be clicked.

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

#include "sidebar/COutlook2Ctrl.h"
#include "sidebar/OutlookDrawing.h"

namespace {

// The caption colours of the classic desktop, which the widget palette lacks.
const QColor kActiveCaption(10, 36, 106);
const QColor kCaptionText(255, 255, 255);

constexpr int kTitleTextIndent = 4;
constexpr int kFolderIconX = 4;
constexpr int kFolderIconY = 1;
constexpr int kFolderIconMinWidth = 20;
constexpr int kFolderTextIndent = 24;
constexpr int kSubFolderTextIndent = 4;
constexpr int kItemGlyphX = 8;
constexpr int kItemGlyphY = 2;
constexpr int kItemIconMinWidth = 25;
constexpr int kItemTextIndent = 28;
constexpr int kIconSize = 16;

// The contrast the entries' text needs to be read comfortably.
constexpr double kMinTextContrast = 4.5;

constexpr int kSingleLine = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;

void DrawElidedText(QPainter& painter, const QRect& rect, const QString& text) {
    const QString shown = painter.fontMetrics().elidedText(text, Qt::ElideRight, rect.width());
    painter.drawText(rect, kSingleLine, shown);
}

bool IsChecked(int state) {
    return (state & (kOutlookStateChecked | kOutlookStateRadio)) != 0;
}

}  // namespace

// The button-shadow background under window-coloured text; a style whose
// shadow is too light for that text to read gets a shade that reads.
void COutlook2Ctrl::SetDefaultColors() {
    const QPalette& pal = palette();
    const QColor shadow =
        WithContrast(pal.color(QPalette::Dark), pal.color(QPalette::Base), kMinTextContrast);
    m_crBand = shadow;
    m_crTitle = pal.color(QPalette::Base);
    m_crLink = kCaptionText;
    m_crItem = pal.color(QPalette::Base);
    m_crContent = shadow;
}

void COutlook2Ctrl::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (m_bSliding) {
        // Panes of the old folder were hidden; their place stays empty until
        // the slide reaches it.
        FillSolidRect(painter, event->rect(), m_crContent);
        const int band = std::min(m_rcSlide.height(), height() - m_rcSlide.y());
        const qreal ratio = m_pixSlide.devicePixelRatio();
        painter.drawPixmap(QRectF(0, m_rcSlide.y(), width(), band), m_pixSlide,
                           QRectF(0, 0, width() * ratio, band * ratio));
        return;
    }
    PaintBar(painter);
}

void COutlook2Ctrl::ClearHitRects() {
    m_rcContent = QRect();
    for (auto& folder : m_folders) {
        folder->rect = QRect();
        for (auto& sub : folder->subFolders) {
            sub->rect = QRect();
            for (auto& item : sub->items) {
                item->rect = QRect();
            }
        }
    }
}

void COutlook2Ctrl::PaintBar(QPainter& painter) {
    ClearHitRects();
    const QColor face = palette().color(QPalette::Button);
    if (m_nWidth <= kMinWidth) {
        FillSolidRect(painter, rect(), face);
        return;
    }
    const int clientWidth = width();
    const int clientHeight = height();
    FillSolidRect(painter, EdgeRect(0, 0, kStripWidth, clientHeight), face);
    PaintTitle(painter);

    const QRect remaining = EdgeRect(kStripWidth, kTitleHeight, clientWidth, clientHeight);
    const QRect inner = remaining.adjusted(1, 1, -1, -1);
    // The one-pixel gaps between headers take the header background.
    FillSolidRect(painter, inner, m_crBand);
    const int contentBottom = PaintFolderHeaders(painter, inner);
    Draw3dRect(painter, remaining, palette().color(QPalette::Dark),
               palette().color(QPalette::Light));
    if (contentBottom > inner.y()) {
        m_rcContent = EdgeRect(inner.x(), inner.y(), RightEdge(inner), contentBottom);
        FillSolidRect(painter, m_rcContent, m_crContent);
        PaintContent(painter);
    }
}

void COutlook2Ctrl::PaintTitle(QPainter& painter) {
    const QRect band = EdgeRect(kStripWidth, 0, width(), kTitleHeight);
    FillSolidRect(painter, band, palette().color(QPalette::Button));
    const QRect title = EdgeRect(band.x(), band.y() + 3, RightEdge(band) - 1, BottomEdge(band) - 4);
    FillSolidRect(painter, title, m_crBand);
    painter.setFont(m_fontTitle);
    painter.setPen(m_crTitle);
    DrawElidedText(painter, title.adjusted(kTitleTextIndent, 0, 0, 0), m_strTitle);
}

// Stacks the headers from the bottom, last folder lowest, and returns the
// bottom edge left for the content.
int COutlook2Ctrl::PaintFolderHeaders(QPainter& painter, const QRect& inner) {
    int bottom = BottomEdge(inner);
    for (int f = FolderCount() - 1; f >= 0; --f) {
        const int top = bottom - m_nFolderHeight;
        if (top <= inner.y()) {
            break;
        }
        OutlookFolder& folder = *m_folders[f];
        folder.rect = EdgeRect(inner.x(), top, RightEdge(inner) + 1, top + m_nFolderHeight);
        FillSolidRect(painter, folder.rect, m_crBand);
        DrawFolder(painter, folder, f == m_nCurrentFolder, f == m_nHotFolder);
        bottom -= kFolderSpacing;
    }
    return bottom;
}

void COutlook2Ctrl::PaintContent(QPainter& painter) {
    OutlookFolder* folder = FolderAt(m_nCurrentFolder);
    if (!folder) {
        return;
    }
    painter.setFont(m_fontNormal);
    int y = m_rcContent.y();
    for (std::size_t s = 0; s < folder->subFolders.size(); ++s) {
        OutlookSubFolder& sub = *folder->subFolders[s];
        if (s > 0) {
            y += kSubFolderGap;
        }
        if (!PaintSubFolderHeader(painter, *folder, sub, y)) {
            return;
        }
        for (auto& item : sub.items) {
            if (!PaintItem(painter, *folder, sub, *item, y)) {
                return;
            }
        }
    }
}

bool COutlook2Ctrl::PaintSubFolderHeader(QPainter& painter, OutlookFolder& folder,
                                         OutlookSubFolder& sub, int& y) {
    const QRect& content = m_rcContent;
    if (BottomEdge(content) - y < m_nSubFolderHeight) {
        return false;
    }
    if (sub.name.isEmpty()) {
        const int left = content.x() + 1;
        const int right = RightEdge(content) - 1;
        FillSolidRect(painter, EdgeRect(left, y + 1, right, y + 2),
                      palette().color(QPalette::Shadow));
        FillSolidRect(painter, EdgeRect(left, y + 2, right, y + 3),
                      palette().color(QPalette::Light));
        y += kSeparatorHeight;
        return true;
    }
    sub.rect = EdgeRect(content.x() + 1, y, RightEdge(content) - 1, y + m_nSubFolderHeight);
    DrawSubFolder(painter, folder, sub);
    y += m_nSubFolderHeight;
    return true;
}

bool COutlook2Ctrl::PaintItem(QPainter& painter, OutlookFolder& folder, OutlookSubFolder& sub,
                              OutlookItem& item, int& y) {
    const QRect& content = m_rcContent;
    const int room = BottomEdge(content) - y;
    if (room < m_nItemHeight) {
        return false;
    }
    int itemHeight = m_nItemHeight;
    if (item.kind == kOutlookWindow) {
        // A fixed-height window never reaches over the folder headers.
        itemHeight = item.height < 0 ? room : std::min(item.height, room);
    }
    item.rect = EdgeRect(content.x(), y, RightEdge(content), y + itemHeight);
    DrawItem(painter, folder, sub, item, &item == m_pHotItem);
    y += itemHeight;
    return true;
}

void COutlook2Ctrl::DrawFolder(QPainter& painter, OutlookFolder& folder, bool selected, bool hot) {
    const QPalette& pal = palette();
    QRect inside = folder.rect;
    if (hot) {
        Draw3dRect(painter, inside, pal.color(QPalette::Light), pal.color(QPalette::Shadow));
        inside.adjust(1, 1, -1, -1);
        Draw3dRect(painter, inside, pal.color(QPalette::Button), pal.color(QPalette::Dark));
        inside.adjust(1, 1, -1, -1);
    } else {
        const QRect border = inside.adjusted(0, 0, 0, -1);
        Draw3dRect(painter, border, pal.color(QPalette::Light), pal.color(QPalette::Dark));
        FillSolidRect(painter, QRect(inside.x(), BottomEdge(inside) - 1, inside.width(), 1),
                      pal.color(QPalette::Dark));
        inside = border.adjusted(1, 1, -1, -1);
    }
    FillSolidRect(painter, inside, pal.color(selected ? QPalette::Highlight : QPalette::Button));
    if (!folder.icon.isNull() && folder.rect.width() > kFolderIconMinWidth) {
        folder.icon.paint(&painter, QRect(inside.x() + kFolderIconX, inside.y() + kFolderIconY,
                                          kIconSize, kIconSize));
    }
    painter.setFont(m_fontBold);
    painter.setPen(pal.color(selected ? QPalette::HighlightedText : QPalette::ButtonText));
    DrawElidedText(painter, inside.adjusted(kFolderTextIndent, 0, 0, 0), folder.name);
}

void COutlook2Ctrl::DrawSubFolder(QPainter& painter, OutlookFolder& /*folder*/,
                                  OutlookSubFolder& sub) {
    FillSolidRect(painter, sub.rect, kActiveCaption);
    if (!sub.name.isEmpty()) {
        painter.setFont(m_fontNormal);
        painter.setPen(kCaptionText);
        DrawElidedText(painter, sub.rect.adjusted(kSubFolderTextIndent, 0, 0, 0), sub.name);
    }
}

void COutlook2Ctrl::DrawItem(QPainter& painter, OutlookFolder& /*folder*/,
                             OutlookSubFolder& /*sub*/, OutlookItem& item, bool hot) {
    const QRect& rc = item.rect;
    if (item.kind == kOutlookWindow) {
        if (item.window) {
            item.window->setGeometry(rc);
            if (item.window->isHidden()) {
                item.window->show();
            }
        }
        return;
    }
    FillSolidRect(painter, rc, m_crContent);
    if (item.commandId != 0) {
        item.lastState = QueryState(item);
    }
    const bool checked = IsChecked(item.lastState);
    painter.setFont(hot ? m_fontUnderline : m_fontNormal);
    const QRect textRect = rc.adjusted(kItemTextIndent, 0, 0, 0);
    const QColor shadow = palette().color(QPalette::Dark).darker(150);
    switch (item.kind) {
        case kOutlookPlain:
            if (!item.icon.isNull() && rc.width() > kItemIconMinWidth) {
                item.icon.paint(&painter,
                                QRect(rc.x() + kItemGlyphX, rc.y(), kIconSize, kIconSize));
            }
            if (checked) {
                const int textWidth = painter.fontMetrics().horizontalAdvance(item.text);
                FillSolidRect(painter, QRect(textRect.x(), rc.y(), textWidth, rc.height()),
                              palette().color(QPalette::Button));
            }
            break;
        case kOutlookRadio:
            DrawFlatRadio(painter, rc.x() + kItemGlyphX, rc.y() + kItemGlyphY, checked, shadow);
            break;
        case kOutlookCheck:
            DrawFlatCheck(painter, rc.x() + kItemGlyphX, rc.y() + kItemGlyphY, checked, shadow);
            break;
        default:
            break;
    }
    painter.setPen(item.kind == kOutlookLink ? m_crLink : m_crItem);
    DrawElidedText(painter, textRect, item.text);
}
