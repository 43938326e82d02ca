// The bus: what the sync handler does with each message, and the event
// queue the main frame drains on the UI thread.

#include "player/graph/GstGraph.h"

#include "platform/WindowMessages.h"
#include "player/graph/GstErrors.h"
#include "player/graph/GstOwnerWindowRenderer.h"

#include <QCoreApplication>

#include <gst/pbutils/missing-plugins.h>
#include <gst/video/videooverlay.h>

namespace {
constexpr GstMessageType kEventMessages = static_cast<GstMessageType>(
    GST_MESSAGE_EOS | GST_MESSAGE_ERROR | GST_MESSAGE_ASYNC_DONE | GST_MESSAGE_STEP_DONE);
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
        PostNotify();
        return GST_BUS_PASS;
    case GST_MESSAGE_STEP_DONE:
    case GST_MESSAGE_ASYNC_DONE: {
        const bool bStepDone = GST_MESSAGE_TYPE(pMessage) == GST_MESSAGE_STEP_DONE;
        const bool bEnd = bStepDone && StepReachedEnd(pMessage);
        {
            // Only a step under way turns these into an event; seeks and state
            // changes post them all the time. RenderFile waits for its own.
            std::lock_guard lock(m_mutex);
            if (m_bBuilding)
                return GST_BUS_PASS;
            if (!m_bStepPending)
                return GST_BUS_DROP;
            // A step that ran into the end of the media has nothing more to
            // preroll, and stands at the end from now on.
            if (bEnd)
                m_bStepAtEnd = true;
        }
        if (!bStepDone || bEnd)
            PostNotify();
        return GST_BUS_PASS;
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

void CGstGraph::PostNotify()
{
    std::lock_guard lock(m_mutex);
    // While rendering, RenderFile reads the bus itself.
    if (m_bBuilding || !m_pNotifyWindow)
        return;
    QCoreApplication::postEvent(m_pNotifyWindow.data(), new CMessageEvent(m_nNotifyMessage, 0, m_lNotifyData));
}

HRESULT CGstGraph::SetNotifyWindow(QObject* pWindow, int nMessage, qintptr lInstanceData)
{
    std::lock_guard lock(m_mutex);
    m_pNotifyWindow = pWindow;
    m_nNotifyMessage = nMessage;
    m_lNotifyData = lInstanceData;
    return S_OK;
}

HRESULT CGstGraph::GetEvent(long* plEventCode, qintptr* plParam1, qintptr* plParam2, long msTimeout)
{
    if (!plEventCode || !plParam1 || !plParam2)
        return E_POINTER;
    const gint64 deadline = g_get_monotonic_time() + gint64(msTimeout) * 1000;
    for (;;) {
        GstClockTime wait = GST_CLOCK_TIME_NONE;
        if (msTimeout >= 0)
            wait = GstClockTime(std::max<gint64>(0, deadline - g_get_monotonic_time())) * GST_USECOND;
        GstMessage* pMessage = gst_bus_timed_pop_filtered(m_pBus, wait, kEventMessages);
        if (!pMessage)
            return E_ABORT;
        *plParam1 = 0;
        *plParam2 = 0;
        switch (GST_MESSAGE_TYPE(pMessage)) {
        case GST_MESSAGE_EOS:
            gst_message_unref(pMessage);
            *plEventCode = EC_COMPLETE;
            return S_OK;
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
            *plEventCode = EC_STEP_COMPLETE;
            return S_OK;
        }
        }
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
    gst_message_unref(pMessage);
    std::lock_guard lock(m_mutex);
    m_strErrorDetail = strDetail;
    return hr;
}

HRESULT CGstGraph::WaitForPreroll()
{
    const GstStateChangeReturn ret = gst_element_set_state(m_pPipeline, GST_STATE_PAUSED);
    if (ret == GST_STATE_CHANGE_FAILURE) {
        if (GstMessage* pMessage = gst_bus_pop_filtered(m_pBus, GST_MESSAGE_ERROR))
            return FailFromMessage(pMessage);
        std::lock_guard lock(m_mutex);
        m_strErrorDetail = QStringLiteral("The file could not be opened for playing.");
        return E_FAIL;
    }
    if (ret == GST_STATE_CHANGE_ASYNC) {
        const gint64 deadline = g_get_monotonic_time() + gint64(kPrerollTimeout / GST_USECOND);
        for (;;) {
            const gint64 left = std::max<gint64>(0, deadline - g_get_monotonic_time());
            GstMessage* pMessage = gst_bus_timed_pop_filtered(m_pBus, GstClockTime(left) * GST_USECOND,
                static_cast<GstMessageType>(GST_MESSAGE_ASYNC_DONE | GST_MESSAGE_ERROR));
            if (!pMessage) {
                std::lock_guard lock(m_mutex);
                m_strErrorDetail = QStringLiteral("The file was not ready to play within %1 seconds.")
                                       .arg(kPrerollTimeout / GST_SECOND);
                return E_FAIL;
            }
            if (GST_MESSAGE_TYPE(pMessage) == GST_MESSAGE_ERROR)
                return FailFromMessage(pMessage);
            gst_message_unref(pMessage);
            break;
        }
    }

    std::lock_guard lock(m_mutex);
    if (!m_pLinkedVideo && !m_pLinkedAudio) {
        m_strErrorDetail = m_missing.isEmpty() ? QStringLiteral("The file has no sound or picture that can be played.")
                                               : m_missing.join(QLatin1Char('\n'));
        return VFW_E_CANNOT_RENDER;
    }
    return m_missing.isEmpty() ? S_OK : VFW_S_PARTIAL_RENDER;
}

QStringList CGstGraph::MissingDecoders()
{
    std::lock_guard lock(m_mutex);
    return m_missing;
}

GstTagList* CGstGraph::Tags()
{
    std::lock_guard lock(m_mutex);
    return m_pTags ? gst_tag_list_ref(m_pTags) : nullptr;
}

QString CGstGraph::GetErrorDetail() const
{
    std::lock_guard lock(m_mutex);
    return m_strErrorDetail;
}
