#include "player/GraphCB.h"

#include "filters/FilterNameList.h"

long CGraphCB::AddRef() { return ++m_nRefCount; }

long CGraphCB::Release()
{
    if (m_nRefCount > 0)
        --m_nRefCount;
    return m_nRefCount;
}

HRESULT CGraphCB::SelectedFilter(const FilterMoniker& moniker)
{
    if (!m_pBlackList || moniker.strFriendlyName.isEmpty())
        return S_OK;
    return m_pBlackList->Contains(moniker.strFriendlyName) ? E_FAIL : S_OK;
}

HRESULT CGraphCB::CreatedFilter(const FilterMoniker&) { return S_OK; }
