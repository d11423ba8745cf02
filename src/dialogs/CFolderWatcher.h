#pragma once
// Tells when a catalogue folder changes, so the lists follow it without a
// click. The platform's change notification is used (QFileSystemWatcher,
// inotify on Linux); where none comes (a network share, or a folder the
// system refused to watch) the folder's stamp is looked at gently, once a
// second. A file still being copied in changes no folder entry as it grows,
// so the files a listing found incomplete are looked at the same way until
// they change. A burst of changes (a feed renaming in several products) is
// told once.

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <string>
#include <utility>
#include <vector>

#include "platform/CDataFileCache.h"

class CFolderWatcher : public QObject {
    Q_OBJECT

public:
    explicit CFolderWatcher(QObject* parent = nullptr);

    // Watches folder, replacing the folder watched before, and the files its
    // last listing found incomplete. An empty folder watches nothing.
    void Watch(const std::string& folder, const std::vector<std::string>& incomplete);
    // Looks at the folder's stamp instead of waiting to be notified, as for a
    // network share; the tests switch it on to check that way too.
    void SetPolling(bool polling);
    // Whether the folder is looked at by the clock rather than notified.
    bool IsPolling() const { return m_bPolling; }
    const std::string& Folder() const { return m_strFolder; }

signals:
    // The folder or one of its incomplete files changed; list it again.
    void Changed();

private:
    void OnTick();
    // Tells Changed once the burst has settled.
    void Notify();
    void UpdateMode();

    QFileSystemWatcher m_watcher;
    QTimer m_tick;
    QTimer m_settle;
    std::string m_strFolder;
    bool m_bPollingAsked = false;
    bool m_bPolling = false;
    bool m_bNetwork = false;  // the folder lies on a network share
    // A change seen at one tick is told again at the next: a second file
    // renamed in within the folder's time resolution leaves no new stamp.
    bool m_bRecheck = false;
    DataFileStamp m_folderStamp;
    std::vector<std::pair<std::string, DataFileStamp>> m_incomplete;
};
