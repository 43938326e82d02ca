#include "platform/RuntimeDir.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString BaseFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && runtime.startsWith(QLatin1Char('/')) && QFileInfo(runtime).isDir())
        return runtime + QStringLiteral("/orv");
    return QStringLiteral("/tmp/orv-%1").arg(::geteuid());
}

QString Refuse(QString* pError, const QString& why)
{
    if (pError)
        *pError = why;
    return QString();
}

} // namespace

bool IsPrivateToUser(int fd)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return false;
    return st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

QString PrivateRuntimeDir(QString* pError)
{
    const QString path = BaseFolder();
    const QByteArray native = path.toLocal8Bit();
    if (::mkdir(native.constData(), 0700) == 0)
        ::chmod(native.constData(), 0700); // whatever the umask took away
    else if (errno != EEXIST)
        return Refuse(pError, QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno))));

    // O_NOFOLLOW: a link planted in place of the folder fails here instead of
    // leading somewhere else.
    const int fd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return Refuse(pError, QStringLiteral("%1 is not a folder of its own").arg(path));
    const bool ok = IsPrivateToUser(fd);
    ::close(fd);
    if (!ok)
        return Refuse(pError, QStringLiteral("%1 is not private to this user").arg(path));
    return path;
}
