#pragma once
// A media graph for tests: any call can be made to answer any result, and
// the names of the calls are kept in order: the method's name ("Run"), a
// filter's as "<filter name>::<method>", IsFormatSupported with its format
// ("IsFormatSupported(Frame)"). What RenderFile builds and what the queries
// answer are set on the shared FakeGraphState, which outlives the graphs (so
// a test can check that a graph was destroyed).
//
// Video goes to an added windowless renderer (without a deinterlace control,
// its picture 320x240 at 4:3) or nowhere; the owner-window renderer,
// preferred filters and media text are left to the tests on real graphs.

#include "player/graph/MediaGraph.h"

#include <QMap>

#include <deque>
#include <memory>

struct FakeFilterSpec {
    QString strName;
    FilterRole role = FilterRole::Other;
    std::vector<GraphPin> pins;
    GraphMediaType connectionType; // what ConnectionMediaType gives for any connected pin

    // One connected input and output.
    static FakeFilterSpec Connected(const QString& name, FilterRole role = FilterRole::Other);
};

struct FakeEvent {
    long lCode = 0;
    qintptr lParam1 = 0;
    qintptr lParam2 = 0;
};

class FakeGraphState {
public:
    // S_OK unless set.
    void SetResult(const QString& strCall, HRESULT hr) { m_results[strCall] = hr; }
    // Records the call and gives its result.
    HRESULT Call(const QString& strCall);
    QStringList calls;
    bool Called(const QString& strCall) const { return calls.contains(strCall); }
    int CountCalls(const QString& strCall) const { return int(calls.count(strCall)); }

    // ---- the graphs ----
    int nGraphsAlive = 0;
    IGraphBuilderCallback* pSite = nullptr;
    QObject* pNotifyWindow = nullptr;
    // What RenderFile builds: these filters, and video to an added windowless
    // renderer unless bVideoToWindowless is false.
    std::vector<FakeFilterSpec> rendered;
    bool bVideoToWindowless = true;
    GraphMediaType videoType; // the windowless renderer's input

    // ---- seeking and control ----
    DWORD dwSeekCaps = AM_SEEKING_CanSeekAbsolute | AM_SEEKING_CanSeekForwards | AM_SEEKING_CanSeekBackwards
        | AM_SEEKING_CanGetCurrentPos | AM_SEEKING_CanGetStopPos | AM_SEEKING_CanGetDuration;
    TimeFormat timeFormat = TimeFormat::MediaTime;
    LONGLONG llDurationTime = 20000000; // 50 frames in the frame format
    LONGLONG llCurrent = 0;
    LONGLONG llStop = -1; // -1: the duration in the current format
    long lState = State_Stopped;
    std::deque<FakeEvent> events;

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
