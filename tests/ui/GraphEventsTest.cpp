// The player's events as the frame takes them: its own view on a fake
// graph whose event queue the test fills.

#include "FakeMediaGraph.h"
#include "FrameFixture.h"

#include "platform/WindowMessages.h"
#include "player/DShowPlayer.h"

#include <QCoreApplication>

namespace {

using GraphEventsTest = FrameFixture;

TEST_F(GraphEventsTest, EventsAreTakenOnlyFromThePlayerThatSentTheNotice)
{
    FakeGraphSetup fake;
    fake.state->videoType = FakeVideoType(640, 480, 400000);
    Frame().OwnView().SetGraphFactory(&fake.factory);
    Frame().SetVideoView(nullptr);
    Frame().OnDropFiles({ QStringLiteral("/m/a.avi") });
    CDShowPlayer* pPlayer = Frame().OwnView().GetPlayer();
    ASSERT_NE(pPlayer, nullptr);
    EXPECT_EQ(fake.state->pNotifyWindow, &Frame());

    Command(ID_PLAY_PAUSE);
    Command(ID_FRAME_FORWARD);
    ASSERT_TRUE(Frame().Marks().bStepBusy);
    fake.state->events.push_back({ EC_STEP_COMPLETE, 0, 0 });
    auto notify = [&](qintptr lData) {
        CMessageEvent notice(WM_GRAPHNOTIFY, 0, lData);
        QCoreApplication::sendEvent(&Frame(), &notice);
    };
    // Left over from an earlier player.
    notify(pPlayer->GetNotifyData() - 1);
    EXPECT_EQ(fake.state->events.size(), 1u);
    EXPECT_TRUE(Frame().Marks().bStepBusy);

    notify(pPlayer->GetNotifyData());
    EXPECT_TRUE(fake.state->events.empty());
    EXPECT_FALSE(Frame().Marks().bStepBusy);
}

// The end of the file comes while a box is open (here the unsaved-list
// question): the next entry is not loaded under the box, but once it closes.
TEST_F(GraphEventsTest, AnEventUnderABoxIsTakenAfterTheBoxCloses)
{
    FakeGraphSetup fake;
    Frame().OwnView().SetGraphFactory(&fake.factory);
    Frame().SetVideoView(nullptr);
    const QString first = QStringLiteral("/m/a.avi");
    const QString second = QStringLiteral("/m/b.avi");
    Frame().OnDropFiles({ first, second });
    const CDShowPlayer* pPlayer = Frame().OwnView().GetPlayer();
    ASSERT_NE(pPlayer, nullptr);

    m_responder.whileBoxOpen = { [&] {
        fake.state->events.push_back({ EC_COMPLETE, 0, 0 });
        CMessageEvent notice(WM_GRAPHNOTIFY, 0, pPlayer->GetNotifyData());
        QCoreApplication::sendEvent(&Frame(), &notice);
        RunPosted();
        EXPECT_EQ(fake.state->events.size(), 1u);
        EXPECT_EQ(Frame().LoadedFile(), first);
    } };
    m_responder.boxAnswers = { IDNO };
    EXPECT_TRUE(Frame().AskSavePlayList());
    EXPECT_EQ(Frame().LoadedFile(), first);

    RunPosted();
    EXPECT_TRUE(fake.state->events.empty());
    EXPECT_EQ(Frame().LoadedFile(), second);
    EXPECT_TRUE(Frame().OwnView().IsStarted());
}

} // namespace
