#include "player/graph/GstFilters.h"

#include <QStringList>

#include <gst/audio/audio.h>
#include <gst/video/video.h>

#include <algorithm>
#include <numeric>

namespace {
DWORD InterlaceFlags(GstVideoInterlaceMode mode)
{
    switch (mode) {
    case GST_VIDEO_INTERLACE_MODE_PROGRESSIVE:
        return 0;
    case GST_VIDEO_INTERLACE_MODE_FIELDS:
    case GST_VIDEO_INTERLACE_MODE_ALTERNATE:
        return AMINTERLACE_IsInterlaced | AMINTERLACE_1FieldPerSample;
    default: // interleaved, mixed
        return AMINTERLACE_IsInterlaced | AMINTERLACE_DisplayModeBobOrWeave;
    }
}

std::uint16_t BitsPerPixel(const GstVideoFormatInfo* pInfo)
{
    if (!pInfo)
        return 0;
    double dBits = 0;
    for (guint c = 0; c < GST_VIDEO_FORMAT_INFO_N_COMPONENTS(pInfo); ++c)
        dBits += double(GST_VIDEO_FORMAT_INFO_DEPTH(pInfo, c))
            / double(1 << (GST_VIDEO_FORMAT_INFO_W_SUB(pInfo, c) + GST_VIDEO_FORMAT_INFO_H_SUB(pInfo, c)));
    if (GST_VIDEO_FORMAT_INFO_HAS_ALPHA(pInfo) || GST_VIDEO_FORMAT_INFO_N_COMPONENTS(pInfo) != 3)
        return static_cast<std::uint16_t>(dBits);
    // Packed RGB with a padding byte counts it, as a bitmap does.
    return static_cast<std::uint16_t>(GST_VIDEO_FORMAT_INFO_PSTRIDE(pInfo, 0) == 4 ? 32 : dBits);
}

GstPad* NthPad(GstElement* pElement, std::size_t nPin)
{
    GstPad* pFound = nullptr;
    std::size_t i = 0;
    GST_OBJECT_LOCK(pElement);
    for (GList* l = pElement->pads; l; l = l->next, ++i) {
        if (i == nPin) {
            pFound = GST_PAD(gst_object_ref(l->data));
            break;
        }
    }
    GST_OBJECT_UNLOCK(pElement);
    return pFound;
}
}

GraphMediaType MediaTypeFromCaps(const GstCaps* pCaps)
{
    GraphMediaType mt;
    if (!pCaps || gst_caps_is_empty(pCaps) || !gst_caps_is_fixed(pCaps))
        return mt;
    const GstStructure* pStruct = gst_caps_get_structure(pCaps, 0);
    const char* pszName = gst_structure_get_name(pStruct);
    if (g_str_has_prefix(pszName, "video/")) {
        mt.majortype = MajorType::Video;
        GstVideoInfo info;
        if (!g_str_equal(pszName, "video/x-raw") || !gst_video_info_from_caps(&info, pCaps)) {
            mt.formattype = FormatType::Other;
            return mt;
        }
        const bool bReportsInterlace = gst_structure_has_field(pStruct, "interlace-mode");
        mt.formattype = bReportsInterlace ? FormatType::VideoInfo2 : FormatType::VideoInfo;
        mt.cbFormat = sizeof(VideoInfoHeader);
        VideoInfoHeader& vih = mt.video;
        if (GST_VIDEO_INFO_FPS_N(&info) > 0)
            vih.AvgTimePerFrame = 10000000LL * GST_VIDEO_INFO_FPS_D(&info) / GST_VIDEO_INFO_FPS_N(&info);
        if (bReportsInterlace)
            vih.dwInterlaceFlags = InterlaceFlags(GST_VIDEO_INFO_INTERLACE_MODE(&info));
        const std::int64_t x = std::int64_t(GST_VIDEO_INFO_WIDTH(&info)) * std::max(1, GST_VIDEO_INFO_PAR_N(&info));
        const std::int64_t y = std::int64_t(GST_VIDEO_INFO_HEIGHT(&info)) * std::max(1, GST_VIDEO_INFO_PAR_D(&info));
        const std::int64_t g = std::gcd(x, y);
        if (g > 0) {
            vih.dwPictAspectRatioX = static_cast<DWORD>(x / g);
            vih.dwPictAspectRatioY = static_cast<DWORD>(y / g);
        }
        vih.bmiHeader.biWidth = GST_VIDEO_INFO_WIDTH(&info);
        vih.bmiHeader.biHeight = GST_VIDEO_INFO_HEIGHT(&info);
        vih.bmiHeader.biBitCount = BitsPerPixel(info.finfo);
        return mt;
    }
    if (g_str_has_prefix(pszName, "audio/")) {
        mt.majortype = MajorType::Audio;
        GstAudioInfo info;
        if (!g_str_equal(pszName, "audio/x-raw") || !gst_audio_info_from_caps(&info, pCaps)) {
            mt.formattype = FormatType::Other;
            return mt;
        }
        mt.formattype = FormatType::WaveFormatEx;
        mt.cbFormat = sizeof(WaveFormatEx);
        mt.audio.nChannels = static_cast<std::uint16_t>(GST_AUDIO_INFO_CHANNELS(&info));
        mt.audio.nSamplesPerSec = static_cast<DWORD>(GST_AUDIO_INFO_RATE(&info));
        mt.audio.wBitsPerSample = static_cast<std::uint16_t>(GST_AUDIO_INFO_WIDTH(&info));
        return mt;
    }
    mt.majortype = MajorType::Other;
    mt.formattype = FormatType::Other;
    return mt;
}

HRESULT EnumElementPins(GstElement* pElement, std::vector<GraphPin>* pPins)
{
    if (!pElement || !pPins)
        return E_POINTER;
    pPins->clear();
    GST_OBJECT_LOCK(pElement);
    for (GList* l = pElement->pads; l; l = l->next) {
        GstPad* pPad = GST_PAD(l->data);
        GraphPin pin;
        pin.direction = GST_PAD_IS_SRC(pPad) ? PinDirection::Output : PinDirection::Input;
        pin.bConnected = GST_PAD_PEER(pPad) != nullptr;
        pPins->push_back(pin);
    }
    GST_OBJECT_UNLOCK(pElement);
    return S_OK;
}

HRESULT ElementConnectionMediaType(GstElement* pElement, std::size_t nPin, GraphMediaType* pmt)
{
    if (!pElement || !pmt)
        return E_POINTER;
    GstPad* pPad = NthPad(pElement, nPin);
    if (!pPad)
        return E_INVALIDARG;
    GstCaps* pCaps = gst_pad_get_current_caps(pPad);
    const bool bLinked = gst_pad_is_linked(pPad);
    gst_object_unref(pPad);
    if (!bLinked || !pCaps) {
        if (pCaps)
            gst_caps_unref(pCaps);
        return VFW_E_NOT_CONNECTED;
    }
    *pmt = MediaTypeFromCaps(pCaps);
    gst_caps_unref(pCaps);
    return S_OK;
}

FilterMoniker MonikerOfFactory(GstElementFactory* pFactory)
{
    FilterMoniker moniker;
    if (!pFactory)
        return moniker;
    moniker.strFriendlyName = QString::fromUtf8(gst_element_factory_get_metadata(pFactory, GST_ELEMENT_METADATA_LONGNAME));
    moniker.strFactory = QString::fromUtf8(gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(pFactory)));
    return moniker;
}

GstElement* MakeChainBin(std::initializer_list<const char*> factories, GstElement* pTail,
    std::vector<GstElement*>* pElements, QString* pstrError)
{
    pElements->clear();
    QStringList missing;
    for (const char* pszFactory : factories) {
        GstElement* pElement = gst_element_factory_make(pszFactory, nullptr);
        if (!pElement)
            missing << QString::fromLatin1(pszFactory);
        pElements->push_back(pElement);
    }
    if (!missing.isEmpty()) {
        for (GstElement* p : *pElements)
            if (p)
                gst_object_unref(gst_object_ref_sink(p));
        pElements->clear();
        if (pTail) {
            gst_element_set_state(pTail, GST_STATE_NULL);
            gst_object_unref(pTail);
        }
        if (pstrError)
            *pstrError = QStringLiteral("GStreamer elements missing: %1").arg(missing.join(QStringLiteral(", ")));
        return nullptr;
    }
    GstElement* pBin = GST_ELEMENT(gst_object_ref_sink(gst_bin_new(nullptr)));
    GstElement* pPrevious = nullptr;
    std::vector<GstElement*> chain = *pElements;
    if (pTail)
        chain.push_back(pTail);
    for (GstElement* pElement : chain) {
        gst_bin_add(GST_BIN(pBin), pElement);
        if (pPrevious)
            gst_element_link(pPrevious, pElement);
        pPrevious = pElement;
    }
    if (pTail)
        gst_object_unref(pTail); // the bin holds it now
    GstPad* pTarget = gst_element_get_static_pad(chain.front(), "sink");
    gst_element_add_pad(pBin, gst_ghost_pad_new("sink", pTarget));
    gst_object_unref(pTarget);
    return pBin;
}

void HoldFramesAhead(GstElement* pQueue)
{
    // The slack that lets the decoder ride out a busy moment (the start, a
    // resize) without falling behind the clock and dropping frames; counted
    // in pictures only, whatever their size. Two ride those out as well as
    // three did, and each is 3 MB at 1080p.
    constexpr guint kFramesAhead = 2;
    g_object_set(pQueue, "max-size-buffers", kFramesAhead, "max-size-bytes", 0u, "max-size-time", guint64(0), nullptr);
}

// ---- CGstFilterBase ----

HRESULT CGstFilterBase::QueryMediaContent(IAMMediaContent** ppContent)
{
    *ppContent = nullptr;
    return E_NOINTERFACE;
}

HRESULT CGstFilterBase::QueryWindowlessControl(IVMRWindowlessControl9** ppControl)
{
    *ppControl = nullptr;
    return E_NOINTERFACE;
}

HRESULT CGstFilterBase::QueryDeinterlaceControl(IVMRDeinterlaceControl9** ppControl)
{
    *ppControl = nullptr;
    return E_NOINTERFACE;
}

// ---- CGstElementFilter ----

CGstElementFilter::CGstElementFilter(GstElement* pElement, QString strName, FilterRole role,
    std::function<GstTagList*()> tags)
    : m_pElement(GST_ELEMENT(gst_object_ref(pElement)))
    , m_strName(std::move(strName))
    , m_role(role)
    , m_tags(std::move(tags))
{
}

CGstElementFilter::~CGstElementFilter() { gst_object_unref(m_pElement); }

HRESULT CGstElementFilter::QueryFilterInfo(QString* pName)
{
    *pName = m_strName;
    return S_OK;
}

HRESULT CGstElementFilter::EnumPins(std::vector<GraphPin>* pPins) { return EnumElementPins(m_pElement, pPins); }

HRESULT CGstElementFilter::ConnectionMediaType(std::size_t nPin, GraphMediaType* pmt)
{
    return ElementConnectionMediaType(m_pElement, nPin, pmt);
}

HRESULT CGstElementFilter::QueryMediaContent(IAMMediaContent** ppContent)
{
    if (!m_tags)
        return CGstFilterBase::QueryMediaContent(ppContent);
    *ppContent = this;
    return S_OK;
}

HRESULT CGstElementFilter::ReadTag(const char* const* tags, QString* p)
{
    GstTagList* pTags = m_tags ? m_tags() : nullptr;
    if (!pTags)
        return VFW_E_NOT_FOUND;
    HRESULT hr = VFW_E_NOT_FOUND;
    for (; *tags && hr != S_OK; ++tags) {
        const GValue* pValue = gst_tag_list_get_value_index(pTags, *tags, 0);
        if (!pValue)
            continue;
        if (G_VALUE_HOLDS_STRING(pValue)) {
            *p = QString::fromUtf8(g_value_get_string(pValue));
        } else {
            gchar* psz = g_strdup_value_contents(pValue);
            *p = QString::fromUtf8(psz);
            g_free(psz);
        }
        hr = S_OK;
    }
    gst_tag_list_unref(pTags);
    return hr;
}

HRESULT CGstElementFilter::get_AuthorName(QString* p)
{
    static const char* const tags[] = { GST_TAG_ARTIST, nullptr };
    return ReadTag(tags, p);
}

HRESULT CGstElementFilter::get_Album(QString* p)
{
    static const char* const tags[] = { GST_TAG_ALBUM, nullptr };
    return ReadTag(tags, p);
}

HRESULT CGstElementFilter::get_Title(QString* p)
{
    static const char* const tags[] = { GST_TAG_TITLE, nullptr };
    return ReadTag(tags, p);
}

HRESULT CGstElementFilter::get_Rating(QString* p)
{
    static const char* const tags[] = { GST_TAG_USER_RATING, nullptr };
    return ReadTag(tags, p);
}

HRESULT CGstElementFilter::get_Description(QString* p)
{
    static const char* const tags[] = { GST_TAG_DESCRIPTION, GST_TAG_COMMENT, nullptr };
    return ReadTag(tags, p);
}

HRESULT CGstElementFilter::get_Copyright(QString* p)
{
    static const char* const tags[] = { GST_TAG_COPYRIGHT, nullptr };
    return ReadTag(tags, p);
}

// ---- CGstPreferredFilter ----

CGstPreferredFilter::CGstPreferredFilter(FilterMoniker moniker, std::function<bool(const QString&)> isInPipeline)
    : m_moniker(std::move(moniker))
    , m_isInPipeline(std::move(isInPipeline))
{
}

HRESULT CGstPreferredFilter::QueryFilterInfo(QString* pName)
{
    *pName = m_moniker.strFriendlyName;
    return S_OK;
}

HRESULT CGstPreferredFilter::EnumPins(std::vector<GraphPin>* pPins)
{
    // Until rendering used it, the preferred filter has nothing to connect.
    pPins->clear();
    if (m_isInPipeline(m_moniker.strFactory)) {
        pPins->push_back({ PinDirection::Input, true });
        pPins->push_back({ PinDirection::Output, true });
    }
    return S_OK;
}

HRESULT CGstPreferredFilter::ConnectionMediaType(std::size_t, GraphMediaType*) { return VFW_E_NOT_CONNECTED; }
