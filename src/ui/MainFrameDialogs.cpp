// The frame's information dialogs and the dialog that edits the black list
// and the first-use list.

#include "ui/MainFrame.h"

#include "filters/BLDlg.h"
#include "platform/ModalSeam.h"
#include "player/DShowInfoDlg.h"
#include "player/DShowPlayer.h"
#include "player/InfoTexts.h"
#include "player/MediaInfoDlg.h"
#include "ui/VideoView.h"

void CMainFrame::OnDShowInfo()
{
    IVideoView& view = View();
    if (!view.IsLoaded())
        return;
    view.LeaveFullScreen();
    const CDShowPlayer* pPlayer = view.GetPlayer();
    if (!pPlayer || pPlayer->GetFilterCount() == 0)
        return;
    CDShowInfoDlg dlg(MakeDShowInfoTexts(DShowInfoValuesOf(*pPlayer, view.HasVideo())), this);
    Modal().ExecDialog(dlg);
}

void CMainFrame::OnMediaInfo()
{
    IVideoView& view = View();
    if (!view.IsLoaded())
        return;
    view.LeaveFullScreen();
    // Without a player every field stays empty, but the dialog still shows.
    MediaInfoValues values;
    if (const CDShowPlayer* pPlayer = view.GetPlayer())
        values = MediaInfoValuesOf(*pPlayer, view.HasVideo(), view.IsAudioAvailable(), view.GetNativeSize());
    CMediaInfoDlg dlg(MakeMediaInfoTexts(values), this);
    Modal().ExecDialog(dlg);
}

void CMainFrame::OnFirstUseList() { EditFilterList(m_settings.m_firstUseList, TRUE); }
void CMainFrame::OnBlackList() { EditFilterList(m_settings.m_blackList, FALSE); }

// Graph building reads the frame's lists when a file loads, so an edit
// applies from the next file; the frame settings write the lists at exit.
void CMainFrame::EditFilterList(FilterNameList& list, BOOL bFirstUse)
{
    CBLDlg dlg(list, bFirstUse ? CBLDlg::Mode::FirstUse : CBLDlg::Mode::BlackList, this);
    if (Modal().ExecDialog(dlg) == QDialog::Accepted)
        list = dlg.GetList();
}
