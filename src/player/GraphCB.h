#pragma once
// The black-list callback the player hands to the graph: a filter whose
// friendly name is on the black list is refused while a file is rendered.

#include "player/graph/MediaGraph.h"

class FilterNameList;

class CGraphCB : public IGraphBuilderCallback {
public:
    // The callback lives inside the player; the count never deletes it.
    long AddRef() override;
    long Release() override;
    // E_FAIL when the name equals a black-list entry exactly (case-sensitive).
    HRESULT SelectedFilter(const FilterMoniker& moniker) override;
    HRESULT CreatedFilter(const FilterMoniker& moniker) override;

    const FilterNameList* m_pBlackList = nullptr;
    int m_nRefCount = 0;
};
