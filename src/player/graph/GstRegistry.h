#pragma once
// The filter registry on GStreamer's: every element factory, or those with
// an output whose ever-present input names one of the given caps (a sink
// that takes any caps matches none, as a wildcard type does not).

#include "player/graph/MediaGraph.h"

class CGstFilterRegistry final : public IFilterRegistry {
public:
    HRESULT EnumAllFilters(std::vector<FilterMoniker>* pFilters) override;
    HRESULT EnumMatchingFilters(const QStringList& inputTypes, std::vector<FilterMoniker>* pFilters) override;
};
