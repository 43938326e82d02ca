#pragma once
// The media graph on GStreamer: uridecodebin finds and links demuxers and
// decoders (asking the site callback about each and putting preferred ones
// first); its raw streams go to our renderers.
//
// Threads: every IMediaGraph call comes from the UI thread (the contracts
// are in MediaGraph.h). Streaming threads only link new streams while the
// file is being rendered, keep frames and post bus messages; the bus sync
// handler answers window-handle requests, keeps tags and missing-decoder
// notes, and moves the messages that become events (end of stream, errors,
// step completion, a new length) into the graph's own queue, posting the
// notify message to the window the caller named only once the message is in
// the queue. GetEvent and the wait for preroll read that queue on the UI
// thread. Nothing changes the pipeline's state from a streaming thread.
//
// The site is called from streaming threads (and from the UI thread while it
// chooses sinks) without m_mutex held: what a call needs is taken under the
// lock, the call made outside it, and RenderFile returns only once every
// call under way has finished, so the site is never called afterwards.
//
// Seeks never hold the UI thread: one is sent at a time, and a position asked
// for meanwhile waits (the latest replacing the others) until the one under
// way has shown its picture; the position reported is the one asked for until
// then, and afterwards, while paused, that of the picture on screen.
//
// Building is in GstGraph.cpp, the wait for preroll in GstGraphPreroll.cpp,
// control, durations and volume in GstGraphControl.cpp, positions, seeks and
// steps in GstGraphSeeking.cpp, the bus and the event queue in GstGraphBus.cpp.

#include "player/graph/GstFilters.h"
#include "player/graph/GstSinkChoice.h"
#include "player/graph/PostTarget.h"

#include <gst/gst.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
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
    HRESULT WaitForPosition(long msTimeout) override;

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
    // Asks the site while the file is being rendered; afterwards the answer
    // given then.
    bool IsRefused(const FilterMoniker& moniker);
    bool IsPreferred(const QString& strFactory);
    // The site for one call, counted as in use until EndSiteCallLocked;
    // null once rendering is over (m_mutex held for both).
    IGraphBuilderCallback* BeginSiteCallLocked();
    void EndSiteCallLocked();
    // The owner-window renderer, while video goes through it, as either of
    // its interfaces.
    template <class Interface>
    HRESULT QueryOwnerWindow(Interface** pp);
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
    // *pnFlushes: how many flushes had reached the renderers when it came.
    GstMessage* PopEvent(GstMessageType mask, gint64 deadlineUs, unsigned* pnFlushes = nullptr);
    static bool StepReachedEnd(GstMessage* pStepDone);
    // A lost clock, a new latency, a state an element asks for, buffering.
    void HandlePipelineRequest(GstMessage* pMessage);
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

    // ---- seeking and stepping (GstGraphSeeking.cpp) ----
    struct SeekRequest {
        GstSeekType startType = GST_SEEK_TYPE_NONE;
        GstClockTime start = 0; // pipeline time, the offset included
        GstSeekType stopType = GST_SEEK_TYPE_NONE;
        GstClockTime stop = 0;
    };
    // A seek of ours is under way or waits to be sent.
    bool IsSeeking() const;
    HRESULT SendSeek(const SeekRequest& request);
    // The seek under way has shown its picture (its ASYNC_DONE was read):
    // the next one goes, or the picture past the end is looked for.
    void OnSeekCued();
    // One picture's time; 40 ms when the frame rate is unknown.
    GstClockTime FrameDuration() const;
    // A paused seek to the end (the stop), which then shows the last picture.
    void SeekToEnd();
    // A step held while a seek or a pause was under way starts once they
    // have cued; false when it could not start (it is then over).
    bool StartHeldStep();
    // False when the step event could not be sent.
    bool SendStep(DWORD dwFrames);
    // Stream time of the picture the video renderer shows; false when none.
    bool ShownPictureTime(GstClockTime* pTime) const;
    // Flushes at a renderer's input, and at the video renderer's the pictures
    // and the end of the stream since.
    void WatchRendererInput(GstPad* pPad, bool bVideo);
    static GstPadProbeReturn OnAudioInput(GstPad*, GstPadProbeInfo* pInfo, gpointer pData);
    static GstPadProbeReturn OnVideoInput(GstPad*, GstPadProbeInfo* pInfo, gpointer pData);
    // An ASYNC_DONE that came after nFlushes is that of the seek under way.
    bool IsCueOfSeek(unsigned nFlushes) const { return nFlushes >= m_nSeekFlushes; }
    // An end of stream that came after nFlushes belongs to a position a seek
    // has since left, or is about to leave.
    bool IsEndLeftBehind(unsigned nFlushes) const;

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
    // Sinks are chosen as filters are: refused and preferred ones alike.
    const SinkChoiceRules m_sinkRules;

    std::mutex m_linkMutex;     // one new stream is linked at a time
    mutable std::mutex m_mutex; // everything below, shared with streaming threads
    IGraphBuilderCallback* m_pSite = nullptr;
    bool m_bBuilding = true; // until RenderFile has returned
    int m_nSiteCalls = 0;    // calls of the site under way, made outside the lock
    std::condition_variable m_siteIdle;
    bool m_bWindowlessAdded = false;
    std::set<QString> m_preferred;         // factory names
    std::set<QString> m_refused;           // factory names refused while building
    std::vector<GstElement*> m_chain;      // decoder-chain elements, in creation order (ref held)
    GstElement* m_pSource = nullptr;       // ref held
    GstElement* m_pLinkedVideo = nullptr;  // the bin video went to
    GstElement* m_pLinkedAudio = nullptr;
    QStringList m_missing;                 // descriptions of missing decoders
    GstTagList* m_pTags = nullptr;
    // Where the notify message goes: set and cleared by SetNotifyWindow, and
    // cleared by the window's destructor; posted to under its own lock.
    CPostTarget m_notifyWindow;
    int m_nNotifyMessage = 0;
    qintptr m_lNotifyData = 0;
    // Messages that become events (or end the wait for preroll), in order;
    // a reference held on each, and the count of flushes when it came.
    struct QueuedEvent {
        GstMessage* pMessage;
        unsigned nFlushes;
    };
    std::deque<QueuedEvent> m_events;
    std::condition_variable m_eventQueued;
    bool m_bStepPending = false;
    bool m_bStepAtEnd = false; // a step ran into the end: no ASYNC_DONE follows its STEP_DONE
    bool m_bSeekInFlight = false; // a seek was sent and has not shown its picture yet
    std::optional<SeekRequest> m_pendingSeek; // sent once the seek under way has cued
    QString m_strErrorDetail;
    // Frames that reached the video sink; quality messages, each a frame
    // some element dropped for being late, and those of them from the sink.
    std::atomic<LONGLONG> m_llSinkFrames { 0 };
    std::atomic<LONGLONG> m_llQosDrops { 0 };
    std::atomic<LONGLONG> m_llSinkDrops { 0 };
    // Flushes (seeks) that reached a renderer, and at the video renderer's
    // input since the last one: the pictures and the end of the stream.
    std::atomic<unsigned> m_nFlushes { 0 };
    std::atomic<int> m_nPicturesSinceFlush { 0 };
    std::atomic<bool> m_bEndSinceFlush { false };
    // While the file prerolls: when data last moved (monotonic µs; 0 not yet).
    std::atomic<bool> m_bWatchingProgress { false };
    std::atomic<gint64> m_llLastProgressUs { 0 };

    // UI thread only.
    bool m_bStepDone = false; // the step's STEP_DONE was read; its ASYNC_DONE completes it
    DWORD m_dwHeldSteps = 0;  // a step asked for while a seek or a pause was under way
    GstClockTime m_seekTarget = GST_CLOCK_TIME_NONE; // stream time last asked for
    gint64 m_llSeekSentUs = 0;
    unsigned m_nSeekFlushes = 0; // m_nFlushes once the seek under way has flushed for the last time
    int m_nPastEndTries = 0;
    bool m_bErrorReported = false;
    bool m_bStopped = true;
    bool m_bBuffering = false; // playback held while a source fills up
    TimeFormat m_timeFormat = TimeFormat::MediaTime;
    GstClockTime m_offset = 0;                   // first position of the stream
    GstClockTime m_stop = GST_CLOCK_TIME_NONE;   // none: the end of the media
    long m_lVolume = 0;
};
