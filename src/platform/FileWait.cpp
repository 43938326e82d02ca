#include "platform/FileWait.h"

#include "platform/Termination.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <QThread>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void RealSleep(int ms) { QThread::msleep(static_cast<unsigned long>(ms)); }

FileWaitSleep g_sleep = nullptr;

struct OpenSpec {
    int flags = 0;
    QIODevice::OpenMode qtMode;
    bool truncate = false;
};

bool ParseMode(const char* mode, OpenSpec* spec)
{
    if (!mode || !*mode)
        return false;
    const bool plus = std::strchr(mode + 1, '+') != nullptr;
    switch (mode[0]) {
    case 'r':
        spec->flags = plus ? O_RDWR : O_RDONLY;
        spec->qtMode = plus ? QIODevice::ReadWrite : QIODevice::ReadOnly;
        return true;
    case 'w':
        spec->flags = (plus ? O_RDWR : O_WRONLY) | O_CREAT;
        spec->qtMode = plus ? QIODevice::ReadWrite : QIODevice::WriteOnly;
        spec->truncate = true;
        return true;
    case 'a':
        spec->flags = (plus ? O_RDWR : O_WRONLY) | O_CREAT | O_APPEND;
        spec->qtMode = (plus ? QIODevice::ReadWrite : QIODevice::WriteOnly) | QIODevice::Append;
        return true;
    default:
        return false;
    }
}

// Opens the file and takes the advisory lock, trying again while another
// process holds it. Done gives the descriptor in *pFd; Failed the errno of
// the open or the lock in *pErr (ENOENT: no such file).
FileWaitResult OpenLocked(const QByteArray& name, int flags, int lock, int* pFd, int* pErr)
{
    for (int i = 0; i < FILE_WAIT_TRIES; ++i) {
        // Without waiting: a pipe in a file's place must not hang the window.
        const int fd = ::open(name.constData(), flags | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0666);
        if (fd < 0) {
            *pErr = errno;
            return FileWaitResult::Failed;
        }
        if (::flock(fd, lock | LOCK_NB) == 0) {
            *pFd = fd;
            return FileWaitResult::Done;
        }
        const int err = errno;
        ::close(fd);
        if (err != EWOULDBLOCK) {
            *pErr = err;
            return FileWaitResult::Failed;
        }
        // A program told to end does not wait out another's lock.
        if (TerminationRequested())
            break;
        (g_sleep ? g_sleep : RealSleep)(FILE_WAIT_INTERVAL_MS);
    }
    return FileWaitResult::TimedOut;
}

bool WriteAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        left -= n;
    }
    return true;
}

// The file a replace must write: a link is followed, so the link stays and
// the file it names gets the new content.
QString ReplaceTarget(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    return info.exists() ? info.canonicalFilePath() : info.symLinkTarget();
}

// Writes the bytes to a new file beside the target, puts them on disk and
// renames the file over the target; pMode: permission bits to give it (a new
// file gets the usual ones). No new file remains when this fails.
bool WriteBeside(const QString& target, const QByteArray& bytes, const mode_t* pMode)
{
    const QString folder = QFileInfo(target).absolutePath();
    QByteArray temp;
    int fd = -1;
    for (int i = 0; i < 100 && fd < 0; ++i) {
        temp = QFile::encodeName(
            folder + QStringLiteral("/.orv-%1.tmp").arg(QRandomGenerator::global()->generate64(), 0, 36));
        fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;
    // Some file systems (FAT) keep no permission bits; that is no reason to
    // refuse the save.
    if (pMode)
        (void)::fchmod(fd, *pMode);
    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.constData(), QFile::encodeName(target).constData()) == 0;
    if (!ok) {
        ::unlink(temp.constData());
        return false;
    }
    // The rename itself reaches the disk with the folder.
    const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        (void)::fsync(dir);
        ::close(dir);
    }
    return true;
}

} // namespace

void SetFileWaitSleep(FileWaitSleep sleep) { g_sleep = sleep; }

FileWaitResult OpenFileWait(QFile& file, const QString& path, const char* mode)
{
    OpenSpec spec;
    if (!ParseMode(mode, &spec) || path.isEmpty())
        return FileWaitResult::Failed;
    const int lock = (spec.flags & O_ACCMODE) == O_RDONLY ? LOCK_SH : LOCK_EX;
    int fd = -1;
    int err = 0;
    const FileWaitResult opened = OpenLocked(QFile::encodeName(path), spec.flags, lock, &fd, &err);
    if (opened != FileWaitResult::Done)
        return opened;
    // Only ordinary files hold lists and settings; a device or a pipe would
    // never end.
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return FileWaitResult::Failed;
    }
    if ((spec.truncate && ::ftruncate(fd, 0) != 0)
        || !file.open(fd, spec.qtMode | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return FileWaitResult::Failed;
    }
    return FileWaitResult::Done;
}

FileWaitResult ReplaceFileWait(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty())
        return FileWaitResult::Failed;
    const QString target = ReplaceTarget(path);
    // The old file is held as a writer holds it until the new one has taken
    // its place, so a reader waits and then reads the new one whole. Opening
    // it for writing keeps a file the user may not write from being replaced.
    int held = -1;
    int err = 0;
    const FileWaitResult opened = OpenLocked(QFile::encodeName(target), O_WRONLY | O_NONBLOCK, LOCK_EX, &held, &err);
    if (opened == FileWaitResult::TimedOut || (opened == FileWaitResult::Failed && err != ENOENT))
        return opened;
    mode_t mode = 0;
    if (held >= 0) {
        struct stat st;
        if (::fstat(held, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(held);
            return FileWaitResult::Failed;
        }
        mode = st.st_mode & 07777;
    }
    const bool ok = WriteBeside(target, bytes, held >= 0 ? &mode : nullptr);
    if (held >= 0)
        ::close(held);
    return ok ? FileWaitResult::Done : FileWaitResult::Failed;
}
