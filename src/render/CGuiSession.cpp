#include "render/CGuiSession.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

char kProgramName[] = "kelvra";

}  // namespace

// Qt warns on stderr when the per-user runtime folder is not named, and a
// headless run (a script, a service) usually has none. The folder Qt would
// fall back to is named up front, made private as Qt requires, so a run that
// succeeds prints nothing.
void NameRuntimeFolder() {
#ifdef Q_OS_UNIX
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        return;
    }
    const QString folder = QDir::tempPath() + "/runtime-" + QString::number(getuid());
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", folder.toLocal8Bit());
#endif
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
