#pragma once
// The one-instance rule: a lock file named after the executable's base name in
// the user's private runtime folder (platform/RuntimeFolder.h), so each user
// has their own instance and no other user can block or reach it. A lock left
// by a process that no longer runs is taken over, and so is one that cannot be
// read or makes no sense (empty, cut short, not ours to read); a lock held by
// a running process is never considered stale, however old it is.

#include <QLockFile>
#include <QString>

class CSingleInstance {
public:
    enum class Outcome {
        kAcquired,       // this process holds the lock (kept until destruction)
        kHeldElsewhere,  // another instance of this user runs
        kUnavailable,    // no lock could be made (no runtime folder, a full disk ...)
    };

    // The lock of the given program name (the executable's base name).
    explicit CSingleInstance(const QString& programName);
    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;

    Outcome TryAcquire();

    QString LockPath() const { return m_lock.fileName(); }
    // The process named in the lock another instance holds; 0 when unknown.
    qint64 HolderPid() const;

    // The lock file path of programName in the user's runtime folder.
    static QString LockPathFor(const QString& programName);

private:
    // Removes a lock that tells no owner, unless a running process holds it.
    void RemoveOwnerlessLock();

    QLockFile m_lock;
};
