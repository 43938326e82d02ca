// Turning the playlist into playback: where the list starts, how it moves
// on at the end of a file, and how an entry is played or skipped.

#include "ui/MainFrame.h"

#include "platform/WaitCursor.h"
#include "player/PlayerCodes.h"
#include "ui/VideoView.h"

void CMainFrame::ChooseFirstEntry()
{
    // An empty list has nothing to pick from.
    if (m_playList.GetCount() > 0)
        m_playList.Rewind();
    else
        m_playList.m_nCurrent = 0;
}

void CMainFrame::PlayListFromTop()
{
    m_bListEnded = FALSE;
    if (m_playList.GetCount() > 0) {
        ChooseFirstEntry();
        PlayCurrentEntry(TRUE);
    }
    RedrawPlaylistCount();
}

void CMainFrame::PlayNextEntry()
{
    if (!m_playList.Next().isEmpty()) {
        PlayCurrentEntry(TRUE);
        return;
    }
    // The end of the list: stopped at the first entry, which the next start
    // loads anew.
    m_bListEnded = TRUE;
    ChooseFirstEntry();
    StopAndReset();
    SetFileTitle(m_playList.GetAt(m_playList.m_nCurrent));
}

void CMainFrame::PlayPrevEntry()
{
    if (!m_playList.Prev().isEmpty())
        PlayCurrentEntry(TRUE);
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
    IVideoView& view = View();
    const BOOL bRemembered = RememberLoadedVolume();
    if (bReload) {
        m_strLoadedFile.clear();
        if (m_bABRepeat) {
            if (!view.ClearSegment())
                return FALSE;
            m_bABRepeat = FALSE;
        }
        ResetPlaybackDisplay();
        if (bRemembered)
            FlushVolumeDB();
        if (!view.LoadMedia(entry)) {
            SkipFailedEntry();
            return FALSE;
        }
        SetFileTitle(entry);
        m_strLoadedFile = entry;
    }
    RestoreStoredVolume();
    if (!view.StartPlayback()) {
        SkipFailedEntry();
        return FALSE;
    }
    m_bFrameCounter = view.GetDurations(&m_llDuration, &m_llTotalFrames) == SEEKMODE_FRAME;
    RedrawCounters();
    SetPlayingButtons(view.IsSeekable(), view.HasVideo());
    return TRUE;
}

void CMainFrame::SkipFailedEntry()
{
    m_strLoadedFile.clear();
    m_volumeDB.ForgetCurrent();
    if (m_playList.Next().isEmpty())
        ChooseFirstEntry();
    // Nothing plays until the user starts the entry now shown.
    SetFileTitle(m_playList.GetAt(m_playList.m_nCurrent));
    SetStoppedButtons();
}

void CMainFrame::ResetPlaybackDisplay()
{
    m_llPointA = -1;
    m_llPointB = -1;
    RedrawPointValues();
    m_llDuration = -1;
    m_llTotalFrames = -1;
    m_llPosition = 0;
    m_llFrame = 0;
    RedrawCounters();
    SetABResetButtons();
}
