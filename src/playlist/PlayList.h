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
#include <functional>
#include <vector>

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

// What a change touched: the entries (and with them possibly the position),
// or only which entry is current.
enum class PlayListChange {
    Entries,
    Current,
};
// Called on the UI thread after the change, with the list consistent.
using PlayListObserver = std::function<void(PlayListChange)>;

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

    // Makes the entry at nIndex current (-1: none); out-of-range indices
    // are refused.
    BOOL SetCurrent(int nIndex);
    // Takes out the entries at these indices (others are ignored); the
    // number taken out. The current entry stays current; when it is taken
    // out, the entry that followed it becomes current (the last one when it
    // was at the end, none when the list is empty). Marks the list modified.
    int Remove(std::vector<int> indices);
    // Moves the entries at these indices, in list order, to just before the
    // entry at nBefore (nBefore = count: to the end). The current entry
    // stays current. The new index of the first moved entry, or -1 when no
    // index was in the list. Marks the list modified when the order changed.
    int Move(std::vector<int> indices, int nBefore);
    // The random picks, most recent first, up to the first empty slot.
    std::vector<int> RandomHistory() const;

    // The one watcher of this list, told after every change of its entries
    // or position. A copy of a list is not watched.
    void SetObserver(PlayListObserver observer) { m_observer.fn = std::move(observer); }

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
    // Kept out of copies and assignments: the watcher belongs to one list.
    struct Watch {
        PlayListObserver fn;
        Watch() = default;
        Watch(const Watch&) {}
        Watch& operator=(const Watch&) { return *this; }
    };

    // Stores the path when the rules let it in; does not touch m_bModified.
    BOOL Store(const QString& path);
    void ClearEntries();
    int ReadFile(const QString& path);
    // Renumbers the position and the random picks after entries were taken
    // out or reordered: mapOld[i] is the new index of old entry i, -1 when
    // it is gone.
    void Renumber(const std::vector<int>& mapOld);
    void Notify(PlayListChange change) const;
    int Rand();
    void Reseed();

    std::array<std::int32_t, RANDOM_HISTORY_SIZE> m_aRandomHistory {};
    int m_nCount = 0;
    std::array<QString, PLAYLIST_MAX> m_strEntries;
    std::uint32_t m_nRandState = 0;
    Watch m_observer;
};
