// The keys, the wheel and the right button people expect of a player, on a
// real X display: they act wherever the focus is, only when their command
// may, and Space never presses the focused button instead.

#include "FrameFixture.h"
#include "GstTestSupport.h"
#include "TestMedia.h"

#include "player/DShowPlayer.h"
#include "ui/CommandIds.h"
#include "ui/CommandTable.h"

#include <QAction>
#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <cmath>

namespace {

class DesktopKeys : public OnScreenFrameFixture {
protected:
    void Open(const QStringList& files)
    {
        CMainFrame& f = Frame();
        f.show();
        f.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
        f.OnDropFiles(files);
        ASSERT_TRUE(InState(State_Running));
    }
    bool InState(long lState)
    {
        return ProcessEventsUntil([&] {
            CDShowPlayer* player = Frame().OwnView().GetPlayer();
            return player && Frame().OwnView().IsStarted() && player->GetState() == lState;
        });
    }
    // A key as the user types it: to whatever has the focus.
    void Press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget();
        if (!target)
            target = &Frame();
        // Media keys have no character; give the text so QTest need not
        // look one up.
        const QString text = key < 0x100 ? QString(QChar(key)).toLower() : QString();
        QTest::sendKeyEvent(QTest::Press, target, key, text, mods);
        QTest::sendKeyEvent(QTest::Release, target, key, text, mods);
    }
    void Wheel(QWidget& bar, int nAngle)
    {
        const QPointF at(bar.width() / 2.0, bar.height() / 2.0);
        QWheelEvent event(at, bar.mapToGlobal(at), QPoint(), QPoint(0, nAngle), Qt::NoButton, Qt::NoModifier,
            Qt::NoScrollPhase, false);
        QApplication::sendEvent(&bar, &event);
    }
    double PositionSeconds()
    {
        LONGLONG llDuration = -1;
        LONGLONG llFrames = -1;
        const int nMode = Frame().OwnView().GetDurations(&llDuration, &llFrames);
        const double dPos = double(Frame().OwnView().GetCurrentPosition());
        return nMode == 2 ? dPos * (llDuration / 1e7) / llFrames : dPos / 1e7;
    }
    bool PositionReaches(double dSeconds)
    {
        return ProcessEventsUntil([&] { return std::abs(PositionSeconds() - dSeconds) < 0.3; });
    }
};

TEST_F(DesktopKeys, SpaceAndTheMediaKeysDriveTheTransportWhateverHasTheFocus)
{
    CMainFrame& f = Frame();
    const QString first = TestMediaPath(TestClip::AviLongSmall);
    const QString second = TestMediaPath(TestClip::AviFrameCounter);
    Open({ first, second });

    // Space goes to the player, not to the focused stop button.
    Button(ID_STOP).setFocus();
    ASSERT_TRUE(Button(ID_STOP).hasFocus());
    Press(Qt::Key_Space);
    EXPECT_TRUE(InState(State_Paused));
    EXPECT_TRUE(Button(ID_PLAY_PAUSE).isVisible());

    // Pause only pauses; Play only plays.
    Press(Qt::Key_MediaPause);
    EXPECT_TRUE(InState(State_Paused));
    Press(Qt::Key_MediaTogglePlayPause);
    EXPECT_TRUE(InState(State_Running));
    Press(Qt::Key_MediaPlay);
    EXPECT_TRUE(InState(State_Running));

    Press(Qt::Key_MediaNext);
    EXPECT_TRUE(ProcessEventsUntil([&] { return f.LoadedFile() == second; }));
    Press(Qt::Key_MediaPrevious);
    EXPECT_TRUE(ProcessEventsUntil([&] { return f.LoadedFile() == first; }));
    ASSERT_TRUE(InState(State_Running));
    Press(Qt::Key_MediaStop);
    EXPECT_TRUE(ProcessEventsUntil([&] { return !f.OwnView().IsStarted(); }));
    Press(Qt::Key_Space);
    EXPECT_TRUE(InState(State_Running));
    EXPECT_TRUE(m_responder.boxes.empty());
}

TEST_F(DesktopKeys, CtrlPAndTheRightButtonToggleThePauseAndCtrlSStops)
{
    CMainFrame& f = Frame();
    Open({ TestMediaPath(TestClip::AviLongSmall) });
    QTest::keyClick(&f.OwnView(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(InState(State_Paused));
    EXPECT_TRUE(Button(ID_PLAY_PAUSE).isVisible());
    EXPECT_TRUE(Button(ID_FRAME_FORWARD).isEnabled());
    QTest::keyClick(&f.OwnView(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(InState(State_Running));
    EXPECT_TRUE(Button(ID_PLAY_PAUSE, 1).isVisible());
    EXPECT_FALSE(Button(ID_FRAME_FORWARD).isEnabled());

    QTest::mouseClick(&f.OwnView(), Qt::RightButton);
    EXPECT_TRUE(InState(State_Paused));
    QTest::keyClick(&f.OwnView(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(f.OwnView().IsStarted());
    EXPECT_FALSE(Button(ID_STOP).isEnabled());
}

TEST_F(DesktopKeys, ArrowsAndTheWheelSeekByFiveSecondsAndStepTheVolumeByFive)
{
    CMainFrame& f = Frame();
    Open({ TestMediaPath(TestClip::AviLongSmall) });
    Press(Qt::Key_Space);
    ASSERT_TRUE(InState(State_Paused));
    ASSERT_TRUE(PositionReaches(PositionSeconds()));
    const double dStart = PositionSeconds();

    Press(Qt::Key_Right);
    EXPECT_TRUE(PositionReaches(dStart + 5)) << PositionSeconds();
    Wheel(*f.SeekBar(), 120);
    EXPECT_TRUE(PositionReaches(dStart + 10)) << PositionSeconds();
    Press(Qt::Key_Left);
    EXPECT_TRUE(PositionReaches(dStart + 5)) << PositionSeconds();
    // Not past the start; a seek does not start a paused file.
    Press(Qt::Key_Left);
    Press(Qt::Key_Left);
    EXPECT_TRUE(PositionReaches(0)) << PositionSeconds();
    EXPECT_TRUE(InState(State_Paused));

    f.OwnView().setFocus();
    const int nVolume = f.ViewSettings().m_nVolume;
    Press(Qt::Key_Down);
    EXPECT_EQ(f.ViewSettings().m_nVolume, nVolume - 5);
    EXPECT_EQ(VolumeBar().GetPos(), nVolume - 5);
    Wheel(VolumeBar(), 120);
    EXPECT_EQ(f.ViewSettings().m_nVolume, nVolume);
    // Half notches of a touchpad add up to one step.
    Wheel(VolumeBar(), 60);
    EXPECT_EQ(f.ViewSettings().m_nVolume, nVolume);
    Wheel(VolumeBar(), 60);
    EXPECT_EQ(f.ViewSettings().m_nVolume, nVolume + 5);
    for (int i = 0; i < 30; ++i)
        Press(Qt::Key_Up);
    EXPECT_EQ(f.ViewSettings().m_nVolume, 100);

    // A focused bar keeps its own arrow keys.
    VolumeBar().setFocus();
    ASSERT_TRUE(VolumeBar().hasFocus());
    Press(Qt::Key_Left);
    EXPECT_EQ(VolumeBar().GetPos(), 99);
    EXPECT_EQ(f.ViewSettings().m_nVolume, 99);
    EXPECT_TRUE(m_responder.boxes.empty());
}

TEST_F(DesktopKeys, KeysDoNothingWhereTheirCommandWouldBeGrey)
{
    CMainFrame& f = Frame();
    f.show();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    QSignalSpy fullScreen(f.Commands().Action(ID_FULL_SCREEN), &QAction::triggered);
    for (Qt::Key key : { Qt::Key_Space, Qt::Key_Right, Qt::Key_Left, Qt::Key_MediaPlay, Qt::Key_MediaNext,
             Qt::Key_MediaStop, Qt::Key_F11 })
        Press(key);
    Wheel(*f.SeekBar(), 120);
    EXPECT_EQ(fullScreen.count(), 1);
    EXPECT_FALSE(f.OwnView().IsLoaded());
    EXPECT_FALSE(f.OwnView().IsFullScreen());
    EXPECT_TRUE(m_responder.boxes.empty());

    // Ctrl+O asks for media files; Ctrl+Q ends the program.
    Press(Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(m_responder.dialogDirs.size(), 1u);
    Press(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(ProcessEventsUntil([&] { return !f.isVisible(); }));
}

} // namespace
