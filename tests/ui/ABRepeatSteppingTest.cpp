// A-B and stepping commands on a fake graph: what the real one cannot be
// made to do (a renderer without frame stepping, a failing position read)
// and the guards that the menu items do not show.

#include "FakeMediaGraph.h"
#include "FrameFixture.h"

#include "platform/ResString.h"
#include "player/DShowPlayer.h"
#include "ui/CommandIds.h"
#include "ui/CommandTable.h"

namespace {

class ABRepeatSteppingTest : public FrameFixture {
protected:
    // A paused 25 fps video at llAt (in the view's seek unit).
    void PlayPausedAt(LONGLONG llAt)
    {
        m_fake.state->videoType = FakeVideoType(640, 480, 400000);
        Frame().m_wndView.SetGraphFactory(&m_fake.factory);
        Frame().SetVideoView(nullptr);
        Frame().m_playList.Add(QStringLiteral("/m/a.avi"));
        Frame().PlayListFromTop();
        ASSERT_TRUE(Frame().View().IsStarted());
        Command(ID_PLAY_PAUSE);
        ASSERT_TRUE(Frame().View().IsPaused());
        m_fake.state->llCurrent = llAt;
    }
    // One frame in the view's seek unit.
    LONGLONG OneFrame() const { return m_frame->m_bFrameCounter ? 1 : 400000; }

    FakeGraphSetup m_fake;
};

TEST_F(ABRepeatSteppingTest, ARendererThatCannotStepMovesOneFrameBySeekingAndWaitsForNothing)
{
    ASSERT_NO_FATAL_FAILURE(PlayPausedAt(0));
    m_fake.state->SetResult(QStringLiteral("CanStep"), S_FALSE);
    const LONGLONG llStart = 10 * OneFrame();
    m_fake.state->llCurrent = llStart;
    Command(ID_FRAME_FORWARD);
    EXPECT_EQ(m_fake.state->llCurrent, llStart + OneFrame());
    EXPECT_FALSE(m_fake.state->Called(QStringLiteral("Step")));
    EXPECT_FALSE(Frame().m_bStepBusy);
    EXPECT_TRUE(Frame().m_btnFrameFwd.isEnabled());
    EXPECT_TRUE(Frame().m_btnFrameBack.isEnabled());
    EXPECT_TRUE(m_responder.boxes.empty());
}

TEST_F(ABRepeatSteppingTest, AStillImageSaveHoldsPointsAndStepsAndAPendingStepHoldsThePoints)
{
    ASSERT_NO_FATAL_FAILURE(PlayPausedAt(0));
    m_fake.state->llCurrent = 5 * OneFrame();
    Frame().m_bCapturing = TRUE;
    Command(ID_A_SET);
    Command(ID_FRAME_FORWARD);
    Command(ID_SKIP_BACK);
    EXPECT_EQ(Frame().m_llPointA, -1);
    EXPECT_FALSE(m_fake.state->Called(QStringLiteral("Step")));
    EXPECT_EQ(m_fake.state->llCurrent, 5 * OneFrame());

    // The menu offers set A while a step is pending; the command still waits.
    Frame().m_bCapturing = FALSE;
    Frame().m_bStepBusy = TRUE;
    EXPECT_TRUE(Frame().Commands().IsEnabled(ID_A_SET));
    Command(ID_A_SET);
    EXPECT_EQ(Frame().m_llPointA, -1);
    Frame().m_bStepBusy = FALSE;
    Command(ID_A_SET);
    EXPECT_EQ(Frame().m_llPointA, 5 * OneFrame());
}

TEST_F(ABRepeatSteppingTest, APositionThatCannotBeReadLeavesThePointAsItWas)
{
    ASSERT_NO_FATAL_FAILURE(PlayPausedAt(0));
    m_fake.state->llCurrent = 3 * OneFrame();
    Command(ID_A_SET);
    ASSERT_EQ(Frame().m_llPointA, 3 * OneFrame());
    m_fake.state->SetResult(QStringLiteral("GetCurrentPosition"), E_FAIL);
    Command(ID_A_SET);
    Command(ID_B_SET);
    EXPECT_EQ(Frame().m_llPointA, 3 * OneFrame());
    EXPECT_EQ(Frame().m_llPointB, -1);
    // Only the failures were reported, no point-order notice.
    EXPECT_EQ(m_responder.boxes.size(), 2u);
    EXPECT_FALSE(TakeBoxes().contains(LoadResString(62109)));
}

} // namespace
