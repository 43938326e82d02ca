#pragma once
// The kinds of filter the filter list dialog offers, and the search for the
// installed filters of a kind.

#include <QString>
#include <QStringList>

class IMediaGraphFactory;

struct FilterCategory {
    const char* pszName;
    // Media-framework types the filter's input must accept; empty for the
    // category of every filter.
    QStringList inputTypes;
};

constexpr int FILTER_CATEGORY_COUNT = 8;
// In the order the dialog lists them.
const FilterCategory& GetFilterCategory(int nCategory);

// The names of the category's installed filters, in the registry's order,
// duplicates included and nameless filters left out. 0, or the id of the
// message that says what failed (*pNames is then empty).
int FindCategoryFilters(IMediaGraphFactory& factory, int nCategory, QStringList* pNames);
