#include "platform/SharedMemory.h"

#include "platform/RuntimeDir.h"

#include <QCryptographicHash>

#include <cerrno>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

CSharedMemory::~CSharedMemory()
{
    Close();
}

QString CSharedMemory::SystemName(const QString& name)
{
    const QString dir = PrivateRuntimeDir();
    if (dir.isEmpty())
        return QString();
    const QByteArray folderId = QCryptographicHash::hash(dir.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return QStringLiteral("/orv-%1-%2-%3").arg(::geteuid()).arg(QString::fromLatin1(folderId), name);
}

BOOL CSharedMemory::Create(const QString& name, std::size_t size)
{
    Close();
    const QString sysName = SystemName(name);
    if (sysName.isEmpty())
        return FALSE;
    const QByteArray native = sysName.toLocal8Bit();
    ::shm_unlink(native.constData());
    // O_EXCL: if the name could not be removed (another user's object), fail
    // rather than write into it.
    const int fd = ::shm_open(native.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return FALSE;
    // The mode must not depend on the umask: the reader checks it.
    const bool ok = ::fchmod(fd, 0600) == 0 && ::ftruncate(fd, static_cast<off_t>(size)) == 0 && IsPrivateToUser(fd);
    if (!ok || !Map(fd, size, true)) {
        ::close(fd);
        ::shm_unlink(native.constData());
        return FALSE;
    }
    ::close(fd);
    return TRUE;
}

BOOL CSharedMemory::OpenReadOnly(const QString& name, std::size_t size)
{
    Close();
    const QString sysName = SystemName(name);
    if (sysName.isEmpty())
        return FALSE;
    const int fd = ::shm_open(sysName.toLocal8Bit().constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC, 0);
    if (fd < 0)
        return FALSE;
    struct stat st {};
    // Exactly the expected size: reading past the end of a smaller object
    // would kill the reader.
    const bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && static_cast<std::size_t>(st.st_size) == size
        && IsPrivateToUser(fd) && Map(fd, size, false);
    ::close(fd);
    return ok;
}

BOOL CSharedMemory::Unlink(const QString& name)
{
    const QString sysName = SystemName(name);
    return !sysName.isEmpty() && ::shm_unlink(sysName.toLocal8Bit().constData()) == 0;
}

BOOL CSharedMemory::Map(int fd, std::size_t size, bool bWritable)
{
    void* p = ::mmap(nullptr, size, bWritable ? PROT_READ | PROT_WRITE : PROT_READ, MAP_SHARED, fd, 0);
    if (p == MAP_FAILED)
        return FALSE;
    m_pData = p;
    m_nSize = size;
    return TRUE;
}

void CSharedMemory::Close()
{
    if (m_pData)
        ::munmap(m_pData, m_nSize);
    m_pData = nullptr;
    m_nSize = 0;
}
