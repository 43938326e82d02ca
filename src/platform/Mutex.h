#pragma once
// Named locks between the processes of one user, the way named mutexes are
// used on other systems: an flock on a file of the private runtime folder.
// The kernel drops the lock when its holder ends in any way, so a crashed
// process never blocks the next one.

#include "platform/WinTypes.h"

#include <QString>

class CMutex {
public:
    // Opens (creating when missing) the lock file `name` in the private
    // runtime folder; IsValid() tells whether that worked.
    explicit CMutex(const QString& name);
    ~CMutex();
    CMutex(const CMutex&) = delete;
    CMutex& operator=(const CMutex&) = delete;

    BOOL IsValid() const { return m_fd >= 0; }
    // Why the lock could not be made, for diagnostics.
    const QString& Error() const { return m_strError; }

    // Waits as long as another process holds the lock.
    BOOL Lock();
    // Takes the lock only when it is free at once.
    BOOL TryLock();
    void Unlock();

private:
    int m_fd = -1;
    QString m_strError;
};

// Holds a CMutex for a scope: unlocks on destruction when it locked.
class CSingleLock {
public:
    explicit CSingleLock(CMutex& mutex, BOOL bInitialLock = FALSE);
    ~CSingleLock();
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    BOOL Lock();
    BOOL TryLock();
    void Unlock();
    BOOL IsLocked() const { return m_bLocked; }

private:
    CMutex& m_mutex;
    BOOL m_bLocked = FALSE;
};
