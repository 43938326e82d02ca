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
    Frame().m_wndView.SetGraphFactory(&fake.factory);
    Frame().SetVideoView(nullptr);
    Frame().m_playList.Add(QStringLiteral("/m/a.avi"));
    Frame().PlayListFromTop();
    CDShowPlayer* pPlayer = Frame().m_wndView.GetPlayer();
    ASSERT_NE(pPlayer, nullptr);
    EXPECT_EQ(fake.state->pNotifyWindow, &Frame());

    Frame().m_bStepBusy = TRUE;
    fake.state->events.push_back({ EC_STEP_COMPLETE, 0, 0 });
    auto notify = [&](qintptr lData) {
        CMessageEvent notice(WM_GRAPHNOTIFY, 0, lData);
        QCoreApplication::sendEvent(&Frame(), &notice);
    };
    // Left over from an earlier player.
    notify(pPlayer->GetNotifyData() - 1);
    EXPECT_EQ(fake.state->events.size(), 1u);
    EXPECT_TRUE(Frame().m_bStepBusy);

    notify(pPlayer->GetNotifyData());
    EXPECT_TRUE(fake.state->events.empty());
    EXPECT_FALSE(Frame().m_bStepBusy);
}

// The end of the file comes while a box is open (here the unsaved-list
// question): the next entry is not loaded under the box, but once it closes.
TEST_F(GraphEventsTest, AnEventUnderABoxIsTakenAfterTheBoxCloses)
{
    FakeGraphSetup fake;
    Frame().m_wndView.SetGraphFactory(&fake.factory);
    Frame().SetVideoView(nullptr);
    const QString first = QStringLiteral("/m/a.avi");
    const QString second = QStringLiteral("/m/b.avi");
    Frame().m_playList.Add(first);
    Frame().m_playList.Add(second);
    Frame().PlayListFromTop();
    const CDShowPlayer* pPlayer = Frame().m_wndView.GetPlayer();
    ASSERT_NE(pPlayer, nullptr);

    m_responder.whileBoxOpen = { [&] {
        fake.state->events.push_back({ EC_COMPLETE, 0, 0 });
        CMessageEvent notice(WM_GRAPHNOTIFY, 0, pPlayer->GetNotifyData());
        QCoreApplication::sendEvent(&Frame(), &notice);
        RunPosted();
        EXPECT_EQ(fake.state->events.size(), 1u);
        EXPECT_EQ(Frame().m_strLoadedFile, first);
    } };
    m_responder.boxAnswers = { IDNO };
    EXPECT_TRUE(Frame().AskSavePlayList());
    EXPECT_EQ(Frame().m_strLoadedFile, first);

    RunPosted();
    EXPECT_TRUE(fake.state->events.empty());
    EXPECT_EQ(Frame().m_strLoadedFile, second);
    EXPECT_TRUE(Frame().m_wndView.IsStarted());
}

} // namespace
