#pragma once
// The volume each file had when the user left it, kept for the run in a
// cache of up to 1000 files and across runs in the database file: UTF-16LE
// with a byte-order mark, one line "path|NNN" (CR LF) per file. A changed
// value is rewritten in place at its line's byte offset, a new file is
// appended; the file is never rewritten as a whole. Only the primary
// instance writes it. Paths compare exactly, as Linux file names do.
//
// The frame owns one and calls it from the UI thread only. It shows no
// message: a file held by another process for the whole wait is reported
// through TakeTimedOut.

#include "platform/WinTypes.h"

#include <QString>

#include <array>

constexpr int VOLDB_CACHE_SIZE = 1000;

class CVolumeDbFile;
enum class VolDbOpen;

class CVolumeDB {
public:
    // strPath: the database file (VolumeDbFilePath()). bPrimary: this is
    // the primary instance, the only one that writes the file.
    CVolumeDB(QString strPath, BOOL bPrimary);

    // The stored volume (0..100) of the file now loaded, or -1 when none is
    // known. Binds the database to that file.
    int Lookup(const QString& path);
    // Records the volume (clamped to 0..100) of the file being left, and
    // binds the database to it for Flush. FALSE when it cannot be
    // kept: the cache is full and the file is not in it, or the path cannot
    // be written as a line ("|", a line break).
    BOOL Remember(const QString& path, int nVolume);
    // Writes the bound file's entry when it changed (primary only) and ends
    // the binding. FALSE when nothing was bound or the write failed; a
    // failed write is tried again when the file is next left.
    BOOL Flush();
    // Forgets the bound file (after a failed load or play).
    void ForgetCurrent();
    // Deletes the file; every cached entry then counts as not yet written,
    // so it is appended to a new file when it is next left. FALSE when the
    // file is still there (nothing is changed then).
    BOOL Reset();

    // TRUE once when a file access since the last call gave up after
    // waiting for another process; the caller shows IDS_FILE_IN_USE.
    BOOL TakeTimedOut();

    // A line that cannot be read back as the same path is never written.
    static bool IsStorablePath(const QString& path);

    enum EntryState {
        ENTRY_NEW = 0,     // not in the file yet: appended
        ENTRY_CHANGED = 1, // in the file with an older value: rewritten in place
        ENTRY_STORED = 2,  // in the file as cached
    };

    struct Entry {
        QString strName;           // empty in unused slots
        int nVolume = 50;          // 0..100
        EntryState nState = ENTRY_STORED;
        qint64 llOffset = 0;       // byte offset of the entry's line in the file
    };

    // The stored volume of `path` in the file, or -1; *pOffset: the byte
    // offset of its line (0 when none). The first line of that path wins.
    int ReadEntry(const QString& path, qint64* pOffset);
    // Brings the entry's line in the file up to date; on success the entry
    // is ENTRY_STORED at its line's offset.
    BOOL WriteEntry(Entry& entry);

private:
    int FindCached(const QString& path) const;
    // In place at the entry's offset; when its line is no longer there (the
    // file changed behind our back), at the line a lookup now takes, else
    // appended.
    bool RewriteLine(CVolumeDbFile& file, Entry& entry);
    bool AppendLine(CVolumeDbFile& file, Entry& entry);
    void NoteOpen(VolDbOpen result);

    QString m_strPath;
    BOOL m_bPrimary;
    std::array<Entry, VOLDB_CACHE_SIZE> m_aEntry;
    int m_nCurrent = -1;
    int m_nCount = 0;
    BOOL m_bLookedUp = FALSE;
    BOOL m_bTimedOut = FALSE;
};
