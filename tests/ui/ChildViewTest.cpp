// The video view on a fake graph: media that cannot seek, and the error
// protocol's quiet kinds and coded box.

#include "FakeMediaGraph.h"
#include "ScriptedResponder.h"
#include "TestViewHost.h"

#include "player/DShowPlayer.h"
#include "player/ErrMessage.h"
#include "ui/ChildView.h"

#include <gtest/gtest.h>

namespace {

class ChildViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Picture and sound, as a demuxer and a decoder give them.
        FakeFilterSpec audio
            = FakeFilterSpec::Connected(QStringLiteral("Audio sink (ALSA)"), FilterRole::AudioRenderer);
        audio.connectionType = FakeAudioType(2, 48000, 16);
        fake.state->rendered = { FakeFilterSpec::Connected(QStringLiteral("/media/clip.avi"), FilterRole::Source),
            FakeFilterSpec::Connected(QStringLiteral("Avi demuxer")), audio };
        fake.state->videoType = FakeVideoType(640, 480, 400000);
        view.SetGraphFactory(&fake.factory);
    }

    BOOL LoadAndStart() { return view.LoadMedia(QStringLiteral("/media/clip.avi")) && view.StartPlayback(); }

    FakeGraphSetup fake;
    ScriptedResponder responder;
    TestViewHost host;
    CChildView view { host };
};

TEST_F(ChildViewTest, MediaThatCannotSeekDisablesTheSeekBarAndThePollOnlyChecksTheSegment)
{
    fake.state->dwSeekCaps = AM_SEEKING_CanGetCurrentPos;
    host.Bar().setEnabled(true);
    ASSERT_TRUE(LoadAndStart());
    EXPECT_FALSE(view.IsSeekable());
    EXPECT_FALSE(host.Bar().isEnabled());

    const int nPositionReads = fake.state->CountCalls(QStringLiteral("GetCurrentPosition"));
    view.OnTimer(CChildView::IDT_POSITION_POLL);
    EXPECT_TRUE(host.positions.empty());
    EXPECT_EQ(fake.state->CountCalls(QStringLiteral("GetCurrentPosition")), nPositionReads);
}

TEST_F(ChildViewTest, VolumeFailureIsQuiet)
{
    // Nothing loaded: nothing to set, and nothing wrong.
    EXPECT_TRUE(view.SetVolume(50));

    fake.state->SetResult(QStringLiteral("put_Volume"), E_FAIL);
    ASSERT_TRUE(LoadAndStart());
    EXPECT_FALSE(view.IsAudioAvailable());
    EXPECT_TRUE(view.SetVolume(80));
    EXPECT_EQ(fake.state->CountCalls(QStringLiteral("put_Volume")), 1);
    EXPECT_TRUE(responder.boxes.empty());
}

// The poll's timer goes on under the view's own error box; its ticks there
// read nothing, as the box's caller may yet let the player go.
TEST_F(ChildViewTest, ThePollDoesNothingWhileABoxIsOpen)
{
    ASSERT_TRUE(LoadAndStart());
    ASSERT_TRUE(view.BeginSeek());
    fake.state->SetResult(QStringLiteral("Run"), HRESULT(0x80040227));
    const int nPositionReads = fake.state->CountCalls(QStringLiteral("GetCurrentPosition"));
    responder.whileBoxOpen = { [&] { view.OnTimer(CChildView::IDT_POSITION_POLL); } };
    EXPECT_FALSE(view.EndSeek());
    ASSERT_EQ(responder.boxes.size(), 1u);
    EXPECT_EQ(responder.boxes[0].text, CDirectShowErrMessage(ERR_RUN, HRESULT(0x80040227)).FormatText());
    // Only a file that fails to load is named under the message.
    EXPECT_TRUE(responder.boxes[0].informative.isEmpty());
    EXPECT_TRUE(host.positions.empty());
    EXPECT_EQ(fake.state->CountCalls(QStringLiteral("GetCurrentPosition")), nPositionReads);

    view.OnTimer(CChildView::IDT_POSITION_POLL);
    EXPECT_EQ(host.positions.size(), 1u);
}

} // namespace
