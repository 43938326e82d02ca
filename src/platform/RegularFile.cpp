#include "platform/RegularFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FileKind CheckFileKind(const QString& path)
{
    if (path.isEmpty())
        return FileKind::Missing;
    const QByteArray name = QFile::encodeName(path);
    // Devices are not even opened: for some, opening does something.
    struct stat st;
    if (::stat(name.constData(), &st) != 0)
        return errno == ENOENT || errno == ENOTDIR ? FileKind::Missing : FileKind::Unreadable;
    if (!S_ISREG(st.st_mode))
        return FileKind::Other;
    // O_NONBLOCK in case the name was swapped for a pipe since the look;
    // what was opened is checked again.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? FileKind::Missing : FileKind::Unreadable;
    const bool bRegular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    return bRegular ? FileKind::Regular : FileKind::Other;
}
