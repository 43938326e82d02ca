// The player on a fake graph, for what a real one cannot be made to do: how
// a failure is reported and what it leaves, what is dropped quietly, and the
// limits of skipping.

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
// no graph, no site, no notify window. Rendering's failures are met on real
// files.
TEST_F(PlayerTest, AFailedStepThrowsItsCodeAndResultAndHoldsNothing)
{
    const HRESULT hr = MakeHr(0x80041234);
    fake.state->SetResult(QStringLiteral("GetCapabilities"), hr);
    const CDirectShowErrMessage e = BuildFailure();
    EXPECT_EQ(e.m_nCode, ERR_GET_CAPABILITIES);
    EXPECT_EQ(e.m_hr, hr);
    EXPECT_EQ(e.m_nKind, ERRKIND_GENERAL);
    EXPECT_EQ(fake.state->nGraphsAlive, 0);
    EXPECT_EQ(fake.state->pSite, nullptr);
    EXPECT_EQ(fake.state->pNotifyWindow, nullptr);
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

// A picture that fails to paint throws its code, of the kind that gives up
// the picture; nothing fails from then on.
TEST_F(PlayerTest, AFailedRepaintGivesUpThePictureForGood)
{
    auto player = Build();
    const HRESULT hr = MakeHr(0x80040aaa);
    QImage canvas(8, 8, QImage::Format_RGB32);
    QPainter painter(&canvas);
    fake.state->SetResult(kVMR9 + QStringLiteral("::RepaintVideo"), hr);
    const CDirectShowErrMessage e = Failure([&] { player->RepaintVideo(&painter); });
    EXPECT_EQ(e.m_nCode, ERR_REPAINT);
    EXPECT_EQ(e.m_hr, hr);
    EXPECT_EQ(e.m_nKind, ERRKIND_VIDEO);
    EXPECT_FALSE(player->HasWindowlessControl());
    EXPECT_FALSE(player->RepaintVideo(&painter));
}
}
