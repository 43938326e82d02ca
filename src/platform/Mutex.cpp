#include "platform/Mutex.h"

#include "platform/RuntimeDir.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

CMutex::CMutex(const QString& name)
{
    const QString dir = PrivateRuntimeDir(&m_strError);
    if (dir.isEmpty())
        return;
    const QByteArray path = (dir + QLatin1Char('/') + name).toLocal8Bit();
    // Close-on-exec: a child process must not inherit, and so keep, the lock.
    const int fd = ::open(path.constData(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        m_strError = QStringLiteral("%1: %2").arg(QString::fromLocal8Bit(path), QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    if (!IsPrivateToUser(fd)) {
        ::close(fd);
        m_strError = QStringLiteral("%1 is not private to this user").arg(QString::fromLocal8Bit(path));
        return;
    }
    ::fchmod(fd, 0600); // readable by the next process whatever the umask
    m_fd = fd;
}

CMutex::~CMutex()
{
    if (m_fd >= 0)
        ::close(m_fd); // releases a lock still held
}

BOOL CMutex::Lock()
{
    if (m_fd < 0)
        return FALSE;
    int rc = 0;
    while ((rc = ::flock(m_fd, LOCK_EX)) != 0 && errno == EINTR) {
    }
    return rc == 0;
}

BOOL CMutex::TryLock()
{
    if (m_fd < 0)
        return FALSE;
    int rc = 0;
    while ((rc = ::flock(m_fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
    }
    return rc == 0;
}

void CMutex::Unlock()
{
    if (m_fd >= 0)
        ::flock(m_fd, LOCK_UN);
}

CSingleLock::CSingleLock(CMutex& mutex, BOOL bInitialLock)
    : m_mutex(mutex)
{
    if (bInitialLock)
        Lock();
}

CSingleLock::~CSingleLock()
{
    Unlock();
}

BOOL CSingleLock::Lock()
{
    if (!m_bLocked)
        m_bLocked = m_mutex.Lock();
    return m_bLocked;
}

BOOL CSingleLock::TryLock()
{
    if (!m_bLocked)
        m_bLocked = m_mutex.TryLock();
    return m_bLocked;
}

void CSingleLock::Unlock()
{
    if (m_bLocked) {
        m_mutex.Unlock();
        m_bLocked = FALSE;
    }
}
