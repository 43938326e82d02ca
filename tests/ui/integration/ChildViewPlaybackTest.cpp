// The video view hosted alone, playing media made at test time.

#include "GstTestSupport.h"
#include "ScriptedResponder.h"
#include "TestMedia.h"
#include "TestViewHost.h"

#include "platform/ResString.h"
#include "player/DShowPlayer.h"
#include "ui/ChildView.h"

#include <gtest/gtest.h>

namespace {

class ChildViewPlayback : public QuietGstTest {
protected:
    void TearDown() override
    {
        view.reset();
        QuietGstTest::TearDown();
    }

    // Waits (bounded) until the graph has reached the state.
    bool Reaches(long lState)
    {
        return ProcessEventsUntil([&] { return view->GetPlayer()->GetState() == lState; });
    }

    ScriptedResponder responder;
    TestViewHost host;
    std::unique_ptr<CChildView> view = std::make_unique<CChildView>(host);
};

TEST_F(ChildViewPlayback, AudioOnlyFileLoadsWithoutVideoInTheAudioLayout)
{
    ASSERT_TRUE(view->LoadMedia(TestMediaPath(TestClip::Wav)));
    EXPECT_TRUE(view->IsLoaded());
    EXPECT_FALSE(view->HasVideo());
    EXPECT_EQ(host.nFitControls, 1);
    EXPECT_TRUE(host.fitVideo.empty());
    EXPECT_TRUE(view->StartPlayback());
}

TEST_F(ChildViewPlayback, SeekBarDragHoldsPlaybackAndThePollAndResumesOnlyWhatPlayed)
{
    ASSERT_TRUE(view->LoadMedia(TestMediaPath(TestClip::AviMjpegPcm)));
    ASSERT_TRUE(view->StartPlayback());
    EXPECT_TRUE(host.Bar().isEnabled());
    ASSERT_TRUE(Reaches(State_Running));

    // Outside a drag the bar moves nothing.
    EXPECT_FALSE(view->SeekTo(30));
    EXPECT_FALSE(view->EndSeek());

    ASSERT_TRUE(view->BeginSeek());
    host.positions.clear();
    EXPECT_TRUE(Reaches(State_Paused));
    EXPECT_TRUE(view->SeekTo(30));
    view->OnTimer(CChildView::IDT_POSITION_POLL);
    EXPECT_TRUE(host.positions.empty());
    ASSERT_TRUE(view->EndSeek());
    EXPECT_TRUE(Reaches(State_Running));
    view->OnTimer(CChildView::IDT_POSITION_POLL);
    ASSERT_FALSE(host.positions.empty());
    EXPECT_GE(host.positions.back().second, 30); // the media seeks by frames

    // Paused by the user, the file stays paused after a drag.
    ASSERT_TRUE(view->TogglePause());
    ASSERT_TRUE(view->BeginSeek());
    ASSERT_TRUE(view->EndSeek());
    EXPECT_TRUE(Reaches(State_Paused));
    EXPECT_TRUE(view->IsPaused());
    EXPECT_TRUE(responder.boxes.empty());
}

TEST_F(ChildViewPlayback, FileThatCannotLoadShowsItsCodedMessageOnceAndLeavesNoPlayer)
{
    EXPECT_TRUE(view->SetVolume(50)); // nothing loaded yet: nothing to do
    const QString path = TestMediaPath(TestClip::TextAsAvi);
    EXPECT_FALSE(view->LoadMedia(path));
    ASSERT_EQ(responder.boxes.size(), 1u);
    EXPECT_TRUE(responder.boxes[0].text.startsWith(LoadResString(DShowErrorStringId(ERR_RENDER_FILE)) + QStringLiteral(" Code = 0x")));
    EXPECT_FALSE(responder.boxes[0].detail.isEmpty());
    // Under the message: the file, and what GStreamer made of it.
    EXPECT_EQ(responder.boxes[0].informative, path + QLatin1Char('\n') + responder.boxes[0].detail);
    EXPECT_EQ(view->GetPlayer(), nullptr);
    EXPECT_FALSE(view->IsLoaded());
    EXPECT_FALSE(view->StartPlayback());
    EXPECT_EQ(responder.boxes.size(), 1u);
}

} // namespace
