#pragma once
// Opening a file that another copy of the program may be using. Readers share
// the file, a writer holds it alone (advisory flock locks); a file held by
// another process is tried again every 500 ms for 10 seconds.

#include <QByteArray>
#include <QFile>
#include <QString>

constexpr int FILE_WAIT_TRIES = 20;
constexpr int FILE_WAIT_INTERVAL_MS = 500;

// What a waiting open or replace came to. Neither shows a message: a caller
// that meets TimedOut tells the user (IDS_FILE_IN_USE).
enum class FileWaitResult {
    Done,
    // The file could not be opened (missing, refused, not a file) or written;
    // found at once, without waiting.
    Failed,
    // Another process held the file through every try.
    TimedOut,
};

// Opens `path` into `file` with a C stdio mode ("r", "r+", "w", "w+", "a",
// "a+"; a "b" is accepted and means nothing here). "w" truncates only once
// the lock is held, so a reader never sees a file emptied under it.
FileWaitResult OpenFileWait(QFile& file, const QString& path, const char* mode);

// Gives `path` the content `bytes` so that the file is at every moment the
// old content or the new one whole: a hidden file beside it is written, put
// on disk and renamed over it. The old file's permission bits are kept; a
// link is followed. The old file is locked as "w" locks it, with the same
// wait. On failure the old file is untouched and nothing new remains in its
// folder.
FileWaitResult ReplaceFileWait(const QString& path, const QByteArray& bytes);

// How OpenFileWait waits between tries. Tests put in a shorter wait;
// nullptr puts the real one back.
using FileWaitSleep = void (*)(int ms);
void SetFileWaitSleep(FileWaitSleep sleep);
