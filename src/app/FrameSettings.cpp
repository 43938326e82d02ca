#include "app/FrameSettings.h"

#include "app/INIFile.h"

#include <algorithm>

namespace {

const QString kCommon = QStringLiteral("Common");
const QString kBlackList = QStringLiteral("Black List Filters");
const QString kFirstUseList = QStringLiteral("First Use List Filters");

// Names beyond the 50 the list holds would be read only to be dropped, so
// the reading stops there; a huge count in the file cannot stall start-up.
void LoadList(CINIFile& ini, const QString& section, const char* stem, int nCount, FilterNameList& list)
{
    ini.m_strSection = section;
    for (int i = 0; i < nCount && !list.IsFull(); ++i)
        list.Add(ini.GetString(QLatin1String(stem) + QString::number(i)));
}

void SaveList(CINIFile& ini, const QString& section, const char* stem, const FilterNameList& list)
{
    ini.m_strSection = section;
    for (int i = 0; i < list.GetCount(); ++i)
        ini.WriteString(QLatin1String(stem) + QString::number(i), list.GetAt(i));
}

} // namespace

void CFrameSettings::LoadFrameSettings(CINIFile& ini)
{
    ini.m_strSection = kCommon;
    m_nVolume = std::clamp(ini.GetInt(QStringLiteral("VOLUME"), 50), 0, 100);
    m_bSoundOn = ini.GetInt(QStringLiteral("MUTE"), 1);
    m_bAspectFix = ini.GetInt(QStringLiteral("ASPECT_FIX"), 1);
    m_nDisplaySize = ini.GetInt(QStringLiteral("DISPLAY_SIZE"), 1);
    m_nSaveFormat = ini.GetInt(QStringLiteral("SAVE_FORMAT"), 0);
    m_strSaveFolder = ini.GetString(QStringLiteral("SAVE_FOLDER"));
    m_nJpegQuality = ini.GetInt(QStringLiteral("JPEG_QUALITY"), 90);
    m_bUseVolDB = ini.GetInt(QStringLiteral("USE_VOL_DB"), 0);
    m_strMediaFolder = ini.GetString(QStringLiteral("MEDIA_FOLDER"));
    m_strPlayListFolder = ini.GetString(QStringLiteral("PLAYLIST_FOLDER"));
    m_nLoopMode = ini.GetInt(QStringLiteral("LOOP_MODE"), 0);
    m_bOneLoop = ini.GetInt(QStringLiteral("ONE_LOOP"), 0);
    m_bDisableDeinterlace = ini.GetInt(QStringLiteral("DISABLE_DEINTERLESS"), 0);
    m_bDisableVMR9 = ini.GetInt(QStringLiteral("DISABLE_VMR9"), 0);
    m_bPlayListWnd = ini.GetInt(QStringLiteral("PLAYLIST_WND"), 0);
    m_rcPlayListWnd = QRect(ini.GetInt(QStringLiteral("PLAYLIST_WND_X"), 0),
        ini.GetInt(QStringLiteral("PLAYLIST_WND_Y"), 0), ini.GetInt(QStringLiteral("PLAYLIST_WND_WIDTH"), 0),
        ini.GetInt(QStringLiteral("PLAYLIST_WND_HEIGHT"), 0));
    const int nBlack = ini.GetInt(QStringLiteral("BL_NUM"), 0);
    const int nFirstUse = ini.GetInt(QStringLiteral("FL_NUM"), 0);

    m_blackList.Clear();
    m_firstUseList.Clear();
    LoadList(ini, kBlackList, "BL_FILTER", nBlack, m_blackList);
    LoadList(ini, kFirstUseList, "FL_FILTER", nFirstUse, m_firstUseList);
}

void CFrameSettings::SaveFrameSettings(CINIFile& ini, BOOL bPrimary)
{
    if (!bPrimary)
        return;
    ini.BeginWrite();
    ini.m_strSection = kCommon;
    ini.WriteInt(QStringLiteral("VOLUME"), m_nVolume);
    ini.WriteInt(QStringLiteral("MUTE"), m_bSoundOn);
    ini.WriteInt(QStringLiteral("ASPECT_FIX"), m_bAspectFix);
    ini.WriteInt(QStringLiteral("DISPLAY_SIZE"), m_nDisplaySize);
    ini.WriteInt(QStringLiteral("SAVE_FORMAT"), m_nSaveFormat);
    ini.WriteString(QStringLiteral("SAVE_FOLDER"), m_strSaveFolder);
    ini.WriteInt(QStringLiteral("JPEG_QUALITY"), m_nJpegQuality);
    ini.WriteInt(QStringLiteral("USE_VOL_DB"), m_bUseVolDB);
    ini.WriteString(QStringLiteral("MEDIA_FOLDER"), m_strMediaFolder);
    ini.WriteString(QStringLiteral("PLAYLIST_FOLDER"), m_strPlayListFolder);
    ini.WriteInt(QStringLiteral("LOOP_MODE"), m_nLoopMode);
    ini.WriteInt(QStringLiteral("ONE_LOOP"), m_bOneLoop);
    ini.WriteInt(QStringLiteral("DISABLE_DEINTERLESS"), m_bDisableDeinterlace);
    ini.WriteInt(QStringLiteral("DISABLE_VMR9"), m_bDisableVMR9);
    ini.WriteInt(QStringLiteral("PLAYLIST_WND"), m_bPlayListWnd);
    ini.WriteInt(QStringLiteral("PLAYLIST_WND_X"), m_rcPlayListWnd.x());
    ini.WriteInt(QStringLiteral("PLAYLIST_WND_Y"), m_rcPlayListWnd.y());
    ini.WriteInt(QStringLiteral("PLAYLIST_WND_WIDTH"), m_rcPlayListWnd.width());
    ini.WriteInt(QStringLiteral("PLAYLIST_WND_HEIGHT"), m_rcPlayListWnd.height());
    ini.WriteInt(QStringLiteral("BL_NUM"), m_blackList.GetCount());
    ini.WriteInt(QStringLiteral("FL_NUM"), m_firstUseList.GetCount());
    SaveList(ini, kBlackList, "BL_FILTER", m_blackList);
    SaveList(ini, kFirstUseList, "FL_FILTER", m_firstUseList);
    ini.EndWrite();
}
