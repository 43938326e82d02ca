// A-B repeat and frame stepping on the frame with its own view, playing
// generated clips: a 3 s, 25 fps AVI (75 frames, it seeks by frames) and a
// 2 s WAV (it seeks by time).

#include "FrameFixture.h"
#include "GstTestSupport.h"
#include "TestMedia.h"

#include "platform/ResString.h"
#include "platform/WindowMessages.h"
#include "player/DShowPlayer.h"
#include "ui/CommandIds.h"
#include "ui/CommandTable.h"
#include "ui/InfoArea.h"

#include <algorithm>
#include <limits>

namespace {

class ABRepeatStepping : public FrameFixture {
protected:
    bool UsesScriptedView() const override { return false; }

    IVideoView& View() { return Frame().View(); }
    LONGLONG Position() { return View().GetCurrentPosition(); }

    // Plays the clips as a list, from the first, until it runs.
    void Play(std::initializer_list<TestClip> clips)
    {
        for (TestClip clip : clips)
            Frame().m_playList.Add(TestMediaPath(clip));
        Frame().PlayListFromTop();
        ASSERT_TRUE(ProcessEventsUntil(
            [&] { return View().IsStarted() && View().GetPlayer()->GetState() == State_Running; }));
    }
    void PlayPaused(std::initializer_list<TestClip> clips)
    {
        ASSERT_NO_FATAL_FAILURE(Play(clips));
        Command(ID_PLAY_PAUSE);
        ASSERT_TRUE(View().IsPaused());
    }
    void SetPoints(LONGLONG llA, LONGLONG llB)
    {
        ASSERT_TRUE(View().SeekPlaying(llA));
        Command(ID_A_SET);
        ASSERT_TRUE(View().SeekPlaying(llB));
        Command(ID_B_SET);
        ASSERT_EQ(Frame().m_llPointA, llA);
        ASSERT_EQ(Frame().m_llPointB, llB);
    }
    // Waits for nLoops jumps back; the lowest position seen just after a
    // jump, or -1 when they did not come.
    LONGLONG LowestAfterLoops(int nLoops)
    {
        LONGLONG llLast = Position();
        LONGLONG llLowest = std::numeric_limits<LONGLONG>::max();
        int nJumps = 0;
        const bool bDone = ProcessEventsUntil([&] {
            const LONGLONG llNow = Position();
            if (llNow < llLast) {
                ++nJumps;
                llLowest = std::min(llLowest, llNow);
            }
            llLast = llNow;
            return nJumps >= nLoops;
        });
        return bDone ? llLowest : -1;
    }
    bool StepDone() { return ProcessEventsUntil([&] { return !Frame().m_bStepBusy; }); }

    // Enabled state of frame-forward, skip-forward, frame-back, skip-back.
    std::vector<bool> StepButtons()
    {
        CMainFrame& f = Frame();
        return { f.m_btnFrameFwd.isEnabled(), f.m_btnSkipFwd.isEnabled(), f.m_btnFrameBack.isEnabled(),
            f.m_btnSkipBack.isEnabled() };
    }
    // Go to A, go to B, clear, start (shown and enabled).
    std::vector<bool> PointButtons()
    {
        CMainFrame& f = Frame();
        return { f.m_btnAGo.isEnabled(), f.m_btnBGo.isEnabled(), f.m_btnABClear.isEnabled(),
            !f.m_btnABStart.isHidden() && f.m_btnABStart.isEnabled() };
    }
};

const std::vector<bool> kAll { true, true, true, true };
const std::vector<bool> kNone { false, false, false, false };

TEST_F(ABRepeatStepping, PointsStayInOrderAndShowAsFrameNumbers)
{
    ASSERT_NO_FATAL_FAILURE(PlayPaused({ TestClip::AviFrameCounter }));
    ASSERT_TRUE(Frame().m_bFrameCounter);
    ASSERT_TRUE(View().SeekPlaying(25)); // 1 s
    Command(ID_B_SET);
    EXPECT_EQ(Frame().m_llPointB, 25);
    EXPECT_EQ(PointButtons(), (std::vector<bool> { false, true, true, false }));

    // A after B (1.2 s), and A on B, are refused with a notice.
    ASSERT_TRUE(View().SeekPlaying(30));
    Command(ID_A_SET);
    ASSERT_TRUE(View().SeekPlaying(25));
    Command(ID_A_SET);
    ASSERT_EQ(m_responder.boxes.size(), 2u);
    EXPECT_EQ(m_responder.boxes[0].style, MB_ICONINFORMATION);
    EXPECT_EQ(TakeBoxes(), QStringList(2, LoadResString(62108)));
    EXPECT_EQ(Frame().m_llPointA, -1);

    ASSERT_TRUE(View().SeekPlaying(10));
    Command(ID_A_SET);
    EXPECT_EQ(FormatPointValue(Frame().m_llPointA, Frame().m_bFrameCounter), QStringLiteral("0000010"));
    EXPECT_EQ(FormatPointValue(Frame().m_llPointB, Frame().m_bFrameCounter), QStringLiteral("0000025"));
    EXPECT_EQ(PointButtons(), kAll);
    // B on A is refused too.
    Command(ID_B_SET);
    EXPECT_EQ(TakeBoxes(), QStringList { LoadResString(62109) });
    EXPECT_EQ(Frame().m_llPointB, 25);

    Command(ID_AB_CLEAR);
    EXPECT_EQ(Frame().m_llPointA, -1);
    EXPECT_EQ(Frame().m_llPointB, -1);
    EXPECT_EQ(PointButtons(), kNone);
    EXPECT_FALSE(Frame().m_btnABStart.isHidden());
    EXPECT_TRUE(Frame().m_btnASet.isEnabled());
}

TEST_F(ABRepeatStepping, PointsOfMediaThatSeeksByTimeShowAsTimes)
{
    ASSERT_NO_FATAL_FAILURE(PlayPaused({ TestClip::WavTwoSeconds }));
    ASSERT_FALSE(Frame().m_bFrameCounter);
    ASSERT_TRUE(View().SeekPlaying(12000000));
    Command(ID_A_SET);
    EXPECT_EQ(FormatPointValue(Frame().m_llPointA, Frame().m_bFrameCounter), QStringLiteral("00:00:01"));
    // Sound has no frames to step.
    EXPECT_FALSE(Frame().Commands().IsEnabled(ID_FRAME_FORWARD));
}

TEST_F(ABRepeatStepping, RepeatReplaysFromAAtBUntilEndedWhichKeepsPointsAndPosition)
{
    ASSERT_NO_FATAL_FAILURE(PlayPaused({ TestClip::AviFrameCounter }));
    ASSERT_NO_FATAL_FAILURE(SetPoints(10, 20));

    // Starting on a paused file plays it.
    Command(ID_AB_START);
    ASSERT_TRUE(Frame().m_bABRepeat);
    EXPECT_FALSE(View().IsPaused());
    EXPECT_FALSE(Frame().m_btnPause.isHidden());
    EXPECT_FALSE(Frame().m_btnASet.isEnabled());
    EXPECT_FALSE(Frame().m_btnABClear.isEnabled());
    EXPECT_TRUE(Frame().m_btnABStart.isHidden());
    EXPECT_TRUE(Frame().m_btnABEnd.isEnabled());
    EXPECT_TRUE(Frame().m_btnAGo.isEnabled());

    EXPECT_GE(LowestAfterLoops(2), 10);
    // The one-file loop replays the same way: from A.
    Command(ID_ONE_LOOP);
    EXPECT_GE(LowestAfterLoops(1), 10);
    EXPECT_EQ(Frame().m_playList.m_nCurrent, 0);

    // Paused on B, the position poll leaves the file paused.
    Command(ID_PLAY_PAUSE);
    Command(ID_B_GO);
    ASSERT_EQ(Position(), 20);
    Frame().m_wndView.OnTimer(CChildView::IDT_POSITION_POLL);
    EXPECT_EQ(View().GetPlayer()->GetState(), State_Paused);
    EXPECT_EQ(Position(), 20);

    Command(ID_AB_END);
    EXPECT_FALSE(Frame().m_bABRepeat);
    EXPECT_EQ(Position(), 20);
    EXPECT_EQ(Frame().m_llPointA, 10);
    EXPECT_EQ(Frame().m_llPointB, 20);
    EXPECT_TRUE(Frame().m_btnASet.isEnabled());
    EXPECT_EQ(PointButtons(), kAll);
    EXPECT_TRUE(Frame().m_btnABEnd.isHidden());
    // The media's own end holds again.
    Command(ID_ONE_LOOP);
    Command(ID_PLAY_PAUSE);
    EXPECT_TRUE(ProcessEventsUntil([&] { return Position() > 30; }));
}

TEST_F(ABRepeatStepping, StopAndAnotherEntryEndTheRepeatAndForgetThePoints)
{
    ASSERT_NO_FATAL_FAILURE(PlayPaused({ TestClip::AviFrameCounter, TestClip::AviMjpegPcm }));
    ASSERT_NO_FATAL_FAILURE(SetPoints(10, 20));
    Command(ID_AB_START);
    ASSERT_TRUE(Frame().m_bABRepeat);
    Command(ID_STOP);
    EXPECT_FALSE(View().IsStarted());
    EXPECT_FALSE(Frame().m_bABRepeat);
    EXPECT_EQ(Frame().m_llPointA, -1);
    EXPECT_EQ(Frame().m_llPointB, -1);
    EXPECT_FALSE(Frame().m_btnABStart.isHidden());
    EXPECT_FALSE(Frame().m_btnASet.isEnabled());

    Command(ID_PLAY_PAUSE);
    ASSERT_TRUE(ProcessEventsUntil([&] { return View().GetPlayer()->GetState() == State_Running; }));
    Command(ID_PLAY_PAUSE);
    ASSERT_NO_FATAL_FAILURE(SetPoints(10, 20));
    Command(ID_AB_START);
    ASSERT_TRUE(Frame().m_bABRepeat);
    Command(ID_NEXT);
    ASSERT_TRUE(ProcessEventsUntil([&] { return Frame().m_playList.m_nCurrent == 1 && View().IsStarted(); }));
    EXPECT_FALSE(Frame().m_bABRepeat);
    EXPECT_EQ(Frame().m_llPointA, -1);
    EXPECT_EQ(Frame().m_llPointB, -1);
    EXPECT_EQ(PointButtons(), kNone);
    EXPECT_TRUE(Frame().m_btnASet.isEnabled());
}

TEST_F(ABRepeatStepping, FrameForwardMovesOneFrameAndHoldsEverythingUntilItCompletes)
{
    ASSERT_NO_FATAL_FAILURE(PlayPaused({ TestClip::AviFrameCounter }));
    ASSERT_TRUE(View().SeekPlaying(10));
    EXPECT_EQ(StepButtons(), kAll);
    const QByteArray before = View().GetCurrentImage();

    Command(ID_FRAME_FORWARD);
    ASSERT_TRUE(Frame().m_bStepBusy);
    EXPECT_EQ(StepButtons(), kNone);
    // Held back while the step is under way.
    Command(ID_FRAME_BACK);
    Command(ID_A_SET);
    Command(ID_PLAY_PAUSE);
    EXPECT_EQ(Frame().m_llPointA, -1);
    EXPECT_TRUE(View().IsPaused());

    ASSERT_TRUE(StepDone());
    EXPECT_EQ(StepButtons(), kAll);
    EXPECT_EQ(Position(), 11);
    Frame().m_wndView.OnTimer(CChildView::IDT_POSITION_POLL);
    EXPECT_EQ(Frame().m_llFrame, 11);
    EXPECT_NE(View().GetCurrentImage(), before);
}

TEST_F(ABRepeatStepping, AStepThatReachesAnEndClosesThatWayUntilTheOtherWayOrTheSeekBar)
{
    ASSERT_NO_FATAL_FAILURE(PlayPaused({ TestClip::AviFrameCounter }));
    ASSERT_TRUE(View().SeekPlaying(60));
    // A skip runs into the end; the next step finds it there.
    Command(ID_SKIP_FORWARD);
    ASSERT_TRUE(StepDone());
    Command(ID_FRAME_FORWARD);
    ASSERT_TRUE(StepDone());
    EXPECT_TRUE(Frame().m_bStepAtEnd);
    EXPECT_EQ(StepButtons(), (std::vector<bool> { false, false, true, true }));
    Command(ID_FRAME_BACK);
    EXPECT_FALSE(Frame().m_bStepAtEnd);
    EXPECT_EQ(StepButtons(), kAll);

    // Skipping back near the start reaches it, then finds it.
    ASSERT_TRUE(View().SeekPlaying(10));
    Command(ID_SKIP_BACK);
    EXPECT_EQ(Position(), 0);
    Command(ID_SKIP_BACK);
    EXPECT_TRUE(Frame().m_bStepAtStart);
    EXPECT_EQ(StepButtons(), (std::vector<bool> { true, true, false, false }));

    // Using the seek bar opens both ways.
    Frame().m_bStepAtEnd = TRUE;
    CJumpSlider& bar = *Frame().m_pSeekBar;
    bar.SetPos(20);
    bar.JumpSliderNotify(WM_JUMPSLIDER_HSCROLL, SB_ENDSCROLL, &bar);
    EXPECT_FALSE(Frame().m_bStepAtStart);
    EXPECT_FALSE(Frame().m_bStepAtEnd);
    EXPECT_EQ(StepButtons(), kAll);
    EXPECT_EQ(Position(), 20);
}

} // namespace
