#pragma once
// Frame-level settings: loaded when the main frame is built, written when it
// is destroyed, by the primary instance only.

#include "filters/FilterNameList.h"
#include "platform/WinTypes.h"

#include <QRect>
#include <QString>

class CINIFile;

class CFrameSettings {
public:
    void LoadFrameSettings(CINIFile& ini);
    // Writes nothing unless bPrimary.
    void SaveFrameSettings(CINIFile& ini, BOOL bPrimary);

    int m_nVolume = 50;
    BOOL m_bSoundOn = TRUE;
    BOOL m_bAspectFix = TRUE;
    int m_nDisplaySize = 1;
    int m_nSaveFormat = 0;
    QString m_strSaveFolder;
    int m_nJpegQuality = 90;
    BOOL m_bUseVolDB = FALSE;
    QString m_strMediaFolder;
    QString m_strPlayListFolder;
    // The playlist's repeat mode (LOOP_*) as the file keeps it; the frame's
    // list holds the mode while the window is open.
    int m_nLoopMode = 0;
    BOOL m_bOneLoop = FALSE;
    BOOL m_bDisableDeinterlace = FALSE;
    BOOL m_bDisableVMR9 = FALSE;
    FilterNameList m_blackList;
    FilterNameList m_firstUseList;
    // The playlist window: shown, and where; an empty rectangle when it
    // has no place yet.
    BOOL m_bPlayListWnd = FALSE;
    QRect m_rcPlayListWnd;
};
