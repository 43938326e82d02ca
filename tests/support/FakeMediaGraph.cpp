#include "FakeMediaGraph.h"

namespace {
// The call's result, and *p (when asked for) set to value when it succeeded.
template <class T>
HRESULT Answer(HRESULT hr, T* p, T value)
{
    if (SUCCEEDED(hr) && p)
        *p = std::move(value);
    return hr;
}

template <class T>
HRESULT NoInterface(T** pp)
{
    *pp = nullptr;
    return E_NOINTERFACE;
}

// One filter, answering from its spec and the state; only the windowless
// renderer answers for its control.
class CFakeFilter final : public IGraphFilter, public IVMRWindowlessControl9 {
public:
    CFakeFilter(std::shared_ptr<FakeGraphState> pState, FakeFilterSpec spec, bool bWindowless = false)
        : m_spec(std::move(spec))
        , m_bWindowless(bWindowless)
        , m_pState(std::move(pState))
    {
    }

    FakeFilterSpec m_spec;
    const bool m_bWindowless;

    HRESULT QueryFilterInfo(QString* pName) override { return Answer(Call("QueryFilterInfo"), pName, m_spec.strName); }
    FilterRole GetRole() const override { return m_spec.role; }
    HRESULT EnumPins(std::vector<GraphPin>* pPins) override { return Answer(Call("EnumPins"), pPins, m_spec.pins); }
    HRESULT ConnectionMediaType(std::size_t nPin, GraphMediaType* pmt) override
    {
        const HRESULT hr = Call("ConnectionMediaType");
        if (SUCCEEDED(hr) && (nPin >= m_spec.pins.size() || !m_spec.pins[nPin].bConnected))
            return VFW_E_NOT_CONNECTED;
        return Answer(hr, pmt, m_spec.connectionType);
    }
    HRESULT QueryMediaContent(IAMMediaContent** pp) override { return NoInterface(pp); }
    HRESULT QueryWindowlessControl(IVMRWindowlessControl9** pp) override
    {
        if (!m_bWindowless)
            return NoInterface(pp);
        return Answer(Call("QueryWindowlessControl"), pp, static_cast<IVMRWindowlessControl9*>(this));
    }
    HRESULT QueryDeinterlaceControl(IVMRDeinterlaceControl9** pp) override { return NoInterface(pp); }

    HRESULT SetVideoClippingWindow(QWidget*) override { return Call("SetVideoClippingWindow"); }
    HRESULT SetAspectRatioMode(DWORD) override { return Call("SetAspectRatioMode"); }
    HRESULT GetNativeVideoSize(long* plWidth, long* plHeight, long* plARWidth, long* plARHeight) override
    {
        const HRESULT hr = Call("GetNativeVideoSize");
        Answer(hr, plWidth, 320L);
        Answer(hr, plHeight, 240L);
        Answer(hr, plARWidth, 4L);
        return Answer(hr, plARHeight, 3L);
    }
    HRESULT SetVideoPosition(const QRect*, const QRect*) override { return Call("SetVideoPosition"); }
    HRESULT RepaintVideo(QWidget*, QPainter*) override { return Call("RepaintVideo"); }
    HRESULT GetCurrentImage(QByteArray* p) override { return Answer(Call("GetCurrentImage"), p, QByteArray()); }

private:
    HRESULT Call(const char* pszMethod)
    {
        return m_pState->Call(m_spec.strName + QStringLiteral("::") + QLatin1String(pszMethod));
    }

    std::shared_ptr<FakeGraphState> m_pState;
};

class CFakeMediaGraph final : public IMediaGraph,
                              public IObjectWithSite,
                              public IMediaControl,
                              public IMediaEventEx,
                              public IMediaSeeking,
                              public IVideoFrameStep,
                              public IBasicAudio {
public:
    explicit CFakeMediaGraph(std::shared_ptr<FakeGraphState> pState)
        : m_pState(std::move(pState))
        , m_windowless(m_pState,
              { kWindowlessRendererName, FilterRole::WindowlessRenderer, { { PinDirection::Input, false } }, {} }, true)
    {
        ++m_pState->nGraphsAlive;
    }
    ~CFakeMediaGraph() override
    {
        if (m_pState->pSite)
            m_pState->pSite->Release();
        m_pState->pSite = nullptr;
        --m_pState->nGraphsAlive;
    }

    // ---- interface access ----
    template <class T>
    HRESULT Query(const char* pszName, T** pp) { return Answer(Call(pszName), pp, static_cast<T*>(this)); }
    HRESULT QueryObjectWithSite(IObjectWithSite** pp) override { return Query("QueryObjectWithSite", pp); }
    HRESULT QueryMediaControl(IMediaControl** pp) override { return Query("QueryMediaControl", pp); }
    HRESULT QueryMediaEvent(IMediaEventEx** pp) override { return Query("QueryMediaEvent", pp); }
    HRESULT QueryMediaSeeking(IMediaSeeking** pp) override { return Query("QueryMediaSeeking", pp); }
    HRESULT QueryBasicAudio(IBasicAudio** pp) override { return Query("QueryBasicAudio", pp); }
    HRESULT QueryBasicVideo(IBasicVideo2** pp) override { return NoInterface(pp); }
    HRESULT QueryVideoWindow(IVideoWindow** pp) override { return NoInterface(pp); }
    HRESULT QueryVideoFrameStep(IVideoFrameStep** pp) override { return Query("QueryVideoFrameStep", pp); }

    // ---- building ----
    HRESULT CreateWindowlessRenderer(IGraphFilter** pp) override
    {
        return Answer(Call("CreateWindowlessRenderer"), pp, static_cast<IGraphFilter*>(&m_windowless));
    }
    HRESULT CreateFilter(const FilterMoniker&, IGraphFilter** ppFilter) override { return NoInterface(ppFilter); }
    // Only the windowless renderer is ever added.
    HRESULT AddFilter(IGraphFilter*, const QString&) override { return Answer(Call("AddFilter"), &m_bInGraph, true); }
    HRESULT RemoveFilter(IGraphFilter*) override { return Answer(Call("RemoveFilter"), &m_bInGraph, false); }
    HRESULT EnumFilters(std::vector<IGraphFilter*>* pFilters) override
    {
        pFilters->clear();
        for (auto& p : m_rendered)
            pFilters->push_back(p.get());
        if (m_bInGraph)
            pFilters->push_back(&m_windowless);
        return Call("EnumFilters");
    }
    HRESULT CanUseOwnerWindow() override { return E_NOTIMPL; }
    HRESULT RenderFile(const QString&) override
    {
        const HRESULT hr = Call("RenderFile");
        if (FAILED(hr))
            return hr;
        for (const FakeFilterSpec& spec : m_pState->rendered)
            m_rendered.push_back(std::make_unique<CFakeFilter>(m_pState, spec));
        if (m_bInGraph && m_pState->bVideoToWindowless) {
            m_windowless.m_spec.pins = { { PinDirection::Input, true } };
            m_windowless.m_spec.connectionType = m_pState->videoType;
        }
        return hr;
    }
    QString GetErrorDetail() const override { return QStringLiteral("fake detail"); }

    HRESULT SetSite(IGraphBuilderCallback* pSite) override
    {
        const HRESULT hr = Call("SetSite");
        if (SUCCEEDED(hr)) {
            if (pSite)
                pSite->AddRef();
            if (m_pState->pSite)
                m_pState->pSite->Release();
            m_pState->pSite = pSite;
        }
        return hr;
    }

    // ---- control and events ----
    HRESULT Run() override { return Answer(Call("Run"), &m_pState->lState, State_Running); }
    HRESULT Pause() override { return Answer(Call("Pause"), &m_pState->lState, State_Paused); }
    HRESULT Stop() override { return Answer(Call("Stop"), &m_pState->lState, State_Stopped); }
    HRESULT GetState(long, long* pState) override { return Answer(Call("GetState"), pState, m_pState->lState); }
    HRESULT SetNotifyWindow(QObject* p, int, qintptr) override
    {
        return Answer(Call("SetNotifyWindow"), &m_pState->pNotifyWindow, p);
    }
    HRESULT GetEvent(long* plCode, qintptr* pl1, qintptr* pl2, long) override
    {
        const HRESULT hr = Call("GetEvent");
        if (FAILED(hr) || m_pState->events.empty())
            return FAILED(hr) ? hr : E_ABORT;
        const FakeEvent e = m_pState->events.front();
        m_pState->events.pop_front();
        *plCode = e.lCode;
        *pl1 = e.lParam1;
        *pl2 = e.lParam2;
        return hr;
    }

    // ---- seeking ----
    HRESULT GetCapabilities(DWORD* p) override { return Answer(Call("GetCapabilities"), p, m_pState->dwSeekCaps); }
    HRESULT IsFormatSupported(TimeFormat f) override
    {
        return Call(f == TimeFormat::Frame ? "IsFormatSupported(Frame)" : "IsFormatSupported(MediaTime)");
    }
    HRESULT SetTimeFormat(TimeFormat f) override { return Answer(Call("SetTimeFormat"), &m_pState->timeFormat, f); }
    HRESULT GetTimeFormat(TimeFormat* p) override { return Answer(Call("GetTimeFormat"), p, m_pState->timeFormat); }
    HRESULT GetDuration(LONGLONG* p) override { return Answer(Call("GetDuration"), p, Duration()); }
    HRESULT GetStopPosition(LONGLONG* p) override { return Answer(Call("GetStopPosition"), p, StopPosition()); }
    HRESULT GetCurrentPosition(LONGLONG* p) override
    {
        return Answer(Call("GetCurrentPosition"), p, m_pState->llCurrent);
    }
    HRESULT GetPositions(LONGLONG* pCurrent, LONGLONG* pStop) override
    {
        const HRESULT hr = Answer(Call("GetPositions"), pCurrent, m_pState->llCurrent);
        return Answer(hr, pStop, StopPosition());
    }
    HRESULT SetPositions(LONGLONG* pCurrent, DWORD dwCurrentFlags, LONGLONG* pStop, DWORD dwStopFlags) override
    {
        const HRESULT hr = Call("SetPositions");
        if (pCurrent && (dwCurrentFlags & 0x3) == AM_SEEKING_AbsolutePositioning)
            Answer(hr, &m_pState->llCurrent, *pCurrent);
        if (pStop && (dwStopFlags & 0x3) == AM_SEEKING_AbsolutePositioning)
            Answer(hr, &m_pState->llStop, *pStop);
        return hr;
    }
    HRESULT WaitForPosition(long) override { return S_OK; }

    // ---- stepping and volume ----
    HRESULT CanStep(long) override { return Call("CanStep"); }
    HRESULT Step(DWORD) override { return Call("Step"); }
    HRESULT put_Volume(long) override { return Call("put_Volume"); }
    HRESULT get_Volume(long* p) override { return Answer(Call("get_Volume"), p, 0L); }

private:
    HRESULT Call(const char* pszName) { return m_pState->Call(QLatin1String(pszName)); }
    LONGLONG Duration() const
    {
        return m_pState->timeFormat == TimeFormat::Frame ? 50 : m_pState->llDurationTime;
    }
    LONGLONG StopPosition() const { return m_pState->llStop >= 0 ? m_pState->llStop : Duration(); }

    std::shared_ptr<FakeGraphState> m_pState;
    CFakeFilter m_windowless;
    std::vector<std::unique_ptr<CFakeFilter>> m_rendered;
    bool m_bInGraph = false;
};
}

FakeFilterSpec FakeFilterSpec::Connected(const QString& name, FilterRole role)
{
    return { name, role, { { PinDirection::Input, true }, { PinDirection::Output, true } }, {} };
}

HRESULT FakeGraphState::Call(const QString& strCall)
{
    calls << strCall;
    return m_results.value(strCall, S_OK);
}

FakeGraphFactory::FakeGraphFactory(std::shared_ptr<FakeGraphState> pState)
    : m_pState(std::move(pState))
{
}

HRESULT FakeGraphFactory::CreateGraph(std::unique_ptr<IMediaGraph>* ppGraph)
{
    const HRESULT hr = m_pState->Call(QStringLiteral("CreateGraph"));
    if (SUCCEEDED(hr))
        *ppGraph = std::make_unique<CFakeMediaGraph>(m_pState);
    return hr;
}

// No registry: the preferred filters are left to the tests on real graphs.
HRESULT FakeGraphFactory::CreateFilterRegistry(std::unique_ptr<IFilterRegistry>*) { return E_NOTIMPL; }

GraphMediaType FakeVideoType(int nWidth, int nHeight, REFERENCE_TIME avgTimePerFrame, FormatType format,
    DWORD dwInterlaceFlags)
{
    GraphMediaType mt { MajorType::Video, format, sizeof(VideoInfoHeader), {}, {} };
    mt.video.AvgTimePerFrame = avgTimePerFrame;
    mt.video.dwInterlaceFlags = dwInterlaceFlags;
    mt.video.bmiHeader.biWidth = nWidth;
    mt.video.bmiHeader.biHeight = nHeight;
    return mt;
}

GraphMediaType FakeAudioType(int nChannels, int nRate, int nBits)
{
    GraphMediaType mt { MajorType::Audio, FormatType::WaveFormatEx, sizeof(WaveFormatEx), {}, {} };
    mt.audio = { static_cast<std::uint16_t>(nChannels), static_cast<DWORD>(nRate), static_cast<std::uint16_t>(nBits) };
    return mt;
}
