#include "filters/FilterCategories.h"

#include "player/graph/MediaGraph.h"
#include "res/StringIds.h"

#include <array>

namespace {

// The stream and decoder types as GStreamer's caps name them.
const QString kMpeg1System = QStringLiteral("video/mpeg, systemstream=true, mpegversion=1");
const QString kMpeg2Program = QStringLiteral("video/mpeg, systemstream=true, mpegversion=2");
const QString kMpeg2Transport = QStringLiteral("video/mpegts, systemstream=true");
const QString kMpeg1Video = QStringLiteral("video/mpeg, mpegversion=1, systemstream=false");
const QString kMpeg2Video = QStringLiteral("video/mpeg, mpegversion=2, systemstream=false");

const std::array<FilterCategory, FILTER_CATEGORY_COUNT>& Categories()
{
    static const std::array<FilterCategory, FILTER_CATEGORY_COUNT> categories { {
        { "MPEG-1 Splitter", { kMpeg1System } },
        { "MPEG-2 Splitter", { kMpeg2Program, kMpeg2Video } },
        { "MPEG-2 Demultiplexer", { kMpeg2Program, kMpeg2Transport } },
        { "MPEG-1 Video Decoder", { kMpeg1Video } },
        { "MPEG-1 Audio Decoder", { QStringLiteral("audio/mpeg, mpegversion=1") } },
        { "MPEG-2 Video Decoder", { kMpeg2Video } },
        { "MPEG-2 Audio Decoder",
            { QStringLiteral("audio/mpeg, mpegversion=1, layer=2"), QStringLiteral("audio/x-ac3"),
                QStringLiteral("audio/ac3") } },
        { "全てのDirectShowフィルタ", {} },
    } };
    return categories;
}

} // namespace

const FilterCategory& GetFilterCategory(int nCategory)
{
    return Categories().at(static_cast<size_t>(nCategory));
}

int FindCategoryFilters(IMediaGraphFactory& factory, int nCategory, QStringList* pNames)
{
    pNames->clear();
    const FilterCategory& category = GetFilterCategory(nCategory);
    const bool bAll = category.inputTypes.isEmpty();

    std::unique_ptr<IFilterRegistry> pRegistry;
    if (FAILED(factory.CreateFilterRegistry(&pRegistry)) || !pRegistry)
        return bAll ? IDS_DEV_ENUM_FAILED : IDS_FILTER_MAPPER_FAILED;

    std::vector<FilterMoniker> monikers;
    if (bAll) {
        // No filters at all, or none that could be listed: the list stays empty.
        if (pRegistry->EnumAllFilters(&monikers) != S_OK)
            return 0;
    } else if (FAILED(pRegistry->EnumMatchingFilters(category.inputTypes, &monikers))) {
        return IDS_ENUM_FILTERS_FAILED;
    }
    for (const FilterMoniker& moniker : monikers)
        if (!moniker.strFriendlyName.isEmpty())
            *pNames << moniker.strFriendlyName;
    return 0;
}
