#pragma once
// Helpers of the user-interface tests: an application with an in-memory
// profile whose dialogs are answered by the test, and input files.

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/CKelvraApp.h"
#include "app/CMainFrame.h"
#include "platform/Message.h"
#include "platform/Settings.h"
#include "support/TestSupport.h"
#include "view/CKelvraView.h"

class QDialog;

// The scripted answers the dialogs give.
struct ScriptedAnswers {
    std::optional<int> percent = 100;
    std::vector<std::string> askedPercentTitles;
    std::vector<std::string> askedPercentPrompts;
    std::optional<std::string> openPath;
    std::optional<std::string> savePath;
    std::vector<FileDialogRequest> fileRequests;
    int modalDialogs = 0;
    QString lastModalTitle;
    QString lastInfoText;
    // Runs on each modal dialog in place of the user (for example ticking
    // rows and accepting); without it the dialog ends unanswered.
    std::function<void(QDialog&)> modalScript;
    // The colour chooser's answer, and the colours it was opened on.
    std::optional<std::uint32_t> colour;
    std::vector<std::uint32_t> colourStarts;
};

// The application with its frame, messages recorded, dialogs scripted.
class CTestApp {
public:
    CTestApp();
    ~CTestApp();

    CKelvraApp& App() { return *m_pApp; }
    CKelvraDoc& Doc() { return m_pApp->Document(); }
    CMainFrame& Frame() { return m_pApp->MainFrame(); }
    CKelvraView& View() { return Frame().View(); }
    bool Execute(int id) { return Frame().Router().Execute(id); }
    CCmdUI Update(int id) const { return m_pApp->MainFrame().Router().UpdateCommand(id); }
    const std::vector<std::string>& Messages() const { return m_recorder.Messages(); }
    void ClearMessages() { m_recorder.Clear(); }
    // What start-up showed (the region file's message when the test runs
    // without a data folder); kept apart so that the tests see only their own.
    const std::vector<std::string>& StartupMessages() const { return m_startupMessages; }

    ScriptedAnswers answers;
    CMemorySettings settings;

private:
    CMessageRecorder m_recorder;
    CScopedMessageSink m_sink{&m_recorder};
    std::unique_ptr<CKelvraApp> m_pApp;
    std::vector<std::string> m_startupMessages;
};

// A synthetic equal latitude/longitude product.
bool WriteTestProduct(const std::string& path, int width = 120, int height = 90);
// An 8-bit grey ramp BMP without product.
bool WriteTestBmp(const std::string& path, int width = 64, int height = 48);
// A 24-bit JPEG.
bool WriteTestJpeg(const std::string& path, int width = 64, int height = 48);
// Pixels of the colour (0x00BBGGRR) in the view's composed picture.
int PixelsOf(CTestApp& t, std::uint32_t colour);
