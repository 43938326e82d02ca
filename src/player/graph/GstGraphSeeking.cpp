// Positions, seeks and frame steps. A seek is sent and left to the
// streaming threads; the UI thread hears that it cued through the event
// queue (OnSeekCued) and never waits for the decoder. While one seek is under
// way the latest position asked for waits its turn, as a seek bar being
// dragged asks for many.

#include "player/graph/GstGraph.h"

#include "player/graph/GstOwnerWindowRenderer.h"
#include "player/graph/GstWindowlessRenderer.h"

#include <algorithm>

namespace {
// A seek that has not cued in this long is taken for lost, so that the next
// position asked for is not held for good.
constexpr gint64 kSeekLostUs = 5 * G_USEC_PER_SEC;
// How many frames a paused seek past the last picture goes back at most to
// find it: containers end a few frames after their pictures at most.
constexpr int kPastEndTries = 10;
// One picture, when the frame rate is unknown.
constexpr GstClockTime kDefaultFrameDuration = 40 * GST_MSECOND;
}

bool CGstGraph::IsSeeking() const
{
    std::lock_guard lock(m_mutex);
    return m_bSeekInFlight || m_pendingSeek.has_value();
}

bool CGstGraph::IsEndLeftBehind(unsigned nFlushes) const
{
    std::lock_guard lock(m_mutex);
    return !IsCueOfSeek(nFlushes) || m_pendingSeek.has_value();
}

HRESULT CGstGraph::GetCurrentPosition(LONGLONG* pCurrent)
{
    if (!pCurrent)
        return E_POINTER;
    GstClockTime position = 0;
    if (IsSeeking() && m_seekTarget != GST_CLOCK_TIME_NONE) {
        // Where the picture is going; it shows there once the seek has cued.
        position = m_seekTarget;
    } else if (GST_STATE_TARGET(m_pPipeline) != GST_STATE_PAUSED || !ShownPictureTime(&position)) {
        // While paused the picture on screen is the position; the renderer
        // may hold pictures ahead of it, and the sound is elsewhere again.
        if (!QueryPosition(&position))
            return E_FAIL;
    }
    *pCurrent = FromTime(position, m_timeFormat);
    return S_OK;
}

HRESULT CGstGraph::GetPositions(LONGLONG* pCurrent, LONGLONG* pStop)
{
    HRESULT hr = S_OK;
    if (pCurrent)
        hr = GetCurrentPosition(pCurrent);
    if (SUCCEEDED(hr) && pStop)
        hr = GetStopPosition(pStop);
    return hr;
}

HRESULT CGstGraph::SetPositions(LONGLONG* pCurrent, DWORD dwCurrentFlags, LONGLONG* pStop, DWORD dwStopFlags)
{
    auto seekType = [](LONGLONG* p, DWORD dwFlags, GstSeekType* pType) {
        switch (dwFlags & 0x3) {
        case AM_SEEKING_NoPositioning:
            *pType = GST_SEEK_TYPE_NONE;
            return true;
        case AM_SEEKING_AbsolutePositioning:
            *pType = GST_SEEK_TYPE_SET;
            return p != nullptr;
        default: // relative and incremental moves are not needed here
            return false;
        }
    };
    SeekRequest request;
    if (!seekType(pCurrent, dwCurrentFlags, &request.startType) || !seekType(pStop, dwStopFlags, &request.stopType))
        return E_INVALIDARG;
    if (request.startType == GST_SEEK_TYPE_NONE && request.stopType == GST_SEEK_TYPE_NONE)
        return S_OK;
    if (request.startType == GST_SEEK_TYPE_SET) {
        request.start = ToTime(*pCurrent, m_timeFormat) + m_offset;
        m_seekTarget = request.start - m_offset;
        m_nPastEndTries = 0;
    }
    if (request.stopType == GST_SEEK_TYPE_SET) {
        request.stop = ToTime(*pStop, m_timeFormat) + m_offset;
        m_stop = request.stop - m_offset;
    }
    {
        // A flushing seek ends any step under way.
        std::lock_guard lock(m_mutex);
        m_bStepPending = false;
        m_bStepAtEnd = false;
    }
    m_bStepDone = false;
    m_dwHeldSteps = 0;

    bool bWait;
    {
        std::lock_guard lock(m_mutex);
        bWait = m_bSeekInFlight && g_get_monotonic_time() - m_llSeekSentUs < kSeekLostUs;
        if (bWait) {
            // The newest position replaces one still waiting; a stop asked for
            // before stays unless this one sets another.
            SeekRequest merged = m_pendingSeek.value_or(SeekRequest());
            if (request.startType == GST_SEEK_TYPE_SET) {
                merged.startType = request.startType;
                merged.start = request.start;
            }
            if (request.stopType == GST_SEEK_TYPE_SET) {
                merged.stopType = request.stopType;
                merged.stop = request.stop;
            }
            m_pendingSeek = merged;
        }
    }
    return bWait ? S_OK : SendSeek(request);
}

HRESULT CGstGraph::SendSeek(const SeekRequest& request)
{
    {
        // Before the seek, so that its ASYNC_DONE cannot come first.
        std::lock_guard lock(m_mutex);
        m_bSeekInFlight = true;
        m_pendingSeek.reset();
    }
    m_llSeekSentUs = g_get_monotonic_time();
    m_nSeekFlushes = m_nFlushes + 1;
    if (!gst_element_seek(m_pPipeline, 1.0, GST_FORMAT_TIME,
            static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE), request.startType,
            gint64(request.start), request.stopType, gint64(request.stop))) {
        std::lock_guard lock(m_mutex);
        m_bSeekInFlight = false;
        return E_FAIL;
    }
    // A demuxer can carry the seek out once for each renderer that passed it
    // on, flushing each time, and a picture (or the end) may cue between two
    // rounds: the seek has cued only after its last flush, which a demuxer
    // reading the file itself makes within the call.
    m_nSeekFlushes = std::max(m_nSeekFlushes, m_nFlushes.load());
    return S_OK;
}

void CGstGraph::OnSeekCued()
{
    std::optional<SeekRequest> next;
    {
        std::lock_guard lock(m_mutex);
        m_bSeekInFlight = false;
        std::swap(next, m_pendingSeek);
    }
    if (next) {
        SendSeek(*next);
        return;
    }
    // Past the last picture an exact seek finds none and the old one stays
    // on screen: the position goes back a frame at a time, from the end of
    // the media at most, until the last picture shows.
    const bool bPaused = GST_STATE_TARGET(m_pPipeline) == GST_STATE_PAUSED;
    if (bPaused && m_bEndSinceFlush && m_nPicturesSinceFlush == 0 && m_seekTarget != GST_CLOCK_TIME_NONE
        && m_seekTarget > 0 && m_nPastEndTries < kPastEndTries) {
        ++m_nPastEndTries;
        const GstClockTime frame = FrameDuration();
        GstClockTime end = m_seekTarget;
        GstClockTime duration = 0;
        if (QueryDuration(&duration) && duration < end)
            end = duration;
        m_seekTarget = end > frame ? end - frame : 0;
        SeekRequest request;
        request.startType = GST_SEEK_TYPE_SET;
        request.start = m_seekTarget + m_offset;
        SendSeek(request);
    }
}

GstClockTime CGstGraph::FrameDuration() const
{
    gint num = 0;
    gint den = 0;
    return VideoRate(&num, &den) ? gst_util_uint64_scale(GST_SECOND, guint64(den), guint64(num))
                                 : kDefaultFrameDuration;
}

void CGstGraph::SeekToEnd()
{
    GstClockTime end = m_stop;
    if (end == GST_CLOCK_TIME_NONE && !QueryDuration(&end))
        return;
    // The last picture starts a frame before the end, or a few more.
    m_seekTarget = end > FrameDuration() ? end - FrameDuration() : 0;
    m_nPastEndTries = 0;
    SeekRequest request;
    request.startType = GST_SEEK_TYPE_SET;
    request.start = m_seekTarget + m_offset;
    SendSeek(request);
}

bool CGstGraph::StartHeldStep()
{
    if (m_dwHeldSteps == 0 || IsSeeking())
        return true;
    if (SendStep(std::exchange(m_dwHeldSteps, 0)))
        return true;
    std::lock_guard lock(m_mutex);
    m_bStepPending = false;
    return false;
}

HRESULT CGstGraph::WaitForPosition(long msTimeout)
{
    const gint64 deadline = msTimeout < 0 ? -1 : g_get_monotonic_time() + gint64(msTimeout) * 1000;
    while (IsSeeking()) {
        unsigned nFlushes = 0;
        GstMessage* pMessage = PopEvent(GST_MESSAGE_ASYNC_DONE, deadline, &nFlushes);
        if (!pMessage)
            return S_FALSE;
        gst_message_unref(pMessage);
        if (IsCueOfSeek(nFlushes))
            OnSeekCued();
    }
    StartHeldStep();
    return S_OK;
}

bool CGstGraph::ShownPictureTime(GstClockTime* pTime) const
{
    GstElement* pBin;
    {
        std::lock_guard lock(m_mutex);
        pBin = m_pLinkedVideo;
    }
    if (!pBin)
        return false;
    GstSample* pSample = nullptr;
    for (CGstWindowlessRenderer* p : { m_pWindowless.get(), m_pOwnWindowless.get() })
        if (p && p->Bin() == pBin)
            pSample = p->ShownSample();
    if (m_pOwnerWindow && m_pOwnerWindow->Bin() == pBin)
        g_object_get(m_pOwnerWindow->Sink(), "last-sample", &pSample, nullptr);
    if (!pSample)
        return false;
    GstBuffer* pBuffer = gst_sample_get_buffer(pSample);
    const GstSegment* pSegment = gst_sample_get_segment(pSample);
    const GstClockTime time = pBuffer && pSegment
        ? gst_segment_to_stream_time(pSegment, GST_FORMAT_TIME, GST_BUFFER_PTS(pBuffer))
        : GST_CLOCK_TIME_NONE;
    gst_sample_unref(pSample);
    if (time == GST_CLOCK_TIME_NONE)
        return false;
    *pTime = time > m_offset ? time - m_offset : 0;
    return true;
}

void CGstGraph::WatchRendererInput(GstPad* pPad, bool bVideo)
{
    gst_pad_add_probe(pPad,
        static_cast<GstPadProbeType>(
            (bVideo ? GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM : 0)
            | GST_PAD_PROBE_TYPE_EVENT_FLUSH),
        bVideo ? &CGstGraph::OnVideoInput : &CGstGraph::OnAudioInput, this, nullptr);
}

GstPadProbeReturn CGstGraph::OnAudioInput(GstPad*, GstPadProbeInfo* pInfo, gpointer pData)
{
    GstEvent* pEvent = GST_PAD_PROBE_INFO_EVENT(pInfo);
    if (pEvent && GST_EVENT_TYPE(pEvent) == GST_EVENT_FLUSH_STOP)
        ++static_cast<CGstGraph*>(pData)->m_nFlushes;
    return GST_PAD_PROBE_OK;
}

GstPadProbeReturn CGstGraph::OnVideoInput(GstPad*, GstPadProbeInfo* pInfo, gpointer pData)
{
    auto* pThis = static_cast<CGstGraph*>(pData);
    if (GST_PAD_PROBE_INFO_TYPE(pInfo) & GST_PAD_PROBE_TYPE_BUFFER) {
        ++pThis->m_nPicturesSinceFlush;
    } else if (GstEvent* pEvent = GST_PAD_PROBE_INFO_EVENT(pInfo)) {
        if (GST_EVENT_TYPE(pEvent) == GST_EVENT_FLUSH_STOP) {
            pThis->m_nPicturesSinceFlush = 0;
            pThis->m_bEndSinceFlush = false;
            ++pThis->m_nFlushes;
        } else if (GST_EVENT_TYPE(pEvent) == GST_EVENT_EOS) {
            pThis->m_bEndSinceFlush = true;
        }
    }
    return GST_PAD_PROBE_OK;
}

// ---- stepping ----

GstElement* CGstGraph::VideoSink() const
{
    std::lock_guard lock(m_mutex);
    if (!m_pLinkedVideo)
        return nullptr;
    for (CGstWindowlessRenderer* p : { m_pWindowless.get(), m_pOwnWindowless.get() })
        if (p && p->Bin() == m_pLinkedVideo)
            return p->Sink();
    if (m_pOwnerWindow && m_pOwnerWindow->Bin() == m_pLinkedVideo)
        return m_pOwnerWindow->Sink();
    return nullptr;
}

HRESULT CGstGraph::CanStep(long)
{
    return VideoSink() ? S_OK : S_FALSE;
}

HRESULT CGstGraph::Step(DWORD dwFrames)
{
    if (!VideoSink())
        return E_NOTIMPL;
    if (GST_STATE_TARGET(m_pPipeline) != GST_STATE_PAUSED || dwFrames == 0)
        return VFW_E_WRONG_STATE;
    {
        std::lock_guard lock(m_mutex);
        m_bStepPending = true;
        m_bStepAtEnd = false;
    }
    m_bStepDone = false;
    // The step counts from the picture a seek or a pause under way shows, so
    // it waits for that; its ASYNC_DONE is read as any other event.
    if (IsSeeking()
        || gst_element_get_state(m_pPipeline, nullptr, nullptr, 0) == GST_STATE_CHANGE_ASYNC) {
        m_dwHeldSteps = dwFrames;
        return S_OK;
    }
    if (!SendStep(dwFrames)) {
        std::lock_guard lock(m_mutex);
        m_bStepPending = false;
        return E_FAIL;
    }
    return S_OK;
}

bool CGstGraph::SendStep(DWORD dwFrames)
{
    GstElement* pSink = VideoSink();
    return pSink && gst_element_send_event(pSink, gst_event_new_step(GST_FORMAT_BUFFERS, dwFrames, 1.0, TRUE, FALSE));
}
