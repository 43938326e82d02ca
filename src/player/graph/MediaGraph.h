#pragma once
// The media graph: every playback operation the player relies on, each
// answering with an HRESULT, so the player keeps its codes and can be tested
// on a fake. The program runs these on GStreamer (GstGraph.h).
//
// One graph object serves the graph-wide interfaces (control, events,
// seeking, stepping, volume); the renderers serve their own. Pointers handed
// out by the Query/Create/Enum calls stay valid until the graph is destroyed,
// and nothing but the graph frees them.
//
// Threads and waiting. Every operation here, on the graph, its filters and
// their interfaces, is called on the UI thread (the thread that created the
// graph), one at a time, and returns without waiting for the pipeline,
// unless its comment says otherwise. Only two calls wait for the pipeline
// to get somewhere: RenderFile for the file to be ready (bounded), and
// WaitForPosition for a seek to cue (at most its timeout). GetState and
// GetEvent wait at most the timeout they are given (the player gives 100 ms
// and 0). Seeks and steps never wait: they are sent, and complete through
// events.
//
// Callbacks: the site (IGraphBuilderCallback) is called on streaming threads
// and on the UI thread; notices to the notify window and repaint requests to
// the clipping window are posted from streaming threads and arrive through
// the UI thread's event loop. A callback must not call back into the graph:
// the thread that calls it may hold the pipeline's own locks. A posted
// notice is read later, when calling the graph is what it is for.

#include "platform/WinTypes.h"

#include <QByteArray>
#include <QRect>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

class QObject;
class QPainter;
class QWidget;

// ---- media types -------------------------------------------------------

enum class MajorType { Unknown, Video, Audio, Other };
// VideoInfo: a picture format that says nothing about interlacing;
// VideoInfo2: one that does (dwInterlaceFlags is valid).
enum class FormatType { None, VideoInfo, VideoInfo2, WaveFormatEx, Other };

struct BitmapInfoHeader {
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0;
    std::uint16_t biBitCount = 0;
};

struct VideoInfoHeader {
    REFERENCE_TIME AvgTimePerFrame = 0; // 100-ns units; 0 when the rate is unknown
    DWORD dwInterlaceFlags = 0;         // AMINTERLACE_* bits, VideoInfo2 only
    DWORD dwPictAspectRatioX = 0;       // display aspect, reduced
    DWORD dwPictAspectRatioY = 0;
    BitmapInfoHeader bmiHeader;
};

struct WaveFormatEx {
    std::uint16_t nChannels = 0;
    DWORD nSamplesPerSec = 0;
    std::uint16_t wBitsPerSample = 0;
};

// AM_MEDIA_TYPE by value: cbFormat is non-zero when a format block is present,
// and then `video` or `audio` holds it according to formattype.
struct GraphMediaType {
    MajorType majortype = MajorType::Unknown;
    FormatType formattype = FormatType::None;
    DWORD cbFormat = 0;
    VideoInfoHeader video;
    WaveFormatEx audio;
};

constexpr DWORD AMINTERLACE_IsInterlaced = 0x01;
constexpr DWORD AMINTERLACE_1FieldPerSample = 0x02;
constexpr DWORD AMINTERLACE_DisplayModeBobOrWeave = 0x80;

// ---- filters -----------------------------------------------------------

enum class PinDirection { Input, Output };

struct GraphPin {
    PinDirection direction = PinDirection::Input;
    bool bConnected = false; // IPin::ConnectedTo answers S_OK
};

// What part a filter plays, where the player would compare fixed names
// ("Video Renderer", "Default DirectSound Device") that this layer does not have.
enum class FilterRole {
    Other,
    Source,              // its name is the file path
    WindowlessRenderer,  // stands for the Video Mixing Renderer 9
    OwnerWindowRenderer, // stands for the classic "Video Renderer"
    AudioRenderer,       // stands for the default sound device
};

// The Ogg demuxer's name, which stands for "Ogg Splitter".
inline const QString kOggSplitterName = QStringLiteral("Ogg demuxer");
// The name the windowless renderer enters the graph with.
inline const QString kWindowlessRendererName = QStringLiteral("Windowless Video Renderer");

// A registered filter: what a moniker's property bag and BindToObject give.
struct FilterMoniker {
    QString strFriendlyName; // "" when it has none
    QString strFactory;      // the registry's own key
};

class IAMMediaContent;
class IVMRWindowlessControl9;
class IVMRDeinterlaceControl9;

class IGraphFilter {
public:
    virtual ~IGraphFilter() = default;
    virtual HRESULT QueryFilterInfo(QString* pName) = 0;
    virtual FilterRole GetRole() const = 0;
    virtual HRESULT EnumPins(std::vector<GraphPin>* pPins) = 0;
    // The media type of the connection at pin nPin (an index into EnumPins).
    virtual HRESULT ConnectionMediaType(std::size_t nPin, GraphMediaType* pmt) = 0;
    // E_NOINTERFACE when the filter has no such interface.
    virtual HRESULT QueryMediaContent(IAMMediaContent** ppContent) = 0;
    virtual HRESULT QueryWindowlessControl(IVMRWindowlessControl9** ppControl) = 0;
    virtual HRESULT QueryDeinterlaceControl(IVMRDeinterlaceControl9** ppControl) = 0;
};

// Text properties of the media. A property the media lacks answers VFW_E_NOT_FOUND.
class IAMMediaContent {
public:
    virtual ~IAMMediaContent() = default;
    virtual HRESULT get_AuthorName(QString* p) = 0;
    virtual HRESULT get_Title(QString* p) = 0;
    virtual HRESULT get_Rating(QString* p) = 0;
    virtual HRESULT get_Description(QString* p) = 0;
    virtual HRESULT get_Copyright(QString* p) = 0;
    virtual HRESULT get_Album(QString* p) = 0;
};

// ---- graph building ----------------------------------------------------

// Asked about every filter the graph considers while it renders a file;
// a failure from SelectedFilter keeps that filter out.
//
// Called on streaming threads, possibly several at once, and on the UI
// thread, only until RenderFile has returned (RenderFile waits for a call
// still under way); never with a lock of the graph held, and never to call
// back into the graph. AddRef and Release come on the UI thread only.
class IGraphBuilderCallback {
public:
    virtual ~IGraphBuilderCallback() = default;
    virtual long AddRef() = 0;
    virtual long Release() = 0;
    virtual HRESULT SelectedFilter(const FilterMoniker& moniker) = 0;
    virtual HRESULT CreatedFilter(const FilterMoniker& moniker) = 0;
};

class IObjectWithSite {
public:
    virtual ~IObjectWithSite() = default;
    // Before RenderFile. The graph holds a reference (AddRef) until it is
    // destroyed or given another site.
    virtual HRESULT SetSite(IGraphBuilderCallback* pSite) = 0;
};

// ---- control and events ------------------------------------------------

constexpr long State_Stopped = 0;
constexpr long State_Paused = 1;
constexpr long State_Running = 2;

class IMediaControl {
public:
    virtual ~IMediaControl() = default;
    // Each starts the change and returns without waiting for it: S_FALSE
    // while it goes on.
    virtual HRESULT Run() = 0;
    virtual HRESULT Pause() = 0;
    // Stopped keeps the picture and the position (prerolled), so seeking and
    // queries go on working.
    virtual HRESULT Stop() = 0;
    // Waits at most msTimeout (negative: no limit) for a change under way,
    // and not at all while a seek is under way; VFW_S_STATE_INTERMEDIATE
    // (with the state being entered) when the change has not finished.
    virtual HRESULT GetState(long msTimeout, long* pState) = 0;
};

constexpr long EC_COMPLETE = 0x01;      // end of the media
constexpr long EC_ERRORABORT = 0x03;    // playback failed; lParam1 is the HRESULT
constexpr long EC_STEP_COMPLETE = 0x24; // a frame step has finished
constexpr long EC_LENGTH_CHANGED = 0x1F; // the length became known or changed: seeking is set up again

class IMediaEventEx {
public:
    virtual ~IMediaEventEx() = default;
    // While events wait, a CMessageEvent(nMessage, 0, lInstanceData) is posted
    // to pWindow, from a streaming thread or the UI thread, once the event is
    // in the queue; it arrives on pWindow's (the UI) thread. Nothing is posted
    // once this has been called with null, or once pWindow's destructor has
    // begun.
    virtual HRESULT SetNotifyWindow(QObject* pWindow, int nMessage, qintptr lInstanceData) = 0;
    // The next event; E_ABORT when none arrives within msTimeout (negative:
    // no limit). The main frame passes 0. An end reached before a later seek
    // (one sent or still waiting) is not reported: that position was left.
    virtual HRESULT GetEvent(long* plEventCode, qintptr* plParam1, qintptr* plParam2, long msTimeout) = 0;
};

// ---- seeking, stepping, volume -----------------------------------------

constexpr DWORD AM_SEEKING_CanSeekAbsolute = 0x1;
constexpr DWORD AM_SEEKING_CanSeekForwards = 0x2;
constexpr DWORD AM_SEEKING_CanSeekBackwards = 0x4;
constexpr DWORD AM_SEEKING_CanGetCurrentPos = 0x8;
constexpr DWORD AM_SEEKING_CanGetStopPos = 0x10;
constexpr DWORD AM_SEEKING_CanGetDuration = 0x20;

constexpr DWORD AM_SEEKING_NoPositioning = 0x0;
constexpr DWORD AM_SEEKING_AbsolutePositioning = 0x1;

// TIME_FORMAT_MEDIA_TIME (100-ns units) and TIME_FORMAT_FRAME.
enum class TimeFormat { None, MediaTime, Frame };

// Queries answer from the pipeline at once; while a seek is under way the
// position is the one asked for.
class IMediaSeeking {
public:
    virtual ~IMediaSeeking() = default;
    virtual HRESULT GetCapabilities(DWORD* pCapabilities) = 0;
    // S_OK when supported, S_FALSE when not.
    virtual HRESULT IsFormatSupported(TimeFormat format) = 0;
    virtual HRESULT SetTimeFormat(TimeFormat format) = 0;
    virtual HRESULT GetTimeFormat(TimeFormat* pFormat) = 0;
    // All positions are in the current time format and run from 0 to the duration.
    virtual HRESULT GetDuration(LONGLONG* pDuration) = 0;
    virtual HRESULT GetStopPosition(LONGLONG* pStop) = 0;
    virtual HRESULT GetCurrentPosition(LONGLONG* pCurrent) = 0;
    virtual HRESULT GetPositions(LONGLONG* pCurrent, LONGLONG* pStop) = 0;
    // Flags per position: AM_SEEKING_AbsolutePositioning or AM_SEEKING_NoPositioning.
    // Returns at once, never waiting for the decoder; the positions reported
    // are the new ones from then on, and the picture follows when the graph
    // has cued (WaitForPosition). A seek asked for while one is under way
    // waits its turn, the latest replacing the others.
    virtual HRESULT SetPositions(LONGLONG* pCurrent, DWORD dwCurrentFlags, LONGLONG* pStop, DWORD dwStopFlags) = 0;
    // The one wait for a seek: until the position set last has cued (paused:
    // its picture is shown), at most msTimeout (negative: no limit); S_FALSE
    // when it has not. For the few callers that need that picture at once
    // (the current image); events of the queue may be read on the way.
    virtual HRESULT WaitForPosition(long msTimeout) = 0;
};

class IVideoFrameStep {
public:
    virtual ~IVideoFrameStep() = default;
    // S_OK when frames can be stepped, S_FALSE when not.
    virtual HRESULT CanStep(long bMultiple) = 0;
    // While paused. Returns at once: a step asked for while a pause or a
    // seek is under way is held and sent once they have cued (as the queue is
    // read). Completes with EC_STEP_COMPLETE, also when it runs into the end
    // of the media, which is then the current position.
    virtual HRESULT Step(DWORD dwFrames) = 0;
};

class IBasicAudio {
public:
    virtual ~IBasicAudio() = default;
    // Hundredths of a decibel, -10000 (silence) .. 0 (full).
    virtual HRESULT put_Volume(long lVolume) = 0;
    virtual HRESULT get_Volume(long* plVolume) = 0;
};

// ---- the windowless renderer -------------------------------------------

constexpr DWORD VMR9ARMode_None = 0;
constexpr DWORD VMR9ARMode_LetterBox = 1;

class IVMRWindowlessControl9 {
public:
    virtual ~IVMRWindowlessControl9() = default;
    // The widget the picture is painted into. It is asked to repaint on every
    // frame by a request posted from the streaming thread, which arrives on
    // its (the UI) thread; nothing is posted once this has been called with
    // null, or once the widget's destructor has begun.
    virtual HRESULT SetVideoClippingWindow(QWidget* pWindow) = 0;
    virtual HRESULT SetAspectRatioMode(DWORD dwMode) = 0;
    // Native size, and the display aspect ratio (any of the pointers may be null).
    virtual HRESULT GetNativeVideoSize(long* plWidth, long* plHeight, long* plARWidth, long* plARHeight) = 0;
    // Source rectangle in video pixels, destination in the window's coordinates.
    virtual HRESULT SetVideoPosition(const QRect* pSource, const QRect* pDestination) = 0;
    // From the window's paint event. Paints the latest frame into the
    // destination, letter-boxed when asked to; S_FALSE (the destination
    // black) while there is no frame yet.
    virtual HRESULT RepaintVideo(QWidget* pWindow, QPainter* pPainter) = 0;
    // The latest frame at native size as a packed bottom-up 32-bit DIB (no
    // wait: a seek's picture is waited for with WaitForPosition).
    virtual HRESULT GetCurrentImage(QByteArray* pDib) = 0;
};

class IVMRDeinterlaceControl9 {
public:
    virtual ~IVMRDeinterlaceControl9() = default;
    // bEnabled false stands for GUID_NULL: no deinterlacing.
    virtual HRESULT SetDeinterlaceMode(DWORD dwStreamID, bool bEnabled) = 0;
    // Whether the renderer is deinterlacing the stream now.
    virtual HRESULT GetActualDeinterlaceMode(DWORD dwStreamID, bool* pbDeinterlacing) = 0;
};

// ---- the owner-window renderer -----------------------------------------

constexpr long OATRUE = -1;
constexpr long OAFALSE = 0;
constexpr long WS_CHILD = 0x40000000;
constexpr long WS_CLIPSIBLINGS = 0x04000000;

class IBasicVideo2 {
public:
    virtual ~IBasicVideo2() = default;
    virtual HRESULT get_VideoWidth(long* plWidth) = 0;
    virtual HRESULT get_VideoHeight(long* plHeight) = 0;
    // Seconds per frame.
    virtual HRESULT get_AvgTimePerFrame(double* pTime) = 0;
    virtual HRESULT GetPreferredAspectRatio(long* plAspectX, long* plAspectY) = 0;
    // In the video window's coordinates.
    virtual HRESULT SetDestinationPosition(long lLeft, long lTop, long lWidth, long lHeight) = 0;
    virtual HRESULT SetDefaultDestinationPosition() = 0;
    // The current frame at native size as a packed bottom-up 32-bit DIB: with a
    // null buffer, *pBufferSize receives the size needed; else the image is
    // copied when the buffer is large enough.
    virtual HRESULT GetCurrentImage(long* pBufferSize, std::uint8_t* pDIBImage) = 0;
};

class IVideoWindow {
public:
    virtual ~IVideoWindow() = default;
    // The video window becomes a (hidden) child of pOwner.
    virtual HRESULT put_Owner(QWidget* pOwner) = 0;
    virtual HRESULT put_WindowStyle(long lStyle) = 0;
    // Mouse and keyboard input over the video goes to pDrain.
    virtual HRESULT put_MessageDrain(QWidget* pDrain) = 0;
    virtual HRESULT put_Visible(long lVisible) = 0;
    virtual HRESULT SetWindowPosition(long lLeft, long lTop, long lWidth, long lHeight) = 0;
};

// ---- picture statistics -------------------------------------------------

class IQualProp {
public:
    virtual ~IQualProp() = default;
    // Frames the video renderer has shown.
    virtual HRESULT get_FramesDrawn(LONGLONG* pllFrames) = 0;
    // Frames dropped for being late, by the renderer or on the way to it.
    virtual HRESULT get_FramesDropped(LONGLONG* pllFrames) = 0;
};

// ---- the graph ---------------------------------------------------------

class IMediaGraph {
public:
    virtual ~IMediaGraph() = default;

    // Interface access. E_NOINTERFACE when the graph has none (basic video and
    // the video window exist only while the owner-window renderer is in use).
    virtual HRESULT QueryObjectWithSite(IObjectWithSite** pp) = 0;
    virtual HRESULT QueryMediaControl(IMediaControl** pp) = 0;
    virtual HRESULT QueryMediaEvent(IMediaEventEx** pp) = 0;
    virtual HRESULT QueryMediaSeeking(IMediaSeeking** pp) = 0;
    virtual HRESULT QueryBasicAudio(IBasicAudio** pp) = 0;
    virtual HRESULT QueryBasicVideo(IBasicVideo2** pp) = 0;
    virtual HRESULT QueryVideoWindow(IVideoWindow** pp) = 0;
    virtual HRESULT QueryVideoFrameStep(IVideoFrameStep** pp) = 0;
    // The video renderer's statistics, for measuring the player.
    virtual HRESULT QueryQualProp(IQualProp** pp)
    {
        *pp = nullptr;
        return E_NOINTERFACE;
    }

    // Building: SetSite, then these, then RenderFile.
    // A windowless renderer, not yet in the graph.
    virtual HRESULT CreateWindowlessRenderer(IGraphFilter** ppFilter) = 0;
    // A filter from the registry, not yet in the graph (IMoniker::BindToObject).
    virtual HRESULT CreateFilter(const FilterMoniker& moniker, IGraphFilter** ppFilter) = 0;
    // A registry filter added before rendering is preferred over others that
    // could do the same work; it counts as connected once rendering used it.
    virtual HRESULT AddFilter(IGraphFilter* pFilter, const QString& strName) = 0;
    virtual HRESULT RemoveFilter(IGraphFilter* pFilter) = 0;
    // The filters of the built graph, in stream order.
    virtual HRESULT EnumFilters(std::vector<IGraphFilter*>* pFilters) = 0;
    // S_OK when video can be shown in a child window of the view on this
    // display; the graph then renders video that way unless a windowless
    // renderer was added. Opens candidate sinks to find one, which takes as
    // long as a sink takes to reach its display.
    virtual HRESULT CanUseOwnerWindow() = 0;
    // Builds the graph for the file and waits until it can play: the one
    // long wait, bounded (on GStreamer ten seconds at most, and less than a
    // second once the file stops moving). Input that could never be ready
    // (a pipe, a device, a folder) is refused before waiting.
    // VFW_S_PARTIAL_RENDER when some streams could not be decoded.
    virtual HRESULT RenderFile(const QString& strFile) = 0;

    // What the media framework said about the last failure (RenderFile, or
    // an EC_ERRORABORT event), with the names of missing decoders.
    virtual QString GetErrorDetail() const = 0;
};

class IFilterRegistry {
public:
    virtual ~IFilterRegistry() = default;
    // Every registered filter; S_FALSE when there are none.
    virtual HRESULT EnumAllFilters(std::vector<FilterMoniker>* pFilters) = 0;
    // Filters that accept one of the input types (media-framework type
    // strings) and have an output.
    virtual HRESULT EnumMatchingFilters(const QStringList& inputTypes, std::vector<FilterMoniker>* pFilters) = 0;
};

// Creates graphs and registries: CoCreateInstance of the filter graph and of
// the system device enumerator. The first call may wait for the media
// framework to finish starting up (it is warmed up while the window opens).
class IMediaGraphFactory {
public:
    virtual ~IMediaGraphFactory() = default;
    virtual HRESULT CreateGraph(std::unique_ptr<IMediaGraph>* ppGraph) = 0;
    virtual HRESULT CreateFilterRegistry(std::unique_ptr<IFilterRegistry>* ppRegistry) = 0;
};

// The program's factory (GStreamer).
IMediaGraphFactory& DefaultGraphFactory();
