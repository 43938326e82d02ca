// Transport, positions, skipping, frame steps, the A-B segment and the
// volume on a fake graph: the arithmetic, the branches and the codes.

#include "FakePlayerFixture.h"

#include "player/Volume.h"

namespace {
class Transport : public PlayerTest {
protected:
    // Built and in the given state, the record of calls starting afterwards.
    std::unique_ptr<CDShowPlayer> Ready(long lState = State_Paused, LONGLONG llCurrent = 0)
    {
        auto player = Build();
        fake.state->lState = lState;
        fake.state->llCurrent = llCurrent;
        fake.state->calls.clear();
        return player;
    }
    // Positions in 100-ns units instead of frames.
    void MediaTimeOnly() { fake.state->SetResult(QStringLiteral("IsFormatSupported(Frame)"), S_FALSE); }
    QStringList Seeks() const { return fake.state->CallsNamed(QStringLiteral("SetPositions")); }
    static QString Seek(LONGLONG llCurrent) { return QStringLiteral("SetPositions(%1,1,null,0)").arg(llCurrent); }
};

TEST(Volume, BarValuesBecomeWholeDecibelsInHundredths)
{
    const std::pair<int, long> cases[] = { { 0, -10000 }, { 1, -4000 }, { 25, -1200 }, { 50, -600 }, { 89, -100 },
        { 90, 0 }, { 100, 0 }, { -5, -10000 }, { 150, 0 } };
    for (const auto& [nVolume, lLevel] : cases)
        EXPECT_EQ(VolumeToLevel(nVolume), lLevel) << nVolume;
    EXPECT_EQ(LevelToLinear(-10000), 0.0);
    EXPECT_NEAR(LevelToLinear(-600), 0.501187, 1e-6);
}

TEST_F(Transport, SkipBackwardStopsAtTheStartOrAtPointA)
{
    auto player = Ready(State_Running, 0);
    EXPECT_EQ(player->Skip(FALSE, 30), STEP_AT_LIMIT);
    EXPECT_EQ(fake.state->lState, State_Paused); // skipping leaves the graph paused
    fake.state->llCurrent = 12;
    EXPECT_EQ(player->Skip(FALSE, 30), STEP_MOVED);

    ASSERT_EQ(player->SetSegment(10, 30), 1);
    fake.state->llCurrent = 25;
    EXPECT_EQ(player->Skip(FALSE, 30), STEP_MOVED);
    EXPECT_EQ(player->Skip(FALSE, 1), STEP_AT_LIMIT);
    EXPECT_EQ(Seeks(), QStringList({ Seek(0), QStringLiteral("SetPositions(10,1,30,1)"), Seek(10) }));
}

TEST_F(Transport, SkipForwardStopsAtTheStopPosition)
{
    auto player = Ready(State_Paused, 40);
    EXPECT_EQ(player->Skip(TRUE, 30), STEP_MOVED);
    EXPECT_EQ(player->Skip(TRUE, 1), STEP_AT_LIMIT);
    EXPECT_EQ(Seeks(), QStringList({ Seek(50) }));
}

TEST_F(Transport, SkipInMediaTimeMovesByTheFrameTime)
{
    MediaTimeOnly();
    EXPECT_EQ(Ready(State_Paused, 10000000)->Skip(TRUE, 2), STEP_MOVED);
    EXPECT_EQ(fake.state->llCurrent, 10800000);
    // A picture format without a frame time counts about 29.97 frames a second.
    fake.state->videoType = FakeVideoType(640, 480, 0);
    EXPECT_EQ(Ready(State_Paused, 10000000)->Skip(FALSE, 1), STEP_MOVED);
    EXPECT_EQ(fake.state->llCurrent, 10000000 - 333666);
    // Without a picture there are no frames to skip.
    fake.state->bVideoToWindowless = false;
    EXPECT_EQ(Ready(State_Paused, 10000000)->Skip(FALSE, 1), STEP_IMPOSSIBLE);
    EXPECT_TRUE(Seeks().isEmpty());
}

TEST_F(Transport, FrameStepPausesAndStepsUnlessAtTheEndOrUnable)
{
    auto player = Ready(State_Running, 10);
    EXPECT_EQ(player->FrameStep(0), STEP_MOVED);
    EXPECT_EQ(fake.state->calls,
        QStringList({ QStringLiteral("GetState(100)"), QStringLiteral("Pause"), QStringLiteral("GetPositions"),
            QStringLiteral("QueryVideoFrameStep"), QStringLiteral("CanStep(1)"), QStringLiteral("Step(1)") }));

    fake.state->SetResult(QStringLiteral("CanStep"), S_FALSE);
    EXPECT_EQ(player->FrameStep(1), STEP_UNAVAILABLE);
    fake.state->llCurrent = 50;
    fake.state->calls.clear();
    EXPECT_EQ(player->FrameStep(1), STEP_AT_LIMIT);
    EXPECT_FALSE(fake.state->Called(QStringLiteral("QueryVideoFrameStep")));
}

TEST_F(Transport, SegmentIsRefusedWhileStoppedOrWithPointAOutsideTheMedia)
{
    auto player = Ready(State_Stopped);
    EXPECT_EQ(player->SetSegment(10, 30), 0);
    EXPECT_EQ(fake.state->calls, QStringList({ QStringLiteral("GetState(100)") }));

    fake.state->lState = State_Running;
    EXPECT_EQ(player->SetSegment(51, 60), 0);
    EXPECT_EQ(fake.state->lState, State_Paused);
    EXPECT_FALSE(player->IsSegmentActive());
}

TEST_F(Transport, SegmentClampsPositionsAndEndsAtPointBUntilCleared)
{
    auto player = Ready(State_Running);
    EXPECT_EQ(player->SetSegment(10, 30), 1);
    EXPECT_EQ(fake.state->lState, State_Running);
    player->SetPosition(35);
    player->SetPosition(5);
    fake.state->llCurrent = 29;
    EXPECT_EQ(player->IsBeforeSegmentEnd(), 1);
    fake.state->llCurrent = 30;
    EXPECT_EQ(player->IsBeforeSegmentEnd(), 0);
    player->Restart();

    // The position stays; the media's own end is the stop position again.
    fake.state->llCurrent = 20;
    EXPECT_EQ(player->ClearSegment(), 1);
    EXPECT_EQ(player->ClearSegment(), 0);
    EXPECT_EQ(Seeks(), QStringList({ QStringLiteral("SetPositions(10,1,30,1)"), Seek(30), Seek(10), Seek(10),
                           QStringLiteral("SetPositions(20,1,50,1)") }));
    EXPECT_EQ(fake.state->lState, State_Running);
    EXPECT_EQ(player->IsBeforeSegmentEnd(), 1);
}

TEST_F(Transport, SeekPlayingRefusesWhatItCannotReachAndRestoresRunning)
{
    auto player = Ready(State_Running);
    EXPECT_EQ(player->SeekPlaying(51), 0);
    EXPECT_EQ(player->SeekPlaying(50), 1);
    EXPECT_EQ(fake.state->calls,
        QStringList({ QStringLiteral("GetState(100)"), QStringLiteral("Pause"), Seek(50), QStringLiteral("Run") }));
    fake.state->lState = State_Stopped;
    EXPECT_EQ(player->SeekPlaying(3), 0);
}

TEST_F(Transport, DurationsAndFrameTime)
{
    LONGLONG llMedia = 0, llSeek = 0, llFrames = 0;
    EXPECT_EQ(Ready()->GetDurations(&llMedia, &llSeek, &llFrames), SEEKMODE_FRAME);
    EXPECT_EQ(QList<LONGLONG>({ llMedia, llSeek, llFrames }), QList<LONGLONG>({ 20000000, 50, 50 }));

    MediaTimeOnly();
    auto player = Ready();
    EXPECT_EQ(player->GetDurations(&llMedia, &llSeek, &llFrames), SEEKMODE_TIME);
    EXPECT_EQ(QList<LONGLONG>({ llMedia, llSeek, llFrames }), QList<LONGLONG>({ 20000000, 20000000, 50 }));
    EXPECT_EQ(player->GetAvgFrameTime(), 400000);

    fake.state->bVideoToWindowless = false;
    player = Ready();
    player->GetDurations(&llMedia, &llSeek, &llFrames);
    EXPECT_EQ(llFrames, -1);
    EXPECT_EQ(player->GetAvgFrameTime(), 0);
}

TEST_F(Transport, OwnerWindowFrameTimeAndVisibility)
{
    MediaTimeOnly();
    OwnerWindowVideo(*fake.state, options);
    fake.state->dAvgTimePerFrame = 0.0;
    auto player = Ready(State_Stopped, 10000000);
    EXPECT_EQ(player->Skip(TRUE, 1), STEP_IMPOSSIBLE); // the renderer must know its frame time
    fake.state->dAvgTimePerFrame = 0.04;
    EXPECT_EQ(player->Skip(TRUE, 1), STEP_MOVED);
    EXPECT_EQ(fake.state->llCurrent, 10400000);

    fake.state->calls.clear();
    player->Run();
    player->Stop();
    EXPECT_EQ(fake.state->calls, QStringList({ QStringLiteral("put_Visible(-1)"), QStringLiteral("Run"),
                                     QStringLiteral("Stop"), QStringLiteral("put_Visible(0)") }));
}

struct OperationFailure {
    const char* call;
    int nCode;
    std::function<void(CDShowPlayer&)> operation;
};

class TransportFailure : public Transport, public ::testing::WithParamInterface<OperationFailure> {};

TEST_P(TransportFailure, ThrowsItsCodeAndLeavesThePlayerUsable)
{
    const OperationFailure& c = GetParam();
    OwnerWindowVideo(*fake.state, options);
    auto player = Ready(State_Running, 10);
    fake.state->SetResult(QString::fromLatin1(c.call), MakeHr(0x80040aaa));
    const CDirectShowErrMessage e = Failure([&] { c.operation(*player); });
    EXPECT_EQ(e.m_nCode, c.nCode);
    EXPECT_EQ(e.m_nKind, c.nCode == ERR_PUT_VOLUME ? ERRKIND_VOLUME : ERRKIND_GENERAL);
    fake.state->SetResult(QString::fromLatin1(c.call), S_OK);
    EXPECT_NO_THROW(c.operation(*player));
}

INSTANTIATE_TEST_SUITE_P(EveryCall, TransportFailure,
    ::testing::Values(OperationFailure { "put_Visible", ERR_PUT_VISIBLE, [](CDShowPlayer& p) { p.Run(); } },
        OperationFailure { "Run", ERR_RUN, [](CDShowPlayer& p) { p.Run(); } },
        OperationFailure { "Pause", ERR_PAUSE, [](CDShowPlayer& p) { p.Pause(); } },
        OperationFailure { "Stop", ERR_STOP, [](CDShowPlayer& p) { p.Stop(); } },
        OperationFailure { "SetPositions", ERR_SET_POSITIONS, [](CDShowPlayer& p) { p.Restart(); } },
        OperationFailure { "GetState", ERR_GET_STATE, [](CDShowPlayer& p) { p.SeekPlaying(3); } },
        OperationFailure { "GetCurrentPosition", ERR_GET_CURRENT_POSITION, [](CDShowPlayer& p) { p.GetCurrentPosition(); } },
        OperationFailure { "GetPositions", ERR_GET_POSITIONS, [](CDShowPlayer& p) { p.Skip(FALSE, 1); } },
        OperationFailure { "Step", ERR_STEP, [](CDShowPlayer& p) { p.FrameStep(1); } },
        OperationFailure { "SetPositions", ERR_SET_POSITIONS, [](CDShowPlayer& p) { p.SetSegment(1, 5); } },
        OperationFailure { "put_Volume", ERR_PUT_VOLUME, [](CDShowPlayer& p) { p.SetVolume(-600); } }));
}
