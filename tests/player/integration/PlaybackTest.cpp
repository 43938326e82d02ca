// The player's transport, stepping, segment and picture on real GStreamer
// graphs for media made at test time.

#include "FrameExactness.h"
#include "PlayerFixture.h"

#include "platform/Dib.h"
#include "player/graph/GstGraph.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

namespace {
using Playback = PlayerFixture;

TEST_F(Playback, AviCountsFramesAndPlaysToTheCompleteEvent)
{
    Load(TestClip::AviMjpegPcm);
    LONGLONG llMedia = 0, llSeek = 0, llFrames = 0;
    EXPECT_EQ(player->GetDurations(&llMedia, &llSeek, &llFrames), SEEKMODE_FRAME);
    EXPECT_EQ(llSeek, 50);
    EXPECT_EQ(llFrames, 50);
    EXPECT_NEAR(double(llMedia), 20000000.0, 300000.0);
    EXPECT_EQ(player->GetAvgFrameTime(), 400000);
    EXPECT_EQ(player->GetState(), State_Stopped);

    player->Run();
    ASSERT_TRUE(WaitForEvent(EC_COMPLETE));
    EXPECT_EQ(player->GetCurrentPosition(), 50);
    EXPECT_EQ(player->FrameStep(1), STEP_AT_LIMIT); // at the end: nothing to step

    // Every frame reached the renderer; counts survive a seek back.
    LONGLONG llDrawn = 0, llDropped = -1;
    ASSERT_TRUE(player->GetFrameCounts(&llDrawn, &llDropped));
    EXPECT_EQ(llDrawn + llDropped, 50);
    player->SetPosition(0);
    ASSERT_TRUE(player->GetFrameCounts(&llDrawn, &llDropped));
    EXPECT_GE(llDrawn + llDropped, 50);
}

TEST_F(Playback, ThePositionIsThePictureOnScreen)
{
    Load(TestClip::AviFrameCounter);
    FrameExactness check(*player);
    check.PausedFrameIsShownFrame();
    check.StepAndBackReturnsTheSameFrame(37);
    check.SeekPastTheEndShowsTheLastFrame();
}

TEST_F(Playback, ElementsAskingForAStateOrAClockAreAnsweredAsGStreamersOwnPlayerDoes)
{
    Load(TestClip::AviMjpegPcm);
    auto* pGraph = dynamic_cast<CGstGraph*>(player->GetMediaEvent());
    ASSERT_NE(pGraph, nullptr);
    std::vector<IGraphFilter*> filters;
    pGraph->EnumFilters(&filters);
    GstElement* pSource = static_cast<CGstElementFilter*>(filters.at(0))->Element();
    auto drainUntil = [&](long lState) {
        return ProcessEventsUntil([&] {
            long lCode = 0;
            qintptr l1 = 0;
            qintptr l2 = 0;
            while (player->GetMediaEvent()->GetEvent(&lCode, &l1, &l2, 0) == S_OK) {
            }
            return player->GetState() == lState;
        });
    };
    player->Run();
    ASSERT_TRUE(drainUntil(State_Running));
    gst_element_post_message(pSource, gst_message_new_request_state(GST_OBJECT(pSource), GST_STATE_PAUSED));
    EXPECT_TRUE(drainUntil(State_Paused));

    player->Run();
    GstClock* pClock = gst_system_clock_obtain();
    gst_element_post_message(pSource, gst_message_new_clock_lost(GST_OBJECT(pSource), pClock));
    gst_object_unref(pClock);
    gst_element_post_message(pSource, gst_message_new_latency(GST_OBJECT(pSource)));
    EXPECT_TRUE(drainUntil(State_Running));
    EXPECT_EQ(player->GetState(), State_Running);
}

TEST_F(Playback, CurrentImageIsABottomUpBgrDibAtNativeSize)
{
    Load(TestClip::AviRedOverGreen);
    int nWidth = 0;
    int nHeight = 0;
    ASSERT_EQ(player->GetNativeDisplaySize(&nWidth, &nHeight), 1);
    EXPECT_EQ(QSize(nWidth, nHeight), QSize(176, 96));

    // Stopped keeps the first frame.
    const QByteArray dib = player->GetCurrentImage();
    ASSERT_EQ(dib.size(), qsizetype(sizeof(BITMAPINFOHEADER) + 176 * 96 * 4));
    BITMAPINFOHEADER header;
    std::memcpy(&header, dib.constData(), sizeof header);
    EXPECT_EQ(header.biWidth, 176);
    EXPECT_EQ(header.biHeight, 96); // positive: bottom-up
    EXPECT_EQ(header.biBitCount, 32);

    // Bytes B, G, R, x; the first row in memory is the picture's bottom row.
    auto pixel = [&](int nRow, int nColumn) {
        const auto* p = reinterpret_cast<const uchar*>(dib.constData()) + sizeof(BITMAPINFOHEADER)
            + (nRow * 176 + nColumn) * 4;
        return std::array<int, 3> { p[0], p[1], p[2] };
    };
    const auto bottom = pixel(4, 88);
    EXPECT_TRUE(bottom[0] < 60 && bottom[1] > 200 && bottom[2] < 60) << bottom[0] << ' ' << bottom[1] << ' ' << bottom[2];
    const auto top = pixel(90, 88);
    EXPECT_TRUE(top[0] < 60 && top[1] < 60 && top[2] > 200) << top[0] << ' ' << top[1] << ' ' << top[2];
}
}
