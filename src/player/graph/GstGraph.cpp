#include "player/graph/GstGraph.h"

#include "platform/RegularFile.h"
#include "player/graph/GstAudioRenderer.h"
#include "player/graph/GstDecoderThreads.h"
#include "player/graph/GstOwnerWindowRenderer.h"
#include "player/graph/GstRegistry.h"
#include "player/graph/GstWarmUp.h"
#include "player/graph/GstWindowlessRenderer.h"

#include <QFile>
#include <QGuiApplication>

#include <algorithm>
#include <cstring>

namespace {
bool HasKlass(GstElement* pElement, const char* pszWord)
{
    GstElementFactory* pFactory = gst_element_get_factory(pElement);
    const char* pszKlass = pFactory ? gst_element_factory_get_metadata(pFactory, GST_ELEMENT_METADATA_KLASS) : nullptr;
    return pszKlass && std::strstr(pszKlass, pszWord);
}

QString FactoryName(GstElement* pElement)
{
    GstElementFactory* pFactory = gst_element_get_factory(pElement);
    return pFactory ? QString::fromUtf8(gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(pFactory))) : QString();
}
}

CGstGraph::CGstGraph()
    : m_pPipeline(GST_ELEMENT(gst_object_ref_sink(gst_pipeline_new(nullptr))))
    , m_pBus(gst_pipeline_get_bus(GST_PIPELINE(m_pPipeline)))
    , m_sinkRules { [this](const FilterMoniker& moniker) { return IsRefused(moniker); },
          [this](const QString& strFactory) { return IsPreferred(strFactory); } }
{
    gst_bus_set_sync_handler(m_pBus, &CGstGraph::OnSyncMessage, this, nullptr);
    g_signal_connect(m_pPipeline, "deep-element-added", G_CALLBACK(&CGstGraph::OnDeepElementAdded), this);
    g_signal_connect(m_pPipeline, "deep-element-removed", G_CALLBACK(&CGstGraph::OnDeepElementRemoved), this);
}

CGstGraph::~CGstGraph()
{
    // Stops every streaming thread; nothing calls back after this.
    gst_element_set_state(m_pPipeline, GST_STATE_NULL);
    g_signal_handlers_disconnect_by_data(m_pPipeline, this);
    if (m_pDecoder)
        g_signal_handlers_disconnect_by_data(m_pDecoder, this);
    gst_bus_set_sync_handler(m_pBus, nullptr, nullptr, nullptr);
    gst_bus_set_flushing(m_pBus, TRUE);

    m_elementFilters.clear();
    for (const QueuedEvent& event : m_events)
        gst_message_unref(event.pMessage);
    for (GstElement* pElement : m_chain)
        gst_object_unref(pElement);
    if (m_pSource)
        gst_object_unref(m_pSource);
    if (m_pTags)
        gst_tag_list_unref(m_pTags);
    gst_object_unref(m_pBus);
    gst_object_unref(m_pPipeline);
    m_pWindowless.reset();
    m_pOwnWindowless.reset();
    m_pOwnerWindow.reset();
    m_pAudio.reset();
    if (m_pSite)
        m_pSite->Release();
}

// ---- interface access ----

HRESULT CGstGraph::QueryObjectWithSite(IObjectWithSite** pp)
{
    *pp = this;
    return S_OK;
}

HRESULT CGstGraph::QueryMediaControl(IMediaControl** pp)
{
    *pp = this;
    return S_OK;
}

HRESULT CGstGraph::QueryMediaEvent(IMediaEventEx** pp)
{
    *pp = this;
    return S_OK;
}

HRESULT CGstGraph::QueryMediaSeeking(IMediaSeeking** pp)
{
    *pp = this;
    return S_OK;
}

HRESULT CGstGraph::QueryBasicAudio(IBasicAudio** pp)
{
    *pp = this;
    return S_OK;
}

HRESULT CGstGraph::QueryVideoFrameStep(IVideoFrameStep** pp)
{
    *pp = this;
    return S_OK;
}

HRESULT CGstGraph::QueryQualProp(IQualProp** pp)
{
    *pp = this;
    return S_OK;
}

template <class Interface>
HRESULT CGstGraph::QueryOwnerWindow(Interface** pp)
{
    std::lock_guard lock(m_mutex);
    const bool bInUse = m_pOwnerWindow && m_pLinkedVideo == m_pOwnerWindow->Bin();
    *pp = bInUse ? m_pOwnerWindow.get() : nullptr;
    return bInUse ? S_OK : E_NOINTERFACE;
}

HRESULT CGstGraph::QueryBasicVideo(IBasicVideo2** pp) { return QueryOwnerWindow(pp); }

HRESULT CGstGraph::QueryVideoWindow(IVideoWindow** pp) { return QueryOwnerWindow(pp); }

HRESULT CGstGraph::SetSite(IGraphBuilderCallback* pSite)
{
    if (pSite)
        pSite->AddRef();
    IGraphBuilderCallback* pOld = nullptr;
    {
        std::lock_guard lock(m_mutex);
        pOld = m_pSite;
        m_pSite = pSite;
    }
    if (pOld)
        pOld->Release();
    return S_OK;
}

// ---- filters ----

HRESULT CGstGraph::CreateWindowlessRenderer(IGraphFilter** ppFilter)
{
    *ppFilter = nullptr;
    if (!m_pWindowless) {
        QString strError;
        m_pWindowless = CGstWindowlessRenderer::Create(&strError);
        if (!m_pWindowless) {
            std::lock_guard lock(m_mutex);
            m_strErrorDetail = strError;
            return E_FAIL;
        }
    }
    *ppFilter = m_pWindowless.get();
    return S_OK;
}

HRESULT CGstGraph::CreateFilter(const FilterMoniker& moniker, IGraphFilter** ppFilter)
{
    *ppFilter = nullptr;
    GstElementFactory* pFactory = gst_element_factory_find(moniker.strFactory.toUtf8().constData());
    if (!pFactory)
        return VFW_E_NOT_FOUND;
    gst_object_unref(pFactory);
    m_createdFilters.push_back(std::make_unique<CGstPreferredFilter>(
        moniker, [this](const QString& strFactory) { return IsInPipeline(strFactory); }));
    *ppFilter = m_createdFilters.back().get();
    return S_OK;
}

HRESULT CGstGraph::AddFilter(IGraphFilter* pFilter, const QString&)
{
    if (!pFilter)
        return E_POINTER;
    std::lock_guard lock(m_mutex);
    if (pFilter == m_pWindowless.get()) {
        m_bWindowlessAdded = true;
        return S_OK;
    }
    for (const auto& pCreated : m_createdFilters) {
        if (pCreated.get() == pFilter) {
            m_preferred.insert(static_cast<CGstPreferredFilter*>(pFilter)->Moniker().strFactory);
            return S_OK;
        }
    }
    return E_INVALIDARG;
}

HRESULT CGstGraph::RemoveFilter(IGraphFilter* pFilter)
{
    if (!pFilter)
        return E_POINTER;
    if (m_pWindowless && pFilter == m_pWindowless.get()) {
        GstElement* pLinked = nullptr;
        {
            std::lock_guard lock(m_mutex);
            m_bWindowlessAdded = false;
            if (m_pLinkedVideo == m_pWindowless->Bin())
                std::swap(pLinked, m_pLinkedVideo);
        }
        if (pLinked)
            RemoveRenderer(pLinked);
        return S_OK;
    }
    std::lock_guard lock(m_mutex);
    for (const auto& pCreated : m_createdFilters) {
        if (pCreated.get() == pFilter) {
            m_preferred.erase(static_cast<CGstPreferredFilter*>(pFilter)->Moniker().strFactory);
            return S_OK;
        }
    }
    return VFW_E_NOT_FOUND;
}

void CGstGraph::RemoveRenderer(GstElement* pBin)
{
    GstPad* pPad = gst_element_get_static_pad(pBin, "sink");
    GstPad* pPeer = gst_pad_get_peer(pPad);
    if (pPeer)
        gst_pad_unlink(pPeer, pPad);
    gst_object_unref(pPad);
    gst_element_set_state(pBin, GST_STATE_NULL);
    gst_bin_remove(GST_BIN(m_pPipeline), pBin);
    if (!pPeer)
        return;
    // A stream still under way goes on without a picture rather than
    // failing for want of a sink; one that has ended needs none.
    GstEvent* pEos = gst_pad_get_sticky_event(pPeer, GST_EVENT_EOS, 0);
    if (pEos)
        gst_event_unref(pEos);
    else
        LinkToDiscard(pPeer);
    gst_object_unref(pPeer);
}

HRESULT CGstGraph::EnumFilters(std::vector<IGraphFilter*>* pFilters)
{
    if (!pFilters)
        return E_POINTER;
    pFilters->clear();
    std::vector<GstElement*> elements;
    GstElement* pLinkedVideo = nullptr;
    GstElement* pLinkedAudio = nullptr;
    {
        std::lock_guard lock(m_mutex);
        if (m_pSource)
            elements.push_back(m_pSource);
        elements.insert(elements.end(), m_chain.begin(), m_chain.end());
        pLinkedVideo = m_pLinkedVideo;
        pLinkedAudio = m_pLinkedAudio;
    }
    for (GstElement* pElement : elements) {
        auto& pFilter = m_elementFilters[pElement];
        if (!pFilter) {
            if (pElement == m_pSource) {
                // The source stands for the file and answers for its tags.
                pFilter = std::make_unique<CGstElementFilter>(
                    pElement, m_strFile, FilterRole::Source, [this] { return Tags(); });
            } else {
                pFilter = std::make_unique<CGstElementFilter>(
                    pElement, MonikerOfFactory(gst_element_get_factory(pElement)).strFriendlyName, FilterRole::Other);
            }
        }
        pFilters->push_back(pFilter.get());
    }
    for (CGstWindowlessRenderer* p : { m_pWindowless.get(), m_pOwnWindowless.get() })
        if (p && pLinkedVideo == p->Bin())
            pFilters->push_back(p);
    if (m_pOwnerWindow && pLinkedVideo == m_pOwnerWindow->Bin())
        pFilters->push_back(m_pOwnerWindow.get());
    if (m_pAudio && pLinkedAudio == m_pAudio->Bin())
        pFilters->push_back(m_pAudio.get());
    return S_OK;
}

HRESULT CGstGraph::CanUseOwnerWindow()
{
    if (m_pOwnerWindow)
        return S_OK;
    // The bus reads the renderer from streaming threads once rendering started.
    if (m_pDecoder)
        return VFW_E_WRONG_STATE;
    // Overlay sinks draw into X windows.
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return E_NOTIMPL;
    FilterMoniker moniker;
    GstElement* pSink = ChooseSink(SinkKind::OverlayVideo, m_sinkRules, &moniker);
    if (!pSink)
        return E_NOTIMPL;
    m_pOwnerWindow = CGstOwnerWindowRenderer::Create(pSink, moniker);
    return m_pOwnerWindow ? S_OK : E_FAIL;
}

// ---- rendering ----

HRESULT CGstGraph::RenderFile(const QString& strFile)
{
    if (m_pDecoder)
        return VFW_E_WRONG_STATE;
    m_strFile = strFile;
    // A pipe or a device would never be ready, and opening a pipe waits for
    // a writer; a missing or unreadable file is left to GStreamer to name.
    if (CheckFileKind(strFile) == FileKind::Other) {
        std::lock_guard lock(m_mutex);
        m_strErrorDetail = QStringLiteral("It is not a regular file (a folder, a device or a pipe).");
        return VFW_E_INVALID_FILE_FORMAT;
    }
    m_pDecoder = gst_element_factory_make("uridecodebin", nullptr);
    if (!m_pDecoder) {
        std::lock_guard lock(m_mutex);
        m_strErrorDetail = QStringLiteral("GStreamer's uridecodebin element is not installed.");
        return E_FAIL;
    }
    GError* pError = nullptr;
    gchar* pszUri = gst_filename_to_uri(QFile::encodeName(strFile).constData(), &pError);
    if (!pszUri) {
        std::lock_guard lock(m_mutex);
        m_strErrorDetail = QString::fromUtf8(pError ? pError->message : "invalid file name");
        g_clear_error(&pError);
        return E_INVALIDARG;
    }
    // Streams nobody can decode are left out rather than handed to us raw.
    g_object_set(m_pDecoder, "uri", pszUri, "expose-all-streams", FALSE, nullptr);
    g_free(pszUri);
    g_signal_connect(m_pDecoder, "autoplug-sort", G_CALLBACK(&CGstGraph::OnAutoplugSort), this);
    g_signal_connect(m_pDecoder, "autoplug-select", G_CALLBACK(&CGstGraph::OnAutoplugSelect), this);
    g_signal_connect(m_pDecoder, "source-setup", G_CALLBACK(&CGstGraph::OnSourceSetup), this);
    g_signal_connect(m_pDecoder, "pad-added", G_CALLBACK(&CGstGraph::OnPadAdded), this);
    gst_bin_add(GST_BIN(m_pPipeline), m_pDecoder);

    const HRESULT hr = WaitForPreroll();
    {
        std::unique_lock lock(m_mutex);
        m_bBuilding = false;
        // The site and the lists it reads are the caller's again once this
        // returns: a call still under way on a streaming thread ends first.
        m_siteIdle.wait(lock, [this] { return m_nSiteCalls == 0; });
        // Only what happens from now on can be an event.
        std::erase_if(m_events, [](const QueuedEvent& event) {
            const bool bEvent = GST_MESSAGE_TYPE(event.pMessage) & (GST_MESSAGE_EOS | GST_MESSAGE_ERROR);
            if (!bEvent)
                gst_message_unref(event.pMessage);
            return !bEvent;
        });
    }
    if (FAILED(hr)) {
        gst_element_set_state(m_pPipeline, GST_STATE_NULL);
        return hr;
    }
    // Some demuxers start counting above zero; positions start at zero here.
    GstClockTime first = 0;
    if (QueryPosition(&first) && first != GST_CLOCK_TIME_NONE)
        m_offset = first;
    return hr;
}

GValueArray* CGstGraph::OnAutoplugSort(GstElement*, GstPad*, GstCaps*, GValueArray* pFactories, gpointer pData)
{
    auto* pThis = static_cast<CGstGraph*>(pData);
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    std::vector<GValue*> preferred;
    std::vector<GValue*> others;
    for (guint i = 0; i < pFactories->n_values; ++i) {
        GValue* pValue = g_value_array_get_nth(pFactories, i);
        auto* pFactory = GST_ELEMENT_FACTORY(g_value_get_object(pValue));
        const QString strName = QString::fromUtf8(gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(pFactory)));
        (pThis->IsPreferred(strName) ? preferred : others).push_back(pValue);
    }
    if (preferred.empty())
        return nullptr; // the usual rank order
    GValueArray* pSorted = g_value_array_new(pFactories->n_values);
    for (GValue* pValue : preferred)
        g_value_array_append(pSorted, pValue);
    for (GValue* pValue : others)
        g_value_array_append(pSorted, pValue);
    G_GNUC_END_IGNORE_DEPRECATIONS
    return pSorted;
}

gint CGstGraph::OnAutoplugSelect(GstElement*, GstPad*, GstCaps*, GstElementFactory* pFactory, gpointer pData)
{
    auto* pThis = static_cast<CGstGraph*>(pData);
    return pThis->IsRefused(MonikerOfFactory(pFactory)) ? kAutoplugSkip : kAutoplugTry;
}

IGraphBuilderCallback* CGstGraph::BeginSiteCallLocked()
{
    // The site is asked only while the file is being rendered (the UI thread
    // waits then, so the lists cannot change under it).
    if (!m_bBuilding || !m_pSite)
        return nullptr;
    ++m_nSiteCalls;
    return m_pSite;
}

void CGstGraph::EndSiteCallLocked()
{
    if (--m_nSiteCalls == 0)
        m_siteIdle.notify_all();
}

bool CGstGraph::IsRefused(const FilterMoniker& moniker)
{
    IGraphBuilderCallback* pSite;
    {
        std::lock_guard lock(m_mutex);
        pSite = BeginSiteCallLocked();
        // Streams that appear later keep the answers given while rendering.
        if (!pSite)
            return m_refused.count(moniker.strFactory) != 0;
    }
    const bool bRefused = FAILED(pSite->SelectedFilter(moniker));
    std::lock_guard lock(m_mutex);
    // Recorded before the call counts as over, so the answers kept for later
    // streams are complete once RenderFile returns.
    if (bRefused)
        m_refused.insert(moniker.strFactory);
    EndSiteCallLocked();
    return bRefused;
}

bool CGstGraph::IsPreferred(const QString& strFactory)
{
    std::lock_guard lock(m_mutex);
    return m_preferred.count(strFactory) != 0;
}

bool CGstGraph::IsInPipeline(const QString& strFactory)
{
    bool bFound = false;
    GstIterator* pIt = gst_bin_iterate_recurse(GST_BIN(m_pPipeline));
    GValue item = G_VALUE_INIT;
    for (bool bDone = false; !bDone && !bFound;) {
        switch (gst_iterator_next(pIt, &item)) {
        case GST_ITERATOR_OK:
            bFound = FactoryName(GST_ELEMENT(g_value_get_object(&item))) == strFactory;
            g_value_reset(&item);
            break;
        case GST_ITERATOR_RESYNC:
            gst_iterator_resync(pIt);
            break;
        default:
            bDone = true;
            break;
        }
    }
    g_value_unset(&item);
    gst_iterator_free(pIt);
    return bFound;
}

void CGstGraph::OnSourceSetup(GstElement*, GstElement* pSource, gpointer pData)
{
    auto* pThis = static_cast<CGstGraph*>(pData);
    // Reading the file is progress.
    GstPad* pPad = gst_element_get_static_pad(pSource, "src");
    pThis->WatchProgress(pPad);
    if (pPad)
        gst_object_unref(pPad);
    std::lock_guard lock(pThis->m_mutex);
    if (pThis->m_pSource)
        gst_object_unref(pThis->m_pSource);
    pThis->m_pSource = GST_ELEMENT(gst_object_ref(pSource));
}

bool CGstGraph::IsInDecoder(GstElement* pElement) const
{
    for (GstObject* p = GST_OBJECT_PARENT(pElement); p; p = GST_OBJECT_PARENT(p))
        if (p == GST_OBJECT(m_pDecoder))
            return true;
    return false;
}

bool CGstGraph::IsOwnedElement(GstElement* pElement) const
{
    // Inside the decoder, and a real processing step (not a queue, type
    // finder, caps filter or bin), and not the source.
    return !GST_IS_BIN(pElement) && !HasKlass(pElement, "Generic") && !HasKlass(pElement, "Source")
        && IsInDecoder(pElement);
}

void CGstGraph::OnDeepElementAdded(GstBin*, GstBin*, GstElement* pElement, gpointer pData)
{
    auto* pThis = static_cast<CGstGraph*>(pData);
    if (!pThis->m_pDecoder || GST_IS_BIN(pElement) || !pThis->IsInDecoder(pElement))
        return;
    // Added before the decoder bin starts it: the guard is in place in time.
    if (pThis->m_bWatchingProgress)
        pThis->GuardFirstOutput(pElement);
    LimitDecoderThreads(pElement);
    if (!pThis->IsOwnedElement(pElement))
        return;
    const FilterMoniker moniker = MonikerOfFactory(gst_element_get_factory(pElement));
    IGraphBuilderCallback* pSite;
    {
        std::lock_guard lock(pThis->m_mutex);
        pThis->m_chain.push_back(GST_ELEMENT(gst_object_ref(pElement)));
        pSite = pThis->BeginSiteCallLocked();
    }
    if (!pSite)
        return;
    pSite->CreatedFilter(moniker);
    std::lock_guard lock(pThis->m_mutex);
    pThis->EndSiteCallLocked();
}

void CGstGraph::OnDeepElementRemoved(GstBin*, GstBin*, GstElement* pElement, gpointer pData)
{
    auto* pThis = static_cast<CGstGraph*>(pData);
    std::lock_guard lock(pThis->m_mutex);
    auto it = std::find(pThis->m_chain.begin(), pThis->m_chain.end(), pElement);
    if (it != pThis->m_chain.end()) {
        pThis->m_chain.erase(it);
        gst_object_unref(pElement);
    }
}

void CGstGraph::OnPadAdded(GstElement*, GstPad* pPad, gpointer pData)
{
    static_cast<CGstGraph*>(pData)->LinkStream(pPad);
}

void CGstGraph::LinkStream(GstPad* pPad)
{
    std::lock_guard linkLock(m_linkMutex);
    GstCaps* pCaps = gst_pad_get_current_caps(pPad);
    if (!pCaps)
        pCaps = gst_pad_query_caps(pPad, nullptr);
    const QByteArray kind = pCaps && !gst_caps_is_empty(pCaps)
        ? QByteArray(gst_structure_get_name(gst_caps_get_structure(pCaps, 0)))
        : QByteArray();
    if (pCaps)
        gst_caps_unref(pCaps);
    const bool bVideo = kind == "video/x-raw";
    const bool bAudio = kind == "audio/x-raw";

    bool bBuilding;
    GstElement* pLinked;
    {
        std::lock_guard lock(m_mutex);
        bBuilding = m_bBuilding;
        pLinked = bVideo ? m_pLinkedVideo : bAudio ? m_pLinkedAudio : nullptr;
    }
    if (!bVideo && !bAudio) {
        LinkToDiscard(pPad);
        return;
    }
    if (pLinked) {
        // A stream that replaces an ended one (chained files) reuses the renderer.
        GstPad* pBinPad = gst_element_get_static_pad(pLinked, "sink");
        const bool bFree = !gst_pad_is_linked(pBinPad);
        if (!bFree || !LinkToBin(pPad, pLinked, pBinPad))
            LinkToDiscard(pPad);
        gst_object_unref(pBinPad);
        return;
    }
    if (!bBuilding) {
        LinkToDiscard(pPad);
        return;
    }

    // Renderers are made only while the file is being rendered; the UI
    // thread reads them once RenderFile has returned.
    GstElement* pBin = nullptr;
    GstPad* pBinPad = nullptr;
    if (bVideo) {
        bool bWindowless;
        {
            std::lock_guard lock(m_mutex);
            bWindowless = m_bWindowlessAdded;
        }
        if (bWindowless) {
            pBin = m_pWindowless->Bin();
            pBinPad = m_pWindowless->SinkPad();
        } else if (m_pOwnerWindow) {
            pBin = m_pOwnerWindow->Bin();
            pBinPad = m_pOwnerWindow->SinkPad();
        } else {
            QString strError;
            m_pOwnWindowless = CGstWindowlessRenderer::Create(&strError);
            if (m_pOwnWindowless) {
                pBin = m_pOwnWindowless->Bin();
                pBinPad = m_pOwnWindowless->SinkPad();
            }
        }
    } else {
        FilterMoniker moniker;
        GstElement* pSink = ChooseSink(SinkKind::Audio, m_sinkRules, &moniker);
        if (!pSink)
            pSink = MakeSilentAudioSink(&moniker);
        if (pSink)
            m_pAudio = CGstAudioRenderer::Create(pSink, moniker);
        if (m_pAudio) {
            pBin = m_pAudio->Bin();
            pBinPad = m_pAudio->SinkPad();
        }
    }
    if (pBin && LinkToBin(pPad, pBin, pBinPad)) {
        {
            std::lock_guard lock(m_mutex);
            (bVideo ? m_pLinkedVideo : m_pLinkedAudio) = pBin;
        }
        WatchRendererInput(pBinPad, bVideo);
        if (bVideo)
            CountVideoFrames();
        return;
    }
    LinkToDiscard(pPad);
}

bool CGstGraph::LinkToBin(GstPad* pPad, GstElement* pBin, GstPad* pBinPad)
{
    if (!GST_OBJECT_PARENT(pBin) && !gst_bin_add(GST_BIN(m_pPipeline), pBin))
        return false;
    if (gst_pad_link(pPad, pBinPad) != GST_PAD_LINK_OK) {
        if (GST_STATE(pBin) == GST_STATE_NULL)
            gst_bin_remove(GST_BIN(m_pPipeline), pBin);
        return false;
    }
    WatchProgress(pBinPad);
    gst_element_sync_state_with_parent(pBin);
    return true;
}

void CGstGraph::LinkToDiscard(GstPad* pPad)
{
    GstElement* pSink = gst_element_factory_make("fakesink", nullptr);
    if (!pSink)
        return;
    // Keeps pace with the clock but never holds up starting.
    g_object_set(pSink, "sync", TRUE, "async", FALSE, nullptr);
    gst_bin_add(GST_BIN(m_pPipeline), pSink);
    GstPad* pSinkPad = gst_element_get_static_pad(pSink, "sink");
    gst_pad_link(pPad, pSinkPad);
    gst_object_unref(pSinkPad);
    gst_element_sync_state_with_parent(pSink);
}

// ---- the factory ----

namespace {
class CGstGraphFactory final : public IMediaGraphFactory {
public:
    HRESULT CreateGraph(std::unique_ptr<IMediaGraph>* ppGraph) override
    {
        if (!WaitGstReady())
            return E_UNEXPECTED;
        CancelGstWarmUp();
        *ppGraph = std::make_unique<CGstGraph>();
        return S_OK;
    }
    HRESULT CreateFilterRegistry(std::unique_ptr<IFilterRegistry>* ppRegistry) override;
};
}

HRESULT CGstGraphFactory::CreateFilterRegistry(std::unique_ptr<IFilterRegistry>* ppRegistry)
{
    if (!WaitGstReady())
        return E_UNEXPECTED;
    *ppRegistry = std::make_unique<CGstFilterRegistry>();
    return S_OK;
}

IMediaGraphFactory& DefaultGraphFactory()
{
    static CGstGraphFactory factory;
    return factory;
}
