#include "render/CGuiSession.h"

#include <QGuiApplication>

#include "platform/RuntimeFolder.h"

namespace {

char kProgramName[] = "kelvra";

}  // namespace

// Qt warns on stderr when the per-user runtime folder is not named, and a
// headless run (a script, a service) usually has none. The platform layer
// names a private one up front, so a run that succeeds prints nothing.
void NameRuntimeFolder() {
    UserRuntimeFolder();
}

CGuiSession::CGuiSession() : m_argv{kProgramName, nullptr} {
    if (QGuiApplication::instance()) {
        return;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    NameRuntimeFolder();
    m_pApplication = std::make_unique<QGuiApplication>(m_argc, m_argv);
}

CGuiSession::~CGuiSession() = default;
