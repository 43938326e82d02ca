// Turning the playlist into playback: where the list starts, how it moves
// on at the end of a file, and how an entry is played or skipped.

#include "ui/MainFrame.h"

#include "platform/WaitCursor.h"
#include "player/PlayerCodes.h"
#include "playlist/MediaFiles.h"
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
    m_marks.bListEnded = FALSE;
    if (m_playList.GetCount() > 0) {
        ChooseFirstEntry();
        PlayCurrentEntry(TRUE);
    }
    RedrawPlaylistCount();
}

void CMainFrame::SetStartList(const CPlayList& list, const QString& strOnlyPlayList)
{
    m_playList.Assign(list);
    if (strOnlyPlayList.isEmpty())
        return;
    // A plain save writes back only in the program's own format.
    if (IsOwnPlayListFile(strOnlyPlayList))
        m_strPlayListFile = strOnlyPlayList;
    m_playList.m_bModified = FALSE;
}

void CMainFrame::PlayNextEntry()
{
    if (!m_playList.Next().isEmpty()) {
        PlayCurrentEntry(TRUE);
        return;
    }
    // The end of the list: stopped at the first entry, which the next start
    // loads anew.
    m_marks.bListEnded = TRUE;
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
    } else if (m_marks.bListEnded) {
        PlayCurrentEntry(TRUE);
        m_marks.bListEnded = FALSE;
    } else {
        // A loaded, stopped file plays again without loading it anew.
        PlayCurrentEntry(m_strLoadedFile.isEmpty());
    }
}

BOOL CMainFrame::PlayCurrentEntry(BOOL bReload)
{
    CWaitCursor wait;
    m_marks.ClearStep();
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
        if (m_marks.bABRepeat) {
            if (!view.ClearSegment())
                return FALSE;
            m_marks.bABRepeat = FALSE;
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
    m_marks.bFrameCounter = view.GetDurations(&m_marks.llDuration, &m_marks.llTotalFrames) == SEEKMODE_FRAME;
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
    m_marks.llPointA = -1;
    m_marks.llPointB = -1;
    RedrawPointValues();
    m_marks.llDuration = -1;
    m_marks.llTotalFrames = -1;
    m_marks.llPosition = 0;
    m_marks.llFrame = 0;
    RedrawCounters();
    SetABResetButtons();
}
