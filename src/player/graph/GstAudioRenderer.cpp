#include "player/graph/GstAudioRenderer.h"

std::unique_ptr<CGstAudioRenderer> CGstAudioRenderer::Create(GstElement* pSink, FilterMoniker moniker)
{
    // Decoders hand out planar and odd-rate audio that sinks seldom take.
    std::vector<GstElement*> elements;
    GstElement* pBin = MakeChainBin({ "audioconvert", "audioresample", "volume" }, pSink, &elements, nullptr);
    if (!pBin)
        return nullptr;
    return std::unique_ptr<CGstAudioRenderer>(new CGstAudioRenderer(pBin, elements[2], std::move(moniker)));
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
