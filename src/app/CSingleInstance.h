#pragma once
// The one-instance rule: a lock file in the temporary folder named after the
// executable's base name. A lock left by a process that no longer runs is
// taken over; a lock held by a running process is never considered stale,
// however old it is.

#include <QLockFile>
#include <QString>

class CSingleInstance {
public:
    // The lock of the given program name (the executable's base name).
    explicit CSingleInstance(const QString& programName);
    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;

    // True when this process now holds the lock (kept until destruction).
    bool TryAcquire();

    QString LockPath() const { return m_lock.fileName(); }

    // The lock file path of programName in the temporary folder.
    static QString LockPathFor(const QString& programName);

private:
    QLockFile m_lock;
};
