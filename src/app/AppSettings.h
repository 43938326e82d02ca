#pragma once
// Application-level settings: loaded when the application object is built,
// written when it is destroyed, in every process.

#include "platform/WinTypes.h"

#include <QString>

#include <array>

class CINIFile;

constexpr int MAX_USER_EXT = 30;

class CAppSettings {
public:
    virtual ~CAppSettings() = default;

    void LoadAppSettings(CINIFile& ini);
    void SaveAppSettings(CINIFile& ini) const;

    std::array<QString, MAX_USER_EXT> m_strVideoExt;
    std::array<QString, MAX_USER_EXT> m_strAudioExt;
    int m_nVideoExtNum = 0;
    int m_nAudioExtNum = 0;
    BOOL m_bAccSameData = FALSE;
    BOOL m_bAccSubFolder = FALSE;
    BOOL m_bAccMultiBoot = FALSE;
    BOOL m_bPrimary = FALSE;
};

// The settings of the running application; tests may install their own.
CAppSettings& TheAppSettings();
void SetTheAppSettings(CAppSettings* settings);
