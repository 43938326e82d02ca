#include "FakeMediaGraph.h"

#include <algorithm>
#include <cstring>

namespace {
QString Args(std::initializer_list<QString> args)
{
    return QStringLiteral("(") + QStringList(args).join(QLatin1Char(',')) + QStringLiteral(")");
}

QString Num(long long v) { return QString::number(v); }

QString Rect(const QRect& r)
{
    return QStringLiteral("%1 %2 %3 %4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

QString FormatName(TimeFormat f)
{
    switch (f) {
    case TimeFormat::MediaTime: return QStringLiteral("MediaTime");
    case TimeFormat::Frame: return QStringLiteral("Frame");
    default: return QStringLiteral("None");
    }
}

// One filter: every filter interface, answering from its spec and the state.
class CFakeFilter final : public IGraphFilter,
                          public IAMMediaContent,
                          public IVMRWindowlessControl9,
                          public IVMRDeinterlaceControl9 {
public:
    CFakeFilter(std::shared_ptr<FakeGraphState> pState, FakeFilterSpec spec)
        : m_spec(std::move(spec))
        , m_pState(std::move(pState))
    {
    }

    FakeFilterSpec m_spec;
    bool m_bWindowless = false;
    FilterMoniker m_moniker; // for registry filters

    HRESULT QueryFilterInfo(QString* pName) override
    {
        const HRESULT hr = Call(QStringLiteral("QueryFilterInfo"));
        if (SUCCEEDED(hr))
            *pName = m_spec.strName;
        return hr;
    }
    FilterRole GetRole() const override { return m_spec.role; }
    HRESULT EnumPins(std::vector<GraphPin>* pPins) override
    {
        const HRESULT hr = Call(QStringLiteral("EnumPins"));
        if (SUCCEEDED(hr))
            *pPins = m_spec.pins;
        return hr;
    }
    HRESULT ConnectionMediaType(std::size_t nPin, GraphMediaType* pmt) override
    {
        const HRESULT hr = Call(QStringLiteral("ConnectionMediaType"), Args({ Num(long(nPin)) }));
        if (FAILED(hr))
            return hr;
        if (nPin >= m_spec.pins.size() || !m_spec.pins[nPin].bConnected)
            return VFW_E_NOT_CONNECTED;
        *pmt = m_spec.connectionType;
        return hr;
    }
    HRESULT QueryMediaContent(IAMMediaContent** pp) override
    {
        HRESULT hr = Call(QStringLiteral("QueryMediaContent"));
        if (SUCCEEDED(hr) && !m_spec.bMediaContent)
            hr = E_NOINTERFACE;
        *pp = SUCCEEDED(hr) ? this : nullptr;
        return hr;
    }
    HRESULT QueryWindowlessControl(IVMRWindowlessControl9** pp) override
    {
        HRESULT hr = Call(QStringLiteral("QueryWindowlessControl"));
        if (SUCCEEDED(hr) && !m_bWindowless)
            hr = E_NOINTERFACE;
        *pp = SUCCEEDED(hr) ? this : nullptr;
        return hr;
    }
    HRESULT QueryDeinterlaceControl(IVMRDeinterlaceControl9** pp) override
    {
        HRESULT hr = Call(QStringLiteral("QueryDeinterlaceControl"));
        if (SUCCEEDED(hr) && !m_bWindowless)
            hr = E_NOINTERFACE;
        *pp = SUCCEEDED(hr) ? this : nullptr;
        return hr;
    }

    HRESULT get_AuthorName(QString* p) override { return Text(QStringLiteral("get_AuthorName"), m_spec.strAuthor, p); }
    HRESULT get_Title(QString* p) override { return Text(QStringLiteral("get_Title"), m_spec.strTitle, p); }
    HRESULT get_Rating(QString* p) override { return Text(QStringLiteral("get_Rating"), QString(), p); }
    HRESULT get_Description(QString* p) override { return Text(QStringLiteral("get_Description"), QString(), p); }
    HRESULT get_Copyright(QString* p) override { return Text(QStringLiteral("get_Copyright"), QString(), p); }

    HRESULT SetVideoClippingWindow(QWidget* pWindow) override
    {
        const HRESULT hr = Call(QStringLiteral("SetVideoClippingWindow"));
        if (SUCCEEDED(hr))
            m_pState->pClippingWindow = pWindow;
        return hr;
    }
    HRESULT SetAspectRatioMode(DWORD dwMode) override
    {
        const HRESULT hr = Call(QStringLiteral("SetAspectRatioMode"), Args({ Num(dwMode) }));
        if (SUCCEEDED(hr))
            m_pState->dwAspectRatioMode = dwMode;
        return hr;
    }
    HRESULT GetNativeVideoSize(long* plWidth, long* plHeight, long* plARWidth, long* plARHeight) override
    {
        const HRESULT hr = Call(QStringLiteral("GetNativeVideoSize"));
        if (SUCCEEDED(hr)) {
            if (plWidth)
                *plWidth = m_pState->lNativeWidth;
            if (plHeight)
                *plHeight = m_pState->lNativeHeight;
            if (plARWidth)
                *plARWidth = m_pState->lARWidth;
            if (plARHeight)
                *plARHeight = m_pState->lARHeight;
        }
        return hr;
    }
    HRESULT SetVideoPosition(const QRect* pSource, const QRect* pDestination) override
    {
        const HRESULT hr = Call(QStringLiteral("SetVideoPosition"),
            Args({ pSource ? Rect(*pSource) : QStringLiteral("null"),
                pDestination ? Rect(*pDestination) : QStringLiteral("null") }));
        if (SUCCEEDED(hr)) {
            if (pSource)
                m_pState->videoSource = *pSource;
            if (pDestination)
                m_pState->videoDestination = *pDestination;
        }
        return hr;
    }
    HRESULT RepaintVideo(QWidget*, QPainter*) override { return Call(QStringLiteral("RepaintVideo")); }
    HRESULT GetCurrentImage(QByteArray* pDib) override
    {
        const HRESULT hr = Call(QStringLiteral("GetCurrentImage"));
        if (SUCCEEDED(hr))
            *pDib = m_pState->currentImage;
        return hr;
    }
    HRESULT SetDeinterlaceMode(DWORD dwStreamID, bool bEnabled) override
    {
        return Call(QStringLiteral("SetDeinterlaceMode"), Args({ Num(dwStreamID), Num(bEnabled) }));
    }
    HRESULT GetActualDeinterlaceMode(DWORD dwStreamID, bool* pb) override
    {
        const HRESULT hr = Call(QStringLiteral("GetActualDeinterlaceMode"), Args({ Num(dwStreamID) }));
        if (SUCCEEDED(hr))
            *pb = m_pState->bActuallyDeinterlacing;
        return hr;
    }

private:
    HRESULT Call(const QString& strMethod, const QString& strArgs = QString())
    {
        const QString strName = m_spec.strName + QStringLiteral("::") + strMethod;
        m_pState->calls << strName + strArgs;
        return m_pState->Result(strName);
    }
    HRESULT Text(const QString& strMethod, const QString& strValue, QString* p)
    {
        HRESULT hr = Call(strMethod);
        if (SUCCEEDED(hr) && strValue.isEmpty())
            hr = VFW_E_NOT_FOUND;
        if (SUCCEEDED(hr))
            *p = strValue;
        return hr;
    }

    std::shared_ptr<FakeGraphState> m_pState;
};

class CFakeMediaGraph final : public IMediaGraph,
                              public IObjectWithSite,
                              public IMediaControl,
                              public IMediaEventEx,
                              public IMediaSeeking,
                              public IVideoFrameStep,
                              public IBasicAudio,
                              public IBasicVideo2,
                              public IVideoWindow {
public:
    explicit CFakeMediaGraph(std::shared_ptr<FakeGraphState> pState)
        : m_pState(std::move(pState))
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
    HRESULT Query(const char* pszName, T** pp, T* pThis)
    {
        const HRESULT hr = Call(QString::fromLatin1(pszName));
        *pp = SUCCEEDED(hr) ? pThis : nullptr;
        return hr;
    }
    HRESULT QueryObjectWithSite(IObjectWithSite** pp) override { return Query("QueryObjectWithSite", pp, static_cast<IObjectWithSite*>(this)); }
    HRESULT QueryMediaControl(IMediaControl** pp) override { return Query("QueryMediaControl", pp, static_cast<IMediaControl*>(this)); }
    HRESULT QueryMediaEvent(IMediaEventEx** pp) override { return Query("QueryMediaEvent", pp, static_cast<IMediaEventEx*>(this)); }
    HRESULT QueryMediaSeeking(IMediaSeeking** pp) override { return Query("QueryMediaSeeking", pp, static_cast<IMediaSeeking*>(this)); }
    HRESULT QueryBasicAudio(IBasicAudio** pp) override { return Query("QueryBasicAudio", pp, static_cast<IBasicAudio*>(this)); }
    HRESULT QueryBasicVideo(IBasicVideo2** pp) override { return Query("QueryBasicVideo", pp, static_cast<IBasicVideo2*>(this)); }
    HRESULT QueryVideoWindow(IVideoWindow** pp) override { return Query("QueryVideoWindow", pp, static_cast<IVideoWindow*>(this)); }
    HRESULT QueryVideoFrameStep(IVideoFrameStep** pp) override { return Query("QueryVideoFrameStep", pp, static_cast<IVideoFrameStep*>(this)); }

    // ---- building ----
    HRESULT CreateWindowlessRenderer(IGraphFilter** ppFilter) override
    {
        const HRESULT hr = Call(QStringLiteral("CreateWindowlessRenderer"));
        *ppFilter = nullptr;
        if (FAILED(hr))
            return hr;
        FakeFilterSpec spec;
        spec.strName = kWindowlessRendererName;
        spec.role = FilterRole::WindowlessRenderer;
        spec.pins = { { PinDirection::Input, false } };
        auto pFilter = std::make_unique<CFakeFilter>(m_pState, spec);
        pFilter->m_bWindowless = true;
        m_pWindowless = pFilter.get();
        *ppFilter = pFilter.get();
        m_owned.push_back(std::move(pFilter));
        return hr;
    }
    HRESULT CreateFilter(const FilterMoniker& moniker, IGraphFilter** ppFilter) override
    {
        const HRESULT hr = Call(QStringLiteral("CreateFilter"), Args({ moniker.strFriendlyName }));
        *ppFilter = nullptr;
        if (FAILED(hr))
            return hr;
        FakeFilterSpec spec;
        spec.strName = moniker.strFriendlyName;
        auto pFilter = std::make_unique<CFakeFilter>(m_pState, spec);
        pFilter->m_moniker = moniker;
        *ppFilter = pFilter.get();
        m_owned.push_back(std::move(pFilter));
        return hr;
    }
    HRESULT AddFilter(IGraphFilter* pFilter, const QString& strName) override
    {
        const HRESULT hr = Call(QStringLiteral("AddFilter"), Args({ strName }));
        if (SUCCEEDED(hr))
            m_inGraph.push_back(static_cast<CFakeFilter*>(pFilter));
        return hr;
    }
    HRESULT RemoveFilter(IGraphFilter* pFilter) override
    {
        auto* p = static_cast<CFakeFilter*>(pFilter);
        const HRESULT hr = Call(QStringLiteral("RemoveFilter"), Args({ p->m_spec.strName }));
        if (SUCCEEDED(hr))
            m_inGraph.erase(std::remove(m_inGraph.begin(), m_inGraph.end(), p), m_inGraph.end());
        return hr;
    }
    HRESULT EnumFilters(std::vector<IGraphFilter*>* pFilters) override
    {
        const HRESULT hr = Call(QStringLiteral("EnumFilters"));
        if (FAILED(hr))
            return hr;
        pFilters->clear();
        for (auto& p : m_rendered)
            pFilters->push_back(p.get());
        for (CFakeFilter* p : m_inGraph)
            pFilters->push_back(p);
        return hr;
    }
    HRESULT CanUseOwnerWindow() override
    {
        HRESULT hr = Call(QStringLiteral("CanUseOwnerWindow"));
        if (SUCCEEDED(hr) && !m_pState->bOwnerWindowPossible)
            hr = E_NOTIMPL;
        return hr;
    }
    HRESULT RenderFile(const QString& strFile) override
    {
        const HRESULT hr = Call(QStringLiteral("RenderFile"), Args({ strFile }));
        if (FAILED(hr))
            return hr;
        for (const FakeFilterSpec& spec : m_pState->rendered)
            m_rendered.push_back(std::make_unique<CFakeFilter>(m_pState, spec));
        for (CFakeFilter* p : m_inGraph) {
            if (p == m_pWindowless && m_pState->bVideoToWindowless) {
                p->m_spec.pins = { { PinDirection::Input, true } };
                p->m_spec.connectionType = m_pState->videoType;
            } else if (m_pState->usedPreferred.contains(p->m_spec.strName)) {
                p->m_spec.pins = { { PinDirection::Input, true }, { PinDirection::Output, true } };
            }
        }
        return hr;
    }
    QString GetErrorDetail() const override { return QStringLiteral("fake detail"); }

    HRESULT SetSite(IGraphBuilderCallback* pSite) override
    {
        const HRESULT hr = Call(QStringLiteral("SetSite"));
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
    HRESULT Run() override { return Transition(QStringLiteral("Run"), State_Running); }
    HRESULT Pause() override { return Transition(QStringLiteral("Pause"), State_Paused); }
    HRESULT Stop() override { return Transition(QStringLiteral("Stop"), State_Stopped); }
    HRESULT GetState(long msTimeout, long* pState) override
    {
        const HRESULT hr = Call(QStringLiteral("GetState"), Args({ Num(msTimeout) }));
        if (SUCCEEDED(hr))
            *pState = m_pState->lState;
        return hr;
    }
    HRESULT SetNotifyWindow(QObject* pWindow, int nMessage, qintptr lData) override
    {
        const HRESULT hr = Call(QStringLiteral("SetNotifyWindow"),
            Args({ pWindow ? QStringLiteral("window") : QStringLiteral("null"), Num(nMessage), Num(lData) }));
        if (SUCCEEDED(hr))
            m_pState->pNotifyWindow = pWindow;
        return hr;
    }
    HRESULT GetEvent(long* plCode, qintptr* pl1, qintptr* pl2, long msTimeout) override
    {
        HRESULT hr = Call(QStringLiteral("GetEvent"), Args({ Num(msTimeout) }));
        if (FAILED(hr))
            return hr;
        if (m_pState->events.empty())
            return E_ABORT;
        const FakeEvent e = m_pState->events.front();
        m_pState->events.pop_front();
        *plCode = e.lCode;
        *pl1 = e.lParam1;
        *pl2 = e.lParam2;
        return hr;
    }

    // ---- seeking ----
    HRESULT GetCapabilities(DWORD* p) override
    {
        const HRESULT hr = Call(QStringLiteral("GetCapabilities"));
        if (SUCCEEDED(hr))
            *p = m_pState->dwSeekCaps;
        return hr;
    }
    HRESULT IsFormatSupported(TimeFormat f) override
    {
        m_pState->calls << QStringLiteral("IsFormatSupported(%1)").arg(FormatName(f));
        return m_pState->Result(QStringLiteral("IsFormatSupported(%1)").arg(FormatName(f)));
    }
    HRESULT SetTimeFormat(TimeFormat f) override
    {
        const HRESULT hr = Call(QStringLiteral("SetTimeFormat"), Args({ FormatName(f) }));
        if (SUCCEEDED(hr))
            m_pState->timeFormat = f;
        return hr;
    }
    HRESULT GetTimeFormat(TimeFormat* p) override
    {
        const HRESULT hr = Call(QStringLiteral("GetTimeFormat"));
        if (SUCCEEDED(hr))
            *p = m_pState->timeFormat;
        return hr;
    }
    HRESULT GetDuration(LONGLONG* p) override
    {
        const HRESULT hr = Call(QStringLiteral("GetDuration"));
        if (SUCCEEDED(hr))
            *p = Duration();
        return hr;
    }
    HRESULT GetStopPosition(LONGLONG* p) override
    {
        const HRESULT hr = Call(QStringLiteral("GetStopPosition"));
        if (SUCCEEDED(hr))
            *p = m_pState->llStop >= 0 ? m_pState->llStop : Duration();
        return hr;
    }
    HRESULT GetCurrentPosition(LONGLONG* p) override
    {
        const HRESULT hr = Call(QStringLiteral("GetCurrentPosition"));
        if (SUCCEEDED(hr))
            *p = m_pState->llCurrent;
        return hr;
    }
    HRESULT GetPositions(LONGLONG* pCurrent, LONGLONG* pStop) override
    {
        const HRESULT hr = Call(QStringLiteral("GetPositions"));
        if (SUCCEEDED(hr)) {
            if (pCurrent)
                *pCurrent = m_pState->llCurrent;
            if (pStop)
                *pStop = m_pState->llStop >= 0 ? m_pState->llStop : Duration();
        }
        return hr;
    }
    HRESULT SetPositions(LONGLONG* pCurrent, DWORD dwCurrentFlags, LONGLONG* pStop, DWORD dwStopFlags) override
    {
        const HRESULT hr = Call(QStringLiteral("SetPositions"),
            Args({ pCurrent ? Num(*pCurrent) : QStringLiteral("null"), Num(dwCurrentFlags),
                pStop ? Num(*pStop) : QStringLiteral("null"), Num(dwStopFlags) }));
        if (SUCCEEDED(hr)) {
            if (pCurrent && (dwCurrentFlags & 0x3) == AM_SEEKING_AbsolutePositioning)
                m_pState->llCurrent = *pCurrent;
            if (pStop && (dwStopFlags & 0x3) == AM_SEEKING_AbsolutePositioning)
                m_pState->llStop = *pStop;
        }
        return hr;
    }
    HRESULT WaitForPosition(long) override { return S_OK; }

    // ---- stepping and volume ----
    HRESULT CanStep(long bMultiple) override { return Call(QStringLiteral("CanStep"), Args({ Num(bMultiple) })); }
    HRESULT Step(DWORD dwFrames) override { return Call(QStringLiteral("Step"), Args({ Num(dwFrames) })); }
    HRESULT put_Volume(long lVolume) override { return Call(QStringLiteral("put_Volume"), Args({ Num(lVolume) })); }
    HRESULT get_Volume(long* p) override { return Value(QStringLiteral("get_Volume"), 0L, p); }

    // ---- owner-window renderer ----
    HRESULT get_VideoWidth(long* p) override { return Value(QStringLiteral("get_VideoWidth"), m_pState->lVideoWidth, p); }
    HRESULT get_VideoHeight(long* p) override { return Value(QStringLiteral("get_VideoHeight"), m_pState->lVideoHeight, p); }
    HRESULT get_AvgTimePerFrame(double* p) override
    {
        return Value(QStringLiteral("get_AvgTimePerFrame"), m_pState->dAvgTimePerFrame, p);
    }
    HRESULT GetPreferredAspectRatio(long* pX, long* pY) override
    {
        const HRESULT hr = Call(QStringLiteral("GetPreferredAspectRatio"));
        if (SUCCEEDED(hr)) {
            *pX = m_pState->lAspectX;
            *pY = m_pState->lAspectY;
        }
        return hr;
    }
    HRESULT SetDestinationPosition(long l, long t, long w, long h) override
    {
        const HRESULT hr = Call(QStringLiteral("SetDestinationPosition"), Args({ Num(l), Num(t), Num(w), Num(h) }));
        if (SUCCEEDED(hr))
            m_pState->destinationRect = QRect(int(l), int(t), int(w), int(h));
        return hr;
    }
    HRESULT SetDefaultDestinationPosition() override
    {
        const HRESULT hr = Call(QStringLiteral("SetDefaultDestinationPosition"));
        if (SUCCEEDED(hr))
            m_pState->destinationRect = QRect();
        return hr;
    }
    HRESULT GetCurrentImage(long* pSize, std::uint8_t* pImage) override
    {
        const HRESULT hr = Call(QStringLiteral("GetCurrentImage"), Args({ pImage ? QStringLiteral("buffer") : QStringLiteral("null") }));
        if (FAILED(hr))
            return hr;
        const long lNeeded = static_cast<long>(m_pState->currentImage.size());
        if (pImage) {
            if (*pSize < lNeeded)
                return E_OUTOFMEMORY;
            std::memcpy(pImage, m_pState->currentImage.constData(), size_t(lNeeded));
        }
        *pSize = lNeeded;
        return hr;
    }
    HRESULT put_Owner(QWidget* pOwner) override
    {
        const HRESULT hr = Call(QStringLiteral("put_Owner"));
        if (SUCCEEDED(hr))
            m_pState->pVideoOwner = pOwner;
        return hr;
    }
    HRESULT put_WindowStyle(long lStyle) override
    {
        return Call(QStringLiteral("put_WindowStyle"), Args({ QStringLiteral("0x%1").arg(lStyle, 8, 16, QLatin1Char('0')) }));
    }
    HRESULT put_MessageDrain(QWidget*) override { return Call(QStringLiteral("put_MessageDrain")); }
    HRESULT put_Visible(long lVisible) override { return Call(QStringLiteral("put_Visible"), Args({ Num(lVisible) })); }
    HRESULT SetWindowPosition(long l, long t, long w, long h) override
    {
        const HRESULT hr = Call(QStringLiteral("SetWindowPosition"), Args({ Num(l), Num(t), Num(w), Num(h) }));
        if (SUCCEEDED(hr))
            m_pState->videoWindowRect = QRect(int(l), int(t), int(w), int(h));
        return hr;
    }

private:
    HRESULT Call(const QString& strName, const QString& strArgs = QString())
    {
        m_pState->calls << strName + strArgs;
        return m_pState->Result(strName);
    }
    HRESULT Transition(const QString& strName, long lState)
    {
        const HRESULT hr = Call(strName);
        if (SUCCEEDED(hr))
            m_pState->lState = lState;
        return hr;
    }
    template <class T>
    HRESULT Value(const QString& strName, T value, T* p)
    {
        const HRESULT hr = Call(strName);
        if (SUCCEEDED(hr))
            *p = value;
        return hr;
    }
    LONGLONG Duration() const
    {
        return m_pState->timeFormat == TimeFormat::Frame ? m_pState->llDurationFrames : m_pState->llDurationTime;
    }

    std::shared_ptr<FakeGraphState> m_pState;
    std::vector<std::unique_ptr<CFakeFilter>> m_owned;
    std::vector<std::unique_ptr<CFakeFilter>> m_rendered;
    std::vector<CFakeFilter*> m_inGraph;
    CFakeFilter* m_pWindowless = nullptr;
};

class CFakeRegistry final : public IFilterRegistry {
public:
    explicit CFakeRegistry(std::shared_ptr<FakeGraphState> pState)
        : m_pState(std::move(pState))
    {
    }
    HRESULT EnumAllFilters(std::vector<FilterMoniker>* pFilters) override
    {
        m_pState->calls << QStringLiteral("EnumAllFilters");
        HRESULT hr = m_pState->Result(QStringLiteral("EnumAllFilters"));
        if (SUCCEEDED(hr)) {
            *pFilters = m_pState->registry;
            if (hr == S_OK && pFilters->empty())
                hr = S_FALSE;
        }
        return hr;
    }
    HRESULT EnumMatchingFilters(const QStringList& types, std::vector<FilterMoniker>* pFilters) override
    {
        m_pState->calls << QStringLiteral("EnumMatchingFilters(%1)").arg(types.join(QLatin1Char(';')));
        pFilters->clear();
        return m_pState->Result(QStringLiteral("EnumMatchingFilters"));
    }

private:
    std::shared_ptr<FakeGraphState> m_pState;
};
}

FakeFilterSpec FakeFilterSpec::Connected(const QString& name, FilterRole role)
{
    FakeFilterSpec spec;
    spec.strName = name;
    spec.role = role;
    spec.pins = { { PinDirection::Input, true }, { PinDirection::Output, true } };
    return spec;
}

int FakeGraphState::CountCalls(const QString& strName) const { return int(CallsNamed(strName).size()); }

QStringList FakeGraphState::CallsNamed(const QString& strName) const
{
    QStringList out;
    for (const QString& call : calls)
        if (call == strName || call.startsWith(strName + QLatin1Char('(')))
            out << call;
    return out;
}

FakeGraphFactory::FakeGraphFactory(std::shared_ptr<FakeGraphState> pState)
    : m_pState(std::move(pState))
{
}

HRESULT FakeGraphFactory::CreateGraph(std::unique_ptr<IMediaGraph>* ppGraph)
{
    m_pState->calls << QStringLiteral("CreateGraph");
    const HRESULT hr = m_pState->Result(QStringLiteral("CreateGraph"));
    if (SUCCEEDED(hr))
        *ppGraph = std::make_unique<CFakeMediaGraph>(m_pState);
    return hr;
}

HRESULT FakeGraphFactory::CreateFilterRegistry(std::unique_ptr<IFilterRegistry>* ppRegistry)
{
    m_pState->calls << QStringLiteral("CreateFilterRegistry");
    const HRESULT hr = m_pState->Result(QStringLiteral("CreateFilterRegistry"));
    if (SUCCEEDED(hr))
        *ppRegistry = std::make_unique<CFakeRegistry>(m_pState);
    return hr;
}

GraphMediaType FakeVideoType(int nWidth, int nHeight, REFERENCE_TIME avgTimePerFrame, FormatType format,
    DWORD dwInterlaceFlags)
{
    GraphMediaType mt;
    mt.majortype = MajorType::Video;
    mt.formattype = format;
    mt.cbFormat = sizeof(VideoInfoHeader);
    mt.video.AvgTimePerFrame = avgTimePerFrame;
    mt.video.dwInterlaceFlags = dwInterlaceFlags;
    mt.video.bmiHeader.biWidth = nWidth;
    mt.video.bmiHeader.biHeight = nHeight;
    return mt;
}

GraphMediaType FakeAudioType(int nChannels, int nRate, int nBits)
{
    GraphMediaType mt;
    mt.majortype = MajorType::Audio;
    mt.formattype = FormatType::WaveFormatEx;
    mt.cbFormat = sizeof(WaveFormatEx);
    mt.audio.nChannels = static_cast<std::uint16_t>(nChannels);
    mt.audio.nSamplesPerSec = static_cast<DWORD>(nRate);
    mt.audio.wBitsPerSample = static_cast<std::uint16_t>(nBits);
    return mt;
}
