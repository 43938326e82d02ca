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
    virtual ~CFrameSettings() = default;

    void LoadFrameSettings(CINIFile& ini);
    // Writes nothing unless bPrimary.
    void SaveFrameSettings(CINIFile& ini, BOOL bPrimary);

    // The repeat mode lives in the frame's playlist; the frame overrides these.
    virtual int GetLoopMode() const { return m_nLoopMode; }
    virtual void SetLoopMode(int nMode) { m_nLoopMode = nMode; }

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
    BOOL m_bOneLoop = FALSE;
    BOOL m_bDisableDeinterlace = FALSE;
    BOOL m_bDisableVMR9 = FALSE;
    FilterNameList m_blackList;
    FilterNameList m_firstUseList;
    // The playlist window: shown, and where; an empty rectangle when it
    // has no place yet.
    BOOL m_bPlayListWnd = FALSE;
    QRect m_rcPlayListWnd;

private:
    int m_nLoopMode = 0;
};
