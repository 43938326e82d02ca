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
    return TRUE;
}

void CPlayList::Assign(const CPlayList& other)
{
    if (&other == this)
        return;
    Clear();
    for (int i = 0; i < other.m_nCount; ++i)
        Store(other.m_strEntries[static_cast<size_t>(i)]);
    m_bModified = other.m_bModified;
    // Entries dropped as repeats may leave the other list's position beyond
    // this one's end.
    m_nCurrent = other.m_nCurrent < m_nCount ? other.m_nCurrent : -1;
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
    for (const QString& path : incoming)
        if (Store(path))
            m_bModified = TRUE;
    return TRUE;
}
