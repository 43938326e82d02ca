#pragma once
// Opening a file that another copy of the program may be using. Readers share
// the file, a writer holds it alone (advisory flock locks); a file held by
// another process is tried again every 500 ms for 10 seconds.

#include "platform/WinTypes.h"

#include <QFile>
#include <QString>

constexpr int FILE_WAIT_TRIES = 20;
constexpr int FILE_WAIT_INTERVAL_MS = 500;

// Opens `path` into `file` with a C stdio mode ("r", "r+", "w", "w+", "a",
// "a+"; a "b" is accepted and means nothing here). "w" truncates only once
// the lock is held, so a reader never sees a file emptied under it.
// A file that cannot be opened at all fails at once and quietly; a file that
// stays locked by another process fails after the retries with message 62112.
BOOL OpenFileWait(QFile& file, const QString& path, const char* mode);

// How OpenFileWait waits between tries. Tests put in a shorter wait;
// nullptr puts the real one back.
using FileWaitSleep = void (*)(int ms);
void SetFileWaitSleep(FileWaitSleep sleep);
