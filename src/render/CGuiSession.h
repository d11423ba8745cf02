#pragma once
// Text drawing needs a Qt GUI application (for the font database). Headless
// users of the render layer - the command-line renderer, tests, benchmarks -
// hold one of these for as long as they draw; it creates an application on
// the offscreen platform unless one exists or another platform is chosen.

#include <memory>

class QGuiApplication;

// Names the user's private runtime folder (platform/RuntimeFolder.h), so that
// Qt has nothing to warn about on stderr; call before the application.
void NameRuntimeFolder();

class CGuiSession {
public:
    CGuiSession();
    ~CGuiSession();
    CGuiSession(const CGuiSession&) = delete;
    CGuiSession& operator=(const CGuiSession&) = delete;

private:
    int m_argc = 1;
    char* m_argv[2];
    std::unique_ptr<QGuiApplication> m_pApplication;
};
