#pragma once
// The playlist: up to 1024 file paths with a current position, a repeat mode
// and a rule for repeated paths. The main frame owns one; temporary ones
// carry the files of a folder, a playlist file or the command line until
// they are merged with Append.

#include "platform/FileWait.h"
#include "platform/WinTypes.h"

#include <QString>

#include <array>
#include <cstdint>

constexpr int PLAYLIST_MAX = 1024;
constexpr int RANDOM_HISTORY_SIZE = 512;
constexpr std::int32_t RANDOM_HISTORY_EMPTY = 0xFFFF;

// m_nLoopMode values.
constexpr int LOOP_NONE = 0;
constexpr int LOOP_ALL = 1;
constexpr int LOOP_RANDOM = 2;

// What Load came to.
constexpr int PLAYLIST_LOAD_DONE = 0;     // read to the end
constexpr int PLAYLIST_LOAD_AT_LIMIT = 1; // stopped at the 1024-entry limit
constexpr int PLAYLIST_LOAD_FAILED = 2;   // the file could not be opened
constexpr int PLAYLIST_LOAD_IN_USE = 3;   // another process held it through the wait

class CPlayList {
public:
    CPlayList();

    // Empties the list, its history and its position; mode and duplicates
    // rule stay.
    void Clear();
    // Makes the first entry current (a random one in random mode).
    void Rewind();
    // Empty when the index is outside the list.
    QString GetAt(int nIndex) const;
    int GetCount() const { return m_nCount; }
    // Move the current position by the repeat mode; the new current entry,
    // or empty when there is none that way.
    QString Next();
    QString Prev();
    // A random index that is none of the last floor(n/2) picks; recorded.
    int PickRandom();
    // Forgets the random picks and reseeds the generator.
    void ResetRandomHistory();
    // Paths compare exactly: Linux file names are case-sensitive.
    BOOL Contains(const QString& path) const;
    // Refused when the list is full, or when the path is already in it and
    // duplicates are not allowed. No message.
    BOOL Add(const QString& path);
    // Replaces this list by the other under this list's duplicates rule.
    void Assign(const CPlayList& other);
    // Merges the other list, all or nothing: FALSE, and nothing added, when
    // the merge would go beyond 1024 entries (the caller tells the user,
    // IDS_PLAYLIST_FULL). TRUE when merged.
    BOOL Append(const CPlayList& other);

    // Playlist files (.orvl, .m3u). Load gives a PLAYLIST_LOAD_* code.
    // Neither shows a message: the caller reports a failure, and a file held
    // by another process (IDS_FILE_IN_USE).
    int Load(const QString& path);
    // Replaces the file as a whole. Done clears m_bModified; otherwise the
    // file is as it was and the list stays modified.
    FileWaitResult Save(const QString& path);

    // Entries were added since the list was cleared, loaded as one playlist
    // file, or saved.
    BOOL m_bModified = FALSE;
    // -1: no current entry.
    int m_nCurrent = -1;
    int m_nLoopMode = LOOP_NONE;
    BOOL m_bAllowDuplicates = FALSE;

private:
    // Stores the path when the rules let it in; does not touch m_bModified.
    BOOL Store(const QString& path);
    int Rand();
    void Reseed();

    std::array<std::int32_t, RANDOM_HISTORY_SIZE> m_aRandomHistory {};
    int m_nCount = 0;
    std::array<QString, PLAYLIST_MAX> m_strEntries;
    std::uint32_t m_nRandState = 0;
};
