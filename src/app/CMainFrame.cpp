#include "app/CMainFrame.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QShortcut>
#include <QShowEvent>
#include <QStatusBar>
#include <array>
#include <memory>

#include "app/CMenuBarBuilder.h"
#include "app/MenuLayout.h"
#include "browse/CProductSelector.h"
#include "browse/RegionList.h"
#include "dialogs/CBandTabDlg.h"
#include "dialogs/CMovieDlg.h"
#include "nwp/NwpCatalogue.h"
#include "sidebar/COutlook2Ctrl.h"
#include "ui/CommandIds.h"
#include "view/CKelvraDoc.h"
#include "view/CKelvraView.h"

// The icons live in the static user-interface library, whose resources are
// only linked in when something names them.
static void InitKelvraResources() {
    Q_INIT_RESOURCE(kelvra);
}

CMainFrame::CMainFrame(CKelvraDoc& document, CSettings& settings,
                       const CRecentFileList* recentFiles, QWidget* parent)
    : QMainWindow(parent),
      m_doc(document),
      m_szStartDir(CDataPaths::FromCurrentDirectory().StartDirectory()),
      m_paths(m_szStartDir) {
    InitKelvraResources();
    setWindowIcon(QIcon(QStringLiteral(":/icons/kelvra.png")));
    // A map or palette file that cannot be used is said in the status bar,
    // once per file; the picture is still made without it.
    m_paths.SetNotices(std::make_shared<CDataFileNotices>([this](const std::string& path) {
        if (m_pStatusBar) {
            m_pStatusBar->showMessage(QStringLiteral("数据文件缺失或无法使用：") +
                                      QString::fromStdString(path));
        }
    }));

    // The view and the side bar share the client area: the bar keeps its
    // own width at the right edge, the view takes the rest.
    auto* client = new QWidget(this);
    auto* layout = new QHBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_pView = new CKelvraView(m_doc, m_paths, client);
    m_pView->SetRegionNameProvider([this] { return CurrentRegionName(); });
    m_pView->SetFramePoster([this](int id) { m_router.Execute(id); });
    m_pView->SetNwpRootProvider([&settings] { return ReadNwpRoot(settings); });
    m_pView->SetProfile(&settings);
    m_pView->SetReadoutObserver([this](const std::string& text) { ShowReadout(text); });
    layout->addWidget(m_pView, 1);
    setCentralWidget(client);

    RegisterCommands();
    m_router.AddTarget(&m_pView->Commands());
    m_router.AddTarget(&m_doc.Commands());
    m_router.AddTarget(&m_commands);

    m_pMenuBuilder = new CMenuBarBuilder(m_router, recentFiles, this);
    m_pMenuBuilder->Build(*menuBar(), MainMenuLayout());
    CreateToolBar();
    CreateStatusBar();
    CreateSideBar(settings);
    layout->addWidget(m_wndOutbar);
    // Dragging the bar's edge changes its width; the view gives way.
    connect(m_wndOutbar, &COutlook2Ctrl::widthChanged, layout, [layout] { layout->invalidate(); });
    CreateAccelerators();
    CreateZoomKeys();
    CreateFullScreenNotice();
    UpdateTitle();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::RegisterCommands() {
    m_commands.Add(kIdAppExit, [this](int) { close(); });
    m_commands.Add(kIdFullScreen, [this](int) { OnViewFullScreen(); });
    m_commands.AddRange(
        kSelectProductFirstId, kSelectProductLastId,
        [this](int id) { m_selector->OnSelectProductCommand(id); },
        [this](CCmdUI& ui) { ui.SetRadio(m_selector->IsProductCommandChecked(ui.m_nID)); });
    m_commands.Add(kSetCatalogFolderId, [this](int) { m_selector->OnSetCatalogFolder(); });
    RegisterBarCommands();
    RegisterLoopCommands();
}

// Accelerators go through the table like menu items; a command that its
// update handler greys does not run from the keyboard either.
void CMainFrame::CreateAccelerators() {
    for (const MenuAccelerator& accelerator : MainAccelerators()) {
        QWidget* scope = accelerator.inView ? static_cast<QWidget*>(m_pView) : this;
        auto* shortcut = new QShortcut(
            QKeySequence::fromString(QLatin1String(accelerator.keys), QKeySequence::PortableText),
            scope);
        if (accelerator.inView) {
            shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        }
        const int id = accelerator.id;
        connect(shortcut, &QShortcut::activated, this, [this, id] {
            if (m_router.UpdateCommand(id).enabled) {
                m_router.Execute(id);
            }
        });
    }
}

// Ctrl with "+" or "-" steps the zoom about the middle of the view; "="
// stands in for "+" on keyboards where "+" needs Shift.
void CMainFrame::CreateZoomKeys() {
    const struct {
        QKeyCombination keys;
        int steps;
    } zoomKeys[] = {
        {Qt::CTRL | Qt::Key_Plus, 1},
        {Qt::CTRL | Qt::Key_Equal, 1},
        {Qt::CTRL | Qt::Key_Minus, -1},
    };
    for (const auto& key : zoomKeys) {
        auto* shortcut = new QShortcut(QKeySequence(key.keys), this);
        const int steps = key.steps;
        connect(shortcut, &QShortcut::activated, this, [this, steps] { m_pView->StepZoom(steps); });
    }
}

void CMainFrame::ShowReadout(const std::string& text) {
    if (m_pIdleLabel) {
        m_pIdleLabel->setText(text.empty() ? QString::fromUtf8(kIdleText)
                                           : QString::fromStdString(text));
    }
}

QString CMainFrame::IdleText() const {
    return m_pIdleLabel ? m_pIdleLabel->text() : QString();
}

std::string CMainFrame::CurrentRegionName() const {
    const int index = m_wndBandTab ? m_wndBandTab->m_wndBrowser.m_nProduct : 0;
    if (index < 0 || index >= static_cast<int>(m_regions.size())) {
        return {};
    }
    return m_regions[static_cast<std::size_t>(index)].name;
}

bool CMainFrame::OpenProductFile(const std::string& path) {
    return m_openFile ? m_openFile(path) : false;
}

void CMainFrame::UpdateTitle() {
    setWindowTitle(QString::fromStdString(m_doc.Title()) + QStringLiteral(" - kelvra"));
}

// The first show fills the file list and the frame list from the catalogue
// folder; later shows (full screen re-creates the window) keep the lists.
void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous() && !m_bShownOnce) {
        m_bShownOnce = true;
        m_selector->Relist();
    }
}
