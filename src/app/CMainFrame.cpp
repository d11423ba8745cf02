#include "app/CMainFrame.h"

#include <QKeySequence>
#include <QMenuBar>
#include <QShortcut>
#include <array>

#include "app/CKelvraDoc.h"
#include "app/CMenuBarBuilder.h"
#include "app/CommandIds.h"
#include "geo/RegionFile.h"
#include "view/CKelvraView.h"

namespace {

struct Accelerator {
    QKeyCombination keys;
    int id;
};

const std::array<Accelerator, 14> kAccelerators = {{
    {Qt::CTRL | Qt::Key_N, kIdFileNew},
    {Qt::CTRL | Qt::Key_O, kIdFileOpen},
    {Qt::CTRL | Qt::Key_S, kIdFileSave},
    {Qt::CTRL | Qt::Key_P, kIdFilePrint},
    {Qt::CTRL | Qt::Key_Z, kIdEditUndo},
    {Qt::ALT | Qt::Key_Backspace, kIdEditUndo},
    {Qt::CTRL | Qt::Key_X, kIdEditCut},
    {Qt::SHIFT | Qt::Key_Delete, kIdEditCut},
    {Qt::CTRL | Qt::Key_C, kIdEditCopy},
    {Qt::CTRL | Qt::Key_Insert, kIdEditCopy},
    {Qt::CTRL | Qt::Key_V, kIdEditPaste},
    {Qt::SHIFT | Qt::Key_Insert, kIdEditPaste},
    {Qt::Key_F6, kIdNextPane},
    {Qt::SHIFT | Qt::Key_F6, kIdPrevPane},
}};

}  // namespace

CMainFrame::CMainFrame(CKelvraDoc& document, const CRecentFileList* recentFiles, QWidget* parent)
    : QMainWindow(parent),
      m_doc(document),
      m_szStartDir(CDataPaths::FromCurrentDirectory().StartDirectory()),
      m_paths(m_szStartDir) {
    // A missing region file leaves the list empty; the title then names no region.
    ReadRegionNames(m_paths.DataFile("region.txt"), m_regions);

    m_pView = new CKelvraView(m_doc, m_paths, this);
    m_pView->SetRegionNameProvider([this] { return RegionNameAt(m_regions, m_nProductIndex); });
    m_pView->SetFramePoster([this](int id) { m_router.Execute(id); });
    setCentralWidget(m_pView);

    RegisterCommands();
    m_router.AddTarget(&m_pView->Commands());
    m_router.AddTarget(&m_doc.Commands());
    m_router.AddTarget(&m_commands);

    m_pMenuBuilder = new CMenuBarBuilder(m_router, recentFiles, this);
    m_pMenuBuilder->Build(*menuBar(), MainMenuLayout());
    CreateAccelerators();
    UpdateTitle();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::RegisterCommands() {
    m_commands.Add(kIdAppExit, [this](int) { close(); });
}

// Accelerators go through the table like menu items; a command that its
// update handler greys does not run from the keyboard either.
void CMainFrame::CreateAccelerators() {
    for (const Accelerator& accelerator : kAccelerators) {
        auto* shortcut = new QShortcut(QKeySequence(accelerator.keys), this);
        const int id = accelerator.id;
        connect(shortcut, &QShortcut::activated, this, [this, id] {
            if (m_router.UpdateCommand(id).enabled) {
                m_router.Execute(id);
            }
        });
    }
}

bool CMainFrame::OpenProductFile(const std::string& path) {
    return m_openFile ? m_openFile(path) : false;
}

void CMainFrame::UpdateTitle() {
    setWindowTitle(QString::fromStdString(m_doc.Title()) + QStringLiteral(" - kelvra"));
}
