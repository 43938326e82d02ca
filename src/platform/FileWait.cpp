#include "platform/FileWait.h"

#include "platform/ModalSeam.h"

#include <QThread>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
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

} // namespace

void SetFileWaitSleep(FileWaitSleep sleep) { g_sleep = sleep; }

BOOL OpenFileWait(QFile& file, const QString& path, const char* mode)
{
    OpenSpec spec;
    if (!ParseMode(mode, &spec) || path.isEmpty())
        return FALSE;
    const QByteArray name = QFile::encodeName(path);
    const int lock = (spec.flags & O_ACCMODE) == O_RDONLY ? LOCK_SH : LOCK_EX;

    for (int i = 0; i < FILE_WAIT_TRIES; ++i) {
        const int fd = ::open(name.constData(), spec.flags | O_CLOEXEC, 0666);
        if (fd < 0)
            return FALSE;
        if (::flock(fd, lock | LOCK_NB) == 0) {
            if ((spec.truncate && ::ftruncate(fd, 0) != 0)
                || !file.open(fd, spec.qtMode | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
                ::close(fd);
                return FALSE;
            }
            return TRUE;
        }
        const int err = errno;
        ::close(fd);
        if (err != EWOULDBLOCK)
            return FALSE;
        (g_sleep ? g_sleep : RealSleep)(FILE_WAIT_INTERVAL_MS);
    }
    AfxMessageBox(62112, MB_ICONERROR);
    return FALSE;
}
