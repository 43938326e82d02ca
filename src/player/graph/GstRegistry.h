#pragma once
// The filter registry on GStreamer's: every element factory, or those whose
// input accepts given caps.

#include "player/graph/MediaGraph.h"

class CGstFilterRegistry final : public IFilterRegistry {
public:
    HRESULT EnumAllFilters(std::vector<FilterMoniker>* pFilters) override;
    HRESULT EnumMatchingFilters(const QStringList& inputTypes, std::vector<FilterMoniker>* pFilters) override;
};
