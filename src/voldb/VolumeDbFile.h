#pragma once
// The volume database file as other copies of the program see it: readers
// share it, a writer holds it alone (advisory flock locks on the file, as
// the settings store and the playlist files take them). A file held by
// another process is tried again every 500 ms for 10 seconds. Nothing here
// shows a message; the caller learns that the wait ran out and says so.

#include <QByteArray>
#include <QString>

constexpr int VOLDB_WAIT_TRIES = 20;
constexpr int VOLDB_WAIT_INTERVAL_MS = 500;
// A larger file is not ours: it is neither read nor written.
constexpr qint64 VOLDB_MAX_FILE_BYTES = 64 * 1024 * 1024;

enum class VolDbOpen {
    Opened,
    Missing,  // no such file (reading only; writing creates it)
    Unusable, // not a regular file, too large, or the system refused it
    TimedOut, // another process held it for the whole wait
};

// One open, locked database file; closing releases the lock.
class CVolumeDbFile {
public:
    CVolumeDbFile() = default;
    ~CVolumeDbFile();
    CVolumeDbFile(const CVolumeDbFile&) = delete;
    CVolumeDbFile& operator=(const CVolumeDbFile&) = delete;

    // Shared lock.
    VolDbOpen OpenForReading(const QString& path);
    // Exclusive lock. A missing file is created (with its folder) in a
    // single attempt and is then empty: the caller writes the byte-order mark.
    VolDbOpen OpenForWriting(const QString& path);
    void Close();

    qint64 Size() const;
    // Up to `bytes` bytes from `offset`; fewer only at the end of the file.
    bool ReadAt(qint64 offset, qint64 bytes, QByteArray* pOut) const;
    bool WriteAt(qint64 offset, const QByteArray& bytes);
    bool Truncate(qint64 size);

private:
    VolDbOpen Open(const QString& path, bool bWrite);

    int m_fd = -1;
};

// How the wait sleeps between tries. Tests put in a shorter wait; nullptr
// puts the real one back.
using VolDbSleep = void (*)(int ms);
void SetVolumeDbWaitSleep(VolDbSleep sleep);
