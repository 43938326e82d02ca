#include "playlist/PlayList.h"

#include <QDateTime>

#include <algorithm>
#include <vector>

CPlayList::CPlayList()
{
    Clear();
}

void CPlayList::Clear()
{
    ClearEntries();
    Notify(PlayListChange::Entries);
}

void CPlayList::ClearEntries()
{
    m_aRandomHistory.fill(RANDOM_HISTORY_EMPTY);
    for (int i = 0; i < m_nCount; ++i)
        m_strEntries[static_cast<size_t>(i)].clear();
    m_nCount = 0;
    m_bModified = FALSE;
    m_nCurrent = -1;
    Reseed();
}

void CPlayList::Reseed()
{
    m_nRandState = static_cast<std::uint32_t>(QDateTime::currentMSecsSinceEpoch());
}

// A generator with the range of the C runtime's rand, 0 to 32767, kept per
// list so that one list's picks do not disturb another's.
int CPlayList::Rand()
{
    m_nRandState = m_nRandState * 214013u + 2531011u;
    return static_cast<int>((m_nRandState >> 16) & 0x7FFF);
}

void CPlayList::ResetRandomHistory()
{
    m_aRandomHistory.fill(RANDOM_HISTORY_EMPTY);
    Reseed();
}

void CPlayList::Rewind()
{
    if (m_nLoopMode == LOOP_RANDOM) {
        ResetRandomHistory();
        m_nCurrent = PickRandom();
    } else {
        m_nCurrent = 0;
    }
    Notify(PlayListChange::Current);
}

QString CPlayList::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return QString();
    return m_strEntries[static_cast<size_t>(nIndex)];
}

int CPlayList::PickRandom()
{
    // There is nothing to pick from an empty list; index 0 stands in.
    if (m_nCount <= 0)
        return 0;
    const int h = m_nCount / 2;
    int r;
    bool bRecent;
    do {
        r = Rand() % m_nCount;
        bRecent = false;
        for (int i = 0; i < h && m_aRandomHistory[static_cast<size_t>(i)] != RANDOM_HISTORY_EMPTY; ++i) {
            if (m_aRandomHistory[static_cast<size_t>(i)] == r) {
                bRecent = true;
                break;
            }
        }
    } while (bRecent);
    for (int i = h - 1; i >= 1; --i)
        m_aRandomHistory[static_cast<size_t>(i)] = m_aRandomHistory[static_cast<size_t>(i - 1)];
    m_aRandomHistory[0] = r;
    return r;
}

QString CPlayList::Next()
{
    if (m_nCount == 0)
        return QString();
    switch (m_nLoopMode) {
    case LOOP_ALL:
        if (++m_nCurrent >= m_nCount)
            m_nCurrent = 0;
        break;
    case LOOP_RANDOM:
        m_nCurrent = PickRandom();
        break;
    default:
        // Past the last entry the index stays at the count until the caller
        // resets it; GetAt gives nothing there.
        ++m_nCurrent;
        break;
    }
    Notify(PlayListChange::Current);
    return GetAt(m_nCurrent);
}

QString CPlayList::Prev()
{
    if (m_nCount == 0 || m_nCurrent < 0)
        return QString();
    switch (m_nLoopMode) {
    case LOOP_ALL:
        m_nCurrent = m_nCurrent == 0 ? m_nCount - 1 : m_nCurrent - 1;
        break;
    case LOOP_RANDOM:
        return QString();
    default:
        if (m_nCurrent == 0)
            return QString();
        --m_nCurrent;
        break;
    }
    Notify(PlayListChange::Current);
    return GetAt(m_nCurrent);
}

BOOL CPlayList::Contains(const QString& path) const
{
    for (int i = 0; i < m_nCount; ++i)
        if (m_strEntries[static_cast<size_t>(i)] == path)
            return TRUE;
    return FALSE;
}

BOOL CPlayList::Store(const QString& path)
{
    if (m_nCount >= PLAYLIST_MAX || (!m_bAllowDuplicates && Contains(path)))
        return FALSE;
    m_strEntries[static_cast<size_t>(m_nCount++)] = path;
    return TRUE;
}

BOOL CPlayList::Add(const QString& path)
{
    if (!Store(path))
        return FALSE;
    m_bModified = TRUE;
    Notify(PlayListChange::Entries);
    return TRUE;
}

void CPlayList::Assign(const CPlayList& other)
{
    if (&other == this)
        return;
    ClearEntries();
    for (int i = 0; i < other.m_nCount; ++i)
        Store(other.m_strEntries[static_cast<size_t>(i)]);
    m_bModified = other.m_bModified;
    // Entries dropped as repeats may leave the other list's position beyond
    // this one's end.
    m_nCurrent = other.m_nCurrent < m_nCount ? other.m_nCurrent : -1;
    Notify(PlayListChange::Entries);
}

BOOL CPlayList::Append(const CPlayList& other)
{
    ResetRandomHistory();

    // The other list's entries under this list's duplicates rule.
    std::vector<QString> incoming;
    incoming.reserve(static_cast<size_t>(other.m_nCount));
    for (int i = 0; i < other.m_nCount; ++i) {
        const QString& path = other.m_strEntries[static_cast<size_t>(i)];
        if (m_bAllowDuplicates || std::find(incoming.begin(), incoming.end(), path) == incoming.end())
            incoming.push_back(path);
    }

    // Counted before the entries this list already holds are dropped, so a
    // merge is refused whole even when it would fit without them.
    if (m_nCount + static_cast<int>(incoming.size()) > PLAYLIST_MAX)
        return FALSE;
    const int nBefore = m_nCount;
    for (const QString& path : incoming)
        if (Store(path))
            m_bModified = TRUE;
    if (m_nCount != nBefore)
        Notify(PlayListChange::Entries);
    return TRUE;
}

BOOL CPlayList::SetCurrent(int nIndex)
{
    if (nIndex < -1 || nIndex >= m_nCount)
        return FALSE;
    m_nCurrent = nIndex;
    Notify(PlayListChange::Current);
    return TRUE;
}

int CPlayList::Remove(std::vector<int> indices)
{
    const int nOld = m_nCount;
    std::vector<int> mapOld(static_cast<size_t>(nOld), 0);
    int nRemoved = 0;
    for (const int i : indices) {
        if (i >= 0 && i < nOld && mapOld[static_cast<size_t>(i)] != -1) {
            mapOld[static_cast<size_t>(i)] = -1;
            ++nRemoved;
        }
    }
    if (nRemoved == 0)
        return 0;
    int nNew = 0;
    for (int i = 0; i < nOld; ++i) {
        if (mapOld[static_cast<size_t>(i)] == -1)
            continue;
        if (i != nNew)
            m_strEntries[static_cast<size_t>(nNew)] = std::move(m_strEntries[static_cast<size_t>(i)]);
        mapOld[static_cast<size_t>(i)] = nNew++;
    }
    for (int i = nNew; i < nOld; ++i)
        m_strEntries[static_cast<size_t>(i)].clear();
    m_nCount = nNew;
    Renumber(mapOld);
    m_bModified = TRUE;
    Notify(PlayListChange::Entries);
    return nRemoved;
}

int CPlayList::Move(std::vector<int> indices, int nBefore)
{
    const int nOld = m_nCount;
    if (nBefore < 0 || nBefore > nOld)
        return -1;
    std::vector<bool> moving(static_cast<size_t>(nOld), false);
    bool bAny = false;
    for (const int i : indices) {
        if (i >= 0 && i < nOld) {
            moving[static_cast<size_t>(i)] = true;
            bAny = true;
        }
    }
    if (!bAny)
        return -1;

    // The old indices in their new order: the staying entries before the
    // gap, the moved ones, the staying ones after it.
    std::vector<int> order;
    order.reserve(static_cast<size_t>(nOld));
    for (int i = 0; i < nBefore; ++i)
        if (!moving[static_cast<size_t>(i)])
            order.push_back(i);
    const int nFirstMoved = static_cast<int>(order.size());
    for (int i = 0; i < nOld; ++i)
        if (moving[static_cast<size_t>(i)])
            order.push_back(i);
    for (int i = nBefore; i < nOld; ++i)
        if (!moving[static_cast<size_t>(i)])
            order.push_back(i);

    std::vector<int> mapOld(static_cast<size_t>(nOld));
    bool bChanged = false;
    for (int k = 0; k < nOld; ++k) {
        mapOld[static_cast<size_t>(order[static_cast<size_t>(k)])] = k;
        bChanged = bChanged || order[static_cast<size_t>(k)] != k;
    }
    if (!bChanged)
        return nFirstMoved;

    std::vector<QString> reordered;
    reordered.reserve(static_cast<size_t>(nOld));
    for (const int i : order)
        reordered.push_back(std::move(m_strEntries[static_cast<size_t>(i)]));
    std::move(reordered.begin(), reordered.end(), m_strEntries.begin());
    Renumber(mapOld);
    m_bModified = TRUE;
    Notify(PlayListChange::Entries);
    return nFirstMoved;
}

void CPlayList::Renumber(const std::vector<int>& mapOld)
{
    const int nOld = static_cast<int>(mapOld.size());
    if (m_nCurrent >= nOld) {
        // Past the end after a last next: it stays past the end.
        m_nCurrent = m_nCount;
    } else if (m_nCurrent >= 0) {
        int nNext = m_nCurrent;
        while (nNext < nOld && mapOld[static_cast<size_t>(nNext)] == -1)
            ++nNext;
        m_nCurrent = nNext < nOld ? mapOld[static_cast<size_t>(nNext)] : m_nCount - 1;
    }

    // The picks follow their entries; a pick of an entry taken out is
    // forgotten, so it can neither keep another entry from being picked
    // nor name an entry that is not there.
    std::array<std::int32_t, RANDOM_HISTORY_SIZE> history;
    history.fill(RANDOM_HISTORY_EMPTY);
    size_t nKept = 0;
    for (const std::int32_t nPick : m_aRandomHistory) {
        if (nPick == RANDOM_HISTORY_EMPTY)
            break;
        if (nPick < 0 || nPick >= nOld || mapOld[static_cast<size_t>(nPick)] == -1)
            continue;
        history[nKept++] = mapOld[static_cast<size_t>(nPick)];
    }
    m_aRandomHistory = history;
}

std::vector<int> CPlayList::RandomHistory() const
{
    std::vector<int> picks;
    for (const std::int32_t nPick : m_aRandomHistory) {
        if (nPick == RANDOM_HISTORY_EMPTY)
            break;
        picks.push_back(nPick);
    }
    return picks;
}

void CPlayList::Notify(PlayListChange change) const
{
    if (m_observer.fn)
        m_observer.fn(change);
}
