#pragma once
// When the full-screen panel and the cursor hide and come back: a count of
// idle ticks since the mouse last moved over the video, and what each hide
// is armed for. The view shows what this says; nothing here touches a window.

#include "platform/WinTypes.h"

#include <QPoint>

class CFullScreenIdle {
public:
    // The panel goes after three idle ticks, the cursor after five.
    static constexpr int kPanelTicks = 3;
    static constexpr int kCursorTicks = 5;
    static constexpr int kTickMs = 1000;

    // Full screen begins: the panel shows and both hides count down.
    void Enter();
    // Back to the window: cursor shown, panel gone, nothing counting.
    void Leave();
    // A move over the video, in view coordinates. The same position again
    // (windows moving or resizing report such) counts as no movement.
    void OnMouseMove(QPoint pt, BOOL bFullScreen);
    // A move over the panel: both stay while the mouse rests there; the
    // next move over the video starts the countdown again.
    void OnPanelMouseMove(BOOL bFullScreen);
    // One tick of the idle timer; bActive: playback is started and the seek
    // bar does not hold it.
    void OnTick(BOOL bActive);

    BOOL IsPanelShown() const { return m_bPanelShown; }
    BOOL IsCursorShown() const { return m_bCursorShown; }
    BOOL IsTimerRunning() const { return m_bTimerRunning; }
    BOOL IsPointerOnVideo() const { return m_bPointerOnVideo; }
    int IdleTicks() const { return m_nIdleTicks; }

private:
    void StopTimerIfArmed();
    void Restart();

    BOOL m_bCursorShown = TRUE;
    BOOL m_bHideCursorArmed = FALSE;
    BOOL m_bPanelShown = FALSE;
    BOOL m_bHidePanelArmed = FALSE;
    int m_nIdleTicks = 0;
    BOOL m_bPointerOnVideo = TRUE;
    BOOL m_bTimerRunning = FALSE;
    QPoint m_ptLast;
};
