#include "FrameFixture.h"

#include <QMenuBar>
#include <QTest>

namespace {

class MainFrameTest : public FrameFixture {
protected:
    void Show()
    {
        Frame().show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&Frame()));
        Settle();
    }

    static void Settle()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
};

TEST_F(MainFrameTest, TheWindowCannotShrinkBelowItsStartWidthOrTheControlArea)
{
    Show();
    const int startWidth = Frame().width();
    Frame().resize(100, 40);
    Settle();
    EXPECT_EQ(Frame().width(), startWidth);
    EXPECT_EQ(Frame().ClientArea()->height(), Frame().ControlHeight());
    EXPECT_EQ(Frame().OwnView().height(), 0);
}

// A fit asked for before the window is on screen is made again once it is,
// unless fitting to the controls has dropped it meanwhile.
TEST_F(MainFrameTest, FittingToTheControlsDropsAFitThatStillWaits)
{
    const QRect work(0, 0, 1000, 700);
    int w = 1920;
    int h = 1080;
    Frame().SetWorkAreaSource([work] { return work; });
    Frame().move(600, 500);
    Frame().FitWindowToVideo(w, h, TRUE);
    Frame().FitWindowToControls();
    Show();
    EXPECT_EQ(Frame().OwnView().height(), 0);
}

TEST_F(MainFrameTest, FittingToTheControlsLeavesNoVideoArea)
{
    Show();
    const int startWidth = Frame().width();
    // A maximised window does not follow the video, but is brought back
    // for the controls.
    Frame().showMaximized();
    Settle();
    const QSize maximised = Frame().size();
    int w = 160;
    int h = 600;
    Frame().FitWindowToVideo(w, h, TRUE);
    Settle();
    EXPECT_EQ(Frame().size(), maximised);
    Frame().FitWindowToControls();
    Settle();
    EXPECT_FALSE(Frame().isMaximized());
    EXPECT_EQ(Frame().size(), QSize(startWidth, Frame().ControlHeight() + Frame().menuBar()->height()));
    EXPECT_EQ(Frame().OwnView().height(), 0);
}

TEST_F(MainFrameTest, ThePrimaryKeepsTheRepeatModeForTheNextStartASecondaryWritesNothing)
{
    Command(ID_REPEAT_RANDOM);
    BuildFrame();
    EXPECT_EQ(Frame().CommandState().nLoopMode, LOOP_RANDOM);

    m_app.m_bPrimary = FALSE;
    BuildFrame();
    QFile::remove(m_ini.m_strPath);
    Command(ID_ONE_LOOP);
    EXPECT_TRUE(Frame().ViewSettings().m_bOneLoop);
    m_frame.reset();
    EXPECT_FALSE(QFile::exists(m_ini.m_strPath));
}

} // namespace
