#pragma once
// The main frame: the menu bar, the toolbar, the status bar, the view and
// the side bar at the right edge with the region entries, the file list and
// the animation controls; the command routing (view, document, frame,
// application), the accelerators and full screen. It captures the start-up
// directory once, when it is created, and reads the region list from its
// data folder for the side bar and the view's title.

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/CCommandRouter.h"
#include "geo/RegionFile.h"
#include "platform/DataPaths.h"
#include "ui/CCommandTable.h"
#include "view/CKelvraView.h"

class CBandTabDlg;
class CKelvraDoc;
class CKelvraView;
class CLockIndicators;
class CMenuBarBuilder;
class CMovieDlg;
class COutlook2Ctrl;
class CProductSelector;
class CRecentFileList;
class CSettings;
class QLabel;
class QMenuBar;
class QStatusBar;
class QTimer;
class QToolBar;

// The side bar's folders and sub-folders as the frame fills them.
constexpr char kBrowseFolderName[] = "云图浏览";
constexpr char kAnimationFolderName[] = "动画显示";
constexpr char kRegionsSubFolderName[] = "投影区域";
constexpr char kFileListSubFolderName[] = "文件列表";
constexpr char kAnimationSubFolderName[] = "动画控制";
constexpr char kIdleText[] = "就绪";
constexpr char kFullScreenNotice[] = "按 Esc 退出全屏";
// How long the notice stays after entering full screen.
constexpr int kFullScreenNoticeMs = 3000;
constexpr int kOutbarControlId = 100;
// The side bar's width until the user drags it: wide enough for the five
// channel tabs side by side and for the animation controls.
constexpr int kOutbarDefaultWidth = 280;

class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    // The document, the profile and the list must outlive the frame.
    CMainFrame(CKelvraDoc& document, CSettings& settings, const CRecentFileList* recentFiles,
               QWidget* parent = nullptr);
    ~CMainFrame() override;

    CKelvraView& View() const { return *m_pView; }
    CCommandRouter& Router() { return m_router; }
    const CCommandRouter& Router() const { return m_router; }
    CMenuBarBuilder& MenuBuilder() const { return *m_pMenuBuilder; }
    const CCommandTable& Commands() const { return m_commands; }

    // --- Bars and panes ---------------------------------------------------------
    QToolBar& ToolBar() const { return *m_pToolBar; }
    QStatusBar& StatusBar() const { return *m_pStatusBar; }
    CLockIndicators& LockIndicators() const { return *m_pLocks; }
    COutlook2Ctrl& Outbar() const { return *m_wndOutbar; }
    CBandTabDlg& BandTab() const { return *m_wndBandTab; }
    CMovieDlg& Movie() const { return *m_wndMovie; }
    CProductSelector& Selector() const { return *m_selector; }

    // Start-up directory and data paths (captured at creation).
    const std::string& GetStartDirectory() const { return m_szStartDir; }
    const CDataPaths& DataPaths() const { return m_paths; }
    // The records of dat/region.txt (names in GBK), empty when it could not be read.
    const std::vector<RegionRecord>& Regions() const { return m_regions; }
    // The name (GBK) of the region whose index is the browser's product
    // index, or "" when there is no such region.
    std::string CurrentRegionName() const;

    // Opens a file in the document through the application's open.
    void SetFileOpener(std::function<bool(const std::string&)> opener) {
        m_openFile = std::move(opener);
    }
    bool OpenProductFile(const std::string& path);

    // "Title - kelvra" after the document's title.
    void UpdateTitle();

    // Command 32774: enters or leaves full screen.
    void OnViewFullScreen();
    bool IsFullScreen() const { return m_bFullScreen != 0; }
    // The short notice shown on entering full screen (hidden when not shown).
    QLabel& FullScreenNotice() const { return *m_pFullScreenNotice; }
    // The message pane's own text: "就绪", or the read-out of the pixel
    // under the mouse.
    QString IdleText() const;

    // The idle pass: the side bar's check states and the toolbar's enabling.
    void UpdateIdleState();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void RegisterCommands();
    void RegisterBarCommands();
    // The loop keys, through the animation pane so its buttons follow.
    void RegisterLoopCommands();
    void CreateAccelerators();
    void CreateZoomKeys();
    void CreateFullScreenNotice();
    void ShowFullScreenNotice();
    void ShowReadout(const std::string& text);
    void CreateToolBar();
    void CreateStatusBar();
    void CreateSideBar(CSettings& settings);
    void FillSideBar();
    void AddRegionEntries(int folder);
    void WirePanes(CSettings& settings);
    void EnterFullScreen();
    void LeaveFullScreen();

    CKelvraDoc& m_doc;
    std::vector<RegionRecord> m_regions;
    COutlook2Ctrl* m_wndOutbar = nullptr;
    // The panes are the frame's: the side bar only hosts them.
    std::unique_ptr<CBandTabDlg> m_wndBandTab;
    std::unique_ptr<CMovieDlg> m_wndMovie;
    std::string m_szStartDir;
    CDataPaths m_paths;
    QStatusBar* m_pStatusBar = nullptr;
    QToolBar* m_pToolBar = nullptr;
    int m_bFullScreen = 0;
    QPointer<QMenuBar> m_menuSaved;  // the hidden menu bar, only while in full screen
    int m_bToolBarWasVisible = 0;
    int m_bOutbarWasVisible = 0;
    // The view's zoom before full screen, which fits the picture to the screen.
    CKelvraView::ZoomState m_viewZoomBefore;
    int m_bStatusBarWasVisible = 0;
    QRect m_rcNormal;  // the restored geometry to come back to

    CKelvraView* m_pView = nullptr;
    CLockIndicators* m_pLocks = nullptr;
    QLabel* m_pIdleLabel = nullptr;
    QLabel* m_pFullScreenNotice = nullptr;
    QTimer* m_pNoticeTimer = nullptr;
    QTimer* m_pIdleTimer = nullptr;
    std::unique_ptr<CProductSelector> m_selector;
    bool m_bShownOnce = false;
    CCommandTable m_commands;
    CCommandRouter m_router;
    CMenuBarBuilder* m_pMenuBuilder = nullptr;
    std::function<bool(const std::string&)> m_openFile;
};
