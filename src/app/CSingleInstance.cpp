#include "app/CSingleInstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/RuntimeFolder.h"

CSingleInstance::CSingleInstance(const QString& programName) : m_lock(LockPathFor(programName)) {
    // 0: only a lock whose process is gone counts as stale, so a
    // long-running first instance keeps its lock.
    m_lock.setStaleLockTime(0);
}

QString CSingleInstance::LockPathFor(const QString& programName) {
    const QString folder = QString::fromLocal8Bit(UserRuntimeFolder());
    return folder.isEmpty() ? QString() : QDir(folder).filePath(programName + ".lock");
}

qint64 CSingleInstance::HolderPid() const {
    qint64 pid = 0;
    return m_lock.getLockInfo(&pid, nullptr, nullptr) ? pid : 0;
}

CSingleInstance::Outcome CSingleInstance::TryAcquire() {
    if (m_lock.isLocked()) {
        return Outcome::kAcquired;
    }
    if (m_lock.fileName().isEmpty()) {
        return Outcome::kUnavailable;
    }
    if (m_lock.tryLock(0)) {
        return Outcome::kAcquired;
    }
    if (m_lock.error() != QLockFile::LockFailedError) {
        return Outcome::kUnavailable;
    }
    // Tried once more in any case: the holder may just have ended.
    RemoveOwnerlessLock();
    if (m_lock.tryLock(0)) {
        return Outcome::kAcquired;
    }
    return m_lock.error() == QLockFile::LockFailedError ? Outcome::kHeldElsewhere
                                                        : Outcome::kUnavailable;
}

// Qt counts a lock whose owner it cannot read as held for ever when there is
// no stale time. Qt's removal first takes the file's native lock, which a
// running instance keeps from the moment it creates the file, so an instance
// still writing its lock is never removed. A lock the user cannot even open
// was not written by a running instance of theirs and is removed by name.
void CSingleInstance::RemoveOwnerlessLock() {
    if (m_lock.getLockInfo(nullptr, nullptr, nullptr) || m_lock.removeStaleLockFile()) {
        return;
    }
    QFile file(m_lock.fileName());
    if (!file.open(QIODevice::ReadOnly) && QFileInfo(file).isFile()) {
        file.remove();
    }
}
