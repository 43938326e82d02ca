#include "TestEnv.h"

#include "app/AppSettings.h"
#include "app/FrameSettings.h"
#include "app/INIFile.h"
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

TEST_F(SettingsTest, LoadingWritesNothingAndClampsOutOfRangeValues)
{
    CFrameSettings frame;
    frame.LoadFrameSettings(ini);
    EXPECT_FALSE(QFile::exists(ini.m_strPath));
    WritePrivateProfileString("Common", "VOLUME", "250", ini.m_strPath);
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
    EXPECT_EQ(StrKey("Black List Filters", "BL_FILTER59"), "Filter 59");

    // A huge count in the file cannot stall start-up.
    WritePrivateProfileString("Common", "FL_NUM", "2147483647", ini.m_strPath);
    frame.LoadFrameSettings(ini);
    EXPECT_EQ(frame.m_firstUseList.GetCount(), 50);
}

} // namespace
