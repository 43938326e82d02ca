#include "platform/ResString.h"

#include "res/StringTable.h"

#include <algorithm>

namespace {
const ResStringEntry* Find(int id)
{
    const ResStringEntry* end = kResStrings + kResStringCount;
    const ResStringEntry* it = std::lower_bound(kResStrings, end, id,
        [](const ResStringEntry& e, int v) { return e.id < v; });
    return (it != end && it->id == id) ? it : nullptr;
}
} // namespace

QString LoadResString(int id)
{
    const ResStringEntry* e = Find(id);
    return e ? QString::fromUtf8(e->text) : QString();
}

bool HasResString(int id) { return Find(id) != nullptr; }

std::vector<int> AllResStringIds()
{
    std::vector<int> ids;
    ids.reserve(static_cast<size_t>(kResStringCount));
    for (int i = 0; i < kResStringCount; ++i)
        ids.push_back(kResStrings[i].id);
    return ids;
}
