// The frame's part in the Linux desktop: the "send to" launcher entry, the
// keys and wheel people expect of a player, and the buttons' tooltips.

#include "ui/MainFrame.h"

#include "platform/ModalSeam.h"
#include "platform/Paths.h"
#include "player/PlayerCodes.h"
#include "res/StringIds.h"
#include "shell/SendToShortcut.h"
#include "ui/CommandIds.h"
#include "ui/DesktopInput.h"
#include "ui/VideoView.h"

#include <algorithm>

namespace {

constexpr int kKeySeekSeconds = 5;
constexpr int kKeyVolumeStep = 5;
constexpr int kVolumeMax = 100;
constexpr LONGLONG kUnitsPerSecond = 10000000; // 100-ns units
constexpr LONGLONG kUnitsPerMs = 10000;

} // namespace

void CMainFrame::OnSendToRegister()
{
    if (CreateSendToShortcut(SendToShortcutPath(), ExecutablePath()))
        return;
    View().LeaveFullScreen();
    AfxMessageBox(IDS_SENDTO_REGISTER_FAILED, MB_ICONERROR);
}

void CMainFrame::OnSendToUnregister()
{
    if (DeleteSendToShortcut(SendToShortcutPath()))
        return;
    View().LeaveFullScreen();
    AfxMessageBox(IDS_SENDTO_UNREGISTER_FAILED, MB_ICONERROR);
}

void CMainFrame::SetUpDesktopInput()
{
    m_pDesktopInput = new CDesktopInput(this, [this](int nID) { OnCommand(nID); });
    m_pDesktopInput->WatchBar(*m_pSeekBar, ID_SEEK_FORWARD, ID_SEEK_BACK);
    m_pDesktopInput->WatchBar(*m_pVolumeBar, ID_VOLUME_UP, ID_VOLUME_DOWN);
    // The full-screen panel's buttons too: they stand for the same commands.
    for (CBitmapButton* pButton : ClientArea()->findChildren<CBitmapButton*>())
        pButton->setToolTip(CommandToolTip(pButton->GetDlgCtrlID()));
}

void CMainFrame::OnPlay()
{
    if (!View().IsStarted() || View().IsPaused())
        OnPlayPause();
}

void CMainFrame::OnPause()
{
    if (View().IsStarted() && !View().IsPaused())
        OnPlayPause();
}

void CMainFrame::OnSeekBack() { SeekByTime(-kKeySeekSeconds * kUnitsPerSecond); }
void CMainFrame::OnSeekForward() { SeekByTime(kKeySeekSeconds * kUnitsPerSecond); }
void CMainFrame::OnVolumeUp() { ChangeVolumeBy(kKeyVolumeStep); }
void CMainFrame::OnVolumeDown() { ChangeVolumeBy(-kKeyVolumeStep); }

void CMainFrame::SeekByTime(LONGLONG llDelta)
{
    IVideoView& view = View();
    LONGLONG llDuration = -1;
    LONGLONG llFrames = -1;
    const int nMode = view.GetDurations(&llDuration, &llFrames);
    const LONGLONG llNow = view.GetCurrentPosition();
    if (llNow < 0 || llDuration <= 0)
        return;
    // The seek bar counts milliseconds, or frames when the file seeks by
    // frames; so does the position then.
    LONGLONG llTarget = 0;
    if (nMode == SEEKMODE_TIME) {
        llTarget = std::clamp(llNow + llDelta, LONGLONG(0), llDuration) / kUnitsPerMs;
    } else if (nMode == SEEKMODE_FRAME && llFrames > 0) {
        llTarget = std::clamp(llNow + llDelta * llFrames / llDuration, LONGLONG(0), llFrames - 1);
    } else {
        return;
    }
    OnSeekBarScroll(SB_ENDSCROLL, static_cast<int>(llTarget));
}

void CMainFrame::ChangeVolumeBy(int nDelta)
{
    const int nVolume = std::clamp(m_settings.m_nVolume + nDelta, 0, kVolumeMax);
    m_pVolumeBar->SetPos(nVolume);
    OnVolumeBarScroll(nVolume);
}
