#pragma once
// The owner-window renderer: an overlay-capable video sink drawing into a
// native child window of the view (videoconvert -> videoscale -> sink). The
// player places the window and the picture inside it.

#include "player/graph/GstFilters.h"

#include <QPointer>
#include <QRect>
#include <QWidget>

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>

class CGstOwnerWindowRenderer final : public CGstFilterBase, public IBasicVideo2, public IVideoWindow {
public:
    // On the UI thread. Takes over the sink (in READY); null when the
    // converters are not installed.
    static std::unique_ptr<CGstOwnerWindowRenderer> Create(GstElement* pSink, FilterMoniker moniker);
    ~CGstOwnerWindowRenderer() override;

    GstElement* Bin() const { return m_pBin; }
    GstElement* Sink() const { return m_pSink; }
    GstPad* SinkPad() const { return m_pSinkPad; }
    // The sink asks where to draw (from a streaming thread).
    void AnswerWindowHandle();

    // IGraphFilter
    HRESULT QueryFilterInfo(QString* pName) override;
    FilterRole GetRole() const override { return FilterRole::OwnerWindowRenderer; }
    HRESULT EnumPins(std::vector<GraphPin>* pPins) override;
    HRESULT ConnectionMediaType(std::size_t nPin, GraphMediaType* pmt) override;

    // IBasicVideo2
    HRESULT get_VideoWidth(long* plWidth) override;
    HRESULT get_VideoHeight(long* plHeight) override;
    HRESULT get_AvgTimePerFrame(double* pTime) override;
    HRESULT GetPreferredAspectRatio(long* plAspectX, long* plAspectY) override;
    HRESULT SetDestinationPosition(long lLeft, long lTop, long lWidth, long lHeight) override;
    HRESULT SetDefaultDestinationPosition() override;
    HRESULT GetCurrentImage(long* pBufferSize, std::uint8_t* pDIBImage) override;

    // IVideoWindow
    HRESULT put_Owner(QWidget* pOwner) override;
    HRESULT put_WindowStyle(long lStyle) override;
    HRESULT put_MessageDrain(QWidget* pDrain) override;
    HRESULT put_Visible(long lVisible) override;
    HRESULT SetWindowPosition(long lLeft, long lTop, long lWidth, long lHeight) override;

private:
    CGstOwnerWindowRenderer(GstElement* pBin, GstElement* pScaleCaps, GstElement* pSink, FilterMoniker moniker);
    GraphMediaType InputType() const;
    void SetHandle(QWidget* pWindow);
    void ApplyDestination();
    // Takes pCaps; the caller holds m_scaleMutex.
    void SetScaleCaps(GstCaps* pCaps);
    static GstPadProbeReturn OnInputEvent(GstPad* pPad, GstPadProbeInfo* pInfo, gpointer pData);
    static GstPadProbeReturn OnSinkRequest(GstPad* pPad, GstPadProbeInfo* pInfo, gpointer pData);

    GstElement* m_pBin;
    GstElement* m_pScaleCaps;
    GstElement* m_pSink;
    GstPad* m_pSinkPad;
    gulong m_ulInputProbe = 0;
    GstPad* m_pSinkInput; // the sink's own, inside the bin
    gulong m_ulSinkProbe = 0;
    FilterMoniker m_moniker;
    // Until the player names an owner, the sink draws into a hidden window,
    // so it never opens one of its own.
    std::unique_ptr<QWidget> m_pHidden;
    QPointer<QWidget> m_pWindow;
    std::atomic<guintptr> m_handle { 0 };
    QRect m_destination; // empty: the whole window
    // What the sink was last given, in device pixels; none after a new window.
    std::optional<QRect> m_applied;
    // Guards the scaler's caps and what is known of them: they are set from
    // the UI thread and, until the player gives a size, from the streaming
    // thread.
    std::mutex m_scaleMutex;
    bool m_bSized = false; // the player has given a size
    // The scaler has a size of ours, whatever the sink's window.
    bool m_bScaleFixed = false;
};
