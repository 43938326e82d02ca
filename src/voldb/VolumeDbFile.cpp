#include "voldb/VolumeDbFile.h"

#include "platform/Paths.h"
#include "platform/RegularFile.h"
#include "platform/Termination.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void RealSleep(int ms) { QThread::msleep(static_cast<unsigned long>(ms)); }

VolDbSleep g_sleep = nullptr;

// The folder (under $XDG_STATE_HOME) may not be there before the first write.
bool MakeFolderOf(const QString& path)
{
    const QString folder = PathRemoveFileSpec(path);
    return folder.isEmpty() || QDir().mkpath(folder);
}

} // namespace

void SetVolumeDbWaitSleep(VolDbSleep sleep) { g_sleep = sleep; }

CVolumeDbFile::~CVolumeDbFile() { Close(); }

void CVolumeDbFile::Close()
{
    if (m_fd >= 0)
        ::close(m_fd); // releases the lock
    m_fd = -1;
}

VolDbOpen CVolumeDbFile::OpenForReading(const QString& path) { return Open(path, false); }

VolDbOpen CVolumeDbFile::OpenForWriting(const QString& path) { return Open(path, true); }

VolDbOpen CVolumeDbFile::Open(const QString& path, bool bWrite)
{
    Close();
    // Pipes and devices are never opened: reading some of them waits for good.
    switch (CheckFileKind(path)) {
    case FileKind::Regular:
        break;
    case FileKind::Missing:
        if (!bWrite)
            return VolDbOpen::Missing;
        if (!MakeFolderOf(path))
            return VolDbOpen::Unusable;
        break;
    case FileKind::Unreadable:
    case FileKind::Other:
        return VolDbOpen::Unusable;
    }
    const QByteArray name = QFile::encodeName(path);
    const int flags = (bWrite ? O_RDWR | O_CREAT : O_RDONLY) | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    for (int i = 0; i < VOLDB_WAIT_TRIES; ++i) {
        const int fd = ::open(name.constData(), flags, 0666);
        if (fd < 0)
            return errno == ENOENT && !bWrite ? VolDbOpen::Missing : VolDbOpen::Unusable;
        if (::flock(fd, (bWrite ? LOCK_EX : LOCK_SH) | LOCK_NB) == 0) {
            // Looked at once the lock is held, so the size is the one we work on.
            struct stat st;
            if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > VOLDB_MAX_FILE_BYTES) {
                ::close(fd);
                return VolDbOpen::Unusable;
            }
            m_fd = fd;
            return VolDbOpen::Opened;
        }
        const int err = errno;
        ::close(fd);
        if (err != EWOULDBLOCK && err != EINTR)
            return VolDbOpen::Unusable;
        if (TerminationRequested())
            break;
        (g_sleep ? g_sleep : RealSleep)(VOLDB_WAIT_INTERVAL_MS);
    }
    return VolDbOpen::TimedOut;
}

qint64 CVolumeDbFile::Size() const
{
    struct stat st;
    return m_fd >= 0 && ::fstat(m_fd, &st) == 0 ? static_cast<qint64>(st.st_size) : -1;
}

bool CVolumeDbFile::ReadAt(qint64 offset, qint64 bytes, QByteArray* pOut) const
{
    pOut->clear();
    if (m_fd < 0 || offset < 0 || bytes < 0 || bytes > VOLDB_MAX_FILE_BYTES)
        return false;
    pOut->resize(bytes);
    qint64 done = 0;
    while (done < bytes) {
        const ssize_t n = ::pread(m_fd, pOut->data() + done, static_cast<size_t>(bytes - done),
            static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            pOut->clear();
            return false;
        }
        if (n == 0)
            break;
        done += n;
    }
    pOut->truncate(done);
    return true;
}

bool CVolumeDbFile::WriteAt(qint64 offset, const QByteArray& bytes)
{
    if (m_fd < 0 || offset < 0)
        return false;
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(m_fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done),
            static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

bool CVolumeDbFile::Truncate(qint64 size)
{
    return m_fd >= 0 && ::ftruncate(m_fd, static_cast<off_t>(size)) == 0;
}
