#include "filters/FilterNameList.h"

QString FilterNameList::GetAt(int i) const
{
    return (i >= 0 && i < m_nCount) ? m_names[static_cast<size_t>(i)] : QString();
}

bool FilterNameList::Add(const QString& name)
{
    if (IsFull())
        return false;
    m_names[static_cast<size_t>(m_nCount++)] = name;
    return true;
}

void FilterNameList::Remove(int i)
{
    if (i < 0 || i >= m_nCount)
        return;
    for (int k = i; k + 1 < m_nCount; ++k)
        m_names[static_cast<size_t>(k)] = m_names[static_cast<size_t>(k + 1)];
    m_names[static_cast<size_t>(--m_nCount)].clear();
}

void FilterNameList::Clear()
{
    for (QString& n : m_names)
        n.clear();
    m_nCount = 0;
}

bool FilterNameList::Contains(const QString& name) const
{
    for (int i = 0; i < m_nCount; ++i)
        if (m_names[static_cast<size_t>(i)] == name)
            return true;
    return false;
}
