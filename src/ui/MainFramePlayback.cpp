// What the frame does with playback: the player's events (end of the
// media, end of a frame step, a breakdown), stopping, and the transport
// commands play/pause, stop, previous and next.

#include "ui/MainFrame.h"

#include "platform/ModalSeam.h"
#include "platform/ResString.h"
#include "platform/WindowMessages.h"
#include "player/DShowPlayer.h"
#include "player/ErrMessage.h"
#include "ui/VideoView.h"


void CMainFrame::customEvent(QEvent* event)
{
    if (event->type() == MessageEventType(WM_GRAPHNOTIFY)) {
        // Under an open box the events wait: their handling may load the
        // next file while the box's caller still works on this one.
        const qintptr lData = static_cast<CMessageEvent*>(event)->m_lParam;
        RunFrameWork([this, lData] { OnGraphNotify(lData); });
    } else if (event->type() == MessageEventType(WM_CAPTURE_DONE)) {
        // A failure's box waits, as the player's events do, for an open one.
        const auto* pReport = static_cast<CMessageEvent*>(event);
        RunFrameWork(
            [this, wParam = pReport->m_wParam, lParam = pReport->m_lParam] { OnCaptureDone(wParam, lParam); });
    } else
        QMainWindow::customEvent(event);
}

void CMainFrame::OnGraphNotify(qintptr lData)
{
    // A notice from a player that has since been replaced: its events went
    // with it.
    CDShowPlayer* pPlayer = View().GetPlayer();
    if (!pPlayer || pPlayer->GetNotifyData() != lData)
        return;
    // Handling an event may load another file or let the player go, so the
    // player is asked for again before every event.
    while ((pPlayer = View().GetPlayer())) {
        IMediaEventEx* pEvent = pPlayer->GetMediaEvent();
        long lCode = 0;
        qintptr lParam1 = 0;
        qintptr lParam2 = 0;
        if (!pEvent || pEvent->GetEvent(&lCode, &lParam1, &lParam2, 0) != S_OK)
            return;
        switch (lCode) {
        case EC_COMPLETE:
            OnPlaybackComplete();
            break;
        case EC_STEP_COMPLETE:
            OnStepComplete();
            break;
        case EC_ERRORABORT:
            OnPlaybackAborted(static_cast<HRESULT>(lParam1));
            break;
        case EC_LENGTH_CHANGED:
            OnLengthChanged();
            break;
        default:
            break;
        }
    }
}

void CMainFrame::OnPlaybackComplete()
{
    m_marks.ClearStep();
    EnableStepButtons(FALSE, FALSE);
    if (m_marks.bABRepeat || m_settings.m_bOneLoop)
        View().Replay();
    else
        PlayNextEntry();
}

void CMainFrame::OnStepComplete()
{
    m_marks.bStepBusy = FALSE;
    // A step that reached an end keeps that way closed.
    if (!m_marks.bStepAtEnd)
        EnableForwardStepButtons(TRUE);
    if (!m_marks.bStepAtStart)
        EnableBackStepButtons(TRUE);
}

// A stream that tells its length only once it plays (an MP3 without a
// header): the counters, the seek bar and the A-B buttons follow.
void CMainFrame::OnLengthChanged()
{
    IVideoView& view = View();
    if (!view.UpdateLength())
        return;
    m_marks.bFrameCounter = view.GetDurations(&m_marks.llDuration, &m_marks.llTotalFrames) == SEEKMODE_FRAME;
    RedrawCounters();
    UpdateABButtons();
}

// Playback broke down: the file is let go as one that failed to load, the
// user is told once, and the list moves past it and stops.
void CMainFrame::OnPlaybackAborted(HRESULT hr)
{
    IVideoView& view = View();
    const QString detail = view.GetPlayer()->GetErrorDetail();
    view.LeaveFullScreen();
    // Let go before the box, so that nothing asks the broken player for
    // its position while the box is up.
    view.CloseMedia();
    m_marks.bABRepeat = FALSE;
    ResetPlaybackDisplay();
    AfxMessageBox(FormatErrorText(LoadResString(IDS_DSHOW_UNKNOWN_ERROR), hr), MB_ICONERROR, detail);
    SkipFailedEntry();
}

void CMainFrame::EnableStepButtons(BOOL bForward, BOOL bBack)
{
    EnableForwardStepButtons(bForward);
    EnableBackStepButtons(bBack);
}

void CMainFrame::EnableForwardStepButtons(BOOL bEnable)
{
    EnableButton(m_btnFrameFwd, bEnable);
    EnableButton(m_btnSkipFwd, bEnable);
}

void CMainFrame::EnableBackStepButtons(BOOL bEnable)
{
    EnableButton(m_btnFrameBack, bEnable);
    EnableButton(m_btnSkipBack, bEnable);
}

BOOL CMainFrame::StopAndReset()
{
    IVideoView& view = View();
    if (!view.IsStarted())
        return FALSE;
    view.LeaveFullScreen();
    if (m_marks.bABRepeat) {
        view.ClearSegment();
        m_marks.bABRepeat = FALSE;
    }
    ResetPlaybackDisplay();
    if (!view.StopPlayback())
        return FALSE;
    SetStoppedButtons();
    return TRUE;
}

void CMainFrame::OnPlayPause()
{
    if (m_marks.bStepBusy)
        return;
    IVideoView& view = View();
    if (!view.IsStarted()) {
        if (m_playList.GetCount() > 0) {
            StartOrResumeList();
        } else {
            // The list was emptied while a file stayed loaded: that file.
            PlayCurrentEntry(FALSE);
            m_marks.bListEnded = FALSE;
        }
        return;
    }
    m_marks.bStepAtEnd = FALSE;
    m_marks.bStepAtStart = FALSE;
    view.TogglePause();
    if (view.IsPaused()) {
        ShowPair(m_btnPlay, m_btnPause);
        const BOOL bCanStep = view.HasVideo() && view.IsSeekable();
        EnableStepButtons(bCanStep, bCanStep);
    } else {
        ShowPair(m_btnPause, m_btnPlay);
        EnableStepButtons(FALSE, FALSE);
    }
}

void CMainFrame::OnStop()
{
    if (!m_marks.bStepBusy)
        StopAndReset();
}

// The buttons and the full-screen panel send these too, so the rule of the
// menu item is checked again here.
void CMainFrame::OnPrev()
{
    if (!m_marks.bStepBusy && PrevNextAvailability(m_playList).bPrev)
        PlayPrevEntry();
}

void CMainFrame::OnNext()
{
    if (!m_marks.bStepBusy && PrevNextAvailability(m_playList).bNext)
        PlayNextEntry();
}
