// Run, pause and stop; time formats and durations; picture statistics and
// the volume. Positions, seeks and steps are in GstGraphSeeking.cpp.

#include "player/graph/GstGraph.h"

#include "player/graph/GstAudioRenderer.h"
#include "player/graph/GstOwnerWindowRenderer.h"
#include "player/graph/GstWindowlessRenderer.h"
#include "player/Volume.h"

#include <algorithm>

namespace {
HRESULT StateChangeResult(GstStateChangeReturn ret)
{
    switch (ret) {
    case GST_STATE_CHANGE_FAILURE:
        return E_FAIL;
    case GST_STATE_CHANGE_ASYNC:
        return S_FALSE; // still on its way
    default:
        return S_OK;
    }
}
}

// ---- control ----

HRESULT CGstGraph::Run()
{
    m_bStopped = false;
    return StateChangeResult(gst_element_set_state(m_pPipeline, GST_STATE_PLAYING));
}

HRESULT CGstGraph::Pause()
{
    m_bStopped = false;
    return StateChangeResult(gst_element_set_state(m_pPipeline, GST_STATE_PAUSED));
}

HRESULT CGstGraph::Stop()
{
    // Stopped stays prerolled, so positions and the picture remain valid.
    const HRESULT hr = StateChangeResult(gst_element_set_state(m_pPipeline, GST_STATE_PAUSED));
    if (SUCCEEDED(hr))
        m_bStopped = true;
    return hr;
}

HRESULT CGstGraph::GetState(long msTimeout, long* pState)
{
    if (!pState)
        return E_POINTER;
    GstState current = GST_STATE_NULL;
    GstState pending = GST_STATE_VOID_PENDING;
    // While a seek of ours cues, the state it is on its way to is the answer:
    // waiting would hold the window for as long as the decoder works.
    const GstClockTime wait = IsSeeking() ? 0
        : msTimeout < 0                   ? GST_CLOCK_TIME_NONE
                                          : GstClockTime(msTimeout) * GST_MSECOND;
    const GstStateChangeReturn ret = gst_element_get_state(m_pPipeline, &current, &pending, wait);
    auto toState = [this](GstState state) {
        if (state == GST_STATE_PLAYING)
            return State_Running;
        if (state == GST_STATE_PAUSED && !m_bStopped)
            return State_Paused;
        return State_Stopped;
    };
    switch (ret) {
    case GST_STATE_CHANGE_FAILURE:
        return E_FAIL;
    case GST_STATE_CHANGE_ASYNC:
        *pState = toState(pending != GST_STATE_VOID_PENDING ? pending : current);
        return VFW_S_STATE_INTERMEDIATE;
    default:
        *pState = toState(current);
        return S_OK;
    }
}

// ---- seeking ----

bool CGstGraph::VideoRate(gint* pNum, gint* pDen) const
{
    GstElement* pBin;
    {
        std::lock_guard lock(m_mutex);
        pBin = m_pLinkedVideo;
    }
    if (!pBin)
        return false;
    GstPad* pPad = gst_element_get_static_pad(pBin, "sink");
    GstCaps* pCaps = gst_pad_get_current_caps(pPad);
    gst_object_unref(pPad);
    bool bFixed = false;
    if (pCaps) {
        bFixed = gst_structure_get_fraction(gst_caps_get_structure(pCaps, 0), "framerate", pNum, pDen) && *pNum > 0
            && *pDen > 0;
        gst_caps_unref(pCaps);
    }
    return bFixed;
}

GstClockTime CGstGraph::ToTime(LONGLONG llPosition, TimeFormat format) const
{
    if (llPosition <= 0)
        return 0;
    gint num = 0;
    gint den = 0;
    if (format == TimeFormat::Frame && VideoRate(&num, &den))
        // The start of the frame, rounded up so that an accurate seek never
        // lands on the frame before.
        return gst_util_uint64_scale_ceil(guint64(llPosition), guint64(den) * GST_SECOND, guint64(num));
    return GstClockTime(llPosition) * 100;
}

LONGLONG CGstGraph::FromTime(GstClockTime time, TimeFormat format) const
{
    if (time == GST_CLOCK_TIME_NONE)
        return 0;
    gint num = 0;
    gint den = 0;
    if (format == TimeFormat::Frame && VideoRate(&num, &den))
        // Time stamps are rounded to whole nanoseconds; one more keeps a
        // frame's own start inside that frame.
        return LONGLONG(gst_util_uint64_scale(time + 1, guint64(num), guint64(den) * GST_SECOND));
    return LONGLONG(time / 100);
}

bool CGstGraph::QueryDuration(GstClockTime* pDuration) const
{
    gint64 duration = -1;
    if (!gst_element_query_duration(m_pPipeline, GST_FORMAT_TIME, &duration) || duration < 0)
        return EstimateDuration(pDuration);
    *pDuration = GstClockTime(duration);
    return true;
}

bool CGstGraph::EstimateDuration(GstClockTime* pDuration) const
{
    {
        // A picture stream's bitrate says nothing of the file's length.
        std::lock_guard lock(m_mutex);
        if (m_pLinkedVideo || !m_pLinkedAudio)
            return false;
    }
    GstTagList* pTags = Tags();
    guint bitrate = 0;
    if (pTags) {
        if (!gst_tag_list_get_uint(pTags, GST_TAG_BITRATE, &bitrate))
            gst_tag_list_get_uint(pTags, GST_TAG_NOMINAL_BITRATE, &bitrate);
        gst_tag_list_unref(pTags);
    }
    gint64 bytes = -1;
    if (bitrate == 0 || !gst_element_query_duration(m_pPipeline, GST_FORMAT_BYTES, &bytes) || bytes <= 0)
        return false;
    // The parser corrects this once it has read enough (EC_LENGTH_CHANGED).
    *pDuration = gst_util_uint64_scale(guint64(bytes), 8 * GST_SECOND, bitrate);
    return true;
}

bool CGstGraph::QueryPosition(GstClockTime* pPosition) const
{
    gint64 position = -1;
    if (!gst_element_query_position(m_pPipeline, GST_FORMAT_TIME, &position) || position < 0)
        return false;
    *pPosition = GstClockTime(position) > m_offset ? GstClockTime(position) - m_offset : 0;
    return true;
}

HRESULT CGstGraph::GetCapabilities(DWORD* pCapabilities)
{
    if (!pCapabilities)
        return E_POINTER;
    DWORD dwCaps = 0;
    GstQuery* pQuery = gst_query_new_seeking(GST_FORMAT_TIME);
    if (gst_element_query(m_pPipeline, pQuery)) {
        gboolean bSeekable = FALSE;
        gst_query_parse_seeking(pQuery, nullptr, &bSeekable, nullptr, nullptr);
        if (bSeekable)
            dwCaps |= AM_SEEKING_CanSeekAbsolute | AM_SEEKING_CanSeekForwards | AM_SEEKING_CanSeekBackwards
                | AM_SEEKING_CanGetStopPos;
    }
    gst_query_unref(pQuery);
    GstClockTime time = 0;
    if (QueryDuration(&time) && time > 0)
        dwCaps |= AM_SEEKING_CanGetDuration;
    if (QueryPosition(&time))
        dwCaps |= AM_SEEKING_CanGetCurrentPos;
    *pCapabilities = dwCaps;
    return S_OK;
}

HRESULT CGstGraph::IsFormatSupported(TimeFormat format)
{
    gint num = 0;
    gint den = 0;
    switch (format) {
    case TimeFormat::MediaTime:
        return S_OK;
    case TimeFormat::Frame:
        // Frames are counted through a fixed frame rate.
        return VideoRate(&num, &den) ? S_OK : S_FALSE;
    default:
        return E_INVALIDARG;
    }
}

HRESULT CGstGraph::SetTimeFormat(TimeFormat format)
{
    if (IsFormatSupported(format) != S_OK)
        return E_INVALIDARG;
    m_timeFormat = format;
    return S_OK;
}

HRESULT CGstGraph::GetTimeFormat(TimeFormat* pFormat)
{
    if (!pFormat)
        return E_POINTER;
    *pFormat = m_timeFormat;
    return S_OK;
}

HRESULT CGstGraph::GetDuration(LONGLONG* pDuration)
{
    if (!pDuration)
        return E_POINTER;
    GstClockTime duration = 0;
    if (!QueryDuration(&duration))
        return E_NOTIMPL;
    *pDuration = FromTime(duration, m_timeFormat);
    return S_OK;
}

HRESULT CGstGraph::GetStopPosition(LONGLONG* pStop)
{
    if (!pStop)
        return E_POINTER;
    if (m_stop != GST_CLOCK_TIME_NONE) {
        *pStop = FromTime(m_stop, m_timeFormat);
        return S_OK;
    }
    return GetDuration(pStop);
}

// ---- picture statistics ----

GstPadProbeReturn CGstGraph::OnVideoSinkBuffer(GstPad*, GstPadProbeInfo*, gpointer pData)
{
    ++static_cast<CGstGraph*>(pData)->m_llSinkFrames;
    return GST_PAD_PROBE_OK;
}

void CGstGraph::CountVideoFrames()
{
    GstElement* pSink = VideoSink();
    if (!pSink)
        return;
    GstPad* pPad = gst_element_get_static_pad(pSink, "sink");
    if (!pPad)
        return;
    // The pipeline, and with it the probe, goes before the graph does.
    gst_pad_add_probe(pPad, GST_PAD_PROBE_TYPE_BUFFER, OnVideoSinkBuffer, this, nullptr);
    gst_object_unref(pPad);
}

HRESULT CGstGraph::get_FramesDrawn(LONGLONG* pllFrames)
{
    if (!pllFrames)
        return E_POINTER;
    if (!VideoSink())
        return VFW_E_NOT_CONNECTED;
    *pllFrames = std::max<LONGLONG>(0, m_llSinkFrames.load() - m_llSinkDrops.load());
    return S_OK;
}

HRESULT CGstGraph::get_FramesDropped(LONGLONG* pllFrames)
{
    if (!pllFrames)
        return E_POINTER;
    *pllFrames = m_llQosDrops.load();
    return S_OK;
}

// ---- volume ----

HRESULT CGstGraph::put_Volume(long lVolume)
{
    if (lVolume < -10000 || lVolume > 0)
        return E_INVALIDARG;
    {
        std::lock_guard lock(m_mutex);
        if (!m_pAudio || m_pLinkedAudio != m_pAudio->Bin())
            return E_NOTIMPL;
    }
    m_lVolume = lVolume;
    m_pAudio->SetVolume(LevelToLinear(lVolume));
    return S_OK;
}

HRESULT CGstGraph::get_Volume(long* plVolume)
{
    if (!plVolume)
        return E_POINTER;
    {
        std::lock_guard lock(m_mutex);
        if (!m_pAudio || m_pLinkedAudio != m_pAudio->Bin())
            return E_NOTIMPL;
    }
    *plVolume = m_lVolume;
    return S_OK;
}
