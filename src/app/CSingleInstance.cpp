#include "app/CSingleInstance.h"

#include <QDir>

CSingleInstance::CSingleInstance(const QString& programName) : m_lock(LockPathFor(programName)) {
    // 0: only a lock whose process is gone counts as stale, so a
    // long-running first instance keeps its lock.
    m_lock.setStaleLockTime(0);
}

QString CSingleInstance::LockPathFor(const QString& programName) {
    return QDir(QDir::tempPath()).filePath(programName + QStringLiteral(".lock"));
}

bool CSingleInstance::TryAcquire() {
    return m_lock.isLocked() || m_lock.tryLock(0);
}
