// A-B and stepping commands on a fake graph, for what a real one cannot be
// made to do: a renderer without frame stepping, a failing position read.

#include "FakeMediaGraph.h"
#include "FrameFixture.h"

#include "player/DShowPlayer.h"
#include "ui/CommandIds.h"

namespace {

class ABRepeatSteppingTest : public FrameFixture {
protected:
    // A paused 25 fps video at frame 10; one frame is OneFrame() in the
    // view's seek unit.
    void SetUp() override
    {
        FrameFixture::SetUp();
        m_fake.state->videoType = FakeVideoType(640, 480, 400000);
        Frame().OwnView().SetGraphFactory(&m_fake.factory);
        Frame().SetVideoView(nullptr);
        Frame().OnDropFiles({ QStringLiteral("/m/a.avi") });
        Command(ID_PLAY_PAUSE);
        ASSERT_TRUE(Frame().View().IsPaused());
        m_fake.state->llCurrent = 10 * OneFrame();
    }
    LONGLONG OneFrame() const { return m_frame->Marks().bFrameCounter ? 1 : 400000; }

    FakeGraphSetup m_fake;
};

TEST_F(ABRepeatSteppingTest, ARendererThatCannotStepMovesOneFrameBySeekingAndWaitsForNothing)
{
    m_fake.state->SetResult(QStringLiteral("CanStep"), S_FALSE);
    Command(ID_FRAME_FORWARD);
    EXPECT_EQ(m_fake.state->llCurrent, 11 * OneFrame());
    EXPECT_FALSE(m_fake.state->Called(QStringLiteral("Step")));
    EXPECT_FALSE(Frame().Marks().bStepBusy);
    EXPECT_TRUE(Button(ID_FRAME_FORWARD).isEnabled());
    EXPECT_TRUE(Button(ID_FRAME_BACK).isEnabled());
}

} // namespace
