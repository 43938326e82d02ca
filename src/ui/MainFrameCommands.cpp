// The frame's command handlers for the settings, the window size, sound,
// repeat, help and the program's dialogs, and the state the command rules
// read.

#include "ui/MainFrame.h"

#include "app/AboutDlg.h"
#include "app/AppSettings.h"
#include "platform/ModalSeam.h"
#include "playlist/ExtDlg.h"
#include "res/StringIds.h"
#include "shell/SendToShortcut.h"
#include "ui/CommandTable.h"
#include "ui/DisplaySize.h"
#include "ui/HelpWnd.h"
#include "ui/VideoView.h"

#include <QGuiApplication>
#include <QMenuBar>
#include <QSessionManager>

void CMainFrame::CreateCommands()
{
    m_pCommands->Build(*menuBar());
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        // The question needs the session's leave to talk to the user; a
        // cancelled question keeps the session running.
        if (!manager.allowsInteraction()) {
            WaitForCaptureThread();
            return;
        }
        const BOOL bAllow = OnQueryEndSession();
        manager.release();
        if (!bAllow)
            manager.cancel();
    });
}

IVideoView& CMainFrame::View() { return m_pVideoView ? *m_pVideoView : m_wndView; }

CCommandState CMainFrame::CommandState()
{
    IVideoView& view = View();
    const CAppSettings& app = TheAppSettings();
    const PrevNextState prevNext = PrevNextAvailability(m_playList);

    CCommandState s;
    s.bLoaded = view.IsLoaded();
    s.bStarted = view.IsStarted();
    s.bPaused = view.IsPaused();
    s.bHasVideo = view.HasVideo();
    s.bSeekable = view.IsSeekable();
    s.bFullScreen = view.IsFullScreen();
    s.bHasFilters = !view.GetFilterName(0).isEmpty();
    s.nCount = m_playList.GetCount();
    s.nCurrent = m_playList.m_nCurrent;
    s.nLoopMode = m_playList.m_nLoopMode;
    s.bPrevAvailable = prevNext.bPrev;
    s.bNextAvailable = prevNext.bNext;
    s.bPlayListFile = !m_strPlayListFile.isEmpty();
    s.bSoundOn = m_settings.m_bSoundOn;
    s.bAspectFix = m_settings.m_bAspectFix;
    s.nDisplaySize = m_settings.m_nDisplaySize;
    s.bCapturing = m_bCapturing;
    s.marks = m_marks;
    s.bUseVolDB = m_settings.m_bUseVolDB;
    s.bOneLoop = m_settings.m_bOneLoop;
    s.bDisableDeinterlace = m_settings.m_bDisableDeinterlace;
    s.bDisableVMR9 = m_settings.m_bDisableVMR9;
    s.bPlayListWnd = IsPlayListWndShown();
    s.bAccMultiBoot = app.m_bAccMultiBoot;
    s.bAccSameData = app.m_bAccSameData;
    s.bAccSubFolder = app.m_bAccSubFolder;
    s.strSendToPath = SendToShortcutPath();
    return s;
}

void CMainFrame::OnAppExit() { close(); }

void CMainFrame::OnFullScreen()
{
    if (View().IsStarted() && View().HasVideo())
        View().ToggleFullScreen();
}

void CMainFrame::OnSize50() { SetDisplaySize(0); }
void CMainFrame::OnSize100() { SetDisplaySize(1); }
void CMainFrame::OnSize200() { SetDisplaySize(2); }

// The size is kept even while nothing plays; the next load uses it.
void CMainFrame::SetDisplaySize(int nSize)
{
    m_settings.m_nDisplaySize = nSize;
    if (View().IsStarted() && View().HasVideo())
        FitWindowToDisplaySize();
}

void CMainFrame::OnFitWindow()
{
    if (!View().IsStarted())
        return;
    View().LeaveFullScreen();
    if (View().HasVideo())
        FitWindowToDisplaySize();
    else
        FitWindowToControls();
}

// The native video size at 50, 100 or 200 %; an unknown size setting does
// nothing.
void CMainFrame::FitWindowToDisplaySize()
{
    const QSize native = View().GetNativeSize();
    int nWidth = native.width();
    int nHeight = native.height();
    if (!ScaleToDisplaySize(m_settings.m_nDisplaySize, nWidth, nHeight))
        return;
    if (isMaximized())
        showNormal();
    FitWindowToVideo(nWidth, nHeight, TRUE);
}

void CMainFrame::OnAspectFix()
{
    if (View().SetAspectFix(!m_settings.m_bAspectFix))
        m_settings.m_bAspectFix = !m_settings.m_bAspectFix;
}

void CMainFrame::OnMute()
{
    m_settings.m_bSoundOn = !m_settings.m_bSoundOn;
    View().SetVolume(m_settings.m_bSoundOn ? m_settings.m_nVolume : 0);
    SetMuteButtons(m_settings.m_bSoundOn);
}

void CMainFrame::OnRepeatNone() { SetRepeatMode(LOOP_NONE); }
void CMainFrame::OnRepeatAll() { SetRepeatMode(LOOP_ALL); }
void CMainFrame::OnRepeatRandom() { SetRepeatMode(LOOP_RANDOM); }

void CMainFrame::SetRepeatMode(int nMode)
{
    m_playList.m_nLoopMode = nMode;
    UpdatePrevNextButtons();
}

void CMainFrame::OnOneLoop()
{
    m_settings.m_bOneLoop = !m_settings.m_bOneLoop;
    SetOneLoopButtons(m_settings.m_bOneLoop);
}

void CMainFrame::OnExtSettings()
{
    CExtDlg dlg(this);
    Modal().ExecDialog(dlg);
}

// Settings that only the primary instance writes back: a secondary is told
// so and changes nothing. TRUE when the setting was flipped.
BOOL CMainFrame::ChangePrimarySetting(BOOL& bSetting)
{
    View().LeaveFullScreen();
    if (!TheAppSettings().m_bPrimary) {
        AfxMessageBox(IDS_PRIMARY_ONLY, MB_ICONINFORMATION);
        return FALSE;
    }
    if (AfxMessageBox(IDS_RESTART_QUESTION, MB_YESNO | MB_ICONINFORMATION) != IDYES)
        return FALSE;
    bSetting = !bSetting;
    return TRUE;
}

void CMainFrame::OnAccMultiBoot() { ChangePrimarySetting(TheAppSettings().m_bAccMultiBoot); }

void CMainFrame::OnAccSameData()
{
    CAppSettings& app = TheAppSettings();
    if (ChangePrimarySetting(app.m_bAccSameData))
        m_playList.m_bAllowDuplicates = app.m_bAccSameData;
}

void CMainFrame::OnAccSubFolder()
{
    CAppSettings& app = TheAppSettings();
    app.m_bAccSubFolder = !app.m_bAccSubFolder;
}

// The player reads renderer settings when it loads a file; with a file open
// the user is told that the change waits for the next load.
void CMainFrame::ChangeRendererSetting(BOOL& bSetting)
{
    if (View().IsLoaded()) {
        View().LeaveFullScreen();
        AfxMessageBox(IDS_NEXT_LOAD_NOTICE, MB_ICONINFORMATION);
    }
    bSetting = !bSetting;
}

void CMainFrame::OnDisableVMR9() { ChangeRendererSetting(m_settings.m_bDisableVMR9); }
void CMainFrame::OnDisableDeinterlace() { ChangeRendererSetting(m_settings.m_bDisableDeinterlace); }

void CMainFrame::OnHelp()
{
    if (!m_pHelpWnd)
        m_pHelpWnd = new CHelpWnd(this);
    m_pHelpWnd->show();
    m_pHelpWnd->raise();
    m_pHelpWnd->activateWindow();
}

void CMainFrame::OnAppAbout()
{
    CAboutDlg dlg(this);
    Modal().ExecDialog(dlg);
}
