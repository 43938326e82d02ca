// Ending: closing the window and the end of the desktop session, each of
// which first offers to save an unsaved playlist.

#include "ui/MainFrame.h"

#include <QCloseEvent>

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!AskSavePlayList()) {
        event->ignore();
        return;
    }
    WaitForCaptureThread();
    QMainWindow::closeEvent(event);
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
