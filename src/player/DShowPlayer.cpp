#include "player/DShowPlayer.h"

#include "filters/FilterNameList.h"
#include "platform/WindowMessages.h"
#include "player/ErrMessage.h"

#include <QWidget>

#include <atomic>

namespace {
qintptr NextNotifyData()
{
    static std::atomic<qintptr> s_lLast { 0 };
    return ++s_lLast;
}
}

CDShowPlayer::CDShowPlayer(const QString& strFile, BOOL bAspectFix, BOOL bDisableVMR9, BOOL bDisableDeinterlace,
    const FilterNameList* pBlackList, const FilterNameList* pFirstUseList, QWidget* pView, QObject* pNotifyTarget)
    : CDShowPlayer(strFile, bAspectFix, bDisableVMR9, bDisableDeinterlace, pBlackList, pFirstUseList, pView,
        pNotifyTarget, DefaultGraphFactory())
{
}

CDShowPlayer::CDShowPlayer(const QString& strFile, BOOL bAspectFix, BOOL bDisableVMR9, BOOL bDisableDeinterlace,
    const FilterNameList* pBlackList, const FilterNameList* pFirstUseList, QWidget* pView, QObject* pNotifyTarget,
    IMediaGraphFactory& factory)
    : m_pView(pView)
    , m_pNotifyTarget(pNotifyTarget)
    , m_bAspectFix(bAspectFix)
    , m_lNotifyData(NextNotifyData())
{
    m_graphCB.m_pBlackList = pBlackList;
    try {
        Build(strFile, bDisableVMR9, bDisableDeinterlace, pFirstUseList, factory);
    } catch (...) {
        // Whatever was thrown leaves nothing held behind.
        ReleaseAll();
        throw;
    }
}

CDShowPlayer::~CDShowPlayer() { ReleaseAll(); }

void CDShowPlayer::Fail(int nCode, HRESULT hr)
{
    // The constructor releases everything on the way out.
    throw CDirectShowErrMessage(nCode, hr, ERRKIND_GENERAL, m_pGraph ? m_pGraph->GetErrorDetail() : QString());
}

void CDShowPlayer::Build(const QString& strFile, BOOL bDisableVMR9, BOOL bDisableDeinterlace,
    const FilterNameList* pFirstUseList, IMediaGraphFactory& factory)
{
    HRESULT hr = factory.CreateGraph(&m_pGraph);
    if (FAILED(hr) || !m_pGraph) {
        m_pGraph.reset();
        Fail(ERR_CREATE_GRAPH, FAILED(hr) ? hr : E_FAIL);
    }

    IObjectWithSite* pSite = nullptr;
    hr = m_pGraph->QueryObjectWithSite(&pSite);
    if (FAILED(hr))
        Fail(ERR_QUERY_OBJECT_WITH_SITE, hr);
    hr = pSite->SetSite(&m_graphCB);
    if (FAILED(hr))
        Fail(ERR_SET_SITE, hr);

    AddFirstUseFilters(factory, pFirstUseList);

    // Without an overlay on this display the owner-window renderer cannot
    // show anything, so the windowless one is used after all.
    if (!bDisableVMR9 || FAILED(m_pGraph->CanUseOwnerWindow())) {
        if (FAILED(SetupVMR9(bDisableDeinterlace))) {
            if (m_pVMR9)
                m_pGraph->RemoveFilter(m_pVMR9);
            m_pVMR9 = nullptr;
            m_pWindowlessControl = nullptr;
        }
    }

    hr = m_pGraph->RenderFile(strFile);
    if (FAILED(hr))
        Fail(ERR_RENDER_FILE, hr);

    RemoveUnconnectedFirstUseFilters();

    hr = m_pGraph->QueryMediaControl(&m_pMediaControl);
    if (FAILED(hr))
        Fail(ERR_QUERY_MEDIA_CONTROL, hr);
    hr = m_pGraph->QueryMediaEvent(&m_pMediaEvent);
    if (FAILED(hr))
        Fail(ERR_QUERY_MEDIA_EVENT, hr);

    m_pMediaEvent->SetNotifyWindow(m_pNotifyTarget, WM_GRAPHNOTIFY, m_lNotifyData);

    hr = m_pGraph->QueryMediaSeeking(&m_pMediaSeeking);
    if (FAILED(hr))
        Fail(ERR_QUERY_MEDIA_SEEKING, hr);
    hr = m_pGraph->QueryBasicAudio(&m_pBasicAudio);
    if (FAILED(hr))
        Fail(ERR_QUERY_BASIC_AUDIO, hr);

    ReadVMR9MediaType();
    SetupSeeking();

    bool bOwnerWindowRenderer = false;
    const int nFilters = EnumFilters(&bOwnerWindowRenderer);
    m_nFilterCount = nFilters < 0 ? 0 : nFilters;

    if (!m_pVMR9 && bOwnerWindowRenderer)
        m_bOwnerWindowMode = TRUE;

    if (m_bOwnerWindowMode)
        SetupOwnerWindow();
}

void CDShowPlayer::AddFirstUseFilters(IMediaGraphFactory& factory, const FilterNameList* pFirstUseList)
{
    if (!pFirstUseList)
        return;
    std::unique_ptr<IFilterRegistry> pRegistry;
    if (FAILED(factory.CreateFilterRegistry(&pRegistry)) || !pRegistry)
        return;
    std::vector<FilterMoniker> monikers;
    if (pRegistry->EnumAllFilters(&monikers) != S_OK)
        return;

    // One list entry adds every installed filter of that name, in registry order.
    std::size_t nSlot = 0;
    for (const FilterMoniker& moniker : monikers) {
        if (nSlot >= m_pFirstUseFilters.size())
            break;
        if (moniker.strFriendlyName.isEmpty())
            continue;
        for (int i = 0; i < pFirstUseList->GetCount(); ++i) {
            if (pFirstUseList->GetAt(i) != moniker.strFriendlyName)
                continue;
            IGraphFilter* pFilter = nullptr;
            if (SUCCEEDED(m_pGraph->CreateFilter(moniker, &pFilter)) && pFilter) {
                m_pFirstUseFilters[nSlot++] = pFilter;
                m_pGraph->AddFilter(pFilter, moniker.strFriendlyName);
            }
            break;
        }
    }
}

HRESULT CDShowPlayer::SetupVMR9(BOOL bDeinterlaceDisabled)
{
    HRESULT hr = m_pGraph->CreateWindowlessRenderer(&m_pVMR9);
    if (FAILED(hr))
        return hr;
    hr = m_pGraph->AddFilter(m_pVMR9, kWindowlessRendererName);
    if (FAILED(hr))
        return hr;
    hr = m_pVMR9->QueryWindowlessControl(&m_pWindowlessControl);
    if (FAILED(hr))
        return hr;
    hr = m_pWindowlessControl->SetVideoClippingWindow(m_pView);
    if (FAILED(hr))
        return hr;
    m_pWindowlessControl->SetAspectRatioMode(m_bAspectFix ? VMR9ARMode_LetterBox : VMR9ARMode_None);
    if (bDeinterlaceDisabled) {
        IVMRDeinterlaceControl9* pDeinterlace = nullptr;
        hr = m_pVMR9->QueryDeinterlaceControl(&pDeinterlace);
        if (FAILED(hr))
            return hr;
        pDeinterlace->SetDeinterlaceMode(0, false);
    }
    return S_OK;
}

namespace {
bool IsConnected(IGraphFilter* pFilter, bool* pbKnown)
{
    std::vector<GraphPin> pins;
    *pbKnown = SUCCEEDED(pFilter->EnumPins(&pins));
    for (const GraphPin& pin : pins)
        if (pin.bConnected)
            return true;
    return false;
}
}

void CDShowPlayer::RemoveUnconnectedFirstUseFilters()
{
    for (IGraphFilter*& pFilter : m_pFirstUseFilters) {
        if (!pFilter)
            continue;
        bool bKnown = false;
        if (IsConnected(pFilter, &bKnown) || !bKnown)
            continue; // a filter whose pins cannot be listed is kept
        m_pGraph->RemoveFilter(pFilter);
        pFilter = nullptr;
    }
}

void CDShowPlayer::ReadVMR9MediaType()
{
    if (!m_pVMR9)
        return;
    std::vector<GraphPin> pins;
    HRESULT hr = m_pVMR9->EnumPins(&pins);
    if (FAILED(hr))
        Fail(ERR_ENUM_PINS, hr);
    for (std::size_t i = 0; i < pins.size(); ++i) {
        if (pins[i].direction != PinDirection::Input || !pins[i].bConnected)
            continue;
        hr = m_pVMR9->ConnectionMediaType(i, &m_videoMediaType);
        // Linked, but the stream ended before it said what it holds (a
        // picture track without pictures): as if no video came.
        if (hr == VFW_E_NOT_CONNECTED)
            break;
        if (FAILED(hr))
            Fail(ERR_CONNECTION_MEDIA_TYPE, hr);
        ReadVideoInfo();
        return;
    }
    // No video reached the renderer (an audio-only file): drop it.
    m_pGraph->RemoveFilter(m_pVMR9);
    m_pVMR9 = nullptr;
    m_pWindowlessControl = nullptr;
}

void CDShowPlayer::SetupOwnerWindow()
{
    HRESULT hr = m_pGraph->QueryBasicVideo(&m_pBasicVideo);
    if (FAILED(hr))
        Fail(ERR_QUERY_BASIC_VIDEO, hr);
    hr = m_pGraph->QueryVideoWindow(&m_pVideoWindow);
    if (FAILED(hr))
        Fail(ERR_QUERY_VIDEO_WINDOW, hr);
    hr = m_pVideoWindow->put_Owner(m_pView);
    if (FAILED(hr))
        Fail(ERR_PUT_OWNER, hr);
    hr = m_pVideoWindow->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS);
    if (FAILED(hr))
        Fail(ERR_PUT_WINDOW_STYLE, hr);
    // Mouse and keys over the picture reach the view.
    hr = m_pVideoWindow->put_MessageDrain(m_pView);
    if (FAILED(hr))
        Fail(ERR_PUT_MESSAGE_DRAIN, hr);
    ReadVideoInfo();
}

int CDShowPlayer::EnumFilters(bool* pbOwnerWindowRenderer)
{
    std::vector<IGraphFilter*> filters;
    if (FAILED(m_pGraph->EnumFilters(&filters)))
        return -1;
    int i = 0;
    for (IGraphFilter* pFilter : filters) {
        QString strName;
        if (SUCCEEDED(pFilter->QueryFilterInfo(&strName)) && i < MAX_FILTERS)
            m_szFilterNames[static_cast<std::size_t>(i)] = strName.left(MAX_FILTER_NAME - 1);
        if (strName != kOggSplitterName)
            ReadMediaText(pFilter);
        if (pFilter->GetRole() == FilterRole::AudioRenderer)
            ReadAudioFormat(pFilter);
        if (pFilter->GetRole() == FilterRole::OwnerWindowRenderer)
            *pbOwnerWindowRenderer = true;
        ++i;
    }
    return i < MAX_FILTERS ? i : MAX_FILTERS;
}

void CDShowPlayer::ReleaseAll()
{
    m_pFirstUseFilters.fill(nullptr);
    m_videoMediaType = GraphMediaType();
    if (m_pMediaEvent)
        m_pMediaEvent->SetNotifyWindow(nullptr, 0, 0);
    m_pVMR9 = nullptr;
    m_pWindowlessControl = nullptr;
    m_pGraph.reset();
    m_pMediaEvent = nullptr;
    m_pMediaSeeking = nullptr;
    m_pBasicAudio = nullptr;
    m_pBasicVideo = nullptr;
    m_pVideoWindow = nullptr;
    m_pMediaControl = nullptr;
}

QString CDShowPlayer::GetErrorDetail() const { return m_pGraph ? m_pGraph->GetErrorDetail() : QString(); }
