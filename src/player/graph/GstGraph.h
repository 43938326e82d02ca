#pragma once
// The media graph on GStreamer: uridecodebin finds and links demuxers and
// decoders (asking the site callback about each and putting preferred ones
// first); its raw streams go to our renderers.
//
// Threads: every IMediaGraph call comes from the UI thread. Streaming threads
// only link new streams while the file is being rendered, keep frames and
// post bus messages; the bus sync handler answers window-handle requests,
// keeps tags and missing-decoder notes, and moves the messages that become
// events (end of stream, errors, step completion, a new length) into the
// graph's own queue, posting the notify message to the window the caller
// named only once the message is in the queue. GetEvent and the wait for
// preroll read that queue on the UI thread. Nothing changes the pipeline's
// state from a streaming thread.
//
// Building is in GstGraph.cpp, the wait for preroll in GstGraphPreroll.cpp,
// control/seeking/stepping/volume in GstGraphControl.cpp, the bus and the
// event queue in GstGraphBus.cpp.

#include "player/graph/GstFilters.h"

#include <QPointer>

#include <gst/gst.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <set>

class CGstAudioRenderer;
class CGstOwnerWindowRenderer;
class CGstWindowlessRenderer;

class CGstGraph final : public IMediaGraph,
                        public IObjectWithSite,
                        public IMediaControl,
                        public IMediaEventEx,
                        public IMediaSeeking,
                        public IVideoFrameStep,
                        public IBasicAudio,
                        public IQualProp {
public:
    // How long RenderFile waits for the file to be ready to play.
    static constexpr GstClockTime kPrerollTimeout = 10 * GST_SECOND;
    // Once the file is being read, how long nothing may move before the file
    // counts as one that will never be ready: a damaged file whose demuxer
    // gave up without a word.
    static constexpr gint64 kPrerollStallUs = 750 * 1000;

    CGstGraph();
    ~CGstGraph() override;
    CGstGraph(const CGstGraph&) = delete;
    CGstGraph& operator=(const CGstGraph&) = delete;

    // IMediaGraph
    HRESULT QueryObjectWithSite(IObjectWithSite** pp) override;
    HRESULT QueryMediaControl(IMediaControl** pp) override;
    HRESULT QueryMediaEvent(IMediaEventEx** pp) override;
    HRESULT QueryMediaSeeking(IMediaSeeking** pp) override;
    HRESULT QueryBasicAudio(IBasicAudio** pp) override;
    HRESULT QueryBasicVideo(IBasicVideo2** pp) override;
    HRESULT QueryVideoWindow(IVideoWindow** pp) override;
    HRESULT QueryVideoFrameStep(IVideoFrameStep** pp) override;
    HRESULT QueryQualProp(IQualProp** pp) override;
    HRESULT CreateWindowlessRenderer(IGraphFilter** ppFilter) override;
    HRESULT CreateFilter(const FilterMoniker& moniker, IGraphFilter** ppFilter) override;
    HRESULT AddFilter(IGraphFilter* pFilter, const QString& strName) override;
    HRESULT RemoveFilter(IGraphFilter* pFilter) override;
    HRESULT EnumFilters(std::vector<IGraphFilter*>* pFilters) override;
    HRESULT CanUseOwnerWindow() override;
    HRESULT RenderFile(const QString& strFile) override;
    QString GetErrorDetail() const override;

    // IObjectWithSite
    HRESULT SetSite(IGraphBuilderCallback* pSite) override;

    // IMediaControl
    HRESULT Run() override;
    HRESULT Pause() override;
    HRESULT Stop() override;
    HRESULT GetState(long msTimeout, long* pState) override;

    // IMediaEventEx
    HRESULT SetNotifyWindow(QObject* pWindow, int nMessage, qintptr lInstanceData) override;
    HRESULT GetEvent(long* plEventCode, qintptr* plParam1, qintptr* plParam2, long msTimeout) override;

    // IMediaSeeking
    HRESULT GetCapabilities(DWORD* pCapabilities) override;
    HRESULT IsFormatSupported(TimeFormat format) override;
    HRESULT SetTimeFormat(TimeFormat format) override;
    HRESULT GetTimeFormat(TimeFormat* pFormat) override;
    HRESULT GetDuration(LONGLONG* pDuration) override;
    HRESULT GetStopPosition(LONGLONG* pStop) override;
    HRESULT GetCurrentPosition(LONGLONG* pCurrent) override;
    HRESULT GetPositions(LONGLONG* pCurrent, LONGLONG* pStop) override;
    HRESULT SetPositions(LONGLONG* pCurrent, DWORD dwCurrentFlags, LONGLONG* pStop, DWORD dwStopFlags) override;

    // IVideoFrameStep
    HRESULT CanStep(long bMultiple) override;
    HRESULT Step(DWORD dwFrames) override;

    // IBasicAudio
    HRESULT put_Volume(long lVolume) override;
    HRESULT get_Volume(long* plVolume) override;

    // IQualProp
    HRESULT get_FramesDrawn(LONGLONG* pllFrames) override;
    HRESULT get_FramesDropped(LONGLONG* pllFrames) override;

private:
    // ---- building (GstGraph.cpp) ----
    static GValueArray* OnAutoplugSort(GstElement*, GstPad*, GstCaps*, GValueArray* pFactories, gpointer pData);
    static gint OnAutoplugSelect(GstElement*, GstPad*, GstCaps*, GstElementFactory* pFactory, gpointer pData);
    static void OnSourceSetup(GstElement*, GstElement* pSource, gpointer pData);
    static void OnPadAdded(GstElement*, GstPad* pPad, gpointer pData);
    static void OnDeepElementAdded(GstBin*, GstBin*, GstElement* pElement, gpointer pData);
    static void OnDeepElementRemoved(GstBin*, GstBin*, GstElement* pElement, gpointer pData);
    bool IsRefused(const FilterMoniker& moniker);
    bool IsPreferred(const QString& strFactory);
    bool IsInPipeline(const QString& strFactory);
    void LinkStream(GstPad* pPad);
    bool LinkToBin(GstPad* pPad, GstElement* pBin, GstPad* pBinPad);
    void LinkToDiscard(GstPad* pPad);
    bool IsOwnedElement(GstElement* pElement) const;
    bool IsInDecoder(GstElement* pElement) const;
    // Takes the renderer bin out of the pipeline.
    void RemoveRenderer(GstElement* pBin);

    // ---- bus and events (GstGraphBus.cpp) ----
    static GstBusSyncReply OnSyncMessage(GstBus*, GstMessage* pMessage, gpointer pData);
    GstBusSyncReply HandleSyncMessage(GstMessage* pMessage);
    // Keeps the message (a reference of its own) for GetEvent or the wait
    // for preroll; with bNotify the window is told once it is queued.
    void QueueEvent(GstMessage* pMessage, bool bNotify);
    // Tells the window that events wait (m_mutex held).
    void PostNotifyLocked();
    // The first queued message of the types in mask, taken out of the queue;
    // null when none comes before the deadline (monotonic µs; -1: no limit).
    GstMessage* PopEvent(GstMessageType mask, gint64 deadlineUs);
    static bool StepReachedEnd(GstMessage* pStepDone);
    HRESULT FailFromMessage(GstMessage* pMessage);
    QStringList MissingDecoders();
    GstTagList* Tags() const;

    // ---- the wait for preroll (GstGraphPreroll.cpp) ----
    // Waits for preroll; the result of rendering.
    HRESULT WaitForPreroll();
    // A stream that ended before its first buffer reached the renderer (a
    // picture track with no pictures) leaves its renderer.
    void DropEndedRenderers();
    // Data moving through pPad counts as progress while the file prerolls.
    void WatchProgress(GstPad* pPad);
    static GstPadProbeReturn OnProgress(GstPad*, GstPadProbeInfo*, gpointer pData);
    // Holds the first buffer of a decoder element's own output until the
    // decoder bin has either linked or held back that output.
    void GuardFirstOutput(GstElement* pElement);
    static GstPadProbeReturn OnFirstOutput(GstPad* pPad, GstPadProbeInfo*, gpointer pData);

    // ---- control (GstGraphControl.cpp) ----
    GstClockTime ToTime(LONGLONG llPosition, TimeFormat format) const;
    LONGLONG FromTime(GstClockTime time, TimeFormat format) const;
    bool VideoRate(gint* pNum, gint* pDen) const;
    GstElement* VideoSink() const;
    bool QueryTime(GstQuery* pQuery) const;
    bool QueryDuration(GstClockTime* pDuration) const;
    // The length of a sound-only stream that does not state it (an MP3
    // without a header), from its size and bitrate; false when unknown.
    bool EstimateDuration(GstClockTime* pDuration) const;
    bool QueryPosition(GstClockTime* pPosition) const;
    // Counts the frames that reach the video sink from now on.
    void CountVideoFrames();
    static GstPadProbeReturn OnVideoSinkBuffer(GstPad*, GstPadProbeInfo*, gpointer pData);

    GstElement* m_pPipeline = nullptr;
    GstBus* m_pBus = nullptr;
    GstElement* m_pDecoder = nullptr;
    QString m_strFile;

    // The filters the graph owns; pointers handed out stay valid.
    std::unique_ptr<CGstWindowlessRenderer> m_pWindowless;         // added by the caller
    std::unique_ptr<CGstWindowlessRenderer> m_pOwnWindowless;      // the graph's own choice
    std::unique_ptr<CGstOwnerWindowRenderer> m_pOwnerWindow;
    std::unique_ptr<CGstAudioRenderer> m_pAudio;
    std::vector<std::unique_ptr<IGraphFilter>> m_createdFilters;
    std::map<GstElement*, std::unique_ptr<CGstElementFilter>> m_elementFilters;

    std::mutex m_linkMutex;     // one new stream is linked at a time
    mutable std::mutex m_mutex; // everything below, shared with streaming threads
    IGraphBuilderCallback* m_pSite = nullptr;
    bool m_bBuilding = true; // until RenderFile has returned
    bool m_bWindowlessAdded = false;
    std::set<QString> m_preferred;         // factory names
    std::set<QString> m_refused;           // factory names refused while building
    std::vector<GstElement*> m_chain;      // decoder-chain elements, in creation order (ref held)
    GstElement* m_pSource = nullptr;       // ref held
    GstElement* m_pLinkedVideo = nullptr;  // the bin video went to
    GstElement* m_pLinkedAudio = nullptr;
    QStringList m_missing;                 // descriptions of missing decoders
    GstTagList* m_pTags = nullptr;
    QPointer<QObject> m_pNotifyWindow;
    int m_nNotifyMessage = 0;
    qintptr m_lNotifyData = 0;
    // Messages that become events (or end the wait for preroll), in order;
    // a reference held on each.
    std::deque<GstMessage*> m_events;
    std::condition_variable m_eventQueued;
    bool m_bStepPending = false;
    bool m_bStepAtEnd = false; // a step ran into the end; the position is the stop
    QString m_strErrorDetail;
    // Frames that reached the video sink; quality messages, each a frame
    // some element dropped for being late, and those of them from the sink.
    std::atomic<LONGLONG> m_llSinkFrames { 0 };
    std::atomic<LONGLONG> m_llQosDrops { 0 };
    std::atomic<LONGLONG> m_llSinkDrops { 0 };
    // While the file prerolls: when data last moved (monotonic µs; 0 not yet).
    std::atomic<bool> m_bWatchingProgress { false };
    std::atomic<gint64> m_llLastProgressUs { 0 };

    // UI thread only.
    bool m_bStepDone = false; // the step's STEP_DONE was read; its ASYNC_DONE completes it
    bool m_bErrorReported = false;
    bool m_bStopped = true;
    TimeFormat m_timeFormat = TimeFormat::MediaTime;
    GstClockTime m_offset = 0;                   // first position of the stream
    GstClockTime m_stop = GST_CLOCK_TIME_NONE;   // none: the end of the media
    long m_lVolume = 0;
};
