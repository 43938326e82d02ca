#pragma once
// Opening a file that another copy of the program may be using. Readers share
// the file, a writer holds it alone (advisory flock locks); a file held by
// another process is tried again every 500 ms for 10 seconds.

#include "platform/WinTypes.h"

#include <QByteArray>
#include <QFile>
#include <QString>

constexpr int FILE_WAIT_TRIES = 20;
constexpr int FILE_WAIT_INTERVAL_MS = 500;

// Opens `path` into `file` with a C stdio mode ("r", "r+", "w", "w+", "a",
// "a+"; a "b" is accepted and means nothing here). "w" truncates only once
// the lock is held, so a reader never sees a file emptied under it.
// A file that cannot be opened at all fails at once and quietly; a file that
// stays locked by another process fails after the retries with IDS_FILE_IN_USE.
BOOL OpenFileWait(QFile& file, const QString& path, const char* mode);

// Gives `path` the content `bytes` so that the file is at every moment the
// old content or the new one whole: a hidden file beside it is written, put
// on disk and renamed over it. The old file's permission bits are kept; a
// link is followed. The old file is locked as "w" locks it, with the same
// wait and message. On failure the old file is untouched and nothing new
// remains in its folder.
BOOL ReplaceFileWait(const QString& path, const QByteArray& bytes);

// How OpenFileWait waits between tries. Tests put in a shorter wait;
// nullptr puts the real one back.
using FileWaitSleep = void (*)(int ms);
void SetFileWaitSleep(FileWaitSleep sleep);
