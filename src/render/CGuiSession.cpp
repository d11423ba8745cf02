#include "render/CGuiSession.h"

#include <QGuiApplication>

namespace {

char kProgramName[] = "kelvra";

}  // namespace

CGuiSession::CGuiSession() : m_argv{kProgramName, nullptr} {
    if (QGuiApplication::instance()) {
        return;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    m_pApplication = std::make_unique<QGuiApplication>(m_argc, m_argv);
}

CGuiSession::~CGuiSession() = default;
