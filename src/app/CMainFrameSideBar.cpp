// The frame's side bar: the region list, the folders with their entries and
// panes, and the wiring of the panes to the product commands, the document
// and the view's playback.

#include <QAction>
#include <QIcon>
#include <QTimer>
#include <QToolBar>

#include "app/CMainFrame.h"
#include "browse/CCatalogue.h"
#include "browse/CProductSelector.h"
#include "browse/RegionList.h"
#include "dialogs/BrowseForFolder.h"
#include "dialogs/CBandTabDlg.h"
#include "dialogs/CMovieDlg.h"
#include "platform/TextCodec.h"
#include "sidebar/COutlook2Ctrl.h"
#include "view/CKelvraView.h"

namespace {

// How often the side bar's entries and the toolbar follow the command states.
constexpr int kIdleUpdateMs = 250;

QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

// The command state as the side bar reads it; a radio entry counts as
// chosen only when its handler checks it.
int OutbarState(const CCmdUI& ui) {
    int state = ui.enabled ? kOutlookStateEnabled : 0;
    if (ui.checked) {
        state |= kOutlookStateChecked;
        if (ui.radio) {
            state |= kOutlookStateRadio;
        }
    }
    return state;
}

}  // namespace

void CMainFrame::CreateSideBar(CSettings& settings) {
    // A missing or faulty file shows its message; the bar is built anyway.
    LoadRegionList(m_paths, m_regions);

    m_wndOutbar = new COutlook2Ctrl(&settings, this, kOutbarDefaultWidth);
    m_wndOutbar->setObjectName(QString::number(kOutbarControlId));
    m_wndOutbar->SetCommandSender([this](int id) { m_router.Execute(id); });
    m_wndOutbar->SetUpdateQuery([this](int id) { return OutbarState(m_router.UpdateCommand(id)); });
    m_wndBandTab = std::make_unique<CBandTabDlg>(settings, m_wndOutbar);
    m_wndMovie = std::make_unique<CMovieDlg>(settings, m_wndOutbar);
    WirePanes(settings);
    FillSideBar();

    m_pIdleTimer = new QTimer(this);
    connect(m_pIdleTimer, &QTimer::timeout, this, [this] { UpdateIdleState(); });
    m_pIdleTimer->start(kIdleUpdateMs);
}

void CMainFrame::WirePanes(CSettings& settings) {
    CBrowserDlg& browser = m_wndBandTab->m_wndBrowser;
    browser.SetOpenFileHook([this](const std::string& path) { return OpenProductFile(path); });
    // Both lists read the same folder: each header is read once for both.
    const auto catalogue = std::make_shared<CCatalogue>();
    browser.SetCatalogue(catalogue);
    m_wndMovie->m_listDlg.SetCatalogue(catalogue);
    m_selector = std::make_unique<CProductSelector>(settings);
    m_selector->SetBrowser(browser.Hooks());
    m_selector->SetFrameList(m_wndMovie->m_listDlg.Hooks());
    m_selector->SetFolderChooser([this](const std::string& title) {
        std::string folder;
        BrowseForFolder(folder, title, m_pView);
        return folder;
    });
    m_wndMovie->SetPlayback(&m_pView->m_playback);
    m_wndMovie->SetCommandSender([this](int id) { m_router.Execute(id); });
}

void CMainFrame::FillSideBar() {
    const int browse = m_wndOutbar->AddFolder(Utf8(kBrowseFolderName),
                                              QIcon(QStringLiteral(":/icons/folder-cloud.png")), 0);
    m_wndOutbar->AddSubFolder(Utf8(kRegionsSubFolderName), 0, browse);
    AddRegionEntries(browse);
    m_wndOutbar->AddSubFolder(Utf8(kFileListSubFolderName), 0, browse);
    m_wndOutbar->AddWindowItem(m_wndBandTab.get(), true, browse);

    const int animation = m_wndOutbar->AddFolder(
        Utf8(kAnimationFolderName), QIcon(QStringLiteral(":/icons/folder-movie.png")), 0);
    m_wndOutbar->AddSubFolder(Utf8(kRegionsSubFolderName), 0, animation);
    AddRegionEntries(animation);
    m_wndOutbar->AddSubFolder(Utf8(kAnimationSubFolderName), 0, animation);
    m_wndOutbar->AddWindowItem(m_wndMovie.get(), true, animation);

    m_wndOutbar->SetCurrentFolder(browse, false);
}

// Region i is command 6000 + i; only the first ten have a handler.
void CMainFrame::AddRegionEntries(int folder) {
    for (std::size_t i = 0; i < m_regions.size(); ++i) {
        m_wndOutbar->AddItem(QString::fromStdString(GbkToUtf8(m_regions[i].name)), QIcon(),
                             kOutlookRadio, kSelectProductFirstId + static_cast<int>(i), folder);
    }
}

void CMainFrame::UpdateIdleState() {
    m_wndOutbar->UpdateCommandStates();
    for (QAction* action : ToolBar().actions()) {
        action->setEnabled(m_router.UpdateCommand(action->data().toInt()).enabled);
    }
}
