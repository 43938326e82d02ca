// The bus: what the sync handler does with each message, and the event
// queue the main frame drains on the UI thread.

#include "player/graph/GstGraph.h"

#include "platform/WindowMessages.h"
#include "player/graph/GstErrors.h"
#include "player/graph/GstOwnerWindowRenderer.h"

#include <chrono>

#include <gst/pbutils/missing-plugins.h>
#include <gst/video/videooverlay.h>

namespace {
constexpr GstMessageType kEventMessages = static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR
    | GST_MESSAGE_ASYNC_DONE | GST_MESSAGE_STEP_DONE | GST_MESSAGE_DURATION_CHANGED | GST_MESSAGE_CLOCK_LOST
    | GST_MESSAGE_LATENCY | GST_MESSAGE_REQUEST_STATE | GST_MESSAGE_BUFFERING);
}

GstBusSyncReply CGstGraph::OnSyncMessage(GstBus*, GstMessage* pMessage, gpointer pData)
{
    const GstBusSyncReply reply = static_cast<CGstGraph*>(pData)->HandleSyncMessage(pMessage);
    // A dropped message is the handler's to free.
    if (reply == GST_BUS_DROP)
        gst_message_unref(pMessage);
    return reply;
}

GstBusSyncReply CGstGraph::HandleSyncMessage(GstMessage* pMessage)
{
    switch (GST_MESSAGE_TYPE(pMessage)) {
    case GST_MESSAGE_ELEMENT:
        if (gst_is_video_overlay_prepare_window_handle_message(pMessage)) {
            // Must be answered now, or the sink opens a window of its own.
            if (m_pOwnerWindow && GST_MESSAGE_SRC(pMessage) == GST_OBJECT(m_pOwnerWindow->Sink()))
                m_pOwnerWindow->AnswerWindowHandle();
        } else if (gst_is_missing_plugin_message(pMessage)) {
            gchar* pszDescription = gst_missing_plugin_message_get_description(pMessage);
            std::lock_guard lock(m_mutex);
            m_missing << QString::fromUtf8(pszDescription);
            g_free(pszDescription);
        }
        return GST_BUS_DROP;
    case GST_MESSAGE_TAG: {
        GstTagList* pTags = nullptr;
        gst_message_parse_tag(pMessage, &pTags);
        std::lock_guard lock(m_mutex);
        if (!m_pTags)
            m_pTags = gst_tag_list_new_empty();
        // The first value seen for a tag stays.
        gst_tag_list_insert(m_pTags, pTags, GST_TAG_MERGE_KEEP);
        gst_tag_list_unref(pTags);
        return GST_BUS_DROP;
    }
    case GST_MESSAGE_EOS:
    case GST_MESSAGE_ERROR:
        QueueEvent(pMessage, true);
        return GST_BUS_DROP;
    case GST_MESSAGE_WARNING:
        LogGstWarning(pMessage, m_strFile);
        return GST_BUS_DROP;
    case GST_MESSAGE_DURATION_CHANGED:
    case GST_MESSAGE_CLOCK_LOST:
    case GST_MESSAGE_LATENCY:
    case GST_MESSAGE_REQUEST_STATE:
    case GST_MESSAGE_BUFFERING: {
        // The UI thread acts on these as it drains the queue. While
        // rendering, the length is read once the file is ready and the rest
        // does not arise.
        bool bBuilding;
        {
            std::lock_guard lock(m_mutex);
            bBuilding = m_bBuilding;
        }
        if (!bBuilding)
            QueueEvent(pMessage, true);
        return GST_BUS_DROP;
    }
    case GST_MESSAGE_STEP_DONE:
    case GST_MESSAGE_ASYNC_DONE: {
        const bool bStepDone = GST_MESSAGE_TYPE(pMessage) == GST_MESSAGE_STEP_DONE;
        const bool bEnd = bStepDone && StepReachedEnd(pMessage);
        {
            // Only a step under way turns these into an event; seeks and state
            // changes post them all the time. RenderFile waits for its own.
            std::lock_guard lock(m_mutex);
            if (!m_bBuilding) {
                if (!m_bStepPending && !m_bSeekInFlight)
                    return GST_BUS_DROP;
                // A step that ran into the end of the media has nothing more
                // to preroll, and stands at the end from now on.
                if (bEnd)
                    m_bStepAtEnd = true;
            }
        }
        QueueEvent(pMessage, !bStepDone || bEnd);
        return GST_BUS_DROP;
    }
    case GST_MESSAGE_QOS: {
        // Video elements count in buffers (frames), audio ones in samples.
        GstFormat format = GST_FORMAT_UNDEFINED;
        gst_message_parse_qos_stats(pMessage, &format, nullptr, nullptr);
        if (format == GST_FORMAT_BUFFERS) {
            ++m_llQosDrops;
            if (GST_MESSAGE_SRC(pMessage) == GST_OBJECT(VideoSink()))
                ++m_llSinkDrops;
        }
        return GST_BUS_DROP;
    }
    default:
        return GST_BUS_DROP;
    }
}

void CGstGraph::QueueEvent(GstMessage* pMessage, bool bNotify)
{
    std::lock_guard lock(m_mutex);
    m_events.push_back({ gst_message_ref(pMessage), m_nFlushes.load() });
    m_eventQueued.notify_all();
    // The message is in the queue before the window hears of it, so the
    // drain that follows always finds it. While rendering, RenderFile reads
    // the queue itself.
    if (bNotify && !m_bBuilding)
        PostNotifyLocked();
}

void CGstGraph::PostNotifyLocked()
{
    m_notifyWindow.PostEvent(new CMessageEvent(m_nNotifyMessage, 0, m_lNotifyData));
}

GstMessage* CGstGraph::PopEvent(GstMessageType mask, gint64 deadlineUs, unsigned* pnFlushes)
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        for (auto it = m_events.begin(); it != m_events.end(); ++it) {
            if (GST_MESSAGE_TYPE(it->pMessage) & mask) {
                GstMessage* pMessage = it->pMessage;
                if (pnFlushes)
                    *pnFlushes = it->nFlushes;
                m_events.erase(it);
                return pMessage;
            }
        }
        if (deadlineUs < 0) {
            m_eventQueued.wait(lock);
            continue;
        }
        const gint64 left = deadlineUs - g_get_monotonic_time();
        if (left <= 0)
            return nullptr;
        m_eventQueued.wait_for(lock, std::chrono::microseconds(left));
    }
}

HRESULT CGstGraph::SetNotifyWindow(QObject* pWindow, int nMessage, qintptr lInstanceData)
{
    std::lock_guard lock(m_mutex);
    m_notifyWindow.Set(pWindow);
    m_nNotifyMessage = nMessage;
    m_lNotifyData = lInstanceData;
    // Events that came while the file was being rendered wait already.
    if (!m_events.empty())
        PostNotifyLocked();
    return S_OK;
}

HRESULT CGstGraph::GetEvent(long* plEventCode, qintptr* plParam1, qintptr* plParam2, long msTimeout)
{
    if (!plEventCode || !plParam1 || !plParam2)
        return E_POINTER;
    const gint64 deadline = msTimeout < 0 ? -1 : g_get_monotonic_time() + gint64(msTimeout) * 1000;
    for (;;) {
        unsigned nFlushes = 0;
        GstMessage* pMessage = PopEvent(kEventMessages, deadline, &nFlushes);
        if (!pMessage)
            return E_ABORT;
        *plParam1 = 0;
        *plParam2 = 0;
        switch (GST_MESSAGE_TYPE(pMessage)) {
        case GST_MESSAGE_EOS:
            gst_message_unref(pMessage);
            // Reached before a seek the window has asked for since (the stop
            // of an A-B stretch just ended, say): the file goes on from there.
            if (IsEndLeftBehind(nFlushes))
                continue;
            *plEventCode = EC_COMPLETE;
            return S_OK;
        case GST_MESSAGE_DURATION_CHANGED:
            gst_message_unref(pMessage);
            *plEventCode = EC_LENGTH_CHANGED;
            return S_OK;
        case GST_MESSAGE_CLOCK_LOST:
        case GST_MESSAGE_LATENCY:
        case GST_MESSAGE_REQUEST_STATE:
        case GST_MESSAGE_BUFFERING:
            HandlePipelineRequest(pMessage);
            gst_message_unref(pMessage);
            continue;
        case GST_MESSAGE_ERROR:
            // Playback cannot go on; one report is enough.
            if (m_bErrorReported) {
                gst_message_unref(pMessage);
                continue;
            }
            m_bErrorReported = true;
            *plEventCode = EC_ERRORABORT;
            *plParam1 = FailFromMessage(pMessage);
            return S_OK;
        default: { // STEP_DONE, then ASYNC_DONE once the stepped-to frame is in place
            const bool bStepDone = GST_MESSAGE_TYPE(pMessage) == GST_MESSAGE_STEP_DONE;
            const bool bEnd = bStepDone && StepReachedEnd(pMessage);
            gst_message_unref(pMessage);
            if (!bStepDone && (IsSeeking() || m_dwHeldSteps != 0)) {
                // A seek of ours cued, or the pause a step waited for. One
                // that came before the seek flushed is left from earlier.
                if (IsSeeking()) {
                    if (!IsCueOfSeek(nFlushes))
                        continue;
                    OnSeekCued();
                }
                if (StartHeldStep())
                    continue;
                *plEventCode = EC_STEP_COMPLETE;
                return S_OK;
            }
            {
                std::lock_guard lock(m_mutex);
                if (!m_bStepPending)
                    continue; // left from a step that a seek ended
                if (bStepDone) {
                    m_bStepDone = true;
                    if (!bEnd)
                        continue; // the next frame is not prerolled yet
                } else if (!m_bStepDone) {
                    continue; // a state change before the step was done
                }
                m_bStepPending = false;
                m_bStepDone = false;
            }
            // A step that ran into the end left the picture it started from
            // on screen; the last one is looked for as after a seek past it.
            if (bEnd)
                SeekToEnd();
            *plEventCode = EC_STEP_COMPLETE;
            return S_OK;
        }
        }
    }
}

// What GStreamer's own player does with them.
void CGstGraph::HandlePipelineRequest(GstMessage* pMessage)
{
    switch (GST_MESSAGE_TYPE(pMessage)) {
    case GST_MESSAGE_CLOCK_LOST:
        // A new clock is chosen on the way back to playing.
        if (GST_STATE_TARGET(m_pPipeline) == GST_STATE_PLAYING) {
            gst_element_set_state(m_pPipeline, GST_STATE_PAUSED);
            gst_element_set_state(m_pPipeline, GST_STATE_PLAYING);
        }
        break;
    case GST_MESSAGE_LATENCY:
        gst_bin_recalculate_latency(GST_BIN(m_pPipeline));
        break;
    case GST_MESSAGE_REQUEST_STATE: {
        GstState state = GST_STATE_VOID_PENDING;
        gst_message_parse_request_state(pMessage, &state);
        gst_element_set_state(m_pPipeline, state);
        break;
    }
    case GST_MESSAGE_BUFFERING: {
        // A source that must fill up first holds playback until it has, and
        // only playback it held itself is let go again.
        gint percent = 100;
        gst_message_parse_buffering(pMessage, &percent);
        if (percent < 100 && !m_bBuffering && GST_STATE_TARGET(m_pPipeline) == GST_STATE_PLAYING) {
            m_bBuffering = true;
            gst_element_set_state(m_pPipeline, GST_STATE_PAUSED);
        } else if (percent >= 100 && m_bBuffering) {
            m_bBuffering = false;
            if (GST_STATE_TARGET(m_pPipeline) == GST_STATE_PAUSED)
                gst_element_set_state(m_pPipeline, GST_STATE_PLAYING);
        }
        break;
    }
    default:
        break;
    }
}

bool CGstGraph::StepReachedEnd(GstMessage* pMessage)
{
    gboolean bEos = FALSE;
    gst_message_parse_step_done(pMessage, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &bEos);
    return bEos;
}

HRESULT CGstGraph::FailFromMessage(GstMessage* pMessage)
{
    GError* pError = nullptr;
    gst_message_parse_error(pMessage, &pError, nullptr);
    const HRESULT hr = HresultFromGstError(pError, m_strFile);
    g_clear_error(&pError);
    const QString strDetail = DescribeGstError(pMessage, MissingDecoders());
    LogGstError(pMessage, m_strFile);
    // With GST_DEBUG_DUMP_DOT_DIR set, the pipeline as it was goes there.
    GST_DEBUG_BIN_TO_DOT_FILE_WITH_TS(GST_BIN(m_pPipeline), GST_DEBUG_GRAPH_SHOW_ALL, "orv-error");
    gst_message_unref(pMessage);
    std::lock_guard lock(m_mutex);
    m_strErrorDetail = strDetail;
    return hr;
}

QStringList CGstGraph::MissingDecoders()
{
    std::lock_guard lock(m_mutex);
    return m_missing;
}

GstTagList* CGstGraph::Tags() const
{
    std::lock_guard lock(m_mutex);
    return m_pTags ? gst_tag_list_ref(m_pTags) : nullptr;
}

QString CGstGraph::GetErrorDetail() const
{
    std::lock_guard lock(m_mutex);
    return m_strErrorDetail;
}
