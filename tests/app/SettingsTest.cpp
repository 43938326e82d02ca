#include "TestEnv.h"

#include "app/AppSettings.h"
#include "app/FrameSettings.h"
#include "app/INIFile.h"
#include "platform/Paths.h"
#include "platform/ProfileFile.h"

#include <gtest/gtest.h>

namespace {

class SettingsTest : public ::testing::Test {
protected:
    SettingsTest() { ini.InitPath(); }

    int IntKey(const char* section, const char* key) const
    {
        return GetPrivateProfileInt(section, key, -999, ini.m_strPath);
    }
    QString StrKey(const char* section, const char* key) const
    {
        return GetPrivateProfileString(section, key, "<missing>", ini.m_strPath);
    }

    TempHome home;
    CINIFile ini;
};

TEST_F(SettingsTest, FilesLiveInOrvHomeOrElseInTheXdgFolders)
{
    EXPECT_EQ(ini.m_strPath, home.File("orv.ini"));
    EXPECT_EQ(VolumeDbFilePath(), home.File("orvvol.db"));
    ScopedEnv noHome("ORV_HOME", "");
    ScopedEnv config("XDG_CONFIG_HOME", home.File("cfg"));
    ScopedEnv state("XDG_STATE_HOME", home.File("state"));
    EXPECT_EQ(SettingsFilePath(), home.File("cfg/orv/orv.ini"));
    EXPECT_EQ(VolumeDbFilePath(), home.File("state/orv/orvvol.db"));
}

TEST_F(SettingsTest, FirstStartWritesTheDefaults)
{
    CAppSettings app;
    CFrameSettings frame;
    app.LoadAppSettings(ini);
    frame.LoadFrameSettings(ini);
    EXPECT_FALSE(QFile::exists(ini.m_strPath)); // loading writes nothing
    app.SaveAppSettings(ini);
    frame.SaveFrameSettings(ini, TRUE);

    const std::pair<const char*, int> common[] = { { "ACC_MULTI_BOOT", 0 }, { "ACC_SAME_DATA", 0 },
        { "ACC_SUB_FOLDER", 0 }, { "VIDEO_EXT_NUM", 0 }, { "AUDIO_EXT_NUM", 0 }, { "VOLUME", 50 },
        { "MUTE", 1 }, { "ASPECT_FIX", 1 }, { "DISPLAY_SIZE", 1 }, { "SAVE_FORMAT", 0 },
        { "JPEG_QUALITY", 90 }, { "USE_VOL_DB", 0 }, { "LOOP_MODE", 0 }, { "ONE_LOOP", 0 },
        { "DISABLE_DEINTERLESS", 0 }, { "DISABLE_VMR9", 0 }, { "BL_NUM", 0 }, { "FL_NUM", 0 } };
    for (const auto& [key, value] : common)
        EXPECT_EQ(IntKey("Common", key), value) << key;
    for (const char* key : { "SAVE_FOLDER", "MEDIA_FOLDER", "PLAYLIST_FOLDER" })
        EXPECT_EQ(StrKey("Common", key), "") << key;
}

TEST_F(SettingsTest, OutOfRangeValuesAreClampedAtLoad)
{
    WritePrivateProfileString("Common", "VOLUME", "250", ini.m_strPath);
    CFrameSettings frame;
    frame.LoadFrameSettings(ini);
    EXPECT_EQ(frame.m_nVolume, 100);
    WritePrivateProfileString("Common", "VOLUME", "-5", ini.m_strPath);
    frame.LoadFrameSettings(ini);
    EXPECT_EQ(frame.m_nVolume, 0);
}

TEST_F(SettingsTest, ExtensionCountAbove30ReadsAndWritesBack30)
{
    ProfileWriteBatch b(ini.m_strPath);
    b.Set("Common", "VIDEO_EXT_NUM", "45");
    b.Set("Common", "AUDIO_EXT_NUM", "-3");
    for (int i = 0; i < 45; ++i)
        b.Set("Media File Ext", QStringLiteral("VIDEO_EXT%1").arg(i), QStringLiteral(".v%1").arg(i));
    ASSERT_TRUE(b.Commit());

    CAppSettings app;
    app.LoadAppSettings(ini);
    EXPECT_EQ(app.m_nVideoExtNum, 30);
    EXPECT_EQ(app.m_nAudioExtNum, 0);
    EXPECT_EQ(app.m_strVideoExt[29], ".v29");
    app.m_strVideoExt[0] = ".changed";
    app.SaveAppSettings(ini);
    EXPECT_EQ(IntKey("Common", "VIDEO_EXT_NUM"), 30);
    EXPECT_EQ(StrKey("Media File Ext", "VIDEO_EXT0"), ".changed");
    EXPECT_EQ(StrKey("Media File Ext", "VIDEO_EXT40"), ".v40"); // beyond the count: left alone
}

TEST_F(SettingsTest, FilterListsKeepFiftyAndLeaveTheRestUntouched)
{
    ProfileWriteBatch b(ini.m_strPath);
    b.Set("Common", "BL_NUM", "60");
    for (int i = 0; i < 60; ++i)
        b.Set("Black List Filters", QStringLiteral("BL_FILTER%1").arg(i), QStringLiteral("Filter %1").arg(i));
    ASSERT_TRUE(b.Commit());

    CFrameSettings frame;
    frame.LoadFrameSettings(ini);
    ASSERT_EQ(frame.m_blackList.GetCount(), 50);
    frame.m_blackList.Remove(0);
    frame.SaveFrameSettings(ini, TRUE);
    EXPECT_EQ(IntKey("Common", "BL_NUM"), 49);
    EXPECT_EQ(StrKey("Black List Filters", "BL_FILTER0"), "Filter 1");
    EXPECT_EQ(StrKey("Black List Filters", "BL_FILTER49"), "Filter 49"); // beyond the count: left alone
    for (int i = 50; i < 60; ++i)
        EXPECT_EQ(StrKey("Black List Filters", qPrintable(QStringLiteral("BL_FILTER%1").arg(i))),
            QStringLiteral("Filter %1").arg(i));
}

TEST_F(SettingsTest, HugeListCountDoesNotStallTheLoad)
{
    WritePrivateProfileString("Common", "FL_NUM", "2147483647", ini.m_strPath);
    CFrameSettings frame;
    frame.LoadFrameSettings(ini);
    EXPECT_EQ(frame.m_firstUseList.GetCount(), 50);
}

TEST_F(SettingsTest, NonPrimaryWritesNoFrameKeys)
{
    CFrameSettings frame;
    frame.LoadFrameSettings(ini);
    frame.SaveFrameSettings(ini, FALSE);
    EXPECT_FALSE(QFile::exists(ini.m_strPath));
}

TEST_F(SettingsTest, JapaneseFoldersAndFilterNamesSurviveARoundTrip)
{
    CFrameSettings frame;
    frame.m_strSaveFolder = QStringLiteral("/home/利用者/静止画");
    frame.m_strMediaFolder = QStringLiteral("/メディア/動画 フォルダ");
    frame.m_blackList.Add(QStringLiteral("日本語デコーダー"));
    frame.m_firstUseList.Add(QStringLiteral("libav H.264 / AVC / MPEG-4 AVC / MPEG-4 part 10 decoder"));
    frame.SaveFrameSettings(ini, TRUE);

    CFrameSettings again;
    again.LoadFrameSettings(ini);
    EXPECT_EQ(again.m_strSaveFolder, frame.m_strSaveFolder);
    EXPECT_EQ(again.m_strMediaFolder, frame.m_strMediaFolder);
    EXPECT_EQ(again.m_blackList.GetAt(0), frame.m_blackList.GetAt(0));
    EXPECT_EQ(again.m_firstUseList.GetAt(0), frame.m_firstUseList.GetAt(0));
}

TEST_F(SettingsTest, WindowsStyleFileWithBomAndCrLfLoads)
{
    WriteFileBytes(ini.m_strPath,
        QStringLiteral("\xFEFF[Common]\r\nACC_SUB_FOLDER=1\r\nVIDEO_EXT_NUM=1\r\nMUTE=0\r\n"
                       "[Media File Ext]\r\nVIDEO_EXT0=.動画\r\n")
            .toUtf8());
    CAppSettings app;
    CFrameSettings frame;
    app.LoadAppSettings(ini);
    frame.LoadFrameSettings(ini);
    EXPECT_TRUE(app.m_bAccSubFolder);
    EXPECT_EQ(app.m_strVideoExt[0], QStringLiteral(".動画"));
    EXPECT_FALSE(frame.m_bSoundOn);
}

TEST(FilterNameList, RemoveShiftsAndOutOfRangeIsHarmless)
{
    FilterNameList list;
    for (const char* n : { "a", "b", "c" })
        list.Add(n);
    list.Remove(5);
    list.Remove(-1);
    list.Remove(0);
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetAt(0), "b");
    EXPECT_EQ(list.GetAt(2), "");
    EXPECT_FALSE(list.Contains("C"));

    for (int i = 0; i < 60; ++i)
        list.Add(QString::number(i));
    EXPECT_EQ(list.GetCount(), FilterNameList::MAX_NAMES);
    EXPECT_FALSE(list.Add("more"));
}

} // namespace
