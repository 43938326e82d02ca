// Full screen on a real display under a window manager, with either
// renderer: entering and leaving by every way, the panel and cursor idle
// hiding, boxes and the next file while the screen is covered.

#include "FrameFixture.h"
#include "GstTestSupport.h"
#include "TestMedia.h"
#include "XWindows.h"

#include "controls/FullScrCtrlWnd.h"
#include "ui/CommandIds.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

namespace {

class FullScreen : public FrameFixture, public ::testing::WithParamInterface<BOOL> {
protected:
    bool UsesScriptedView() const override { return false; }
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb") || !WindowManagerRunning())
            GTEST_SKIP() << "needs an X display with a window manager (scripts/with-xvfb.sh --wm openbox)";
        FrameFixture::SetUp();
        CMainFrame& f = Frame();
        if (GetParam())
            Command(ID_DISABLE_VMR9);
        // Still playing however long the checks take.
        Command(ID_ONE_LOOP);
        // The last file is gone by the time the list reaches it.
        StartList({ TestMediaPath(TestClip::AviFrameCounter), TestMediaPath(TestClip::AviMjpegPcm),
            QStringLiteral("/nonexistent/orv-gone.avi") });
        f.show();
        f.PlayListFromTop();
        ASSERT_TRUE(View().IsStarted());
        ASSERT_TRUE(SettledFrameGeometry(QString::number(f.winId())).isValid());
        m_rcFrame = f.geometry();
    }

    CChildView& View() { return Frame().OwnView(); }
    CFullScrCtrlWnd& Panel() { return View().Panel(); }
    QRect Screen() const { return QGuiApplication::primaryScreen()->geometry(); }

    void ExpectCoveringTheScreen()
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return View().isWindow() && View().geometry() == Screen(); }, 3000))
            << "view at " << View().geometry().width() << "x" << View().geometry().height();
        EXPECT_TRUE(View().IsFullScreen());
        EXPECT_EQ(Panel().height(), CFullScrCtrlWnd::kPanelHeight);
        EXPECT_EQ(Panel().mapTo(&View(), QPoint(0, Panel().height())).y(), View().height());
    }
    void ExpectBackInTheWindow()
    {
        EXPECT_FALSE(View().IsFullScreen());
        EXPECT_FALSE(View().isWindow());
        EXPECT_EQ(Panel().height(), 0);
        EXPECT_EQ(View().cursor().shape(), Qt::ArrowCursor);
        // Settled: nothing moves the view or the window afterwards.
        QTest::qWait(1200);
        EXPECT_EQ(Frame().geometry(), m_rcFrame);
        EXPECT_EQ(View().geometry(), QRect(0, 0, Frame().ClientArea()->width(),
                                          Frame().ClientArea()->height() - Frame().ControlHeight()));
    }
    void DoubleClickVideo() { QTest::mouseDClick(&View(), Qt::LeftButton, {}, QPoint(50, 50)); }
    void AltEnter() { QTest::keyClick(&View(), Qt::Key_Return, Qt::AltModifier); }

    QRect m_rcFrame;
};

TEST_P(FullScreen, AltEnterADoubleClickAndEscEnterAndLeaveAgainAndAgain)
{
    AltEnter();
    ExpectCoveringTheScreen();
    DoubleClickVideo();
    ExpectBackInTheWindow();
    // A second round starts from the restored place, not from the screen's.
    DoubleClickVideo();
    ExpectCoveringTheScreen();
    QTest::keyClick(&View(), Qt::Key_Escape);
    ExpectBackInTheWindow();
}

TEST_P(FullScreen, ThePanelGoesAfterThreeSecondsTheCursorAfterFiveAndAMoveBringsThemBack)
{
    Frame().OnCommand(ID_FULL_SCREEN);
    ExpectCoveringTheScreen();
    QTest::mouseMove(&View(), QPoint(200, 200));
    QTest::qWait(2500);
    EXPECT_EQ(Panel().height(), CFullScrCtrlWnd::kPanelHeight);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Panel().height() == 0; }, 1500));
    EXPECT_EQ(View().cursor().shape(), Qt::ArrowCursor);
    ASSERT_TRUE(QTest::qWaitFor([&] { return View().cursor().shape() == Qt::BlankCursor; }, 2500));

    // The move reaches the view through the X server, not at once.
    QTest::mouseMove(&View(), QPoint(210, 205));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Panel().height() == CFullScrCtrlWnd::kPanelHeight; }, 1000));
    EXPECT_EQ(View().cursor().shape(), Qt::ArrowCursor);

    // Leaving with the cursor hidden shows it again.
    ASSERT_TRUE(QTest::qWaitFor([&] { return View().cursor().shape() == Qt::BlankCursor; }, 6000));
    QTest::keyClick(&View(), Qt::Key_Escape);
    ExpectBackInTheWindow();
}

TEST_P(FullScreen, ThePanelStaysWhileThePointerRestsOnIt)
{
    Frame().OnCommand(ID_FULL_SCREEN);
    ExpectCoveringTheScreen();
    QTest::mouseMove(&View(), QPoint(200, 200));
    const QPoint onPanel(View().width() / 2, View().height() - 5);
    QTest::mouseMove(&View(), onPanel);
    QTest::mouseMove(&View(), onPanel + QPoint(2, 1));
    QTest::qWait(4000);
    EXPECT_EQ(Panel().height(), CFullScrCtrlWnd::kPanelHeight);
    EXPECT_EQ(View().cursor().shape(), Qt::ArrowCursor);
    // Back over the picture the countdown starts again.
    QTest::mouseMove(&View(), QPoint(240, 230));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Panel().height() == 0; }, 4500));
}

TEST_P(FullScreen, TheNextFileKeepsFullScreenAndTheWindowItsSize)
{
    Frame().OnCommand(ID_FULL_SCREEN);
    ExpectCoveringTheScreen();
    Frame().OnCommand(ID_NEXT);
    ASSERT_EQ(Current(), 1);
    ASSERT_TRUE(View().IsStarted());
    ExpectCoveringTheScreen();
    AltEnter();
    ExpectBackInTheWindow();
}

TEST_P(FullScreen, AnErrorBoxIsShownOutOfFullScreen)
{
    Frame().OnCommand(ID_FULL_SCREEN);
    ExpectCoveringTheScreen();
    BOOL bFullScreenUnderBox = TRUE;
    m_responder.whileBoxOpen.push_back([&] { bFullScreenUnderBox = View().IsFullScreen(); });
    Frame().OnCommand(ID_NEXT);
    Frame().OnCommand(ID_NEXT);
    ASSERT_FALSE(m_responder.boxes.empty());
    EXPECT_FALSE(bFullScreenUnderBox);
    ExpectBackInTheWindow();
}

INSTANTIATE_TEST_SUITE_P(Renderers, FullScreen, ::testing::Values(FALSE, TRUE),
    [](const ::testing::TestParamInfo<BOOL>& info) { return info.param ? "OwnerWindow" : "Windowless"; });

} // namespace
