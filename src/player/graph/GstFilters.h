#pragma once
// The graph's filters as the player sees them: elements of the pipeline,
// preferred registry entries, and the media types of their connections.

#include "player/graph/MediaGraph.h"

#include <gst/gst.h>

#include <functional>

// uridecodebin's answers to autoplug-select (GstAutoplugSelectResult).
constexpr gint kAutoplugTry = 0;
constexpr gint kAutoplugSkip = 2;

// The media type a pad's current caps describe; Unknown when it has none.
GraphMediaType MediaTypeFromCaps(const GstCaps* pCaps);
// The pins of an element (its pads) and the media type at one of them.
HRESULT EnumElementPins(GstElement* pElement, std::vector<GraphPin>* pPins);
HRESULT ElementConnectionMediaType(GstElement* pElement, std::size_t nPin, GraphMediaType* pmt);
// The element's factory as a registry entry.
FilterMoniker MonikerOfFactory(GstElementFactory* pFactory);

// A renderer bin: elements of the named factories linked in a row, then
// pTail when given (the bin takes it over), with a ghost "sink" pad on the
// first. The bin is owned by the caller; (*pElements)[i] is the i-th made
// element. Null (with pTail released) when a factory is not installed.
GstElement* MakeChainBin(std::initializer_list<const char*> factories, GstElement* pTail,
    std::vector<GstElement*>* pElements, QString* pstrError);

// Makes the queue of a renderer bin hold a few decoded pictures ahead of the
// one on screen.
void HoldFramesAhead(GstElement* pQueue);

// Defaults shared by every filter: no special interfaces.
class CGstFilterBase : public IGraphFilter {
public:
    HRESULT QueryMediaContent(IAMMediaContent** ppContent) override;
    HRESULT QueryWindowlessControl(IVMRWindowlessControl9** ppControl) override;
    HRESULT QueryDeinterlaceControl(IVMRDeinterlaceControl9** ppControl) override;
};

// An element the decoder chain created, or the file source.
class CGstElementFilter : public CGstFilterBase, public IAMMediaContent {
public:
    // The source answers for the media's tags (read through pTags when asked).
    CGstElementFilter(GstElement* pElement, QString strName, FilterRole role,
        std::function<GstTagList*()> tags = {});
    ~CGstElementFilter() override;

    HRESULT QueryFilterInfo(QString* pName) override;
    FilterRole GetRole() const override { return m_role; }
    HRESULT EnumPins(std::vector<GraphPin>* pPins) override;
    HRESULT ConnectionMediaType(std::size_t nPin, GraphMediaType* pmt) override;
    HRESULT QueryMediaContent(IAMMediaContent** ppContent) override;

    HRESULT get_AuthorName(QString* p) override;
    HRESULT get_Album(QString* p) override;
    HRESULT get_Title(QString* p) override;
    HRESULT get_Rating(QString* p) override;
    HRESULT get_Description(QString* p) override;
    HRESULT get_Copyright(QString* p) override;

    GstElement* Element() const { return m_pElement; }

private:
    HRESULT ReadTag(const char* const* tags, QString* p);

    GstElement* m_pElement;
    QString m_strName;
    FilterRole m_role;
    std::function<GstTagList*()> m_tags;
};

// A registry filter the user prefers. It is "connected" once the pipeline
// holds an element of its factory.
class CGstPreferredFilter : public CGstFilterBase {
public:
    CGstPreferredFilter(FilterMoniker moniker, std::function<bool(const QString&)> isInPipeline);

    HRESULT QueryFilterInfo(QString* pName) override;
    FilterRole GetRole() const override { return FilterRole::Other; }
    HRESULT EnumPins(std::vector<GraphPin>* pPins) override;
    HRESULT ConnectionMediaType(std::size_t nPin, GraphMediaType* pmt) override;

    const FilterMoniker& Moniker() const { return m_moniker; }

private:
    FilterMoniker m_moniker;
    std::function<bool(const QString&)> m_isInPipeline;
};
