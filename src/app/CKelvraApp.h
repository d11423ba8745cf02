#pragma once
// The application object: the profile with the recent-file list, the one
// document and its main frame, the application's commands (open, About,
// new, print setup, the recent files) and the message boxes.

#include <memory>
#include <string>

#include "ui/CCommandTable.h"
#include "ui/CRecentFileList.h"
#include "view/CKelvraDoc.h"

class CMainFrame;
class CMessageSink;
class CScopedMessageSink;
class CSettings;

// The filter of the open dialog (string 1021).
extern const char* const kOpenFileFilter;

class CKelvraApp {
public:
    // The profile must outlive the application. With messageBoxes the
    // messages of the system are shown as warning boxes; tests leave them
    // to their own sink.
    CKelvraApp(CSettings& settings, bool messageBoxes);
    ~CKelvraApp();
    CKelvraApp(const CKelvraApp&) = delete;
    CKelvraApp& operator=(const CKelvraApp&) = delete;

    // Creates the frame and opens the file named on the command line, or
    // the empty document (also when that file cannot be opened, after its
    // messages); true.
    bool InitInstance(const std::string& fileToOpen);

    // The framework's open: the document reads the file, then its views
    // get their initial update. Used by the open dialog, the recent-file
    // list and the frame.
    bool OpenDocumentFile(const std::string& path);

    // The open dialog starts in the folder of the last opened product.
    void OnFileOpen();
    void OnAppAbout();
    std::string LastOpenedFolder() const;

    CKelvraDoc& Document() { return m_doc; }
    CMainFrame& MainFrame() const { return *m_pFrame; }
    CRecentFileList& RecentFiles() { return m_recentFiles; }
    const CCommandTable& Commands() const { return m_commands; }

private:
    void RegisterCommands();
    void OnOpenRecentFile(int id);
    void OnFilePageSetup();

    CSettings& m_settings;
    std::unique_ptr<CMessageSink> m_pMessageSink;
    std::unique_ptr<CScopedMessageSink> m_pScopedSink;
    CRecentFileList m_recentFiles;
    CKelvraDoc m_doc;
    std::unique_ptr<CMainFrame> m_pFrame;
    CCommandTable m_commands;
};
