#include "TestEnv.h"

#include "app/AppSettings.h"
#include "app/INIFile.h"
#include "platform/ProfileFile.h"
#include "ui/CommandIds.h"
#include "ui/MainFrame.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenuBar>
#include <QTest>

#include <memory>

namespace {

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_ini.InitPath();
        m_app.m_bPrimary = TRUE;
        SetTheAppSettings(&m_app);
    }
    void TearDown() override { SetTheAppSettings(nullptr); }

    std::unique_ptr<CMainFrame> MakeFrame()
    {
        auto frame = std::make_unique<CMainFrame>(m_ini);
        EXPECT_TRUE(frame->LoadFrame());
        return frame;
    }

    static void Show(CMainFrame& frame)
    {
        frame.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&frame));
        Settle();
    }

    static void Settle()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    static QSize VideoArea(const CMainFrame& frame) { return frame.m_wndView.contentsRect().size(); }

    TempHome m_home;
    CINIFile m_ini;
    CAppSettings m_app;
};

TEST_F(MainFrameTest, TheWindowCannotShrinkBelowItsStartWidthOrTheControlArea)
{
    auto frame = MakeFrame();
    Show(*frame);
    const int startWidth = frame->width();
    frame->resize(100, 40);
    Settle();
    EXPECT_EQ(frame->width(), startWidth);
    EXPECT_EQ(frame->ClientArea()->height(), frame->m_nControlHeight);
    EXPECT_EQ(frame->m_wndView.height(), 0);
}

TEST_F(MainFrameTest, ANarrowVideoIsScaledUpTo320Wide)
{
    auto frame = MakeFrame();
    Show(*frame);
    int w = 160;
    int h = 120;
    frame->FitWindowToVideo(w, h, FALSE);
    Settle();
    EXPECT_EQ(VideoArea(*frame), QSize(320, 240));
}

TEST_F(MainFrameTest, AFitAskedForBeforeTheWindowIsOnScreenIsMadeAgainOnceItIs)
{
    auto frame = MakeFrame();
    const QRect work(0, 0, 1000, 700);
    frame->SetWorkAreaSource([work] { return work; });
    frame->move(600, 500);
    int w = 1920;
    int h = 1080;
    frame->FitWindowToVideo(w, h, TRUE);
    // Sized at once; placed when the window manager has put it somewhere.
    EXPECT_LE(frame->height(), 700);
    EXPECT_EQ(frame->pos(), QPoint(600, 500));
    Show(*frame);
    EXPECT_TRUE(work.contains(frame->frameGeometry()));

    // Fitting to the controls drops a fit that still waits.
    auto other = MakeFrame();
    other->SetWorkAreaSource([work] { return work; });
    other->move(600, 500);
    other->FitWindowToVideo(w, h, TRUE);
    other->FitWindowToControls();
    Show(*other);
    EXPECT_EQ(other->m_wndView.height(), 0);
}

TEST_F(MainFrameTest, FittingToTheControlsLeavesNoVideoArea)
{
    auto frame = MakeFrame();
    Show(*frame);
    // A maximised window does not follow the video, but is brought back
    // for the controls.
    frame->showMaximized();
    Settle();
    const QSize maximised = frame->size();
    int w = 160;
    int h = 600;
    frame->FitWindowToVideo(w, h, TRUE);
    Settle();
    EXPECT_EQ(frame->size(), maximised);
    frame->FitWindowToControls();
    Settle();
    EXPECT_FALSE(frame->isMaximized());
    EXPECT_EQ(frame->size(), QSize(frame->m_nMinClientWidth, frame->m_nControlHeight + frame->menuBar()->height()));
    EXPECT_EQ(frame->m_wndView.height(), 0);
}

TEST_F(MainFrameTest, TheOneLoopButtonsToggleTheSettingThatIsSavedAtTheEnd)
{
    {
        auto frame = MakeFrame();
        Show(*frame);
        QTest::mouseClick(&frame->m_btnOneLoopOff, Qt::LeftButton);
        EXPECT_TRUE(frame->m_btnOneLoopOff.isHidden());

        // The volume bar's value is the frame's volume.
        const QRect bar = frame->m_pVolumeBar->rect();
        QTest::mouseClick(frame->m_pVolumeBar.get(), Qt::LeftButton, {}, QPoint(bar.right(), bar.center().y()));
        EXPECT_EQ(frame->m_nVolume, 100);
    }
    EXPECT_EQ(GetPrivateProfileInt("Common", "ONE_LOOP", -1, m_ini.m_strPath), 1);
    EXPECT_EQ(GetPrivateProfileInt("Common", "VOLUME", -1, m_ini.m_strPath), 100);
}

TEST_F(MainFrameTest, ASecondaryWindowNeverWritesTheSettings)
{
    m_app.m_bPrimary = FALSE;
    {
        auto frame = MakeFrame();
        frame->OnCommand(ID_ONE_LOOP);
        EXPECT_TRUE(frame->m_bOneLoop);
    }
    EXPECT_FALSE(QFile::exists(m_ini.m_strPath));
}

TEST(PrevNext, FollowsTheRepeatModeAndThePosition)
{
    CPlayList list;
    EXPECT_FALSE(PrevNextAvailability(list).bNext);
    for (const char* path : { "/m/a.mp4", "/m/b.mp4", "/m/c.mp4" })
        list.Add(QString::fromLatin1(path));
    // No current entry.
    EXPECT_FALSE(PrevNextAvailability(list).bPrev);
    EXPECT_FALSE(PrevNextAvailability(list).bNext);

    // The last entry goes on only when the list repeats.
    list.m_nCurrent = 2;
    EXPECT_FALSE(PrevNextAvailability(list).bNext);
    list.m_nLoopMode = LOOP_ALL;
    EXPECT_TRUE(PrevNextAvailability(list).bNext);
}

} // namespace
