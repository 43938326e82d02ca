#include "ui/FullScreenIdle.h"

void CFullScreenIdle::StopTimerIfArmed()
{
    if (m_bHideCursorArmed || m_bHidePanelArmed)
        m_bTimerRunning = FALSE;
}

void CFullScreenIdle::Restart()
{
    m_bTimerRunning = TRUE;
    m_bHideCursorArmed = TRUE;
    m_bHidePanelArmed = TRUE;
    m_nIdleTicks = 0;
}

void CFullScreenIdle::Enter()
{
    m_bPanelShown = TRUE;
    Restart();
    m_bPointerOnVideo = TRUE;
}

void CFullScreenIdle::Leave()
{
    m_bCursorShown = TRUE;
    m_bPanelShown = FALSE;
    StopTimerIfArmed();
    m_bHideCursorArmed = FALSE;
    m_bHidePanelArmed = FALSE;
    m_bPointerOnVideo = TRUE;
}

void CFullScreenIdle::OnMouseMove(QPoint pt, BOOL bFullScreen)
{
    m_bPointerOnVideo = TRUE;
    if (pt == m_ptLast)
        return;
    m_ptLast = pt;
    if (!bFullScreen) {
        // A cursor left hidden by anything before is brought back.
        m_bCursorShown = TRUE;
        return;
    }
    StopTimerIfArmed();
    m_bCursorShown = TRUE;
    m_bPanelShown = TRUE;
    Restart();
}

void CFullScreenIdle::OnPanelMouseMove(BOOL bFullScreen)
{
    if (!bFullScreen || !m_bPointerOnVideo)
        return;
    m_bPointerOnVideo = FALSE;
    StopTimerIfArmed();
    m_bCursorShown = TRUE;
    m_bPanelShown = TRUE;
    m_bHideCursorArmed = FALSE;
    m_bHidePanelArmed = FALSE;
    m_nIdleTicks = 0;
}

void CFullScreenIdle::OnTick(BOOL bActive)
{
    if (!m_bTimerRunning || !bActive)
        return;
    ++m_nIdleTicks;
    if (m_nIdleTicks == kCursorTicks) {
        m_bTimerRunning = FALSE;
        if (m_bHideCursorArmed) {
            m_bHideCursorArmed = FALSE;
            m_bCursorShown = FALSE;
        }
    }
    if (m_nIdleTicks == kPanelTicks && m_bHidePanelArmed) {
        m_bHidePanelArmed = FALSE;
        m_bPanelShown = FALSE;
    }
}
