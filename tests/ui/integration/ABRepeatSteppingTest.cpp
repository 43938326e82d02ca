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
    const CPlaybackMarks& Marks() { return Frame().Marks(); }
    LONGLONG Position() { return View().GetCurrentPosition(); }

    // Plays the clips as a list and pauses the first once it runs.
    void PlayPaused(std::initializer_list<TestClip> clips)
    {
        QStringList paths;
        for (TestClip clip : clips)
            paths << TestMediaPath(clip);
        Frame().OnDropFiles(paths);
        ASSERT_TRUE(ProcessEventsUntil(
            [&] { return View().IsStarted() && View().GetPlayer()->GetState() == State_Running; }));
        Command(ID_PLAY_PAUSE);
        ASSERT_TRUE(View().IsPaused());
    }
    // Sets the point by command nID at llAt.
    void PointAt(int nID, LONGLONG llAt)
    {
        ASSERT_TRUE(View().SeekPlaying(llAt));
        Command(nID);
    }
    void SetPoints(LONGLONG llA, LONGLONG llB)
    {
        PointAt(ID_A_SET, llA);
        PointAt(ID_B_SET, llB);
        ASSERT_EQ(Marks().llPointB, llB);
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
    bool NoPoints() { return Marks().llPointA == -1 && Marks().llPointB == -1; }
    bool StepDone() { return ProcessEventsUntil([&] { return !Marks().bStepBusy; }); }

    // Enabled state of frame-forward, skip-forward, frame-back, skip-back.
    std::vector<bool> StepButtons()
    {
        return { Button(ID_FRAME_FORWARD).isEnabled(), Button(ID_SKIP_FORWARD).isEnabled(),
            Button(ID_FRAME_BACK).isEnabled(), Button(ID_SKIP_BACK).isEnabled() };
    }
    // Go to A, go to B, clear, start (shown and enabled).
    std::vector<bool> PointButtons()
    {
        return { Button(ID_A_GO).isEnabled(), Button(ID_B_GO).isEnabled(), Button(ID_AB_CLEAR).isEnabled(),
            !Button(ID_AB_START).isHidden() && Button(ID_AB_START).isEnabled() };
    }
};

const std::vector<bool> kAll { true, true, true, true };
const std::vector<bool> kNone { false, false, false, false };

TEST_F(ABRepeatStepping, PointsStayInOrderShowInTheMediasUnitAndClear)
{
    ASSERT_NO_FATAL_FAILURE(PlayPaused({ TestClip::AviFrameCounter }));
    ASSERT_TRUE(Marks().bFrameCounter);
    PointAt(ID_B_SET, 25); // 1 s
    EXPECT_EQ(PointButtons(), (std::vector<bool> { false, true, true, false }));
    // A after B (1.2 s) or on B, and B on A, are refused with a notice.
    PointAt(ID_A_SET, 30);
    PointAt(ID_A_SET, 25);
    EXPECT_EQ(Marks().llPointA, -1);
    PointAt(ID_A_SET, 10);
    Command(ID_B_SET);
    ASSERT_EQ(m_responder.boxes.size(), 3u);
    EXPECT_EQ(m_responder.boxes[0].style, MB_ICONINFORMATION);
    EXPECT_EQ(TakeBoxes(), (QStringList { LoadResString(IDS_A_AFTER_B), LoadResString(IDS_A_AFTER_B), LoadResString(IDS_B_BEFORE_A) }));
    EXPECT_EQ(FormatPointValue(Marks().llPointA, Marks().bFrameCounter), QStringLiteral("0000010"));
    EXPECT_EQ(FormatPointValue(Marks().llPointB, Marks().bFrameCounter), QStringLiteral("0000025"));
    EXPECT_EQ(PointButtons(), kAll);

    Command(ID_AB_CLEAR);
    EXPECT_TRUE(NoPoints());
    EXPECT_EQ(PointButtons(), kNone);
    EXPECT_FALSE(Button(ID_AB_START).isHidden());
}

TEST_F(ABRepeatStepping, PointsOfMediaThatSeeksByTimeShowAsTimes)
{
    ASSERT_NO_FATAL_FAILURE(PlayPaused({ TestClip::WavTwoSeconds }));
    PointAt(ID_A_SET, 12000000);
    EXPECT_EQ(FormatPointValue(Marks().llPointA, Marks().bFrameCounter), QStringLiteral("00:00:01"));
}

TEST_F(ABRepeatStepping, RepeatReplaysFromAAtBUntilEndedWhichKeepsPointsAndPosition)
{
    ASSERT_NO_FATAL_FAILURE(PlayPaused({ TestClip::AviFrameCounter }));
    ASSERT_NO_FATAL_FAILURE(SetPoints(10, 20));
    // Starting on a paused file plays it.
    Command(ID_AB_START);
    ASSERT_TRUE(Marks().bABRepeat);
    EXPECT_FALSE(View().IsPaused());
    EXPECT_EQ(PointButtons(), (std::vector<bool> { true, true, false, false }));
    EXPECT_FALSE(Button(ID_A_SET).isEnabled());
    EXPECT_TRUE(Button(ID_AB_END).isEnabled());

    EXPECT_GE(LowestAfterLoops(2), 10);
    // With the one-file loop too, B still leads back to A.
    Command(ID_ONE_LOOP);
    EXPECT_GE(LowestAfterLoops(1), 10);

    // Paused on B, the position poll leaves the file paused.
    Command(ID_PLAY_PAUSE);
    Command(ID_B_GO);
    Frame().OwnView().OnTimer(CChildView::IDT_POSITION_POLL);
    EXPECT_EQ(View().GetPlayer()->GetState(), State_Paused);
    EXPECT_EQ(Position(), 20);

    Command(ID_AB_END);
    EXPECT_FALSE(Marks().bABRepeat);
    EXPECT_EQ(Position(), 20);
    EXPECT_EQ(Marks().llPointA, 10);
    EXPECT_EQ(PointButtons(), kAll);
    // The media's own end holds again.
    Command(ID_ONE_LOOP);
    Command(ID_PLAY_PAUSE);
    EXPECT_TRUE(ProcessEventsUntil([&] { return Position() > 30; }));
}

TEST_F(ABRepeatStepping, StopAndAnotherEntryEndTheRepeatAndForgetThePoints)
{
    ASSERT_NO_FATAL_FAILURE(PlayPaused({ TestClip::AviFrameCounter, TestClip::AviMjpegPcm }));
    auto repeatThen = [&](int nCommand) {
        ASSERT_NO_FATAL_FAILURE(SetPoints(10, 20));
        Command(ID_AB_START);
        ASSERT_TRUE(Marks().bABRepeat);
        Command(nCommand);
        EXPECT_FALSE(Marks().bABRepeat);
        EXPECT_TRUE(NoPoints());
        EXPECT_EQ(PointButtons(), kNone);
    };
    repeatThen(ID_STOP);
    Command(ID_PLAY_PAUSE);
    ASSERT_TRUE(ProcessEventsUntil([&] { return View().GetPlayer()->GetState() == State_Running; }));
    Command(ID_PLAY_PAUSE);
    repeatThen(ID_NEXT);
    EXPECT_EQ(Current(), 1);
}

TEST_F(ABRepeatStepping, FrameForwardMovesOneFrameAndHoldsEverythingUntilItCompletes)
{
    ASSERT_NO_FATAL_FAILURE(PlayPaused({ TestClip::AviFrameCounter }));
    ASSERT_TRUE(View().SeekPlaying(10));
    EXPECT_EQ(StepButtons(), kAll);
    const QByteArray before = View().GetCurrentImage();
    Command(ID_FRAME_FORWARD);
    ASSERT_TRUE(Marks().bStepBusy);
    EXPECT_EQ(StepButtons(), kNone);
    Command(ID_FRAME_BACK);
    Command(ID_A_SET);
    Command(ID_PLAY_PAUSE);
    EXPECT_EQ(Marks().llPointA, -1);
    EXPECT_TRUE(View().IsPaused());

    ASSERT_TRUE(StepDone());
    EXPECT_EQ(StepButtons(), kAll);
    EXPECT_EQ(Position(), 11);
    Frame().OwnView().OnTimer(CChildView::IDT_POSITION_POLL);
    EXPECT_EQ(Marks().llFrame, 11);
    EXPECT_NE(View().GetCurrentImage(), before);
}

TEST_F(ABRepeatStepping, AStepThatReachesAnEndClosesThatWayUntilTheOtherWayOrTheSeekBar)
{
    ASSERT_NO_FATAL_FAILURE(PlayPaused({ TestClip::AviFrameCounter }));
    // A skip runs into the end; the next step finds it there.
    ASSERT_TRUE(View().SeekPlaying(60));
    Command(ID_SKIP_FORWARD);
    ASSERT_TRUE(StepDone());
    Command(ID_FRAME_FORWARD);
    EXPECT_EQ(StepButtons(), (std::vector<bool> { false, false, true, true }));
    Command(ID_FRAME_BACK);
    EXPECT_EQ(StepButtons(), kAll);

    // Skipping back near the start reaches it, then finds it.
    ASSERT_TRUE(View().SeekPlaying(10));
    Command(ID_SKIP_BACK);
    EXPECT_EQ(Position(), 0);
    Command(ID_SKIP_BACK);
    EXPECT_EQ(StepButtons(), (std::vector<bool> { true, true, false, false }));

    // Using the seek bar opens either way again.
    CJumpSlider& bar = *Frame().SeekBar();
    auto release = [&](int nPos) { bar.SetPos(nPos); bar.JumpSliderNotify(WM_JUMPSLIDER_HSCROLL, SB_ENDSCROLL, &bar); };
    release(74);
    EXPECT_EQ(StepButtons(), kAll);
    Command(ID_FRAME_FORWARD);
    ASSERT_TRUE(StepDone());
    ASSERT_TRUE(Marks().bStepAtEnd);
    release(20);
    EXPECT_FALSE(Marks().bStepAtEnd);
    EXPECT_EQ(StepButtons(), kAll);
    EXPECT_EQ(Position(), 20);
}

} // namespace
