#include "player/graph/GstDecoderThreads.h"

namespace {
// 1080p at 30 pictures a second (1088: coded heights round up to macroblocks).
constexpr guint64 kFewThreadsPixelsPerSecond = guint64(1920) * 1088 * 30;
constexpr int kFewThreads = 2;
constexpr const char kThreadsProperty[] = "max-threads";
// Codecs cheap enough for that many at that rate; the newer ones (HEVC,
// VP9, AV1) cost several times more per picture.
constexpr const char* kFewThreadsCodecs[] = { "video/x-h264", "video/mpeg", "video/x-h263", "video/x-divx",
    "video/x-xvid", "video/x-msmpeg", "video/x-wmv", "image/jpeg" };

// The threads for a stream of these caps; 0 for the decoder's choice.
int DecoderThreadsFor(const GstCaps* pCaps)
{
    const GstStructure* pStructure = pCaps && !gst_caps_is_empty(pCaps) ? gst_caps_get_structure(pCaps, 0) : nullptr;
    gint nWidth = 0;
    gint nHeight = 0;
    gint nRateN = 0;
    gint nRateD = 0;
    if (!pStructure || !gst_structure_get_int(pStructure, "width", &nWidth)
        || !gst_structure_get_int(pStructure, "height", &nHeight)
        || !gst_structure_get_fraction(pStructure, "framerate", &nRateN, &nRateD) || nWidth <= 0 || nHeight <= 0
        || nRateN <= 0 || nRateD <= 0)
        return 0; // not known: the decoder's choice
    bool bCheap = false;
    for (const char* pszCodec : kFewThreadsCodecs)
        bCheap = bCheap || gst_structure_has_name(pStructure, pszCodec);
    if (!bCheap)
        return 0;
    const guint64 pixelsPerSecond = guint64(nWidth) * guint64(nHeight) * guint64(nRateN) / guint64(nRateD);
    return pixelsPerSecond <= kFewThreadsPixelsPerSecond ? kFewThreads : 0;
}

GstPadProbeReturn OnCaps(GstPad*, GstPadProbeInfo* pInfo, gpointer pData)
{
    GstEvent* pEvent = GST_PAD_PROBE_INFO_EVENT(pInfo);
    if (GST_EVENT_TYPE(pEvent) == GST_EVENT_CAPS) {
        GstCaps* pCaps = nullptr;
        gst_event_parse_caps(pEvent, &pCaps);
        // Before the decoder sees the caps: it opens its codec with them.
        g_object_set(pData, kThreadsProperty, DecoderThreadsFor(pCaps), nullptr);
    }
    return GST_PAD_PROBE_OK;
}
}

void LimitDecoderThreads(GstElement* pElement)
{
    GParamSpec* pSpec = g_object_class_find_property(G_OBJECT_GET_CLASS(pElement), kThreadsProperty);
    if (!pSpec || pSpec->value_type != G_TYPE_INT || !(pSpec->flags & G_PARAM_WRITABLE))
        return;
    const char* pszClass = gst_element_class_get_metadata(GST_ELEMENT_GET_CLASS(pElement), GST_ELEMENT_METADATA_KLASS);
    if (!pszClass || !g_strrstr(pszClass, "Decoder") || !g_strrstr(pszClass, "Video"))
        return;
    if (GstPad* pSink = gst_element_get_static_pad(pElement, "sink")) {
        gst_pad_add_probe(pSink, GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM, &OnCaps, pElement, nullptr);
        gst_object_unref(pSink);
    }
}
