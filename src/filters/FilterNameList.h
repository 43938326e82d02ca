#pragma once
// An ordered list of at most 50 filter names (black list, first-use list).

#include <QString>

#include <array>

class FilterNameList {
public:
    static constexpr int MAX_NAMES = 50;

    int GetCount() const { return m_nCount; }
    bool IsFull() const { return m_nCount >= MAX_NAMES; }
    // "" outside 0 .. count-1.
    QString GetAt(int i) const;
    // False when the list is full.
    bool Add(const QString& name);
    // Shifts the following names down; an index outside the list removes nothing.
    void Remove(int i);
    void Clear();
    // Exact, case-sensitive.
    bool Contains(const QString& name) const;

private:
    std::array<QString, MAX_NAMES> m_names;
    int m_nCount = 0;
};
