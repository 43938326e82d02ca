// Turning the playlist into playback: where the list starts and how an
// entry is played.

#include "ui/MainFrame.h"

#include "platform/WaitCursor.h"
#include "ui/VideoView.h"

void CMainFrame::PlayListFromTop()
{
    m_bListEnded = FALSE;
    if (m_playList.GetCount() > 0) {
        if (m_playList.m_nLoopMode == LOOP_RANDOM) {
            m_playList.ResetRandomHistory();
            m_playList.m_nCurrent = m_playList.PickRandom();
        } else {
            m_playList.m_nCurrent = 0;
        }
        PlayCurrentEntry(TRUE);
    }
    RedrawPlaylistCount();
}

void CMainFrame::StartOrResumeList()
{
    if (m_playList.GetCount() == 0)
        return;
    if (m_playList.m_nCurrent == -1) {
        m_playList.Rewind();
        PlayCurrentEntry(TRUE);
    } else if (m_bListEnded) {
        PlayCurrentEntry(TRUE);
        m_bListEnded = FALSE;
    } else {
        // A loaded, stopped file plays again without loading it anew.
        PlayCurrentEntry(m_strLoadedFile.isEmpty());
    }
}

BOOL CMainFrame::PlayCurrentEntry(BOOL bReload)
{
    CWaitCursor wait;
    m_bStepBusy = FALSE;
    m_bStepAtEnd = FALSE;
    m_bStepAtStart = FALSE;
    const QString entry = m_playList.GetAt(m_playList.m_nCurrent);
    if (entry.isEmpty()) {
        // An empty entry keeps whatever is loaded.
        if (m_strLoadedFile.isEmpty())
            return FALSE;
        bReload = FALSE;
    }
    if (bReload) {
        m_strLoadedFile.clear();
        m_llPointA = -1;
        m_llPointB = -1;
        RedrawPointValues();
        SetABResetButtons();
        if (!View().LoadMedia(entry))
            return FALSE;
        SetFileTitle(entry);
        m_strLoadedFile = entry;
    }
    if (!View().StartPlayback())
        return FALSE;
    SetPlayingButtons(View().IsSeekable(), View().HasVideo());
    return TRUE;
}
