#pragma once
// The state every enable and check rule of the command set is decided from,
// taken as one snapshot when a popup opens and at every dispatch.

#include "platform/WinTypes.h"
#include "ui/PlaybackMarks.h"

#include <QString>

struct CCommandState {
    // The video view.
    BOOL bLoaded = FALSE;
    BOOL bStarted = FALSE;
    BOOL bPaused = FALSE;
    BOOL bHasVideo = FALSE;
    BOOL bSeekable = FALSE;
    BOOL bFullScreen = FALSE;
    // The graph holds at least one filter.
    BOOL bHasFilters = FALSE;

    // The playlist.
    int nCount = 0;
    int nCurrent = -1;
    int nLoopMode = 0;
    BOOL bPrevAvailable = FALSE;
    BOOL bNextAvailable = FALSE;
    // A playlist file that "save" writes to is set.
    BOOL bPlayListFile = FALSE;

    // The frame.
    BOOL bSoundOn = TRUE;
    BOOL bAspectFix = TRUE;
    int nDisplaySize = 1;
    BOOL bCapturing = FALSE;
    // The A-B points, the frame step and the counters.
    CPlaybackMarks marks;
    BOOL bUseVolDB = FALSE;
    BOOL bOneLoop = FALSE;
    BOOL bDisableDeinterlace = FALSE;
    BOOL bDisableVMR9 = FALSE;
    BOOL bPlayListWnd = FALSE;

    // The application.
    BOOL bAccMultiBoot = FALSE;
    BOOL bAccSameData = FALSE;
    BOOL bAccSubFolder = FALSE;

    // The launcher entry of the "send to" commands: its path could be
    // worked out, and a file lies there.
    // Where the "send to" entry goes; empty when there is no such folder.
    // Whether it is there is looked up only by the two rules that ask.
    QString strSendToPath;
};

using CommandRule = bool (*)(const CCommandState&);
