#pragma once
// The main frame: the menu bar, the view as central widget, the command
// routing (view, document, frame, application) and the accelerators. It
// captures the start-up directory once, when it is created, and reads the
// region names from its data folder for the view's title.

#include <QMainWindow>
#include <functional>
#include <string>
#include <vector>

#include "app/CCommandRouter.h"
#include "app/CCommandTable.h"
#include "platform/DataPaths.h"

class CKelvraDoc;
class CKelvraView;
class CMenuBarBuilder;
class CRecentFileList;

class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    // The document and the list must outlive the frame.
    CMainFrame(CKelvraDoc& document, const CRecentFileList* recentFiles, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CKelvraView& View() const { return *m_pView; }
    CCommandRouter& Router() { return m_router; }
    const CCommandRouter& Router() const { return m_router; }
    CMenuBarBuilder& MenuBuilder() const { return *m_pMenuBuilder; }
    const CCommandTable& Commands() const { return m_commands; }

    // Start-up directory and data paths (captured at creation).
    const std::string& GetStartDirectory() const { return m_szStartDir; }
    const CDataPaths& DataPaths() const { return m_paths; }
    // The region names of dat/region.txt (GBK), empty when it could not be read.
    const std::vector<std::string>& Regions() const { return m_regions; }
    // The product index whose region names the title; the browser sets it.
    int CurrentProductIndex() const { return m_nProductIndex; }
    void SetCurrentProductIndex(int index) { m_nProductIndex = index; }

    // Opens a file in the document through the application's open.
    void SetFileOpener(std::function<bool(const std::string&)> opener) {
        m_openFile = std::move(opener);
    }
    bool OpenProductFile(const std::string& path);

    // "Title - kelvra" after the document's title.
    void UpdateTitle();

private:
    void RegisterCommands();
    void CreateAccelerators();

    CKelvraDoc& m_doc;
    std::string m_szStartDir;
    CDataPaths m_paths;
    std::vector<std::string> m_regions;
    int m_nProductIndex = 0;
    CKelvraView* m_pView = nullptr;
    CCommandTable m_commands;
    CCommandRouter m_router;
    CMenuBarBuilder* m_pMenuBuilder = nullptr;
    std::function<bool(const std::string&)> m_openFile;
};
