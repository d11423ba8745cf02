#pragma once
// The files a second start handed over (and those after the first on the
// command line), opened one after the other as 文件 → 打开 opens a file. While
// a modal dialog is open they wait in order, and are opened once it closes;
// each handing-over raises the main window.

#include <QObject>
#include <QStringList>
#include <QTimer>

class CKelvraApp;

class CHandedFiles : public QObject {
    Q_OBJECT

public:
    // app must outlive this object.
    explicit CHandedFiles(CKelvraApp& app, QObject* parent = nullptr);
    CHandedFiles(const CHandedFiles&) = delete;
    CHandedFiles& operator=(const CHandedFiles&) = delete;

    // Queues paths (none: only raise) and raises the main window; they are
    // opened from the event loop.
    void Take(const QStringList& paths);
    // Queues paths without raising the window (the command line's own).
    void Queue(const QStringList& paths);

    qsizetype Waiting() const { return m_queue.size(); }

private:
    void RaiseWindow();
    // Opens the queued files unless a modal dialog is open; then it tries
    // again a moment later.
    void OpenWhenFree();

    CKelvraApp& m_app;
    QStringList m_queue;
    QTimer m_retry;
    bool m_bOpening = false;
};
