#include "dialogs/CFolderWatcher.h"

#include <QStorageInfo>
#include <QString>
#include <chrono>
#include <filesystem>
#include <system_error>

namespace {

// Gentle enough for a share of tens of thousands of files (one look at the
// folder), quick enough that a new product shows within two seconds.
constexpr int kTickMs = 1000;
// A feed renaming in several products at once is listed once.
constexpr int kSettleMs = 150;

// File systems whose changes made on other machines are never notified.
bool IsNetworkFileSystem(const QString& type) {
    static const char* const kPrefixes[] = {"nfs",   "cifs",           "smb",        "9p",
                                            "afs",   "ceph",           "fuse.sshfs", "fuse.rclone",
                                            "ncpfs", "fuse.glusterfs", "davfs",      "fuse.davfs"};
    for (const char* prefix : kPrefixes) {
        if (type.startsWith(QLatin1String(prefix))) {
            return true;
        }
    }
    return false;
}

// The folder's own stamp: its entries changing moves its modification time.
DataFileStamp FolderStamp(const std::string& folder) {
    namespace fs = std::filesystem;
    DataFileStamp stamp;
    std::error_code ec;
    const auto time = fs::last_write_time(folder, ec);
    if (!ec) {
        stamp.size = 0;
        stamp.modified =
            std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch()).count();
    }
    return stamp;
}

bool IsFolder(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

DataFileStamp FileStampOf(const std::string& path) {
    DataFileStamp stamp;
    StampDataFile(path, stamp);
    return stamp;
}

}  // namespace

CFolderWatcher::CFolderWatcher(QObject* parent) : QObject(parent) {
    m_tick.setInterval(kTickMs);
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] { Notify(); });
    connect(&m_tick, &QTimer::timeout, this, [this] { OnTick(); });
    connect(&m_settle, &QTimer::timeout, this, [this] { emit Changed(); });
}

void CFolderWatcher::Watch(const std::string& folder, const std::vector<std::string>& incomplete) {
    if (folder != m_strFolder && !m_watcher.directories().isEmpty()) {
        m_watcher.removePaths(m_watcher.directories());
    }
    if (folder != m_strFolder) {
        m_bRecheck = false;
        m_bNetwork =
            !folder.empty() && IsNetworkFileSystem(QString::fromUtf8(
                                   QStorageInfo(QString::fromStdString(folder)).fileSystemType()));
    }
    m_strFolder = folder;
    m_folderStamp = FolderStamp(folder);
    m_incomplete.clear();
    for (const std::string& path : incomplete) {
        m_incomplete.emplace_back(path, FileStampOf(path));
    }
    UpdateMode();
}

void CFolderWatcher::SetPolling(bool polling) {
    m_bPollingAsked = polling;
    UpdateMode();
}

void CFolderWatcher::UpdateMode() {
    const QString folder = QString::fromStdString(m_strFolder);
    m_bPolling = m_bPollingAsked || m_bNetwork;
    const bool watched = m_watcher.directories().contains(folder);
    if (m_strFolder.empty() || m_bPolling) {
        if (watched) {
            m_watcher.removePath(folder);
        }
    } else if (!watched && (!IsFolder(m_strFolder) || !m_watcher.addPath(folder))) {
        // No notification to be had: the folder is not there (yet), or the
        // system's limit of watches is reached.
        m_bPolling = true;
    }
    const bool ticking = !m_strFolder.empty() && (m_bPolling || !m_incomplete.empty());
    if (ticking && !m_tick.isActive()) {
        m_tick.start();
    } else if (!ticking) {
        m_tick.stop();
    }
}

void CFolderWatcher::OnTick() {
    bool changed = false;
    if (m_bPolling) {
        const DataFileStamp stamp = FolderStamp(m_strFolder);
        changed = stamp != m_folderStamp || m_bRecheck;
        m_bRecheck = stamp != m_folderStamp;
        m_folderStamp = stamp;
    }
    for (auto& [path, stamp] : m_incomplete) {
        const DataFileStamp now = FileStampOf(path);
        changed = changed || now != stamp;
        stamp = now;
    }
    if (changed) {
        Notify();
    }
}

void CFolderWatcher::Notify() {
    if (!m_settle.isActive()) {
        m_settle.start();
    }
}
