#include "player/graph/GstOwnerWindowRenderer.h"

#include "platform/Dib.h"

#include <gst/video/video.h>
#include <gst/video/videooverlay.h>

#include <cstring>

namespace {
// Square pixels of the given size: what the sink can put on the window as is.
GstCaps* ScaleCaps(int nWidth, int nHeight)
{
    return gst_caps_new_simple("video/x-raw", "width", G_TYPE_INT, nWidth, "height", G_TYPE_INT, nHeight,
        "pixel-aspect-ratio", GST_TYPE_FRACTION, 1, 1, nullptr);
}

QWidget* NewNativeWindow(QWidget* pParent)
{
    auto* pWindow = new QWidget(pParent);
    pWindow->setAttribute(Qt::WA_NativeWindow);
    pWindow->setAttribute(Qt::WA_DontCreateNativeAncestors);
    // The sink paints it; Qt must not paint over the picture.
    pWindow->setAttribute(Qt::WA_NoSystemBackground);
    pWindow->setAttribute(Qt::WA_OpaquePaintEvent);
    pWindow->setUpdatesEnabled(false);
    pWindow->winId();
    return pWindow;
}
}

std::unique_ptr<CGstOwnerWindowRenderer> CGstOwnerWindowRenderer::Create(GstElement* pSink, FilterMoniker moniker)
{
    std::vector<GstElement*> elements;
    GstElement* pBin
        = MakeChainBin({ "queue", "videoconvert", "videoscale", "capsfilter" }, pSink, &elements, nullptr);
    if (!pBin)
        return nullptr;
    HoldFramesAhead(elements[0]);
    // The player letter-boxes itself; what it asks for is filled exactly.
    g_object_set(elements[2], "add-borders", FALSE, nullptr);
    return std::unique_ptr<CGstOwnerWindowRenderer>(
        new CGstOwnerWindowRenderer(pBin, elements[3], pSink, std::move(moniker)));
}

CGstOwnerWindowRenderer::CGstOwnerWindowRenderer(
    GstElement* pBin, GstElement* pScaleCaps, GstElement* pSink, FilterMoniker moniker)
    : m_pBin(pBin)
    , m_pScaleCaps(pScaleCaps)
    , m_pSink(pSink)
    , m_pSinkPad(gst_element_get_static_pad(pBin, "sink"))
    , m_pSinkInput(gst_element_get_static_pad(pSink, "sink"))
    , m_moniker(std::move(moniker))
    , m_pHidden(NewNativeWindow(nullptr))
{
    m_handle = static_cast<guintptr>(m_pHidden->winId());
    m_ulInputProbe = gst_pad_add_probe(
        m_pSinkPad, GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM, &CGstOwnerWindowRenderer::OnInputEvent, this, nullptr);
    m_ulSinkProbe = gst_pad_add_probe(
        m_pSinkInput, GST_PAD_PROBE_TYPE_EVENT_UPSTREAM, &CGstOwnerWindowRenderer::OnSinkRequest, this, nullptr);
}

CGstOwnerWindowRenderer::~CGstOwnerWindowRenderer()
{
    gst_pad_remove_probe(m_pSinkPad, m_ulInputProbe);
    gst_pad_remove_probe(m_pSinkInput, m_ulSinkProbe);
    gst_object_unref(m_pSinkInput);
    gst_element_set_state(m_pBin, GST_STATE_NULL);
    gst_object_unref(m_pSinkPad);
    gst_object_unref(m_pBin);
    delete m_pWindow.data();
}

void CGstOwnerWindowRenderer::AnswerWindowHandle()
{
    gst_video_overlay_set_window_handle(GST_VIDEO_OVERLAY(m_pSink), m_handle.load());
}

void CGstOwnerWindowRenderer::SetHandle(QWidget* pWindow)
{
    m_applied.reset();
    m_handle = static_cast<guintptr>(pWindow->winId());
    gst_video_overlay_set_window_handle(GST_VIDEO_OVERLAY(m_pSink), m_handle.load());
}

GraphMediaType CGstOwnerWindowRenderer::InputType() const
{
    GstCaps* pCaps = gst_pad_get_current_caps(m_pSinkPad);
    GraphMediaType mt = MediaTypeFromCaps(pCaps);
    if (pCaps)
        gst_caps_unref(pCaps);
    return mt;
}

HRESULT CGstOwnerWindowRenderer::QueryFilterInfo(QString* pName)
{
    *pName = m_moniker.strFriendlyName;
    return S_OK;
}

HRESULT CGstOwnerWindowRenderer::EnumPins(std::vector<GraphPin>* pPins) { return EnumElementPins(m_pBin, pPins); }

HRESULT CGstOwnerWindowRenderer::ConnectionMediaType(std::size_t nPin, GraphMediaType* pmt)
{
    return ElementConnectionMediaType(m_pBin, nPin, pmt);
}

HRESULT CGstOwnerWindowRenderer::get_VideoWidth(long* plWidth)
{
    const GraphMediaType mt = InputType();
    if (mt.cbFormat == 0 || mt.majortype != MajorType::Video)
        return VFW_E_NOT_CONNECTED;
    *plWidth = mt.video.bmiHeader.biWidth;
    return S_OK;
}

HRESULT CGstOwnerWindowRenderer::get_VideoHeight(long* plHeight)
{
    const GraphMediaType mt = InputType();
    if (mt.cbFormat == 0 || mt.majortype != MajorType::Video)
        return VFW_E_NOT_CONNECTED;
    *plHeight = mt.video.bmiHeader.biHeight;
    return S_OK;
}

HRESULT CGstOwnerWindowRenderer::get_AvgTimePerFrame(double* pTime)
{
    const GraphMediaType mt = InputType();
    if (mt.cbFormat == 0 || mt.majortype != MajorType::Video)
        return VFW_E_NOT_CONNECTED;
    *pTime = double(mt.video.AvgTimePerFrame) / 10000000.0;
    return S_OK;
}

HRESULT CGstOwnerWindowRenderer::GetPreferredAspectRatio(long* plAspectX, long* plAspectY)
{
    const GraphMediaType mt = InputType();
    if (mt.cbFormat == 0 || mt.majortype != MajorType::Video)
        return VFW_E_NOT_CONNECTED;
    *plAspectX = static_cast<long>(mt.video.dwPictAspectRatioX);
    *plAspectY = static_cast<long>(mt.video.dwPictAspectRatioY);
    return S_OK;
}

void CGstOwnerWindowRenderer::SetScaleCaps(GstCaps* pCaps)
{
    // Setting even the same caps again renegotiates, and the sink then makes
    // new pictures for the window, which costs the next frames their time.
    m_bScaleFixed = !gst_caps_is_any(pCaps);
    GstCaps* pCurrent = nullptr;
    g_object_get(m_pScaleCaps, "caps", &pCurrent, nullptr);
    if (!pCurrent || !gst_caps_is_equal(pCurrent, pCaps))
        g_object_set(m_pScaleCaps, "caps", pCaps, nullptr);
    if (pCurrent)
        gst_caps_unref(pCurrent);
    gst_caps_unref(pCaps);
}

GstPadProbeReturn CGstOwnerWindowRenderer::OnInputEvent(GstPad*, GstPadProbeInfo* pInfo, gpointer pData)
{
    GstEvent* pEvent = GST_PAD_PROBE_INFO_EVENT(pInfo);
    if (GST_EVENT_TYPE(pEvent) != GST_EVENT_CAPS)
        return GST_PAD_PROBE_OK;
    // Left open, the scaler would follow the sink's wish for the size of the
    // window it draws into, which is not yet the picture's: the first picture
    // would come out at that size, and the sink would have to renegotiate
    // once the player sizes the window, just as playback starts.
    auto* pThis = static_cast<CGstOwnerWindowRenderer*>(pData);
    GstCaps* pCaps = nullptr;
    gst_event_parse_caps(pEvent, &pCaps);
    GstVideoInfo info;
    if (!pCaps || !gst_video_info_from_caps(&info, pCaps) || info.width <= 0 || info.height <= 0 || info.par_d <= 0)
        return GST_PAD_PROBE_OK;
    const int nWidth = int(gst_util_uint64_scale_int_round(guint64(info.width), info.par_n, info.par_d));
    std::lock_guard lock(pThis->m_scaleMutex);
    if (!pThis->m_bSized && nWidth > 0)
        pThis->SetScaleCaps(ScaleCaps(nWidth, info.height));
    return GST_PAD_PROBE_OK;
}

GstPadProbeReturn CGstOwnerWindowRenderer::OnSinkRequest(GstPad*, GstPadProbeInfo* pInfo, gpointer pData)
{
    // The sink asks to renegotiate whenever its window has changed size, to
    // be given pictures of that size. Once the scaler has a size of ours the
    // answer cannot change, and the renegotiation would still make the
    // sink's pictures anew, which costs the next frames their time.
    if (GST_EVENT_TYPE(GST_PAD_PROBE_INFO_EVENT(pInfo)) != GST_EVENT_RECONFIGURE)
        return GST_PAD_PROBE_OK;
    auto* pThis = static_cast<CGstOwnerWindowRenderer*>(pData);
    std::lock_guard lock(pThis->m_scaleMutex);
    return pThis->m_bScaleFixed ? GST_PAD_PROBE_DROP : GST_PAD_PROBE_OK;
}

void CGstOwnerWindowRenderer::ApplyDestination()
{
    QWidget* pWindow = m_pWindow.data();
    if (!pWindow)
        return;
    const QRect dest = m_destination.isEmpty() ? pWindow->rect() : m_destination;
    const qreal dpr = pWindow->devicePixelRatioF();
    const QRect device(qRound(dest.x() * dpr), qRound(dest.y() * dpr), qRound(dest.width() * dpr),
        qRound(dest.height() * dpr));
    // The same caps again would renegotiate, and every expose puts the whole
    // picture to the display again (several times while a file loads).
    if (m_applied == device)
        return;
    m_applied = device;
    // Most overlay sinks do not scale; the picture is scaled to the
    // destination before it reaches the sink.
    {
        std::lock_guard lock(m_scaleMutex);
        m_bSized = !device.isEmpty();
        SetScaleCaps(device.isEmpty() ? gst_caps_new_any() : ScaleCaps(device.width(), device.height()));
    }
    if (!device.isEmpty())
        gst_video_overlay_set_render_rectangle(
            GST_VIDEO_OVERLAY(m_pSink), device.x(), device.y(), device.width(), device.height());
    gst_video_overlay_expose(GST_VIDEO_OVERLAY(m_pSink));
}

HRESULT CGstOwnerWindowRenderer::SetDestinationPosition(long lLeft, long lTop, long lWidth, long lHeight)
{
    if (lWidth <= 0 || lHeight <= 0)
        return E_INVALIDARG;
    m_destination = QRect(int(lLeft), int(lTop), int(lWidth), int(lHeight));
    ApplyDestination();
    return S_OK;
}

HRESULT CGstOwnerWindowRenderer::SetDefaultDestinationPosition()
{
    m_destination = QRect();
    ApplyDestination();
    return S_OK;
}

HRESULT CGstOwnerWindowRenderer::GetCurrentImage(long* pBufferSize, std::uint8_t* pDIBImage)
{
    if (!pBufferSize)
        return E_POINTER;
    GstSample* pLast = nullptr;
    g_object_get(m_pSink, "last-sample", &pLast, nullptr);
    if (!pLast)
        return E_FAIL;
    // The sink holds the scaled picture; the image is wanted at native size.
    const GraphMediaType mt = InputType();
    GstCaps* pCaps = gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, "BGRx", nullptr);
    if (mt.cbFormat != 0)
        gst_caps_set_simple(pCaps, "width", G_TYPE_INT, mt.video.bmiHeader.biWidth, "height", G_TYPE_INT,
            mt.video.bmiHeader.biHeight, nullptr);
    GstSample* pConverted = gst_video_convert_sample(pLast, pCaps, GST_SECOND, nullptr);
    gst_caps_unref(pCaps);
    gst_sample_unref(pLast);
    if (!pConverted)
        return E_FAIL;

    QByteArray dib;
    GstVideoInfo info;
    GstVideoFrame frame;
    if (gst_video_info_from_caps(&info, gst_sample_get_caps(pConverted))
        && gst_video_frame_map(&frame, &info, gst_sample_get_buffer(pConverted), GST_MAP_READ)) {
        dib = MakePackedDib32(static_cast<const uchar*>(GST_VIDEO_FRAME_PLANE_DATA(&frame, 0)),
            GST_VIDEO_FRAME_WIDTH(&frame), GST_VIDEO_FRAME_HEIGHT(&frame), GST_VIDEO_FRAME_PLANE_STRIDE(&frame, 0));
        gst_video_frame_unmap(&frame);
    }
    gst_sample_unref(pConverted);
    if (dib.isEmpty())
        return E_FAIL;
    if (!pDIBImage) {
        *pBufferSize = static_cast<long>(dib.size());
        return S_OK;
    }
    if (*pBufferSize < dib.size())
        return E_OUTOFMEMORY;
    std::memcpy(pDIBImage, dib.constData(), size_t(dib.size()));
    *pBufferSize = static_cast<long>(dib.size());
    return S_OK;
}

HRESULT CGstOwnerWindowRenderer::put_Owner(QWidget* pOwner)
{
    QWidget* pOld = m_pWindow.data();
    if (pOwner) {
        QWidget* pWindow = NewNativeWindow(pOwner);
        pWindow->hide();
        m_pWindow = pWindow;
        SetHandle(pWindow);
    } else {
        m_pWindow = nullptr;
        SetHandle(m_pHidden.get());
    }
    delete pOld;
    return S_OK;
}

HRESULT CGstOwnerWindowRenderer::put_WindowStyle(long lStyle)
{
    // The video window is always a child of its owner.
    return (lStyle & WS_CHILD) ? S_OK : E_INVALIDARG;
}

HRESULT CGstOwnerWindowRenderer::put_MessageDrain(QWidget* pDrain)
{
    QWidget* pWindow = m_pWindow.data();
    if (!pWindow)
        return VFW_E_NOT_CONNECTED;
    // Input over the picture falls through to the owner underneath.
    const bool bDrain = pDrain && pDrain == pWindow->parentWidget();
    if (pDrain && !bDrain)
        return E_INVALIDARG;
    pWindow->setAttribute(Qt::WA_TransparentForMouseEvents, bDrain);
    pWindow->setFocusPolicy(Qt::NoFocus);
    return S_OK;
}

HRESULT CGstOwnerWindowRenderer::put_Visible(long lVisible)
{
    QWidget* pWindow = m_pWindow.data();
    if (!pWindow)
        return VFW_E_NOT_CONNECTED;
    pWindow->setVisible(lVisible != OAFALSE);
    if (lVisible != OAFALSE)
        gst_video_overlay_expose(GST_VIDEO_OVERLAY(m_pSink));
    return S_OK;
}

HRESULT CGstOwnerWindowRenderer::SetWindowPosition(long lLeft, long lTop, long lWidth, long lHeight)
{
    QWidget* pWindow = m_pWindow.data();
    if (!pWindow)
        return VFW_E_NOT_CONNECTED;
    if (lWidth < 0 || lHeight < 0)
        return E_INVALIDARG;
    pWindow->setGeometry(int(lLeft), int(lTop), int(lWidth), int(lHeight));
    ApplyDestination();
    return S_OK;
}
