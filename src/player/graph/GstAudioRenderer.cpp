#include "player/graph/GstAudioRenderer.h"

std::unique_ptr<CGstAudioRenderer> CGstAudioRenderer::Create(GstElement* pSink, FilterMoniker moniker)
{
    // Decoders hand out planar and odd-rate audio that sinks seldom take.
    GstElement* pConvert = gst_element_factory_make("audioconvert", nullptr);
    GstElement* pResample = gst_element_factory_make("audioresample", nullptr);
    GstElement* pVolume = gst_element_factory_make("volume", nullptr);
    if (!pConvert || !pResample || !pVolume) {
        for (GstElement* p : { pConvert, pResample, pVolume })
            if (p)
                gst_object_unref(gst_object_ref_sink(p));
        gst_element_set_state(pSink, GST_STATE_NULL);
        gst_object_unref(pSink);
        return nullptr;
    }
    GstElement* pBin = gst_bin_new(nullptr);
    gst_bin_add_many(GST_BIN(pBin), pConvert, pResample, pVolume, pSink, nullptr);
    gst_object_unref(pSink); // the bin holds it now
    gst_element_link_many(pConvert, pResample, pVolume, pSink, nullptr);
    GstPad* pTarget = gst_element_get_static_pad(pConvert, "sink");
    gst_element_add_pad(pBin, gst_ghost_pad_new("sink", pTarget));
    gst_object_unref(pTarget);
    gst_object_ref_sink(pBin);
    return std::unique_ptr<CGstAudioRenderer>(new CGstAudioRenderer(pBin, pVolume, std::move(moniker)));
}

CGstAudioRenderer::CGstAudioRenderer(GstElement* pBin, GstElement* pVolume, FilterMoniker moniker)
    : m_pBin(pBin)
    , m_pVolume(pVolume)
    , m_pSinkPad(gst_element_get_static_pad(pBin, "sink"))
    , m_moniker(std::move(moniker))
{
}

CGstAudioRenderer::~CGstAudioRenderer()
{
    gst_element_set_state(m_pBin, GST_STATE_NULL);
    gst_object_unref(m_pSinkPad);
    gst_object_unref(m_pBin);
}

void CGstAudioRenderer::SetVolume(double dVolume) { g_object_set(m_pVolume, "volume", dVolume, nullptr); }

HRESULT CGstAudioRenderer::QueryFilterInfo(QString* pName)
{
    *pName = m_moniker.strFriendlyName;
    return S_OK;
}

HRESULT CGstAudioRenderer::EnumPins(std::vector<GraphPin>* pPins) { return EnumElementPins(m_pBin, pPins); }

HRESULT CGstAudioRenderer::ConnectionMediaType(std::size_t nPin, GraphMediaType* pmt)
{
    return ElementConnectionMediaType(m_pBin, nPin, pmt);
}
