// The frame's part in the program's life: files handed over by a second
// start, closing the window, the end of the desktop session and being told
// to end.

#include "ui/MainFrame.h"

#include "app/InstanceControl.h"
#include "platform/ModalSeam.h"
#include "ui/VideoView.h"

#include <QCloseEvent>

#include <utility>

int CMainFrame::OnInstanceHandoff()
{
    if (isMinimized())
        showNormal();
    // Out of full screen, as the unsaved-list question leaves it, also when
    // that is not asked.
    if (!m_marks.bStepBusy)
        View().LeaveFullScreen();
    // In front first, so the user sees any question that follows.
    raise();
    activateWindow();
    if (m_marks.bStepBusy)
        return 0;
    // The files are taken now and the sender answered now: it waits, for a
    // bounded time, only for them and not for the user. A hand-off with no
    // files leaves the list alone and asks nothing.
    CHandoffContent content;
    if (!ReceiveHandoff(content) || content.m_files.isEmpty())
        return 0;
    // The rest waits while a box is open: a list replaced under a box would
    // be moved on by its caller (a load failure skipping its entry).
    PostFrameWork([this, content = std::move(content)] { ApplyHandoff(content); });
    return 0;
}

void CMainFrame::ApplyHandoff(const CHandoffContent& content)
{
    // A step began while the files waited: ignored, as when they arrive then.
    // The window may have been closed while the question was open (told to
    // end).
    if (m_marks.bStepBusy || !AskSavePlayList() || m_bClosed)
        return;
    // A hand-off replaces the list; it never adds to it.
    m_playList.Clear();
    for (const QString& path : content.m_files)
        m_playList.Add(path);
    if (!content.m_strPlaylist.isEmpty())
        m_strPlayListFile = content.m_strPlaylist;
    if (content.m_bPlaylistArg)
        m_playList.m_bModified = FALSE;
    PlayListFromTop();
}

namespace {
// The frame's work has nothing to act on once the window has closed.
std::function<void()> UnlessClosed(const BOOL& bClosed, std::function<void()> work)
{
    return [&bClosed, work = std::move(work)] {
        if (!bClosed)
            work();
    };
}
} // namespace

void CMainFrame::PostFrameWork(std::function<void()> work)
{
    PostWhenNoModal(this, UnlessClosed(m_bClosed, std::move(work)));
}

void CMainFrame::RunFrameWork(std::function<void()> work)
{
    RunWhenNoModal(this, UnlessClosed(m_bClosed, std::move(work)));
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // Told to end while the question was open: the window closes all the same.
    if (!m_bCloseWithoutQuestions && !AskSavePlayList() && !m_bCloseWithoutQuestions) {
        event->ignore();
        return;
    }
    m_bClosed = TRUE;
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
    if (RememberLoadedVolume())
        FlushVolumeDB();
}

BOOL CMainFrame::OnQueryEndSession()
{
    if (!AskSavePlayList())
        return FALSE;
    WaitForCaptureThread();
    return TRUE;
}
