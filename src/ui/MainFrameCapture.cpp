// Still images: the capture command takes the picture on screen and hands
// it to the worker, whose report comes back as a posted event; and the
// capture settings.

#include "ui/MainFrame.h"

#include "capture/CaptureOptDlg.h"
#include "platform/ModalSeam.h"
#include "platform/WindowMessages.h"
#include "playlist/MediaFiles.h"
#include "res/StringIds.h"
#include "ui/VideoView.h"

#include <utility>

void CMainFrame::OnSaveStill()
{
    IVideoView& view = View();
    // The command's own rule, checked again so that no route into here
    // needs to have asked the table first.
    if (!view.IsStarted() || !view.HasVideo() || m_bCapturing)
        return;

    int nSetupMessage = 0;
    if (m_settings.m_strSaveFolder.isEmpty())
        nSetupMessage = IDS_SAVE_FOLDER_NEEDED;
    else if (!IsFolder(m_settings.m_strSaveFolder))
        nSetupMessage = IDS_SAVE_FOLDER_MISSING;
    if (nSetupMessage) {
        view.LeaveFullScreen();
        AfxMessageBox(nSetupMessage, MB_ICONINFORMATION);
        if (!EditCaptureSettings())
            return;
        // The window may have been told to close, or the file may have
        // gone, while the dialog was open.
        if (m_bClosed || !view.IsStarted() || !view.HasVideo())
            return;
    }

    QByteArray image = view.GetCurrentImage();
    if (image.isEmpty()) {
        view.LeaveFullScreen();
        AfxMessageBox(IDS_STILL_GRAB_FAILED, MB_ICONERROR);
        return;
    }

    CCaptureJob job;
    job.pNotifyWnd = this;
    job.strSourcePath = m_strLoadedFile;
    job.strFolder = m_settings.m_strSaveFolder;
    job.image = std::move(image);
    job.nFormat = m_settings.m_nSaveFormat;
    job.nQuality = m_settings.m_nJpegQuality;
    if (!m_captureWorker.Start(std::move(job))) {
        view.LeaveFullScreen();
        AfxMessageBox(IDS_SAVE_THREAD_FAILED, MB_ICONERROR);
        return;
    }
    // The menu item and the key follow m_bCapturing through the command
    // rules; the button is set here.
    m_bCapturing = TRUE;
    EnableButton(m_btnSaveStill, FALSE);
}

void CMainFrame::OnCaptureDone(quintptr wParam, qintptr lParam)
{
    // The report is the worker's last act: the thread is at most returning.
    m_captureWorker.Wait();
    m_bCapturing = FALSE;
    IVideoView& view = View();
    if (view.IsStarted() && view.HasVideo())
        EnableButton(m_btnSaveStill, TRUE);
    if (wParam)
        return;
    if (const int nID = CaptureFailureStringId(lParam)) {
        view.LeaveFullScreen();
        AfxMessageBox(nID, MB_ICONERROR);
    }
}

void CMainFrame::OnCaptureOptions() { EditCaptureSettings(); }

// The values go to the settings file with the frame's other settings when
// the window is destroyed.
BOOL CMainFrame::EditCaptureSettings()
{
    return EditCaptureOptions(this, m_settings.m_nSaveFormat, m_settings.m_strSaveFolder, m_settings.m_nJpegQuality);
}

// A join: the worker never waits for this thread, so this cannot hang. Its
// report may still be queued; once the window has closed it is dropped.
void CMainFrame::WaitForCaptureThread() { m_captureWorker.Wait(); }
