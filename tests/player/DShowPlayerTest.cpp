// The player on a fake graph, for what a real one cannot be made to do: how
// a failure is reported and what it leaves, where the notices go, what is
// dropped quietly, and the limits of skipping.

#include "FakeMediaGraph.h"

#include "filters/FilterNameList.h"
#include "player/DShowPlayer.h"
#include "player/ErrMessage.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QWidget>

#include <functional>

namespace {
const QString kVMR9 = kWindowlessRendererName;
const QString kFakeFile = QStringLiteral("/media/clip.avi");

// A file whose picture (25 frames a second) goes to the windowless renderer.
class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override { fake.state->videoType = FakeVideoType(640, 480, 400000); }

    std::unique_ptr<CDShowPlayer> Build()
    {
        return std::make_unique<CDShowPlayer>(
            kFakeFile, TRUE, FALSE, bDisableDeinterlace, &blackList, &firstUse, &view, &notifyTarget, fake.factory);
    }

    // The error an operation throws; fails the test when none is thrown.
    static CDirectShowErrMessage Failure(const std::function<void()>& operation)
    {
        try {
            operation();
        } catch (const CDirectShowErrMessage& e) {
            return e;
        }
        ADD_FAILURE() << "nothing was thrown";
        return CDirectShowErrMessage();
    }
    CDirectShowErrMessage BuildFailure() { return Failure([&] { Build(); }); }

    FakeGraphSetup fake;
    BOOL bDisableDeinterlace = FALSE;
    FilterNameList blackList;
    FilterNameList firstUse;
    QWidget view;
    QObject notifyTarget;
};

// Any failing step throws its code with the call's result and holds nothing:
// no graph, no site, no notify window. Rendering's keeps the framework's word.
TEST_F(PlayerTest, AFailedStepThrowsItsCodeAndResultAndHoldsNothing)
{
    const HRESULT hr = MakeHr(0x80041234);
    fake.state->SetResult(QStringLiteral("RenderFile"), hr);
    CDirectShowErrMessage e = BuildFailure();
    EXPECT_EQ(e.m_nCode, ERR_RENDER_FILE);
    EXPECT_EQ(e.m_hr, hr);
    EXPECT_EQ(e.m_nKind, ERRKIND_GENERAL);
    EXPECT_EQ(e.m_strDetail, QStringLiteral("fake detail"));
    EXPECT_EQ(fake.state->nGraphsAlive, 0);
    EXPECT_EQ(fake.state->pSite, nullptr);

    // A step after the notify window was set.
    fake.state->SetResult(QStringLiteral("RenderFile"), S_OK);
    fake.state->SetResult(QStringLiteral("GetCapabilities"), hr);
    e = BuildFailure();
    EXPECT_EQ(e.m_nCode, ERR_GET_CAPABILITIES);
    EXPECT_EQ(e.m_hr, hr);
    EXPECT_EQ(fake.state->nGraphsAlive, 0);
    EXPECT_EQ(fake.state->pSite, nullptr);
    EXPECT_EQ(fake.state->pNotifyWindow, nullptr);
}

TEST_F(PlayerTest, BuildsAStoppedGraphWhoseNoticesGoToTheTargetItWasGiven)
{
    auto player = Build();
    EXPECT_FALSE(fake.state->Called(QStringLiteral("Run")));
    EXPECT_EQ(fake.state->pNotifyWindow, &notifyTarget);
    EXPECT_EQ(fake.state->pClippingWindow, &view);
    EXPECT_EQ(fake.state->dwAspectRatioMode, VMR9ARMode_LetterBox);

    const qintptr lNotifyData = player->GetNotifyData();
    player.reset();
    EXPECT_EQ(fake.state->pNotifyWindow, nullptr);
    EXPECT_EQ(fake.state->nGraphsAlive, 0);
    // The next player's notices are told apart from this one's.
    EXPECT_NE(Build()->GetNotifyData(), lNotifyData);
}

// Removed before rendering, so the file is rendered without it, and nothing
// is reported: one without a deinterlace control when deinterlacing is to be
// off, and one that cannot take the window.
TEST_F(PlayerTest, AWindowlessRendererThatCannotBeSetUpIsRemovedBeforeRendering)
{
    bDisableDeinterlace = TRUE;
    EXPECT_FALSE(Build()->HasWindowlessControl());

    bDisableDeinterlace = FALSE;
    fake.state->SetResult(kVMR9 + QStringLiteral("::SetVideoClippingWindow"), E_FAIL);
    EXPECT_FALSE(Build()->HasWindowlessControl());
    fake.state->SetResult(kVMR9 + QStringLiteral("::SetVideoClippingWindow"), S_OK);
    EXPECT_TRUE(Build()->HasWindowlessControl());
}

TEST_F(PlayerTest, FilterTableHoldsAtMostAHundredNamesOf127Characters)
{
    const QString strLong(200, QLatin1Char('n'));
    fake.state->rendered.clear();
    for (int i = 0; i < 120; ++i)
        fake.state->rendered.push_back(FakeFilterSpec::Connected(i == 0 ? strLong : QStringLiteral("f%1").arg(i)));
    auto player = Build();
    EXPECT_EQ(player->GetFilterCount(), CDShowPlayer::MAX_FILTERS);
    EXPECT_EQ(player->GetFilterName(0), strLong.left(127));
    EXPECT_EQ(player->GetFilterName(99), QStringLiteral("f99"));
    EXPECT_EQ(player->GetFilterName(100), QString());
}

TEST_F(PlayerTest, FrameFormatWinsNotImplementedIsAcceptedOtherFailuresAreNot)
{
    EXPECT_EQ(Build()->GetSeekMode(), SEEKMODE_FRAME);
    fake.state->SetResult(QStringLiteral("IsFormatSupported(Frame)"), E_NOTIMPL);
    auto player = Build();
    EXPECT_EQ(player->GetSeekMode(), SEEKMODE_TIME);
    EXPECT_EQ(player->GetStopPosition(), fake.state->llDurationTime);

    fake.state->SetResult(QStringLiteral("IsFormatSupported(Frame)"), E_FAIL);
    EXPECT_EQ(BuildFailure().m_nCode, ERR_FORMAT_NOT_SUPPORTED);
}

// Positions are frames here, 50 of them; the ends of the media are met on
// real clips by the frame's stepping tests.
TEST_F(PlayerTest, SkipBackStopsAtPointA)
{
    auto player = Build();
    fake.state->lState = State_Running;
    ASSERT_EQ(player->SetSegment(10, 30), 1);
    fake.state->llCurrent = 25;
    EXPECT_EQ(player->Skip(FALSE, 30), STEP_MOVED);
    EXPECT_EQ(fake.state->lState, State_Paused); // skipping leaves the graph paused
    EXPECT_EQ(fake.state->llCurrent, 10);
    EXPECT_EQ(player->Skip(FALSE, 1), STEP_AT_LIMIT);
}

TEST_F(PlayerTest, SkipInMediaTimeMovesByTheFrameTime)
{
    fake.state->SetResult(QStringLiteral("IsFormatSupported(Frame)"), S_FALSE);
    auto skip = [&](BOOL bForward, LONGLONG llCount) {
        auto player = Build();
        fake.state->llCurrent = 10000000;
        return player->Skip(bForward, llCount);
    };
    EXPECT_EQ(skip(TRUE, 2), STEP_MOVED);
    EXPECT_EQ(fake.state->llCurrent, 10800000);
    // A picture format without a frame time counts about 29.97 frames a second.
    fake.state->videoType = FakeVideoType(640, 480, 0);
    EXPECT_EQ(skip(FALSE, 1), STEP_MOVED);
    EXPECT_EQ(fake.state->llCurrent, 10000000 - 333666);
    // Without a picture there are no frames to skip.
    fake.state->bVideoToWindowless = false;
    EXPECT_EQ(skip(FALSE, 1), STEP_IMPOSSIBLE);
}

// A failed call throws its code with the call's result, of the kind that
// tells the caller what to give up, and the player goes on working.
TEST_F(PlayerTest, AFailedCallThrowsItsCodeAndKindAndLeavesThePlayerUsable)
{
    auto player = Build();
    fake.state->lState = State_Running;
    const HRESULT hr = MakeHr(0x80040aaa);
    fake.state->SetResult(QStringLiteral("Step"), hr);
    CDirectShowErrMessage e = Failure([&] { player->FrameStep(1); });
    EXPECT_EQ(e.m_nCode, ERR_STEP);
    EXPECT_EQ(e.m_hr, hr);
    EXPECT_EQ(e.m_nKind, ERRKIND_GENERAL);
    fake.state->SetResult(QStringLiteral("Step"), S_OK);
    EXPECT_EQ(player->FrameStep(1), STEP_MOVED);

    fake.state->SetResult(QStringLiteral("put_Volume"), hr);
    e = Failure([&] { player->SetVolume(-600); });
    EXPECT_EQ(e.m_nCode, ERR_PUT_VOLUME);
    EXPECT_EQ(e.m_nKind, ERRKIND_VOLUME);

    // A picture that fails to paint is given up; nothing fails from then on.
    QImage canvas(8, 8, QImage::Format_RGB32);
    QPainter painter(&canvas);
    fake.state->SetResult(kVMR9 + QStringLiteral("::RepaintVideo"), hr);
    e = Failure([&] { player->RepaintVideo(&painter); });
    EXPECT_EQ(e.m_nCode, ERR_REPAINT);
    EXPECT_EQ(e.m_nKind, ERRKIND_VIDEO);
    EXPECT_FALSE(player->HasWindowlessControl());
    EXPECT_FALSE(player->RepaintVideo(&painter));
}
}
