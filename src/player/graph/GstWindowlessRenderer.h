#pragma once
// The windowless renderer: deinterlace -> videoconvert -> appsink in a bin.
// It keeps the latest frame as decoded, asks its window to repaint, and
// paints that frame when the window paints, converting it on the way.

#include "player/graph/GstDeinterlaceTuner.h"
#include "player/graph/GstFilters.h"
#include "player/graph/GstFramePainter.h"
#include "player/graph/PostTarget.h"

#include <QRect>
#include <QWidget>

#include <gst/app/gstappsink.h>

#include <atomic>
#include <memory>
#include <mutex>

class CGstWindowlessRenderer final : public CGstFilterBase, public IVMRWindowlessControl9, public IVMRDeinterlaceControl9 {
public:
    // Null (with the reason) when an element it needs is not installed.
    static std::unique_ptr<CGstWindowlessRenderer> Create(QString* pstrError);
    ~CGstWindowlessRenderer() override;

    GstElement* Bin() const { return m_pBin; }
    GstElement* Sink() const { return m_pSink; }
    GstPad* SinkPad() const { return m_pSinkPad; }
    // The picture painted last, or to be painted next (a reference); null
    // before the first.
    GstSample* ShownSample();

    // IGraphFilter
    HRESULT QueryFilterInfo(QString* pName) override;
    FilterRole GetRole() const override { return FilterRole::WindowlessRenderer; }
    HRESULT EnumPins(std::vector<GraphPin>* pPins) override;
    HRESULT ConnectionMediaType(std::size_t nPin, GraphMediaType* pmt) override;
    HRESULT QueryWindowlessControl(IVMRWindowlessControl9** ppControl) override;
    HRESULT QueryDeinterlaceControl(IVMRDeinterlaceControl9** ppControl) override;

    // IVMRWindowlessControl9
    HRESULT SetVideoClippingWindow(QWidget* pWindow) override;
    HRESULT SetAspectRatioMode(DWORD dwMode) override;
    HRESULT GetNativeVideoSize(long* plWidth, long* plHeight, long* plARWidth, long* plARHeight) override;
    HRESULT SetVideoPosition(const QRect* pSource, const QRect* pDestination) override;
    HRESULT RepaintVideo(QWidget* pWindow, QPainter* pPainter) override;
    HRESULT GetCurrentImage(QByteArray* pDib) override;

    // IVMRDeinterlaceControl9
    HRESULT SetDeinterlaceMode(DWORD dwStreamID, bool bEnabled) override;
    HRESULT GetActualDeinterlaceMode(DWORD dwStreamID, bool* pbDeinterlacing) override;

private:
    CGstWindowlessRenderer(GstElement* pBin, GstElement* pDeinterlace, GstElement* pSink);
    static GstFlowReturn OnNewPreroll(GstAppSink* pSink, gpointer pData);
    static GstFlowReturn OnNewSample(GstAppSink* pSink, gpointer pData);
    // Takes the pulled sample; the picture shown from now on.
    void Keep(GstSample* pPulled);
    // Asks the window to paint again (from any thread, m_mutex held).
    void RequestRepaint();

    GstElement* m_pBin;
    GstElement* m_pDeinterlace;
    GstElement* m_pSink;
    GstPad* m_pSinkPad;
    bool m_bDeinterlace = true;
    CGstDeinterlaceTuner m_deinterlaceTuner;

    CGstFramePainter m_painter; // UI thread

    // The window repaint requests go to: set by SetVideoClippingWindow,
    // cleared by SetVideoClippingWindow(nullptr) or the window's destructor;
    // read by the streaming thread under its own lock.
    CPostTarget m_window;

    std::mutex m_mutex; // the fields below, shared with the streaming thread
    GstSample* m_pSample = nullptr;
    DWORD m_dwARMode = VMR9ARMode_None;
    QRect m_source;      // empty: the whole picture
    QRect m_destination; // empty: the whole window
    // A repaint is on its way; shared with it, as it may arrive after the renderer is gone.
    std::shared_ptr<std::atomic<bool>> m_pRepaintPosted = std::make_shared<std::atomic<bool>>(false);
};
