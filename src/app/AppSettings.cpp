#include "app/AppSettings.h"

#include "app/INIFile.h"

#include <algorithm>

namespace {
CAppSettings g_defaultSettings;
CAppSettings* g_settings = nullptr;

QString Key(const char* stem, int i) { return QLatin1String(stem) + QString::number(i); }
} // namespace

CAppSettings& TheAppSettings() { return g_settings ? *g_settings : g_defaultSettings; }

void SetTheAppSettings(CAppSettings* settings) { g_settings = settings; }

void CAppSettings::LoadAppSettings(CINIFile& ini)
{
    ini.m_strSection = QStringLiteral("Common");
    m_bAccMultiBoot = ini.GetInt(QStringLiteral("ACC_MULTI_BOOT"), 0);
    m_bAccSameData = ini.GetInt(QStringLiteral("ACC_SAME_DATA"), 0);
    m_bAccSubFolder = ini.GetInt(QStringLiteral("ACC_SUB_FOLDER"), 0);
    m_nVideoExtNum = std::clamp(ini.GetInt(QStringLiteral("VIDEO_EXT_NUM"), 0), 0, MAX_USER_EXT);
    m_nAudioExtNum = std::clamp(ini.GetInt(QStringLiteral("AUDIO_EXT_NUM"), 0), 0, MAX_USER_EXT);

    ini.m_strSection = QStringLiteral("Media File Ext");
    for (int i = 0; i < m_nVideoExtNum; ++i)
        m_strVideoExt[static_cast<size_t>(i)] = ini.GetString(Key("VIDEO_EXT", i));
    for (int i = 0; i < m_nAudioExtNum; ++i)
        m_strAudioExt[static_cast<size_t>(i)] = ini.GetString(Key("AUDIO_EXT", i));
}

void CAppSettings::SaveAppSettings(CINIFile& ini) const
{
    ini.BeginWrite();
    ini.m_strSection = QStringLiteral("Common");
    ini.WriteInt(QStringLiteral("ACC_MULTI_BOOT"), m_bAccMultiBoot);
    ini.WriteInt(QStringLiteral("ACC_SAME_DATA"), m_bAccSameData);
    ini.WriteInt(QStringLiteral("ACC_SUB_FOLDER"), m_bAccSubFolder);
    ini.WriteInt(QStringLiteral("VIDEO_EXT_NUM"), m_nVideoExtNum);
    ini.WriteInt(QStringLiteral("AUDIO_EXT_NUM"), m_nAudioExtNum);

    ini.m_strSection = QStringLiteral("Media File Ext");
    for (int i = 0; i < m_nVideoExtNum; ++i)
        ini.WriteString(Key("VIDEO_EXT", i), m_strVideoExt[static_cast<size_t>(i)]);
    for (int i = 0; i < m_nAudioExtNum; ++i)
        ini.WriteString(Key("AUDIO_EXT", i), m_strAudioExt[static_cast<size_t>(i)]);
    ini.EndWrite();
}
