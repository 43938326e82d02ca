// A-B repeat: the two points, going to them, and playing the stretch
// between them again and again.
//
// The command table lets a handler run only while its menu item would be
// enabled; the items do not look at a pending frame step or a running
// still-image save, so the handlers check those themselves.

#include "ui/MainFrame.h"

#include "platform/ModalSeam.h"
#include "res/StringIds.h"
#include "ui/VideoView.h"

namespace {

bool IsSet(LONGLONG llPoint) { return llPoint != -1; }
} // namespace

BOOL CMainFrame::CanUseABCommand() const { return !m_marks.bStepBusy && !m_bCapturing; }

void CMainFrame::SetABButtons(BOOL bUsable)
{
    const BOOL bA = IsSet(m_marks.llPointA);
    const BOOL bB = IsSet(m_marks.llPointB);
    const BOOL bRepeat = bUsable && m_marks.bABRepeat;
    // While the repeat runs its points stay as they are.
    EnableButton(m_btnASet, bUsable && !bRepeat);
    EnableButton(m_btnBSet, bUsable && !bRepeat);
    EnableButton(m_btnAGo, bUsable && bA);
    EnableButton(m_btnBGo, bUsable && bB);
    EnableButton(m_btnABClear, bUsable && !bRepeat && (bA || bB));
    if (bRepeat) {
        ShowPair(m_btnABEnd, m_btnABStart);
    } else {
        ShowPair(m_btnABStart, m_btnABEnd);
        EnableButton(m_btnABStart, bUsable && bA && bB);
    }
}

void CMainFrame::UpdateABButtons() { SetABButtons(View().IsStarted() && View().IsSeekable()); }

void CMainFrame::OnSetPointA() { SetPoint(TRUE); }
void CMainFrame::OnSetPointB() { SetPoint(FALSE); }

// A lies strictly before B: a point on the wrong side of the other is
// refused with a notice and nothing changes.
void CMainFrame::SetPoint(BOOL bPointA)
{
    if (!CanUseABCommand())
        return;
    IVideoView& view = View();
    const LONGLONG llPosition = view.GetCurrentPosition();
    // The view has told the user why there is no position; the point stays.
    if (llPosition < 0)
        return;
    const LONGLONG llOther = bPointA ? m_marks.llPointB : m_marks.llPointA;
    if (IsSet(llOther) && (bPointA ? llPosition >= llOther : llOther >= llPosition)) {
        view.LeaveFullScreen();
        AfxMessageBox(bPointA ? IDS_A_AFTER_B : IDS_B_BEFORE_A, MB_ICONINFORMATION);
        return;
    }
    (bPointA ? m_marks.llPointA : m_marks.llPointB) = llPosition;
    RedrawPointValues();
    UpdateABButtons();
}

void CMainFrame::OnGoToPointA()
{
    if (CanUseABCommand())
        View().SeekPlaying(m_marks.llPointA);
}

void CMainFrame::OnGoToPointB()
{
    if (CanUseABCommand())
        View().SeekPlaying(m_marks.llPointB);
}

void CMainFrame::OnABRepeatStart()
{
    if (!CanUseABCommand())
        return;
    IVideoView& view = View();
    // Refused without a word when the file is stopped or A lies beyond its end.
    if (!view.SetSegment(m_marks.llPointA, m_marks.llPointB))
        return;
    m_marks.bABRepeat = TRUE;
    // The repeat is meant to be heard: a paused file plays on.
    if (view.IsPaused())
        OnPlayPause();
    UpdateABButtons();
}

void CMainFrame::OnABRepeatEnd()
{
    if (!CanUseABCommand() || !View().ClearSegment())
        return;
    m_marks.bABRepeat = FALSE;
    UpdateABButtons();
}

void CMainFrame::OnABClear()
{
    m_marks.llPointA = -1;
    m_marks.llPointB = -1;
    RedrawPointValues();
    UpdateABButtons();
}
