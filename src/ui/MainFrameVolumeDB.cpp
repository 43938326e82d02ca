// Per-file volumes: the volume of a file is kept as the user leaves it and
// given back when the file is loaded again, while the setting is on.

#include "ui/MainFrame.h"

#include "app/AppSettings.h"
#include "platform/ModalSeam.h"
#include "platform/Paths.h"
#include "res/StringIds.h"
#include "ui/VideoView.h"

CVolumeDB CMainFrame::OpenVolumeDB()
{
    // The application knows whether it is primary before it builds the frame.
    return CVolumeDB(VolumeDbFilePath(), TheAppSettings().m_bPrimary);
}

BOOL CMainFrame::RememberLoadedVolume()
{
    if (!m_settings.m_bUseVolDB || m_strLoadedFile.isEmpty())
        return FALSE;
    return m_volumeDB.Remember(m_strLoadedFile, m_settings.m_nVolume);
}

void CMainFrame::FlushVolumeDB()
{
    m_volumeDB.Flush();
    ReportVolumeDbTimeout();
}

void CMainFrame::RestoreStoredVolume()
{
    if (!m_settings.m_bUseVolDB || m_strLoadedFile.isEmpty())
        return;
    const int nStored = m_volumeDB.Lookup(m_strLoadedFile);
    ReportVolumeDbTimeout();
    if (nStored == -1)
        return;
    // The view applies it when playback starts.
    m_settings.m_nVolume = nStored;
    m_pVolumeBar->SetPos(m_settings.m_nVolume);
}

void CMainFrame::ReportVolumeDbTimeout()
{
    // A program told to end may have nobody left to answer a box.
    if (m_volumeDB.TakeTimedOut() && !m_bCloseWithoutQuestions)
        ReportFileInUse();
}

void CMainFrame::OnUseVolDB() { m_settings.m_bUseVolDB = !m_settings.m_bUseVolDB; }

void CMainFrame::OnResetVolDB()
{
    View().LeaveFullScreen();
    if (AfxMessageBox(IDS_VOLUME_DB_RESET, MB_YESNO | MB_ICONINFORMATION) == IDYES)
        m_volumeDB.Reset();
}
