#pragma once
// The side bar at the right edge of the main frame: a stack of folders whose
// headers sit at the bottom, a title band with the current folder's name at
// the top, and between them the current folder's sub-folders with their
// entries and hosted windows. The user drags its left edge to change the
// width, which is kept in the profile between runs.

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

#include "sidebar/OutlookFolder.h"

class CSettings;
class QPainter;
class QRubberBand;

// What lies under a point of the bar.
struct OutlookHit {
    enum Code { kNothing = 0, kFolder = 1, kSubFolder = 2, kItem = 4 };
    int code = kNothing;
    int folder = -1;
    int subFolder = -1;
    int item = -1;
};

class COutlook2Ctrl : public QWidget {
    Q_OBJECT

public:
    // Sends a command id to the main window, as a menu item would.
    using CommandSender = std::function<void(int id)>;
    // Returns the command state bits (OutlookItemState) of an id.
    using UpdateQuery = std::function<int(int id)>;

    static constexpr int kDefaultWidth = 200;
    static constexpr int kMinWidth = 4;
    static constexpr int kStripWidth = 4;
    static constexpr int kTitleHeight = 35;
    static constexpr int kSplitterWidth = 5;
    static constexpr int kFolderSpacing = 25;
    static constexpr int kSubFolderGap = 7;
    static constexpr int kSeparatorHeight = 8;
    static constexpr int kSlideDelayMs = 30;

    // Reads the width from "Settings" / "OutbarSize" of the profile (which
    // must outlive the bar; null keeps the default and saves nothing);
    // defaultWidth stands in when the profile has none.
    explicit COutlook2Ctrl(CSettings* settings, QWidget* parent = nullptr,
                           int defaultWidth = kDefaultWidth);
    // Writes the width back. Hosted windows are not destroyed: they are
    // handed back hidden and without a parent to whoever created them.
    ~COutlook2Ctrl() override;
    COutlook2Ctrl(const COutlook2Ctrl&) = delete;
    COutlook2Ctrl& operator=(const COutlook2Ctrl&) = delete;

    void SetCommandSender(CommandSender sender) { m_sendCommand = std::move(sender); }
    void SetUpdateQuery(UpdateQuery query) { m_queryUpdate = std::move(query); }

    // Appends a folder; the first one's name becomes the title. Returns its index.
    int AddFolder(const QString& name, const QIcon& icon, int value);
    // Appends a sub-folder to a folder (-1 = the last). Returns its index or -1.
    int AddSubFolder(const QString& name, int value, int folder = -1);
    // Appends an entry of kinds 0-3 (-1 = last folder / last sub-folder).
    // Returns the item index or -1 when there is no such folder or sub-folder.
    int AddItem(const QString& text, const QIcon& icon, int kind, int commandId, int folder = -1,
                int subFolder = -1);
    // Hosts a window as an item: its current height, or all the remaining
    // content height when fill is set. The window becomes a hidden child of
    // the bar and is shown where painting places it.
    int AddWindowItem(QWidget* window, bool fill, int folder = -1, int subFolder = -1);

    // Selects a folder; with animate the new content slides in from below,
    // blocking for a few short steps as the bar always has.
    void SetCurrentFolder(int index, bool animate);
    int CurrentFolder() const { return m_nCurrentFolder; }
    QString Title() const { return m_strTitle; }

    // The bar's width (at least 4); the frame lays out again on widthChanged.
    void SetWidth(int width);
    int Width() const { return m_nWidth; }

    // Hit test on the rectangles of the last paint.
    OutlookHit HitTest(const QPoint& point) const;

    int FolderCount() const { return static_cast<int>(m_folders.size()); }
    const OutlookFolder& Folder(int index) const { return *m_folders[index]; }
    QRect ContentRect() const { return m_rcContent; }
    QRect SplitterRect() const { return m_rcSplitter; }
    int HotFolder() const { return m_nHotFolder; }
    const OutlookItem* HotItem() const { return m_pHotItem; }
    bool IsDragging() const { return m_bDragging; }

    // Pause between the steps of the folder slide; tests set 0.
    void SetSlideDelay(int milliseconds) { m_nSlideDelayMs = milliseconds; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void widthChanged(int width);

public slots:
    // The idle pass: repaints every checkable entry of the current folder
    // whose command state changed since it was last drawn.
    void UpdateCommandStates();

protected:
    virtual void DrawFolder(QPainter& painter, OutlookFolder& folder, bool selected, bool hot);
    virtual void DrawSubFolder(QPainter& painter, OutlookFolder& folder,
                               OutlookSubFolder& subFolder);
    virtual void DrawItem(QPainter& painter, OutlookFolder& folder, OutlookSubFolder& subFolder,
                          OutlookItem& item, bool hot);
    virtual void SetDefaultColors();

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void PaintBar(QPainter& painter);
    void PaintTitle(QPainter& painter);
    int PaintFolderHeaders(QPainter& painter, const QRect& inner);
    void PaintContent(QPainter& painter);
    bool PaintSubFolderHeader(QPainter& painter, OutlookFolder& folder, OutlookSubFolder& sub,
                              int& y);
    bool PaintItem(QPainter& painter, OutlookFolder& folder, OutlookSubFolder& sub,
                   OutlookItem& item, int& y);
    void ClearHitRects();
    void HideHostedWindows();
    void SlideIn(const QPixmap& bar);

    int QueryState(const OutlookItem& item) const;
    void SendCommand(int id);
    OutlookItem* ItemAt(const OutlookHit& hit) const;
    OutlookFolder* FolderAt(int index) const;
    void ClickAt(const QPoint& point);
    void TrackHot(const QPoint& point);
    void UpdateCursor(const QPoint& point);
    void StartDrag(int x);
    void MoveTracker(int x);
    void EndDrag(int x);
    void ShowTracker();
    void ResetSplitter();

    CSettings* m_pSettings;
    int m_nWidth;
    bool m_bDragging = false;
    int m_nDragStartX = 0;
    QRect m_rcSplitter;
    OutlookItem* m_pHotItem = nullptr;
    QRect m_rcContent;
    int m_nHotFolder = -1;
    int m_nHotItemFolder = -1;
    int m_nHotItemSubFolder = -1;
    QFont m_fontTitle;
    QString m_strTitle;
    QColor m_crBand;     // title band and folder header background
    QColor m_crTitle;    // title text
    QColor m_crLink;     // link entries
    QColor m_crItem;     // other entries
    QColor m_crContent;  // content background
    std::vector<std::unique_ptr<OutlookFolder>> m_folders;
    int m_nFolderHeight = 24;
    int m_nSubFolderHeight = 18;
    int m_nItemHeight = 17;
    int m_nCurrentFolder = 0;
    QFont m_fontBold;
    QFont m_fontNormal;
    QFont m_fontUnderline;

    CommandSender m_sendCommand;
    UpdateQuery m_queryUpdate;
    QPointer<QRubberBand> m_pTracker;
    int m_nSlideDelayMs = kSlideDelayMs;
    bool m_bSliding = false;
    QPixmap m_pixSlide;
    QRect m_rcSlide;
};
