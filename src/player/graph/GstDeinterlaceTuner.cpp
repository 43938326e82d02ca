#include "player/graph/GstDeinterlaceTuner.h"

#include <gst/video/video.h>

#include <cstdint>

namespace {
gint DefaultEnum(GstElement* pElement, const char* pszProperty)
{
    GParamSpec* pSpec = g_object_class_find_property(G_OBJECT_GET_CLASS(pElement), pszProperty);
    return pSpec && G_IS_PARAM_SPEC_ENUM(pSpec) ? G_PARAM_SPEC_ENUM(pSpec)->default_value : 0;
}

// Whether one field holds every row shown of these source rows.
bool IsFieldEnough(int nSourceRows, int nShownRows)
{
    return nSourceRows > 0 && nShownRows > 0 && std::int64_t(nShownRows) * 2 <= nSourceRows;
}

bool IsInterlaced(GstPad* pPad)
{
    GstCaps* pCaps = gst_pad_get_current_caps(pPad);
    GstVideoInfo info;
    const bool bInterlaced = pCaps && gst_video_info_from_caps(&info, pCaps) && GST_VIDEO_INFO_IS_INTERLACED(&info);
    if (pCaps)
        gst_caps_unref(pCaps);
    return bInterlaced;
}
}

CGstDeinterlaceTuner::CGstDeinterlaceTuner(GstElement* pDeinterlace)
    : m_pDeinterlace(pDeinterlace)
    , m_pSinkPad(gst_element_get_static_pad(pDeinterlace, "sink"))
    , m_nDefaultMethod(DefaultEnum(pDeinterlace, "method"))
    , m_nDefaultFields(DefaultEnum(pDeinterlace, "fields"))
{
    m_ulProbe = gst_pad_add_probe(m_pSinkPad, GST_PAD_PROBE_TYPE_BUFFER, &CGstDeinterlaceTuner::OnBuffer, this, nullptr);
}

CGstDeinterlaceTuner::~CGstDeinterlaceTuner()
{
    gst_pad_remove_probe(m_pSinkPad, m_ulProbe);
    gst_object_unref(m_pSinkPad);
}

void CGstDeinterlaceTuner::SetShownRows(int nSourceRows, int nShownRows)
{
    m_nSourceRows.store(nSourceRows, std::memory_order_relaxed);
    m_nShownRows.store(nShownRows, std::memory_order_relaxed);
}

GstPadProbeReturn CGstDeinterlaceTuner::OnBuffer(GstPad* pPad, GstPadProbeInfo*, gpointer pData)
{
    // Under the pad's stream lock: no picture is inside the element.
    auto* pThis = static_cast<CGstDeinterlaceTuner*>(pData);
    if (!pThis->m_bEnabled)
        return GST_PAD_PROBE_OK;
    const bool bFieldEnough = IsFieldEnough(
        pThis->m_nSourceRows.load(std::memory_order_relaxed), pThis->m_nShownRows.load(std::memory_order_relaxed));
    // Progressive pictures pass through untouched; a new setting would only
    // make the element negotiate again for nothing.
    if (bFieldEnough != pThis->m_bFieldOnly && IsInterlaced(pPad))
        pThis->Apply(bFieldEnough);
    return GST_PAD_PROBE_OK;
}

void CGstDeinterlaceTuner::Apply(bool bFieldEnough)
{
    m_bFieldOnly = bFieldEnough;
    if (bFieldEnough) {
        // The cheapest that leaves no combing; a field's rows hold all the
        // detail the picture keeps at that size.
        gst_util_set_object_arg(G_OBJECT(m_pDeinterlace), "method", "linear");
        gst_util_set_object_arg(G_OBJECT(m_pDeinterlace), "fields", "top");
    } else {
        g_object_set(m_pDeinterlace, "method", m_nDefaultMethod, "fields", m_nDefaultFields, nullptr);
    }
}
