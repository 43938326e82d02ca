// The wait until a new file is ready to play: the end of preroll, a failure,
// or a file that stopped moving; and two guards that keep a good file from
// failing on the way there.

#include "player/graph/GstGraph.h"

#include "platform/Termination.h"
#include "player/graph/GstAudioRenderer.h"
#include "player/graph/GstOwnerWindowRenderer.h"
#include "player/graph/GstWindowlessRenderer.h"

#include <algorithm>
#include <ctime>

namespace {
// How often the wait looks at the progress of a file that is being read.
constexpr gint64 kProgressCheckUs = 50 * 1000;
// CPU time the process spends between two looks that says work is going on
// (a decoder's plugin being loaded, another decoder being tried) even though
// nothing moves through the pads yet.
constexpr gint64 kBusyCpuUs = 10 * 1000;

gint64 ProcessCpuUs()
{
    timespec ts {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return gint64(ts.tv_sec) * G_USEC_PER_SEC + ts.tv_nsec / 1000;
}
// How long a decoder element's first output may be held (see GuardFirstOutput).
constexpr gint64 kFirstOutputHoldUs = 300 * 1000;
constexpr gint64 kFirstOutputPollUs = 1000;

constexpr GstPadProbeType kDataProbe = static_cast<GstPadProbeType>(
    GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_BUFFER_LIST | GST_PAD_PROBE_TYPE_PUSH | GST_PAD_PROBE_TYPE_PULL);

// Whether a buffer pushed from pPad now reaches an element that takes it:
// ghost pads are followed through; false when the path ends at a pad nobody
// linked yet, or passes a pad not yet started (it would refuse the buffer,
// and the element that pushed it would stop without a word).
bool PathIsReady(GstPad* pPad)
{
    GstPad* pAt = GST_PAD(gst_object_ref(pPad));
    // Bins nest only a few deep; the bound only guards against a loop.
    for (int nDepth = 0; nDepth < 32; ++nDepth) {
        GstPad* pPeer = gst_pad_get_peer(pAt);
        gst_object_unref(pAt);
        if (!pPeer)
            return false;
        if (GST_PAD_IS_FLUSHING(pPeer)) {
            gst_object_unref(pPeer);
            return false;
        }
        if (!GST_IS_PROXY_PAD(pPeer)) {
            gst_object_unref(pPeer);
            return true;
        }
        // A ghost pad, or the inner side of one: the data goes on from the other side.
        pAt = GST_PAD(gst_proxy_pad_get_internal(GST_PROXY_PAD(pPeer)));
        gst_object_unref(pPeer);
        if (!pAt)
            return true;
    }
    gst_object_unref(pAt);
    return true;
}
}

HRESULT CGstGraph::WaitForPreroll()
{
    m_llLastProgressUs = 0;
    m_bWatchingProgress = true;
    struct StopWatching {
        CGstGraph* p;
        ~StopWatching() { p->m_bWatchingProgress = false; }
    } stopWatching { this };

    const GstStateChangeReturn ret = gst_element_set_state(m_pPipeline, GST_STATE_PAUSED);
    const auto kWaitFor = static_cast<GstMessageType>(GST_MESSAGE_ASYNC_DONE | GST_MESSAGE_ERROR);
    if (ret == GST_STATE_CHANGE_FAILURE) {
        if (GstMessage* pMessage = PopEvent(GST_MESSAGE_ERROR, 0))
            return FailFromMessage(pMessage);
        std::lock_guard lock(m_mutex);
        m_strErrorDetail = QStringLiteral("The file could not be opened for playing.");
        return E_FAIL;
    }
    if (ret == GST_STATE_CHANGE_ASYNC) {
        const gint64 deadline = g_get_monotonic_time() + gint64(kPrerollTimeout / GST_USECOND);
        // A stall is both a quiet time and as many quiet looks at it as that
        // time holds: on a starved machine this thread wakes late too, and a
        // long gap between two looks says nothing about the file.
        // Nor is a busy process stalled: on a loaded machine loading a
        // decoder can take longer than the stall allows.
        gint64 lastSeen = 0;
        gint64 quietSince = 0;
        gint64 lastCpu = ProcessCpuUs();
        int nQuietChecks = 0;
        for (;;) {
            const gint64 now = g_get_monotonic_time();
            GstMessage* pMessage = PopEvent(kWaitFor, std::min(deadline, now + kProgressCheckUs));
            if (pMessage) {
                if (GST_MESSAGE_TYPE(pMessage) == GST_MESSAGE_ERROR)
                    return FailFromMessage(pMessage);
                gst_message_unref(pMessage);
                break;
            }
            const gint64 lastProgress = m_llLastProgressUs;
            const gint64 cpu = ProcessCpuUs();
            const bool bBusy = cpu - lastCpu >= kBusyCpuUs;
            lastCpu = cpu;
            if (lastProgress != lastSeen || bBusy) {
                lastSeen = lastProgress;
                quietSince = g_get_monotonic_time();
                nQuietChecks = 0;
            } else {
                ++nQuietChecks;
            }
            const bool bStalled = lastSeen != 0 && nQuietChecks >= kPrerollStallUs / kProgressCheckUs
                && g_get_monotonic_time() - quietSince > kPrerollStallUs;
            if (TerminationRequested()) {
                std::lock_guard lock(m_mutex);
                m_strErrorDetail = QStringLiteral("The program was told to end.");
                return E_ABORT;
            }
            if (bStalled || g_get_monotonic_time() >= deadline) {
                std::lock_guard lock(m_mutex);
                m_strErrorDetail = bStalled
                    ? QStringLiteral("The file stopped before it was ready to play; it may be damaged or incomplete.")
                    : QStringLiteral("The file was not ready to play within %1 seconds.")
                          .arg(kPrerollTimeout / GST_SECOND);
                return E_FAIL;
            }
        }
    }

    DropEndedRenderers();
    std::lock_guard lock(m_mutex);
    if (!m_pLinkedVideo && !m_pLinkedAudio) {
        m_strErrorDetail = m_missing.isEmpty() ? QStringLiteral("The file has no sound or picture that can be played.")
                                               : m_missing.join(QLatin1Char('\n'));
        return VFW_E_CANNOT_RENDER;
    }
    return m_missing.isEmpty() ? S_OK : VFW_S_PARTIAL_RENDER;
}

void CGstGraph::DropEndedRenderers()
{
    GstElement* pEnded[2] = {};
    {
        std::lock_guard lock(m_mutex);
        GstElement** ppLinked[2] = { &m_pLinkedVideo, &m_pLinkedAudio };
        for (int i = 0; i < 2; ++i) {
            GstElement* pBin = *ppLinked[i];
            if (!pBin)
                continue;
            GstPad* pPad = gst_element_get_static_pad(pBin, "sink");
            GstCaps* pCaps = gst_pad_get_current_caps(pPad);
            GstEvent* pEos = gst_pad_get_sticky_event(pPad, GST_EVENT_EOS, 0);
            gst_object_unref(pPad);
            // Without caps nothing ever said what the stream holds.
            if (!pCaps && pEos) {
                pEnded[i] = pBin;
                *ppLinked[i] = nullptr;
            }
            if (pCaps)
                gst_caps_unref(pCaps);
            if (pEos)
                gst_event_unref(pEos);
        }
    }
    for (GstElement* pBin : pEnded)
        if (pBin)
            RemoveRenderer(pBin);
}

// ---- progress ----

void CGstGraph::WatchProgress(GstPad* pPad)
{
    if (pPad && m_bWatchingProgress)
        gst_pad_add_probe(pPad, kDataProbe, &CGstGraph::OnProgress, this, nullptr);
}

GstPadProbeReturn CGstGraph::OnProgress(GstPad*, GstPadProbeInfo*, gpointer pData)
{
    auto* pThis = static_cast<CGstGraph*>(pData);
    // Only the wait for preroll wants to know; playback pays nothing for it.
    if (!pThis->m_bWatchingProgress)
        return GST_PAD_PROBE_REMOVE;
    pThis->m_llLastProgressUs = g_get_monotonic_time();
    return GST_PAD_PROBE_OK;
}

// ---- the decoder bin's first output ----

// The decoder bin starts an element before it holds back the element's
// fixed outputs for linking, so a parser that reads the file itself can push
// its first buffer into a pad that leads nowhere yet while the bin links it
// on another thread; the file then fails with "not-linked" now and then (raw
// formats such as AIFF). That first buffer waits here, briefly, until its
// path is linked and started.
void CGstGraph::GuardFirstOutput(GstElement* pElement)
{
    gst_element_foreach_src_pad(
        pElement,
        [](GstElement*, GstPad* pPad, gpointer pData) {
            gst_pad_add_probe(pPad,
                static_cast<GstPadProbeType>(GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_BUFFER_LIST),
                &CGstGraph::OnFirstOutput, pData, nullptr);
            return gboolean(TRUE);
        },
        this);
}

GstPadProbeReturn CGstGraph::OnFirstOutput(GstPad* pPad, GstPadProbeInfo*, gpointer pData)
{
    auto* pThis = static_cast<CGstGraph*>(pData);
    const gint64 giveUp = g_get_monotonic_time() + kFirstOutputHoldUs;
    // Normally the bin held the buffer until the path was linked, and it
    // goes on at once. In the race the bin is exposing the output on
    // another thread right now.
    while (pThis->m_bWatchingProgress && !PathIsReady(pPad) && g_get_monotonic_time() < giveUp)
        g_usleep(kFirstOutputPollUs);
    return GST_PAD_PROBE_REMOVE;
}
