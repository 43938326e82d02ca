// The main window on a real X display with per-file volumes on: the volume
// the user clicks on the volume bar for a file comes back when that file is
// played in the next run, on the bar and in the saved settings.

#include "GstTestSupport.h"
#include "ScriptedResponder.h"
#include "TestEnv.h"
#include "TestMedia.h"

#include "app/AppSettings.h"
#include "app/INIFile.h"
#include "platform/Paths.h"
#include "platform/ProfileFile.h"
#include "platform/ResString.h"
#include "player/DShowPlayer.h"
#include "res/StringIds.h"
#include "ui/MainFrame.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

class VolumeMemory : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs an X display";
        const QString ini = m_home.File("orv.ini");
        ASSERT_TRUE(WritePrivateProfileString("Common", "USE_VOL_DB", "1", ini));
        ASSERT_TRUE(WritePrivateProfileString("Common", "VOLUME", "50", ini));
        // Each file replays at its end, so it plays as long as the test needs.
        ASSERT_TRUE(WritePrivateProfileString("Common", "ONE_LOOP", "1", ini));
        m_ini.InitPath();
        m_app.m_bPrimary = TRUE;
        SetTheAppSettings(&m_app);
        for (const char* name : { "a.wav", "b.wav" })
            ASSERT_TRUE(QFile::copy(TestMediaPath(TestClip::Wav), m_media.filePath(name)));
    }
    void TearDown() override
    {
        m_frame.reset();
        SetTheAppSettings(nullptr);
    }

    // A run of the program with the list, the window shown and the first
    // file playing.
    CMainFrame& Start(const QStringList& names)
    {
        m_frame = std::make_unique<CMainFrame>(m_ini);
        CMainFrame& f = *m_frame;
        EXPECT_TRUE(f.LoadFrame());
        for (const QString& name : names)
            f.m_playList.Add(m_media.filePath(name));
        f.show();
        f.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&f));
        f.PlayListFromTop();
        EXPECT_TRUE(Plays(names.first()));
        return f;
    }
    bool Plays(const QString& name)
    {
        CMainFrame& f = *m_frame;
        return ProcessEventsUntil([&] {
            return f.m_strLoadedFile == m_media.filePath(name) && f.m_wndView.GetPlayer()
                && f.m_wndView.GetPlayer()->GetState() == State_Running;
        });
    }
    // A click on the volume bar at that share of its width; the volume it
    // gave.
    int ClickVolumeBar(double dShare)
    {
        CJumpSlider& bar = *m_frame->m_pVolumeBar;
        QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(int(bar.width() * dShare), bar.height() / 2));
        return bar.GetPos();
    }
    // Closes the window the way the user does, letting the list go, and
    // ends the run.
    void Close()
    {
        m_responder.boxAnswers = { IDNO };
        m_frame->close();
        m_responder.boxAnswers.clear();
        m_frame.reset();
    }

    TempHome m_home;
    QTemporaryDir m_media;
    CINIFile m_ini;
    CAppSettings m_app;
    ScriptedResponder m_responder;
    std::unique_ptr<CMainFrame> m_frame;
};

TEST_F(VolumeMemory, AFilePlaysInTheNextRunWithTheVolumeTheUserLeftItWith)
{
    CMainFrame& first = Start({ "a.wav", "b.wav" });
    const int nForA = ClickVolumeBar(0.25);
    EXPECT_NE(nForA, 50);
    EXPECT_EQ(first.m_nVolume, nForA);
    QTest::mouseClick(&first.m_btnNext, Qt::LeftButton);
    ASSERT_TRUE(Plays("b.wav"));
    // b has nothing stored: the volume stays as the user set it.
    EXPECT_EQ(first.m_pVolumeBar->GetPos(), nForA);
    const int nForB = ClickVolumeBar(0.8);
    EXPECT_NE(nForB, nForA);
    Close();
    EXPECT_EQ(GetPrivateProfileInt("Common", "VOLUME", -1, m_ini.m_strPath), nForB);
    EXPECT_TRUE(QFile::exists(VolumeDbFilePath()));

    CMainFrame& second = Start({ "a.wav" });
    EXPECT_EQ(second.m_pVolumeBar->GetPos(), nForA);
    EXPECT_EQ(second.m_nVolume, nForA);
    Close();
    EXPECT_EQ(GetPrivateProfileInt("Common", "VOLUME", -1, m_ini.m_strPath), nForA);
    for (const ScriptedResponder::Box& box : m_responder.boxes)
        EXPECT_EQ(box.text, LoadResString(IDS_PLAYLIST_UNSAVED));
}

} // namespace
