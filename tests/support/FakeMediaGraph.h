#pragma once
// A media graph for tests: every call is recorded, and any call can be made
// to answer any result. What the graph "contains" after RenderFile, and the
// values its queries give, are set on the shared FakeGraphState, which
// outlives the graphs (so a test can check that a graph was destroyed).
//
// Call names are the method names ("Run", "SetPositions"); calls on a filter
// are "<filter name>::<method>" ("Windowless Video Renderer::EnumPins").
// Recorded calls carry their arguments: "SetPositions(500,1,0,0)".

#include "player/graph/MediaGraph.h"

#include <QByteArray>
#include <QMap>
#include <QPointer>
#include <QStringList>

#include <deque>
#include <memory>

struct FakeFilterSpec {
    QString strName;
    FilterRole role = FilterRole::Other;
    std::vector<GraphPin> pins;   // e.g. one connected input
    GraphMediaType connectionType; // what ConnectionMediaType gives for any pin
    bool bMediaContent = false;
    // Media text; an empty value answers VFW_E_NOT_FOUND.
    QString strAuthor, strTitle;

    static FakeFilterSpec Connected(const QString& name, FilterRole role = FilterRole::Other);
};

struct FakeEvent {
    long lCode = 0;
    qintptr lParam1 = 0;
    qintptr lParam2 = 0;
};

class FakeGraphState {
public:
    // ---- results and the record of calls ----
    void SetResult(const QString& strCall, HRESULT hr) { m_results[strCall] = hr; }
    // S_OK unless set.
    HRESULT Result(const QString& strCall) const { return m_results.value(strCall, S_OK); }
    QStringList calls;
    bool Called(const QString& strName) const { return CountCalls(strName) > 0; }
    // Calls of that name, with any arguments.
    int CountCalls(const QString& strName) const;
    // The recorded calls of that name, arguments included.
    QStringList CallsNamed(const QString& strName) const;

    // ---- the graphs ----
    int nGraphsAlive = 0;
    IGraphBuilderCallback* pSite = nullptr;
    QObject* pNotifyWindow = nullptr;

    // The registry: every filter (nothing matches a type).
    std::vector<FilterMoniker> registry;

    // What RenderFile builds: these filters, in this order ...
    std::vector<FakeFilterSpec> rendered;
    // ... and, when true, video connected to an added windowless renderer.
    bool bVideoToWindowless = true;
    GraphMediaType videoType; // the windowless renderer's input
    // Names of added registry filters that rendering uses (they count as connected).
    QStringList usedPreferred;
    bool bOwnerWindowPossible = false;

    // ---- queries ----
    DWORD dwSeekCaps = AM_SEEKING_CanSeekAbsolute | AM_SEEKING_CanSeekForwards | AM_SEEKING_CanSeekBackwards
        | AM_SEEKING_CanGetCurrentPos | AM_SEEKING_CanGetStopPos | AM_SEEKING_CanGetDuration;
    // IsFormatSupported answers, also settable per format with
    // SetResult("IsFormatSupported(MediaTime)" / "IsFormatSupported(Frame)").
    TimeFormat timeFormat = TimeFormat::MediaTime;
    LONGLONG llDurationTime = 20000000;
    LONGLONG llDurationFrames = 50;
    LONGLONG llCurrent = 0;
    LONGLONG llStop = -1; // -1: the duration in the current format
    long lState = State_Stopped;
    std::deque<FakeEvent> events;

    // Owner-window renderer.
    long lVideoWidth = 320;
    long lVideoHeight = 240;
    double dAvgTimePerFrame = 0.04;
    long lAspectX = 4;
    long lAspectY = 3;
    QWidget* pVideoOwner = nullptr;
    QRect videoWindowRect;
    QRect destinationRect; // empty: the default

    // Windowless renderer.
    long lNativeWidth = 320;
    long lNativeHeight = 240;
    long lARWidth = 4;
    long lARHeight = 3;
    QWidget* pClippingWindow = nullptr;
    DWORD dwAspectRatioMode = VMR9ARMode_None;
    QRect videoSource;
    QRect videoDestination;
    bool bActuallyDeinterlacing = false;

    // Both renderers' current image.
    QByteArray currentImage;

private:
    QMap<QString, HRESULT> m_results;
};

// The factory a player is built with in tests.
class FakeGraphFactory : public IMediaGraphFactory {
public:
    explicit FakeGraphFactory(std::shared_ptr<FakeGraphState> pState);
    HRESULT CreateGraph(std::unique_ptr<IMediaGraph>* ppGraph) override;
    HRESULT CreateFilterRegistry(std::unique_ptr<IFilterRegistry>* ppRegistry) override;

    std::shared_ptr<FakeGraphState> m_pState;
};

// A state and a factory in one, for a test body.
struct FakeGraphSetup {
    std::shared_ptr<FakeGraphState> state = std::make_shared<FakeGraphState>();
    FakeGraphFactory factory { state };
};

// A video media type as a decoder would report it.
GraphMediaType FakeVideoType(int nWidth, int nHeight, REFERENCE_TIME avgTimePerFrame,
    FormatType format = FormatType::VideoInfo, DWORD dwInterlaceFlags = 0);
GraphMediaType FakeAudioType(int nChannels, int nRate, int nBits);
