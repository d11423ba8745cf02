#include "app/CKelvraApp.h"

#include <QPageSetupDialog>
#include <filesystem>

#include "app/CMainFrame.h"
#include "app/CQtMessageSink.h"
#include "app/InteractiveProviders.h"
#include "dialogs/CAboutDlg.h"
#include "platform/Message.h"
#include "platform/Settings.h"
#include "ui/CommandIds.h"
#include "view/CKelvraView.h"

const char* const kOpenFileFilter =
    "投影文件 (*.awx)|*.awx|位图文件 (*.bmp;*.dib)|*.bmp;*.dib|JPEG文件 "
    "(*.jpg;*.jpeg)|*.jpg;*.jpeg|"
    "TGA文件 (*.tga)|*.tga|所有文件 (*.*)|*.*||";

CKelvraApp::CKelvraApp(CSettings& settings, bool messageBoxes)
    : m_settings(settings), m_recentFiles(settings) {
    if (messageBoxes) {
        m_pMessageSink = std::make_unique<CQtMessageSink>();
        m_pScopedSink = std::make_unique<CScopedMessageSink>(m_pMessageSink.get());
    }
    m_doc.SetRecentFileList(&m_recentFiles);
    RegisterCommands();
}

CKelvraApp::~CKelvraApp() {
    // The frame's view detaches from the document before the document goes.
    m_pFrame.reset();
}

bool CKelvraApp::InitInstance(const std::string& fileToOpen) {
    m_pFrame = std::make_unique<CMainFrame>(m_doc, m_settings, &m_recentFiles);
    m_pFrame->Router().AddTarget(&m_commands);
    m_pFrame->SetFileOpener([this](const std::string& path) { return OpenDocumentFile(path); });
    m_doc.SetProviders(InteractiveProviders(m_pFrame.get()));
    m_doc.SetTitleObserver([this] { m_pFrame->UpdateTitle(); });
    // A file that cannot be opened has said why; the application then
    // starts with the empty document instead of ending.
    if (fileToOpen.empty() || !OpenDocumentFile(fileToOpen)) {
        m_doc.OnNewDocument();
        m_doc.InitialUpdateAllViews();
    }
    return true;
}

bool CKelvraApp::OpenDocumentFile(const std::string& path) {
    if (!m_doc.OnOpenDocument(path)) {
        return false;
    }
    m_doc.InitialUpdateAllViews();
    return true;
}

void CKelvraApp::RegisterCommands() {
    m_commands.Add(kIdFileOpen, [this](int) { OnFileOpen(); });
    m_commands.Add(kIdAppAbout, [this](int) { OnAppAbout(); });
    m_commands.Add(kIdFileNew, [this](int) {
        if (m_doc.OnNewDocument()) {
            m_doc.InitialUpdateAllViews();
        }
    });
    m_commands.Add(kIdFilePageSetup, [this](int) { OnFilePageSetup(); });
    m_commands.AddRange(
        kIdFileMruFirst, kIdFileMruFirst + CRecentFileList::kSize - 1,
        [this](int id) { OnOpenRecentFile(id); },
        [this](CCmdUI& ui) {
            ui.Enable(ui.m_nID - kIdFileMruFirst < static_cast<int>(m_recentFiles.Paths().size()));
        });
}

void CKelvraApp::OnFileOpen() {
    if (!m_doc.Providers().openFile) {
        return;
    }
    FileDialogRequest request;
    request.filter = kOpenFileFilter;
    request.directory = LastOpenedFolder();
    if (const std::optional<std::string> chosen = m_doc.Providers().openFile(request)) {
        OpenDocumentFile(*chosen);
    }
}

// The folder of the open document, else of the newest recent file: where
// the next product most likely lies.
std::string CKelvraApp::LastOpenedFolder() const {
    std::string path = m_doc.PathName();
    if (path.empty() && !m_recentFiles.Paths().empty()) {
        path = m_recentFiles.Paths().front();
    }
    if (path.empty()) {
        return {};
    }
    return std::filesystem::path(path).parent_path().string();
}

void CKelvraApp::OnAppAbout() {
    CAboutDlg about(m_pFrame.get());
    if (m_doc.Providers().showModal) {
        m_doc.Providers().showModal(about);
    }
}

// A recent file that no longer opens leaves the list.
void CKelvraApp::OnOpenRecentFile(int id) {
    const int index = id - kIdFileMruFirst;
    if (index < 0 || index >= static_cast<int>(m_recentFiles.Paths().size())) {
        return;
    }
    const std::string path = m_recentFiles.Paths()[static_cast<std::size_t>(index)];
    if (!OpenDocumentFile(path)) {
        const std::vector<std::string>& paths = m_recentFiles.Paths();
        for (int i = 0; i < static_cast<int>(paths.size()); ++i) {
            if (paths[static_cast<std::size_t>(i)] == path) {
                m_recentFiles.Remove(i);
                break;
            }
        }
    }
}

void CKelvraApp::OnFilePageSetup() {
    QPageSetupDialog dialog(&m_pFrame->View().Printer(), m_pFrame.get());
    dialog.exec();
}
