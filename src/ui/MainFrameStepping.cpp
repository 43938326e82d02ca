// Moving a paused video by one frame or by a skip of 30, forward or back,
// and keeping the step buttons in line with what the last step found.
//
// The command table lets these run only while paused with video that can
// seek, no step pending and no end in the way; a running still-image save
// is checked here, as the menu does not look at it.

#include "ui/MainFrame.h"

#include "ui/VideoView.h"

namespace {
constexpr LONGLONG kSkipFrames = 30;

} // namespace

void CMainFrame::OnFrameForward() { StepForward(1); }
void CMainFrame::OnSkipForward() { StepForward(kSkipFrames); }
void CMainFrame::OnFrameBack() { StepBack(1); }
void CMainFrame::OnSkipBack() { StepBack(kSkipFrames); }

void CMainFrame::StepForward(LONGLONG llCount)
{
    if (m_bCapturing)
        return;
    const int nResult = View().StepFrames(TRUE, llCount);
    // Nothing steps until the renderer says this step is done.
    if (nResult & STEPFLAG_STARTED) {
        m_marks.bStepBusy = TRUE;
        EnableStepButtons(FALSE, FALSE);
    }
    if (nResult & STEPFLAG_AT_END) {
        m_marks.bStepAtEnd = TRUE;
        EnableForwardStepButtons(FALSE);
    }
    // Away from the start, going back is possible again; a pending step
    // opens the way when it completes.
    if (m_marks.bStepAtStart) {
        m_marks.bStepAtStart = FALSE;
        if (!m_marks.bStepBusy)
            EnableBackStepButtons(TRUE);
    }
}

void CMainFrame::StepBack(LONGLONG llCount)
{
    if (m_bCapturing)
        return;
    // Going back always seeks, so it is done when the call returns.
    const int nResult = View().StepFrames(FALSE, llCount);
    if (nResult & STEPFLAG_AT_START) {
        m_marks.bStepAtStart = TRUE;
        EnableBackStepButtons(FALSE);
    }
    if (m_marks.bStepAtEnd) {
        m_marks.bStepAtEnd = FALSE;
        EnableForwardStepButtons(TRUE);
    }
}
