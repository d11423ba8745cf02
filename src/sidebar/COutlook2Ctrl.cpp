#include "sidebar/COutlook2Ctrl.h"

#include <QApplication>
#include <QMouseEvent>
#include <QRubberBand>

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/Settings.h"
#include "sidebar/OutlookDrawing.h"

namespace {

const char kSettingsSection[] = "Settings";
const char kWidthKey[] = "OutbarSize";
constexpr int kTitleFontHeight = 20;
constexpr int kFontWeightBold = 600;

// The title font is asked for by its cell height, as the classic font
// interface does, so the point size is lowered until the line fits.
QFont TitleFont(QFont font) {
    font.setWeight(static_cast<QFont::Weight>(kFontWeightBold));
    int pixels = kTitleFontHeight;
    font.setPixelSize(pixels);
    while (pixels > 1 && QFontMetrics(font).height() > kTitleFontHeight) {
        font.setPixelSize(--pixels);
    }
    return font;
}

}  // namespace

COutlook2Ctrl::COutlook2Ctrl(CSettings* settings, QWidget* parent, int defaultWidth)
    : QWidget(parent),
      m_pSettings(settings),
      m_nWidth(settings ? settings->GetInt(kSettingsSection, kWidthKey, defaultWidth)
                        : defaultWidth) {
    // A profile value below the minimum would leave no grab zone to widen the bar.
    m_nWidth = std::max(m_nWidth, kMinWidth);
    m_fontNormal = QApplication::font();
    m_fontBold = m_fontNormal;
    m_fontBold.setWeight(static_cast<QFont::Weight>(kFontWeightBold));
    m_fontUnderline = m_fontNormal;
    m_fontUnderline.setUnderline(true);
    m_fontTitle = TitleFont(m_fontNormal);
    SetDefaultColors();
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    setFixedWidth(m_nWidth);
    ResetSplitter();
}

COutlook2Ctrl::~COutlook2Ctrl() {
    delete m_pTracker;  // lives on the top-level window, which may outlive the bar
    if (m_pSettings) {
        m_pSettings->SetInt(kSettingsSection, kWidthKey, m_nWidth);
    }
    for (auto& folder : m_folders) {
        for (auto& sub : folder->subFolders) {
            for (auto& item : sub->items) {
                if (item->window && item->window->parentWidget() == this) {
                    item->window->hide();
                    item->window->setParent(nullptr);
                }
            }
        }
    }
}

OutlookFolder* COutlook2Ctrl::FolderAt(int index) const {
    return index >= 0 && index < FolderCount() ? m_folders[index].get() : nullptr;
}

int COutlook2Ctrl::AddFolder(const QString& name, const QIcon& icon, int value) {
    auto folder = std::make_unique<OutlookFolder>();
    folder->name = name;
    folder->icon = icon;
    folder->value = value;
    m_folders.push_back(std::move(folder));
    if (m_folders.size() == 1) {
        m_strTitle = name;
    }
    update();
    return FolderCount() - 1;
}

int COutlook2Ctrl::AddSubFolder(const QString& name, int value, int folder) {
    OutlookFolder* target = FolderAt(folder == -1 ? FolderCount() - 1 : folder);
    if (!target) {
        return -1;
    }
    auto sub = std::make_unique<OutlookSubFolder>();
    sub->name = name;
    sub->value = value;
    target->subFolders.push_back(std::move(sub));
    update();
    return static_cast<int>(target->subFolders.size()) - 1;
}

namespace {

OutlookSubFolder* SubFolderAt(OutlookFolder* folder, int index) {
    if (!folder) {
        return nullptr;
    }
    const int count = static_cast<int>(folder->subFolders.size());
    if (index == -1) {
        index = count - 1;
    }
    return index >= 0 && index < count ? folder->subFolders[index].get() : nullptr;
}

int AppendItem(OutlookSubFolder* sub, std::unique_ptr<OutlookItem> item) {
    sub->items.push_back(std::move(item));
    return static_cast<int>(sub->items.size()) - 1;
}

}  // namespace

int COutlook2Ctrl::AddItem(const QString& text, const QIcon& icon, int kind, int commandId,
                           int folder, int subFolder) {
    OutlookSubFolder* sub =
        SubFolderAt(FolderAt(folder == -1 ? FolderCount() - 1 : folder), subFolder);
    // A window kind without a window would have nothing to place.
    if (!sub || kind < kOutlookPlain || kind >= kOutlookWindow) {
        return -1;
    }
    auto item = std::make_unique<OutlookItem>();
    item->text = text;
    item->icon = icon;
    item->kind = kind;
    item->commandId = commandId;
    update();
    return AppendItem(sub, std::move(item));
}

int COutlook2Ctrl::AddWindowItem(QWidget* window, bool fill, int folder, int subFolder) {
    OutlookSubFolder* sub =
        SubFolderAt(FolderAt(folder == -1 ? FolderCount() - 1 : folder), subFolder);
    if (!sub || !window) {
        return -1;
    }
    auto item = std::make_unique<OutlookItem>();
    item->kind = kOutlookWindow;
    item->height = fill ? -1 : window->height();
    item->window = window;
    if (window->parentWidget() != this) {
        window->setParent(this);
    }
    // Painting shows the window when its folder is current.
    window->hide();
    update();
    return AppendItem(sub, std::move(item));
}

void COutlook2Ctrl::HideHostedWindows() {
    for (auto& folder : m_folders) {
        for (auto& sub : folder->subFolders) {
            for (auto& item : sub->items) {
                if (item->window) {
                    item->window->hide();
                }
                item->rect = QRect();
            }
        }
    }
}

void COutlook2Ctrl::SetCurrentFolder(int index, bool animate) {
    // -1 means "the last folder" only when filling the bar.
    if (index < 0 || index >= FolderCount() || index == m_nCurrentFolder) {
        return;
    }
    if (m_nCurrentFolder >= 0 && m_nCurrentFolder < FolderCount()) {
        HideHostedWindows();
    }
    m_nCurrentFolder = index;
    m_pHotItem = nullptr;
    m_strTitle = m_folders[index]->name;
    // A hidden bar has nothing to slide; it would only block.
    if (animate && m_nWidth > kMinWidth && isVisible()) {
        const QPixmap bar = grab();
        // The new panes appear when the slide is over, not on top of it.
        for (auto& sub : m_folders[index]->subFolders) {
            for (auto& item : sub->items) {
                if (item->window) {
                    item->window->hide();
                }
            }
        }
        SlideIn(bar);
    }
    update();
}

void COutlook2Ctrl::SlideIn(const QPixmap& bar) {
    const int clientHeight = height();
    const int step = clientHeight / 8;
    m_pixSlide = bar;
    m_bSliding = true;
    for (int y = clientHeight - 10, band = 10; y > 0; y -= step, band += step) {
        m_rcSlide = QRect(0, y, width(), band);
        repaint(m_rcSlide);
        if (m_nSlideDelayMs > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(m_nSlideDelayMs));
        }
    }
    m_bSliding = false;
    m_pixSlide = QPixmap();
}

void COutlook2Ctrl::SetWidth(int width) {
    width = std::max(width, kMinWidth);
    if (width == m_nWidth) {
        return;
    }
    m_nWidth = width;
    setFixedWidth(m_nWidth);
    updateGeometry();
    update();
    emit widthChanged(m_nWidth);
}

QSize COutlook2Ctrl::sizeHint() const {
    return QSize(m_nWidth, 400);
}

QSize COutlook2Ctrl::minimumSizeHint() const {
    return QSize(m_nWidth, 0);
}

int COutlook2Ctrl::QueryState(const OutlookItem& item) const {
    if (item.commandId == 0 || !m_queryUpdate) {
        return 0;
    }
    return m_queryUpdate(item.commandId);
}

void COutlook2Ctrl::SendCommand(int id) {
    if (m_sendCommand) {
        m_sendCommand(id);
    }
}

void COutlook2Ctrl::UpdateCommandStates() {
    OutlookFolder* folder = FolderAt(m_nCurrentFolder);
    if (!folder) {
        return;
    }
    for (auto& sub : folder->subFolders) {
        for (auto& item : sub->items) {
            const bool checkable = item->kind == kOutlookPlain || item->kind == kOutlookRadio ||
                                   item->kind == kOutlookCheck;
            if (checkable && !item->rect.isEmpty() && QueryState(*item) != item->lastState) {
                update(item->rect);
            }
        }
    }
}

OutlookHit COutlook2Ctrl::HitTest(const QPoint& point) const {
    OutlookHit hit;
    for (int f = 0; f < FolderCount(); ++f) {
        const OutlookFolder& folder = *m_folders[f];
        if (folder.rect.contains(point)) {
            return {OutlookHit::kFolder, f, -1, -1};
        }
        for (int s = 0; s < static_cast<int>(folder.subFolders.size()); ++s) {
            const OutlookSubFolder& sub = *folder.subFolders[s];
            if (sub.rect.contains(point)) {
                return {OutlookHit::kSubFolder, f, s, -1};
            }
            for (int i = 0; i < static_cast<int>(sub.items.size()); ++i) {
                if (sub.items[i]->rect.contains(point)) {
                    return {OutlookHit::kItem, f, s, i};
                }
            }
        }
    }
    return hit;
}

OutlookItem* COutlook2Ctrl::ItemAt(const OutlookHit& hit) const {
    if (hit.code != OutlookHit::kItem) {
        return nullptr;
    }
    return m_folders[hit.folder]->subFolders[hit.subFolder]->items[hit.item].get();
}

void COutlook2Ctrl::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange) {
        SetDefaultColors();
    }
    QWidget::changeEvent(event);
}
