// The main window on a real X display: Ctrl+P and the right mouse button
// pause and resume what plays, the play/pause button pair follows, and
// Ctrl+S stops.

#include "FrameFixture.h"
#include "GstTestSupport.h"
#include "TestMedia.h"

#include "player/DShowPlayer.h"

#include <QTest>

namespace {

class PlayPauseKey : public OnScreenFrameFixture {
protected:
    // The graph reached the state and the pair shows the button for the
    // other one.
    bool Shows(long lState)
    {
        CMainFrame& f = Frame();
        return ProcessEventsUntil([&] {
            const bool bPlaying = lState == State_Running;
            return f.m_wndView.GetPlayer()->GetState() == lState && f.m_btnPause.isVisible() == bPlaying
                && f.m_btnPlay.isVisible() == !bPlaying;
        });
    }
};

TEST_F(PlayPauseKey, CtrlPAndTheRightButtonToggleThePauseAndCtrlSStops)
{
    CMainFrame& f = Frame();
    f.m_bOneLoop = TRUE; // still playing however long the checks take
    f.m_playList.Add(TestMediaPath(TestClip::AviFrameCounter));
    f.show();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    f.PlayListFromTop();
    ASSERT_TRUE(Shows(State_Running));

    QTest::keyClick(&f.m_wndView, Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(Shows(State_Paused));
    EXPECT_TRUE(f.m_btnFrameFwd.isEnabled());
    QTest::keyClick(&f.m_wndView, Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(Shows(State_Running));
    EXPECT_FALSE(f.m_btnFrameFwd.isEnabled());

    QTest::mouseClick(&f.m_wndView, Qt::RightButton);
    EXPECT_TRUE(Shows(State_Paused));
    QTest::keyClick(&f.m_wndView, Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(f.m_wndView.IsStarted());
    EXPECT_FALSE(f.m_btnStop.isEnabled());
    EXPECT_TRUE(m_responder.boxes.empty());
}

} // namespace
