// The frame's part in the program's life: files handed over by a second
// start, closing the window, the end of the desktop session and being told
// to end.

#include "ui/MainFrame.h"

#include "app/InstanceControl.h"
#include "ui/VideoView.h"

#include <QCloseEvent>

#include <utility>

int CMainFrame::OnInstanceHandoff()
{
    if (isMinimized())
        showNormal();
    // Out of full screen, as the unsaved-list question leaves it, also when
    // that is not asked.
    if (!m_bStepBusy)
        View().LeaveFullScreen();
    // In front first, so the user sees any question that follows.
    raise();
    activateWindow();
    if (m_bStepBusy)
        return 0;
    // The files are taken before the question: the second start waits, for
    // a bounded time, only for them and not for the user's answer. A
    // hand-off with no files leaves the list alone and asks nothing.
    CHandoffContent content;
    if (!ReceiveHandoff(content) || content.m_files.isEmpty() || !AskSavePlayList())
        return 0;
    // A hand-off replaces the list; it never adds to it.
    m_playList.Clear();
    for (const QString& path : std::as_const(content.m_files))
        m_playList.Add(path);
    if (!content.m_strPlaylist.isEmpty())
        m_strPlayListFile = content.m_strPlaylist;
    if (content.m_bPlaylistArg)
        m_playList.m_bModified = FALSE;
    PlayListFromTop();
    return 0;
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // Told to end while the question was open: the window closes all the same.
    if (!m_bCloseWithoutQuestions && !AskSavePlayList() && !m_bCloseWithoutQuestions) {
        event->ignore();
        return;
    }
    PrepareToClose();
    QMainWindow::closeEvent(event);
}

void CMainFrame::CloseWithoutQuestions()
{
    m_bCloseWithoutQuestions = TRUE;
    close();
}

void CMainFrame::PrepareToClose()
{
    // Stopping also ends the view's position poll.
    View().StopPlayback();
    WaitForCaptureThread();
    // The loaded file's volume is stored here once files remember their volume.
}

BOOL CMainFrame::OnQueryEndSession()
{
    if (!AskSavePlayList())
        return FALSE;
    WaitForCaptureThread();
    return TRUE;
}

// Still images are not saved in the background yet, so there is never a
// save to wait for.
void CMainFrame::WaitForCaptureThread() {}
