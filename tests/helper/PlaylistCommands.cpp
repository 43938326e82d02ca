#include "HelperCommands.h"

#include <QFile>

#include <cstdio>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

// hold-lock <file> <shared|exclusive>: takes the lock, prints "locked" and
// keeps the lock until its standard input is closed.
ORV_HELPER_COMMAND(holdLock, "hold-lock")
{
    if (args.size() != 2)
        return 2;
    const int fd = ::open(QFile::encodeName(args[0]).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return 1;
    if (::flock(fd, args[1] == QLatin1String("shared") ? LOCK_SH : LOCK_EX) != 0)
        return 1;
    std::fputs("locked\n", stdout);
    std::fflush(stdout);
    char buf[64];
    while (::read(STDIN_FILENO, buf, sizeof buf) > 0) {
    }
    ::close(fd);
    return 0;
}
