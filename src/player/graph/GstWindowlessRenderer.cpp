#include "player/graph/GstWindowlessRenderer.h"

#include "platform/Dib.h"

#include <QImage>
#include <QPainter>
#include <QRegion>

#include <gst/video/video.h>

std::unique_ptr<CGstWindowlessRenderer> CGstWindowlessRenderer::Create(QString* pstrError)
{
    std::vector<GstElement*> elements;
    GstElement* pBin
        = MakeChainBin({ "deinterlace", "queue", "videoconvert", "appsink" }, nullptr, &elements, pstrError);
    if (!pBin)
        return nullptr;
    HoldFramesAhead(elements[1]);
    GstElement* pSink = elements[3];
    // Frames are kept as decoded and converted to RGB only when painted,
    // straight into the window (GstFramePainter.h); the converter passes
    // these through and turns any other format into the first of them.
    GstCaps* pCaps = gst_caps_from_string(
        "video/x-raw, format=(string){ I420, YV12, NV12, NV21, Y42B, Y444, YUY2, UYVY, BGRx, BGRA }");
    g_object_set(pSink, "caps", pCaps, "sync", TRUE, "qos", TRUE, "max-buffers", 1, "drop", TRUE,
        "enable-last-sample", FALSE, nullptr);
    gst_caps_unref(pCaps);
    return std::unique_ptr<CGstWindowlessRenderer>(new CGstWindowlessRenderer(pBin, elements[0], pSink));
}

CGstWindowlessRenderer::CGstWindowlessRenderer(GstElement* pBin, GstElement* pDeinterlace, GstElement* pSink)
    : m_pBin(pBin)
    , m_pDeinterlace(pDeinterlace)
    , m_pSink(pSink)
    , m_pSinkPad(gst_element_get_static_pad(pBin, "sink"))
    , m_deinterlaceTuner(pDeinterlace)
{
    GstAppSinkCallbacks callbacks {};
    callbacks.new_preroll = &CGstWindowlessRenderer::OnNewPreroll;
    callbacks.new_sample = &CGstWindowlessRenderer::OnNewSample;
    gst_app_sink_set_callbacks(GST_APP_SINK(m_pSink), &callbacks, this, nullptr);
}

CGstWindowlessRenderer::~CGstWindowlessRenderer()
{
    // The owner has taken the bin out of any running pipeline by now.
    gst_element_set_state(m_pBin, GST_STATE_NULL);
    gst_object_unref(m_pSinkPad);
    gst_object_unref(m_pBin);
    if (m_pSample)
        gst_sample_unref(m_pSample);
}

GstFlowReturn CGstWindowlessRenderer::OnNewPreroll(GstAppSink* pSink, gpointer pData)
{
    if (GstSample* pSample = gst_app_sink_pull_preroll(pSink))
        static_cast<CGstWindowlessRenderer*>(pData)->Keep(pSample);
    return GST_FLOW_OK;
}

GstFlowReturn CGstWindowlessRenderer::OnNewSample(GstAppSink* pSink, gpointer pData)
{
    if (GstSample* pSample = gst_app_sink_pull_sample(pSink))
        static_cast<CGstWindowlessRenderer*>(pData)->Keep(pSample);
    return GST_FLOW_OK;
}

void CGstWindowlessRenderer::Keep(GstSample* pPulled)
{
    // The sink reuses the sample it hands out and sets new caps on it when
    // the format changes, which it may not while we hold it: keep a sample
    // of our own for the same picture.
    GstSample* pSample = gst_sample_new(gst_sample_get_buffer(pPulled), gst_sample_get_caps(pPulled),
        gst_sample_get_segment(pPulled), nullptr);
    gst_sample_unref(pPulled);
    std::lock_guard lock(m_mutex);
    if (m_pSample)
        gst_sample_unref(m_pSample);
    m_pSample = pSample;
    RequestRepaint();
}

void CGstWindowlessRenderer::RequestRepaint()
{
    // One request at a time: frames that come while the window is busy are
    // painted by the request already on its way.
    if (m_pRepaintPosted->exchange(true))
        return;
    // Only the picture's area; the window's frame stays as it is. The flag
    // is shared with the request, which may run after the renderer is gone.
    const QRect area = m_destination;
    const bool bPosted = m_window.PostCall([pPosted = m_pRepaintPosted, area](QObject* pWindow) {
        *pPosted = false;
        auto* w = static_cast<QWidget*>(pWindow);
        if (area.isEmpty())
            w->update();
        else
            w->update(area);
    });
    if (!bPosted)
        *m_pRepaintPosted = false;
}

GstSample* CGstWindowlessRenderer::ShownSample()
{
    std::lock_guard lock(m_mutex);
    return m_pSample ? gst_sample_ref(m_pSample) : nullptr;
}

HRESULT CGstWindowlessRenderer::QueryFilterInfo(QString* pName)
{
    *pName = kWindowlessRendererName;
    return S_OK;
}

HRESULT CGstWindowlessRenderer::EnumPins(std::vector<GraphPin>* pPins) { return EnumElementPins(m_pBin, pPins); }

HRESULT CGstWindowlessRenderer::ConnectionMediaType(std::size_t nPin, GraphMediaType* pmt)
{
    return ElementConnectionMediaType(m_pBin, nPin, pmt);
}

HRESULT CGstWindowlessRenderer::QueryWindowlessControl(IVMRWindowlessControl9** ppControl)
{
    *ppControl = this;
    return S_OK;
}

HRESULT CGstWindowlessRenderer::QueryDeinterlaceControl(IVMRDeinterlaceControl9** ppControl)
{
    *ppControl = this;
    return S_OK;
}

HRESULT CGstWindowlessRenderer::SetVideoClippingWindow(QWidget* pWindow)
{
    m_window.Set(pWindow);
    std::lock_guard lock(m_mutex);
    *m_pRepaintPosted = false;
    return S_OK;
}

HRESULT CGstWindowlessRenderer::SetAspectRatioMode(DWORD dwMode)
{
    if (dwMode != VMR9ARMode_None && dwMode != VMR9ARMode_LetterBox)
        return E_INVALIDARG;
    std::lock_guard lock(m_mutex);
    if (m_dwARMode != dwMode) {
        m_dwARMode = dwMode;
        // A paused picture is not painted again by itself.
        RequestRepaint();
    }
    return S_OK;
}

HRESULT CGstWindowlessRenderer::GetNativeVideoSize(long* plWidth, long* plHeight, long* plARWidth, long* plARHeight)
{
    GstCaps* pCaps = gst_pad_get_current_caps(m_pSinkPad);
    const GraphMediaType mt = MediaTypeFromCaps(pCaps);
    if (pCaps)
        gst_caps_unref(pCaps);
    if (mt.cbFormat == 0 || mt.majortype != MajorType::Video)
        return VFW_E_NOT_CONNECTED;
    if (plWidth)
        *plWidth = mt.video.bmiHeader.biWidth;
    if (plHeight)
        *plHeight = mt.video.bmiHeader.biHeight;
    if (plARWidth)
        *plARWidth = static_cast<long>(mt.video.dwPictAspectRatioX);
    if (plARHeight)
        *plARHeight = static_cast<long>(mt.video.dwPictAspectRatioY);
    return S_OK;
}

HRESULT CGstWindowlessRenderer::SetVideoPosition(const QRect* pSource, const QRect* pDestination)
{
    if (!pSource && !pDestination)
        return E_POINTER;
    if ((pSource && pSource->isEmpty()) || (pDestination && !pDestination->isValid()))
        return E_INVALIDARG;
    std::lock_guard lock(m_mutex);
    if (pSource)
        m_source = *pSource;
    if (pDestination)
        m_destination = *pDestination;
    return S_OK;
}

namespace {
// The largest rectangle of the given aspect centred in the box.
QRect LetterBox(const QRect& box, qint64 aspectX, qint64 aspectY)
{
    if (aspectX <= 0 || aspectY <= 0 || box.isEmpty())
        return box;
    int w = box.width();
    int h = static_cast<int>(qint64(w) * aspectY / aspectX);
    if (h > box.height()) {
        h = box.height();
        w = static_cast<int>(qint64(h) * aspectX / aspectY);
    }
    return QRect(box.x() + (box.width() - w) / 2, box.y() + (box.height() - h) / 2, w, h);
}
}

HRESULT CGstWindowlessRenderer::RepaintVideo(QWidget* pWindow, QPainter* pPainter)
{
    if (!pPainter)
        return E_POINTER;
    QRect source;
    QRect destination;
    DWORD dwMode;
    {
        std::lock_guard lock(m_mutex);
        source = m_source;
        destination = m_destination;
        dwMode = m_dwARMode;
    }
    if (destination.isEmpty() && pWindow)
        destination = pWindow->rect();

    GstSample* pSample = ShownSample();
    GstVideoInfo info;
    GstVideoFrame frame;
    if (!pSample || !gst_video_info_from_caps(&info, gst_sample_get_caps(pSample))
        || !gst_video_frame_map(&frame, &info, gst_sample_get_buffer(pSample), GST_MAP_READ)) {
        if (pSample)
            gst_sample_unref(pSample);
        pPainter->fillRect(destination, Qt::black);
        return S_FALSE;
    }

    if (source.isEmpty())
        source = QRect(0, 0, GST_VIDEO_FRAME_WIDTH(&frame), GST_VIDEO_FRAME_HEIGHT(&frame));
    QRect target = destination;
    if (dwMode == VMR9ARMode_LetterBox) {
        const qint64 aspectX = qint64(source.width()) * std::max(1, GST_VIDEO_INFO_PAR_N(&info));
        const qint64 aspectY = qint64(source.height()) * std::max(1, GST_VIDEO_INFO_PAR_D(&info));
        target = LetterBox(destination, aspectX, aspectY);
        // The bands around the picture.
        const QRegion bands = QRegion(destination).subtracted(QRegion(target));
        for (const QRect& r : bands)
            pPainter->fillRect(r, Qt::black);
    }
    // The scaler's rows against the picture's: the deinterlacer follows.
    const QRect within = source & QRect(0, 0, GST_VIDEO_FRAME_WIDTH(&frame), GST_VIDEO_FRAME_HEIGHT(&frame));
    m_deinterlaceTuner.SetShownRows(
        within.height(), qRound(pPainter->deviceTransform().mapRect(QRectF(target)).height()));
    m_painter.Paint(*pPainter, frame, source, target);
    gst_video_frame_unmap(&frame);
    gst_sample_unref(pSample);
    return S_OK;
}

HRESULT CGstWindowlessRenderer::GetCurrentImage(QByteArray* pDib)
{
    if (!pDib)
        return E_POINTER;
    GstSample* pSample = ShownSample();
    if (!pSample)
        return E_FAIL;
    GstVideoInfo info;
    GstVideoFrame frame;
    QImage image;
    if (gst_video_info_from_caps(&info, gst_sample_get_caps(pSample))
        && gst_video_frame_map(&frame, &info, gst_sample_get_buffer(pSample), GST_MAP_READ)) {
        image = CGstFramePainter::ToImage(frame);
        gst_video_frame_unmap(&frame);
    }
    gst_sample_unref(pSample);
    if (image.isNull())
        return E_FAIL;
    *pDib = MakePackedDib32(image.constBits(), image.width(), image.height(), int(image.bytesPerLine()));
    return pDib->isEmpty() ? E_FAIL : S_OK;
}

HRESULT CGstWindowlessRenderer::SetDeinterlaceMode(DWORD dwStreamID, bool bEnabled)
{
    if (dwStreamID != 0)
        return E_INVALIDARG;
    gst_util_set_object_arg(G_OBJECT(m_pDeinterlace), "mode", bEnabled ? "auto" : "disabled");
    m_bDeinterlace = bEnabled;
    m_deinterlaceTuner.SetEnabled(bEnabled);
    return S_OK;
}

HRESULT CGstWindowlessRenderer::GetActualDeinterlaceMode(DWORD dwStreamID, bool* pbDeinterlacing)
{
    if (dwStreamID != 0)
        return E_INVALIDARG;
    if (!pbDeinterlacing)
        return E_POINTER;
    GstCaps* pCaps = gst_pad_get_current_caps(m_pSinkPad);
    if (!pCaps)
        return VFW_E_NOT_CONNECTED;
    const GraphMediaType mt = MediaTypeFromCaps(pCaps);
    gst_caps_unref(pCaps);
    // Auto mode passes progressive pictures through untouched.
    *pbDeinterlacing = m_bDeinterlace && mt.formattype == FormatType::VideoInfo2
        && (mt.video.dwInterlaceFlags & AMINTERLACE_IsInterlaced);
    return S_OK;
}
