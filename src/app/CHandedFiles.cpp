#include "app/CHandedFiles.h"

#include <QApplication>

#include "app/CKelvraApp.h"
#include "app/CMainFrame.h"

namespace {

// How often a file waiting for a modal dialog to close looks again.
constexpr int kModalPollMs = 250;

}  // namespace

CHandedFiles::CHandedFiles(CKelvraApp& app, QObject* parent) : QObject(parent), m_app(app) {
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &CHandedFiles::OpenWhenFree);
}

void CHandedFiles::Take(const QStringList& paths) {
    RaiseWindow();
    Queue(paths);
}

void CHandedFiles::Queue(const QStringList& paths) {
    if (paths.isEmpty()) {
        return;
    }
    m_queue.append(paths);
    m_retry.start(0);
}

void CHandedFiles::RaiseWindow() {
    CMainFrame& frame = m_app.MainFrame();
    frame.setWindowState(frame.windowState() & ~Qt::WindowMinimized);
    frame.show();
    frame.raise();
    frame.activateWindow();
}

void CHandedFiles::OpenWhenFree() {
    // A file's own message box runs an event loop: files handed over
    // meanwhile join the queue this loop is working through.
    if (m_bOpening) {
        return;
    }
    if (QApplication::activeModalWidget() != nullptr) {
        m_retry.start(kModalPollMs);
        return;
    }
    m_bOpening = true;
    while (!m_queue.isEmpty() && QApplication::activeModalWidget() == nullptr) {
        m_app.OpenDocumentFile(m_queue.takeFirst().toStdString());
    }
    m_bOpening = false;
    if (!m_queue.isEmpty()) {
        m_retry.start(kModalPollMs);
    }
}
