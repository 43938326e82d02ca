// Transport, positions, skipping, frame steps, the A-B segment and the
// volume on a fake graph: the arithmetic, the branches and the codes.

#include "FakePlayerFixture.h"

#include "player/Volume.h"

namespace {
class Transport : public PlayerTest {
protected:
    // Built, with the record of calls starting afterwards.
    std::unique_ptr<CDShowPlayer> Ready(long lState = State_Paused)
    {
        auto player = Build();
        fake.state->lState = lState;
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
    EXPECT_EQ(VolumeToLevel(0), -10000);
    EXPECT_EQ(VolumeToLevel(1), -4000);
    EXPECT_EQ(VolumeToLevel(10), -2000);
    EXPECT_EQ(VolumeToLevel(25), -1200);
    EXPECT_EQ(VolumeToLevel(50), -600);
    EXPECT_EQ(VolumeToLevel(89), -100);
    for (int v = 90; v <= 100; ++v)
        EXPECT_EQ(VolumeToLevel(v), 0) << v;
    EXPECT_EQ(VolumeToLevel(-5), -10000);
    EXPECT_EQ(VolumeToLevel(150), 0);

    EXPECT_EQ(LevelToLinear(-10000), 0.0);
    EXPECT_EQ(LevelToLinear(0), 1.0);
    EXPECT_NEAR(LevelToLinear(-600), 0.501187, 1e-6);
    EXPECT_NEAR(LevelToLinear(-2000), 0.1, 1e-12);
}

TEST_F(Transport, VolumeGoesToTheGraphAndItsFailureIsKindTwo)
{
    auto player = Ready();
    player->SetVolume(VolumeToLevel(25));
    EXPECT_EQ(fake.state->lVolume, -1200);

    fake.state->SetResult(QStringLiteral("put_Volume"), E_NOTIMPL);
    const CDirectShowErrMessage e = Failure([&] { player->SetVolume(0); });
    EXPECT_EQ(e.m_nCode, 1025);
    EXPECT_EQ(e.m_hr, E_NOTIMPL);
    EXPECT_EQ(e.m_nKind, ERRKIND_VOLUME);
}

TEST_F(Transport, OwnerWindowIsShownOnRunAndHiddenOnStop)
{
    OwnerWindowVideo(*fake.state, options);
    auto player = Ready(State_Stopped);
    player->Run();
    EXPECT_EQ(fake.state->calls, QStringList({ QStringLiteral("put_Visible(-1)"), QStringLiteral("Run") }));
    EXPECT_TRUE(fake.state->bVideoWindowVisible);
    player->Stop();
    EXPECT_EQ(fake.state->calls.mid(2), QStringList({ QStringLiteral("Stop"), QStringLiteral("put_Visible(0)") }));
    EXPECT_FALSE(fake.state->bVideoWindowVisible);
    EXPECT_EQ(fake.state->lState, State_Stopped);
}

TEST_F(Transport, RestartGoesBackToTheStartOrToPointA)
{
    auto player = Ready(State_Running);
    fake.state->llCurrent = 40;
    player->Restart();
    EXPECT_EQ(fake.state->calls, QStringList({ QStringLiteral("Pause"), Seek(0), QStringLiteral("Run") }));

    ASSERT_EQ(player->SetSegment(10, 30), 1);
    fake.state->calls.clear();
    player->Restart();
    EXPECT_EQ(Seeks(), QStringList({ Seek(10) }));
    EXPECT_EQ(fake.state->lState, State_Running);
}

TEST_F(Transport, SetPositionIsClampedIntoTheSegmentAndKeepsTheState)
{
    auto player = Ready(State_Paused);
    player->SetPosition(45);
    ASSERT_EQ(player->SetSegment(10, 30), 1);
    player->SetPosition(35);
    player->SetPosition(5);
    player->SetPosition(20);
    EXPECT_EQ(Seeks(),
        QStringList({ Seek(45), QStringLiteral("SetPositions(10,1,30,1)"), Seek(30), Seek(10), Seek(20) }));
    EXPECT_EQ(fake.state->lState, State_Paused);
}

TEST_F(Transport, SeekPlayingRefusesWhatItCannotReachAndRestoresRunning)
{
    auto player = Ready(State_Running);
    EXPECT_EQ(player->SeekPlaying(-1), 0);
    EXPECT_EQ(player->SeekPlaying(51), 0); // after the media's end
    EXPECT_TRUE(fake.state->calls.isEmpty());

    EXPECT_EQ(player->SeekPlaying(50), 1);
    EXPECT_EQ(fake.state->calls,
        QStringList({ QStringLiteral("GetState(100)"), QStringLiteral("Pause"), Seek(50), QStringLiteral("Run") }));

    fake.state->lState = State_Paused;
    fake.state->calls.clear();
    EXPECT_EQ(player->SeekPlaying(3), 1);
    EXPECT_FALSE(fake.state->Called(QStringLiteral("Run")));

    fake.state->lState = State_Stopped;
    EXPECT_EQ(player->SeekPlaying(3), 0);
    EXPECT_EQ(fake.state->lState, State_Stopped);
}

TEST_F(Transport, DurationsInFrames)
{
    auto player = Ready();
    LONGLONG llMedia = 0;
    LONGLONG llSeek = 0;
    LONGLONG llFrames = 0;
    EXPECT_EQ(player->GetDurations(&llMedia, &llSeek, &llFrames), 2);
    EXPECT_EQ(llMedia, 20000000);
    EXPECT_EQ(llSeek, 50);
    EXPECT_EQ(llFrames, 50);
    EXPECT_EQ(player->GetAvgFrameTime(), 400000);
}

TEST_F(Transport, DurationsInMediaTimeCountFramesByTheFrameTime)
{
    MediaTimeOnly();
    fake.state->videoType = FakeVideoType(640, 480, 333666, FormatType::VideoInfo2);
    auto player = Ready();
    LONGLONG llMedia = 0;
    LONGLONG llSeek = 0;
    LONGLONG llFrames = 0;
    EXPECT_EQ(player->GetDurations(&llMedia, &llSeek, &llFrames), 1);
    EXPECT_EQ(llMedia, 20000000);
    EXPECT_EQ(llSeek, 20000000);
    EXPECT_EQ(llFrames, 20000000 / 333666);

    // No frame time, or no picture at all: the frame count is unknown.
    fake.state->videoType = FakeVideoType(640, 480, 0);
    EXPECT_EQ(Ready()->GetDurations(&llMedia, &llSeek, &llFrames), 1);
    EXPECT_EQ(llFrames, -1);
    fake.state->bVideoToWindowless = false;
    auto audio = Ready();
    EXPECT_EQ(audio->GetDurations(&llMedia, &llSeek, &llFrames), 1);
    EXPECT_EQ(llFrames, -1);
    EXPECT_EQ(audio->GetAvgFrameTime(), 0);
}

TEST_F(Transport, OwnerWindowFrameTimeComesFromTheRenderer)
{
    MediaTimeOnly();
    OwnerWindowVideo(*fake.state, options);
    fake.state->dAvgTimePerFrame = 0.04;
    auto player = Ready();
    LONGLONG llMedia = 0;
    LONGLONG llSeek = 0;
    LONGLONG llFrames = 0;
    player->GetDurations(&llMedia, &llSeek, &llFrames);
    EXPECT_EQ(llFrames, 50);
    EXPECT_EQ(player->GetAvgFrameTime(), 400000);
    fake.state->SetResult(QStringLiteral("get_AvgTimePerFrame"), E_FAIL);
    player->GetDurations(&llMedia, &llSeek, &llFrames);
    EXPECT_EQ(llFrames, -1);
}

TEST_F(Transport, NothingIsPositionedWithoutADuration)
{
    fake.state->dwSeekCaps &= ~AM_SEEKING_CanGetDuration;
    auto player = Ready(State_Running);
    LONGLONG llMedia = 0;
    LONGLONG llSeek = 1;
    LONGLONG llFrames = 0;
    EXPECT_EQ(player->GetDurations(&llMedia, &llSeek, &llFrames), 0);
    EXPECT_EQ(llMedia, -1);
    EXPECT_EQ(llSeek, 0);
    EXPECT_EQ(llFrames, -1);

    player->SetPosition(10);
    EXPECT_EQ(player->SeekPlaying(10), 0);
    EXPECT_EQ(player->Skip(TRUE, 1), -1);
    EXPECT_EQ(player->FrameStep(1), -1);
    EXPECT_EQ(player->SetSegment(1, 2), 0);
    EXPECT_EQ(player->ClearSegment(), 0);
    EXPECT_TRUE(fake.state->calls.isEmpty()) << qPrintable(fake.state->calls.join(QLatin1Char(' ')));
}

TEST_F(Transport, SkipBackwardAtTheStartDoesNotSeek)
{
    auto player = Ready(State_Paused);
    fake.state->llCurrent = 0;
    EXPECT_EQ(player->Skip(FALSE, 30), 1);
    EXPECT_TRUE(Seeks().isEmpty());

    fake.state->llCurrent = 12;
    EXPECT_EQ(player->Skip(FALSE, 30), 0);
    EXPECT_EQ(Seeks(), QStringList({ Seek(0) }));
}

TEST_F(Transport, SkipBackwardInsideASegmentStopsAtPointA)
{
    auto player = Ready(State_Running);
    ASSERT_EQ(player->SetSegment(10, 30), 1);
    fake.state->llCurrent = 25;
    fake.state->calls.clear();
    EXPECT_EQ(player->Skip(FALSE, 30), 0);
    EXPECT_EQ(Seeks(), QStringList({ Seek(10) }));
    // Skipping leaves the graph paused.
    EXPECT_EQ(fake.state->lState, State_Paused);
    EXPECT_EQ(player->Skip(FALSE, 1), 1);
    EXPECT_EQ(Seeks().size(), 1);
}

TEST_F(Transport, SkipForwardStopsAtTheStopPosition)
{
    auto player = Ready();
    fake.state->llCurrent = 40;
    EXPECT_EQ(player->Skip(TRUE, 30), 0);
    EXPECT_EQ(Seeks(), QStringList({ Seek(50) }));
    EXPECT_EQ(player->Skip(TRUE, 1), 1);
    fake.state->llCurrent = 60;
    EXPECT_EQ(player->Skip(TRUE, 1), 1);
    EXPECT_EQ(Seeks().size(), 1);
}

TEST_F(Transport, SkipInMediaTimeMovesByTheFrameTime)
{
    MediaTimeOnly();
    auto player = Ready();
    fake.state->llCurrent = 10000000;
    EXPECT_EQ(player->Skip(TRUE, 2), 0);
    EXPECT_EQ(Seeks().value(0), Seek(10800000));

    // A picture format without a frame time counts about 29.97 frames a second.
    fake.state->videoType = FakeVideoType(640, 480, 0);
    player = Ready();
    fake.state->llCurrent = 10000000;
    EXPECT_EQ(player->Skip(FALSE, 1), 0);
    EXPECT_EQ(Seeks().value(0), Seek(10000000 - 333666));

    // Without a picture there are no frames to skip.
    fake.state->bVideoToWindowless = false;
    player = Ready();
    fake.state->llCurrent = 10000000;
    EXPECT_EQ(player->Skip(FALSE, 1), -1);
    EXPECT_TRUE(Seeks().isEmpty());
}

TEST_F(Transport, OwnerWindowSkipNeedsTheRenderersFrameTime)
{
    MediaTimeOnly();
    OwnerWindowVideo(*fake.state, options);
    fake.state->dAvgTimePerFrame = 0.0;
    auto player = Ready();
    fake.state->llCurrent = 10000000;
    EXPECT_EQ(player->Skip(TRUE, 1), -1);
    fake.state->dAvgTimePerFrame = 0.04;
    EXPECT_EQ(player->Skip(TRUE, 1), 0);
    EXPECT_EQ(Seeks(), QStringList({ Seek(10400000) }));
}

TEST_F(Transport, FrameStepPausesAndStepsAtLeastOneFrame)
{
    auto player = Ready(State_Running);
    fake.state->llCurrent = 10;
    EXPECT_EQ(player->FrameStep(0), 0);
    EXPECT_EQ(fake.state->calls,
        QStringList({ QStringLiteral("GetState(100)"), QStringLiteral("Pause"), QStringLiteral("GetPositions"),
            QStringLiteral("QueryVideoFrameStep"), QStringLiteral("CanStep(1)"), QStringLiteral("Step(1)") }));
    EXPECT_EQ(player->FrameStep(3), 0);
    EXPECT_TRUE(fake.state->Called(QStringLiteral("Step(3)")));
    EXPECT_EQ(fake.state->lState, State_Paused);
}

TEST_F(Transport, FrameStepAtTheStopPositionDoesNotStep)
{
    auto player = Ready();
    fake.state->llCurrent = 50;
    EXPECT_EQ(player->FrameStep(1), 1);
    EXPECT_FALSE(fake.state->Called(QStringLiteral("Step")));
}

TEST_F(Transport, FrameStepWithoutStepping)
{
    auto player = Ready();
    fake.state->SetResult(QStringLiteral("QueryVideoFrameStep"), E_NOINTERFACE);
    EXPECT_EQ(player->FrameStep(1), -2);
    fake.state->SetResult(QStringLiteral("QueryVideoFrameStep"), S_OK);
    fake.state->SetResult(QStringLiteral("CanStep"), S_FALSE);
    EXPECT_EQ(player->FrameStep(1), -2);
    EXPECT_FALSE(fake.state->Called(QStringLiteral("Step")));
}

TEST_F(Transport, SetSegmentNeedsAStartedGraphAndAPointAInsideTheMedia)
{
    auto player = Ready(State_Stopped);
    EXPECT_EQ(player->SetSegment(10, 30), 0);
    EXPECT_EQ(fake.state->calls, QStringList({ QStringLiteral("GetState(100)") }));

    fake.state->lState = State_Running;
    EXPECT_EQ(player->SetSegment(51, 60), 0);
    EXPECT_EQ(fake.state->lState, State_Paused);
    EXPECT_EQ(player->SetSegment(-1, 20), 0);
    EXPECT_TRUE(Seeks().isEmpty());
    EXPECT_FALSE(player->IsSegmentActive());
}

TEST_F(Transport, ASegmentEndsPlaybackAtPointBUntilItIsCleared)
{
    auto player = Ready(State_Running);
    EXPECT_EQ(player->SetSegment(10, 30), 1);
    EXPECT_EQ(fake.state->calls,
        QStringList({ QStringLiteral("GetState(100)"), QStringLiteral("Pause"), QStringLiteral("SetPositions(10,1,30,1)"),
            QStringLiteral("Run") }));
    EXPECT_TRUE(player->IsSegmentActive());

    fake.state->llCurrent = 29;
    EXPECT_EQ(player->IsBeforeSegmentEnd(), 1);
    fake.state->llCurrent = 30;
    EXPECT_EQ(player->IsBeforeSegmentEnd(), 0);

    // The position stays; the media's own end is the stop position again.
    fake.state->llCurrent = 20;
    fake.state->lState = State_Paused;
    fake.state->calls.clear();
    EXPECT_EQ(player->ClearSegment(), 1);
    EXPECT_EQ(Seeks(), QStringList({ QStringLiteral("SetPositions(20,1,50,1)") }));
    EXPECT_FALSE(fake.state->Called(QStringLiteral("Run")));
    EXPECT_FALSE(player->IsSegmentActive());
    EXPECT_EQ(player->IsBeforeSegmentEnd(), 1);
    EXPECT_EQ(player->ClearSegment(), 0);
}

TEST_F(Transport, ClearSegmentWhileStoppedKeepsIt)
{
    auto player = Ready(State_Paused);
    ASSERT_EQ(player->SetSegment(10, 30), 1);
    fake.state->lState = State_Stopped;
    EXPECT_EQ(player->ClearSegment(), 0);
    EXPECT_TRUE(player->IsSegmentActive());
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
    auto player = Ready(State_Running);
    fake.state->llCurrent = 10;
    const HRESULT hr = MakeHr(0x80040aaa);
    fake.state->SetResult(QString::fromLatin1(c.call), hr);
    const CDirectShowErrMessage e = Failure([&] { c.operation(*player); });
    EXPECT_EQ(e.m_nCode, c.nCode);
    EXPECT_EQ(e.m_hr, hr);
    EXPECT_EQ(e.m_nKind, ERRKIND_GENERAL);

    fake.state->SetResult(QString::fromLatin1(c.call), S_OK);
    EXPECT_NO_THROW(c.operation(*player));
}

INSTANTIATE_TEST_SUITE_P(EveryCall, TransportFailure,
    ::testing::Values(OperationFailure { "put_Visible", 1013, [](CDShowPlayer& p) { p.Run(); } },
        OperationFailure { "Run", 1006, [](CDShowPlayer& p) { p.Run(); } },
        OperationFailure { "Pause", 1026, [](CDShowPlayer& p) { p.Pause(); } },
        OperationFailure { "Stop", 1017, [](CDShowPlayer& p) { p.Stop(); } },
        OperationFailure { "put_Visible", 1013, [](CDShowPlayer& p) { p.Stop(); } },
        OperationFailure { "SetPositions", 1018, [](CDShowPlayer& p) { p.Restart(); } },
        OperationFailure { "SetPositions", 1018, [](CDShowPlayer& p) { p.SetPosition(3); } },
        OperationFailure { "GetState", 1040, [](CDShowPlayer& p) { p.SeekPlaying(3); } },
        OperationFailure { "GetCurrentPosition", 1044, [](CDShowPlayer& p) { p.GetCurrentPosition(); } },
        OperationFailure { "GetState", 1040, [](CDShowPlayer& p) { p.Skip(TRUE, 1); } },
        OperationFailure { "GetPositions", 1022, [](CDShowPlayer& p) { p.Skip(FALSE, 1); } },
        OperationFailure { "GetPositions", 1022, [](CDShowPlayer& p) { p.FrameStep(1); } },
        OperationFailure { "Step", 1042, [](CDShowPlayer& p) { p.FrameStep(1); } },
        OperationFailure { "Pause", 1026, [](CDShowPlayer& p) { p.SetSegment(1, 5); } },
        OperationFailure { "SetPositions", 1018, [](CDShowPlayer& p) { p.SetSegment(1, 5); } },
        OperationFailure { "GetCurrentPosition", 1044, [](CDShowPlayer& p) {
                              if (!p.IsSegmentActive())
                                  p.SetSegment(1, 5);
                              p.ClearSegment();
                          } }));
}
