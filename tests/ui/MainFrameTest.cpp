#include "TestEnv.h"

#include "app/AppSettings.h"
#include "app/INIFile.h"
#include "platform/ProfileFile.h"
#include "ui/CommandIds.h"
#include "ui/MainFrame.h"
#include "ui/Rects.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
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

    void WriteCommon(const char* key, int value)
    {
        WritePrivateProfileString("Common", key, QString::number(value), m_ini.m_strPath);
    }

    TempHome m_home;
    CINIFile m_ini;
    CAppSettings m_app;
};

TEST_F(MainFrameTest, FirstWindowHasA320x240VideoAreaAboveTheControls)
{
    auto frame = MakeFrame();
    Show(*frame);
    EXPECT_EQ(VideoArea(*frame), QSize(320, 240));

    // Seek bar, two button rows of 33 and 23 pixels, a gap, two text lines.
    const int textHeight = QFontMetrics(frame->m_fontInfo).height();
    EXPECT_EQ(frame->m_nControlHeight, 20 + 33 + 23 + 1 + 2 * textHeight);
    const QWidget* client = frame->ClientArea();
    EXPECT_EQ(client->height() - frame->m_wndView.height(), frame->m_nControlHeight);
    EXPECT_EQ(frame->m_pSeekBar->geometry(), QRect(0, frame->m_wndView.height(), client->width(), 20));
    EXPECT_EQ(frame->m_rcVolumeBar, QRect(client->width() - 80, BottomOf(frame->m_rcSeekBar) + 6, 80, 15));
    EXPECT_EQ(frame->m_nInfoTop, BottomOf(frame->m_rcSeekBar) + 33 + 23 + 1);
    EXPECT_EQ(frame->m_nMinClientWidth, client->width());
}

TEST_F(MainFrameTest, AResizeKeepsTheBarsStepButtonsAndCountersOnTheRightEdge)
{
    auto frame = MakeFrame();
    Show(*frame);
    frame->resize(700, 560);
    Settle();
    const QWidget* client = frame->ClientArea();
    ASSERT_EQ(client->width(), 700);
    const int viewHeight = client->height() - frame->m_nControlHeight;
    EXPECT_EQ(frame->m_wndView.geometry(), QRect(0, 0, 700, viewHeight));
    EXPECT_EQ(frame->m_pSeekBar->geometry(), QRect(0, viewHeight, 700, 20));
    EXPECT_EQ(RightOf(frame->m_pVolumeBar->geometry()), 700);
    EXPECT_EQ(RightOf(frame->m_btnSoundOn.geometry()), frame->m_rcVolumeBar.x());

    const int row2 = BottomOf(frame->m_btnPlay.geometry());
    EXPECT_EQ(frame->m_btnSkipFwd.geometry(), QRect(700 - 24, row2, 24, 23));
    EXPECT_EQ(RightOf(frame->m_btnFrameFwd.geometry()), frame->m_btnSkipFwd.x());
    EXPECT_EQ(RightOf(frame->m_btnFrameBack.geometry()), frame->m_btnFrameFwd.x());
    EXPECT_EQ(RightOf(frame->m_btnSkipBack.geometry()), frame->m_btnFrameBack.x());
    EXPECT_EQ(RightOf(frame->m_btnSaveStill.geometry()), frame->m_btnSkipBack.x() - 3);

    const CInfoCells cells = frame->CalcInfoCells();
    EXPECT_EQ(RightOf(cells.rcTimeCounter), 700);
    EXPECT_EQ(BottomOf(cells.rcBLabel), client->height());
}

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

    // No width gives no aspect: the window keeps its least width.
    w = 0;
    h = 100;
    frame->FitWindowToVideo(w, h, FALSE);
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 100);
}

TEST_F(MainFrameTest, AVideoTooLargeForTheWorkAreaIsShownSmallerWithTheWholeWindowInside)
{
    auto frame = MakeFrame();
    Show(*frame);
    const QRect work(50, 30, 1000, 700);
    frame->SetWorkAreaSource([work] { return work; });
    frame->move(100, 60);
    Settle();

    int w = 3840; // 1920 × 1080 at 200 %
    int h = 2160;
    frame->FitWindowToVideo(w, h, TRUE);
    Settle();

    // The picture gives way with its aspect, the controls keep their height,
    // and the window reaches across or down the work area.
    const QRect rcFrame = frame->frameGeometry();
    EXPECT_TRUE(work.contains(rcFrame));
    EXPECT_TRUE(rcFrame.width() == work.width() || rcFrame.height() == work.height());
    const QSize video = VideoArea(*frame);
    EXPECT_NEAR(video.height(), video.width() * 9 / 16, 1);
    EXPECT_EQ(frame->ClientArea()->height() - frame->m_wndView.height(), frame->m_nControlHeight);
    EXPECT_EQ(QSize(w, h), QSize(3840, 2160));
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

TEST_F(MainFrameTest, AWindowThatFitsTheWorkAreaIsMovedIntoIt)
{
    auto frame = MakeFrame();
    Show(*frame);
    const QRect work(0, 0, 1280, 800);
    frame->SetWorkAreaSource([work] { return work; });
    frame->move(1100, 700);
    Settle();
    int w = 640;
    int h = 480;
    frame->FitWindowToVideo(w, h, TRUE);
    Settle();
    EXPECT_EQ(VideoArea(*frame), QSize(640, 480));
    EXPECT_EQ(frame->frameGeometry().bottomRight(), QPoint(1279, 799));

    // Without the work-area rule the window keeps its place.
    frame->move(1100, 700);
    frame->FitWindowToVideo(w, h, FALSE);
    Settle();
    EXPECT_EQ(frame->pos(), QPoint(1100, 700));
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

    const struct {
        int nCurrent;
        int nLoopMode;
        bool bPrev;
        bool bNext;
    } cases[] = { { 0, LOOP_NONE, false, true }, { 2, LOOP_NONE, true, false }, { 2, LOOP_ALL, true, true },
        { 2, LOOP_RANDOM, false, true } };
    for (const auto& c : cases) {
        list.m_nCurrent = c.nCurrent;
        list.m_nLoopMode = c.nLoopMode;
        EXPECT_EQ(PrevNextAvailability(list).bPrev, c.bPrev) << c.nCurrent << " " << c.nLoopMode;
        EXPECT_EQ(PrevNextAvailability(list).bNext, c.bNext) << c.nCurrent << " " << c.nLoopMode;
    }
}

} // namespace
