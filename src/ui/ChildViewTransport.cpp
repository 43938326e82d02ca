// Pausing, the seek bar's drag, stepping, the A-B segment and the position
// poll.

#include "ui/ChildView.h"

#include "controls/JumpSlider.h"
#include "platform/ModalSeam.h"
#include "player/DShowPlayer.h"
#include "player/ErrMessage.h"
#include "ui/ViewHost.h"

BOOL CChildView::TogglePause()
{
    if (!IsStarted())
        return FALSE;
    return CallPlayer([this] {
        if (m_bPaused) {
            m_pPlayer->Run();
            m_bPaused = FALSE;
        } else {
            m_pPlayer->Pause();
            m_bPaused = TRUE;
        }
    });
}

BOOL CChildView::UpdateLength()
{
    if (!IsStarted())
        return FALSE;
    return CallPlayer([this] {
        m_pPlayer->UpdateLength();
        ReadDurations();
    });
}

BOOL CChildView::Replay()
{
    if (!IsStarted())
        return FALSE;
    return CallPlayer([this] { m_pPlayer->Restart(); });
}

BOOL CChildView::BeginSeek()
{
    if (!IsStarted() || m_bHeld)
        return FALSE;
    return CallPlayer([this] {
        if (!m_bPaused)
            m_pPlayer->Pause();
        m_bHeld = TRUE;
    });
}

BOOL CChildView::SeekTo(int nValue)
{
    if (!IsStarted() || !m_bHeld)
        return FALSE;
    if (m_nSeekMode == SEEKMODE_NONE)
        return TRUE;
    const LONGLONG llPosition = m_nSeekMode == SEEKMODE_TIME ? LONGLONG(nValue) * 10000 : LONGLONG(nValue);
    return CallPlayer([&] { m_pPlayer->SetPosition(llPosition); });
}

BOOL CChildView::EndSeek()
{
    if (!IsStarted() || !m_bHeld)
        return FALSE;
    // The drag is over even when playback cannot go on, so the poll and the
    // next drag are not locked out.
    m_bHeld = FALSE;
    return CallPlayer([this] {
        if (!m_bPaused)
            m_pPlayer->Run();
    });
}

int CChildView::StepFrames(BOOL bForward, LONGLONG llCount)
{
    if (!IsPaused() || !m_bHasVideo)
        return 0;
    int nResult = 0;
    const BOOL bDone = CallPlayer([&] {
        if (!bForward) {
            nResult = m_pPlayer->Skip(FALSE, llCount) == STEP_AT_LIMIT ? STEPFLAG_AT_START : 0;
            return;
        }
        switch (m_pPlayer->FrameStep(llCount)) {
        case STEP_MOVED:
            nResult = STEPFLAG_STARTED;
            break;
        case STEP_AT_LIMIT:
            nResult = STEPFLAG_AT_END;
            break;
        case STEP_UNAVAILABLE:
            // The renderer cannot step: move by seeking instead.
            nResult = m_pPlayer->Skip(TRUE, llCount) == STEP_AT_LIMIT ? STEPFLAG_AT_END : 0;
            break;
        default:
            nResult = 0;
            break;
        }
    });
    return bDone ? nResult : 0;
}

LONGLONG CChildView::GetCurrentPosition()
{
    if (!IsStarted())
        return -1;
    LONGLONG llPosition = -1;
    if (!CallPlayer([&] { llPosition = m_pPlayer->GetCurrentPosition(); }))
        return -1;
    return llPosition;
}

int CChildView::SeekPlaying(LONGLONG llPosition)
{
    if (!IsStarted())
        return 0;
    int nResult = 0;
    return CallPlayer([&] { nResult = m_pPlayer->SeekPlaying(llPosition); }) ? nResult : 0;
}

int CChildView::SetSegment(LONGLONG llPointA, LONGLONG llPointB)
{
    if (!IsStarted())
        return 0;
    int nResult = 0;
    return CallPlayer([&] { nResult = m_pPlayer->SetSegment(llPointA, llPointB); }) ? nResult : 0;
}

int CChildView::ClearSegment()
{
    if (!IsStarted())
        return 0;
    int nResult = 0;
    return CallPlayer([&] { nResult = m_pPlayer->ClearSegment(); }) ? nResult : 0;
}

void CChildView::OnTimer(int nIDEvent)
{
    if (nIDEvent == IDT_FULLSCREEN_IDLE) {
        OnIdleTick();
        return;
    }
    // Nothing moves while stopped or while the seek bar holds playback; nor
    // under an open box, whose caller may be about to let the player go.
    if (nIDEvent != IDT_POSITION_POLL || !IsStarted() || m_bHeld || IsModalOpen())
        return;
    try {
        PollPosition();
    } catch (const CDirectShowErrMessage& e) {
        // One box, not one every tick.
        KillPollTimer();
        ShowError(e);
    } catch (...) {
        KillPollTimer();
        ShowUnknownError();
    }
}

void CChildView::PollPosition()
{
    // Media that cannot seek has no position to show; only the segment
    // end is checked.
    if (m_nSeekMode != SEEKMODE_NONE) {
        const LONGLONG llPosition = m_pPlayer->GetCurrentPosition();
        LONGLONG llTime = llPosition;
        LONGLONG llFrame = llPosition;
        int nBarPos = static_cast<int>(llPosition);
        if (m_nSeekMode == SEEKMODE_TIME) {
            nBarPos = static_cast<int>(llPosition / 10000);
            llFrame = m_llAvgFrameTime != 0 ? llPosition / m_llAvgFrameTime : 0;
        } else {
            llTime = m_llAvgFrameTime * llPosition;
        }
        for (CJumpSlider* pSeekBar : SeekBars())
            if (pSeekBar)
                pSeekBar->SetPos(nBarPos);
        m_host.SetPlayPosition(llTime, llFrame);
        m_host.RedrawCounters();
    }
    // A paused file at B (gone or stepped there) stays paused: replaying
    // would set it running behind the user's back.
    if (!m_bPaused && !m_pPlayer->IsBeforeSegmentEnd())
        m_pPlayer->Restart();
}
