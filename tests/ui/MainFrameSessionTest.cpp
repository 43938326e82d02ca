// The frame receiving a second start's files, and closing without questions.

#include "FrameFixture.h"
#include "TempRuntimeDir.h"

#include "app/HandoffBlock.h"
#include "app/InstanceControl.h"
#include "platform/ResString.h"
#include "platform/SharedMemory.h"

#include <cstring>

namespace {

class MainFrameSessionTest : public FrameFixture {
protected:
    void TearDown() override
    {
        CSharedMemory::Unlink(HANDOFF_BLOCK_NAME);
        FrameFixture::TearDown();
    }
    // Leaves a block the way a second start does before it announces it.
    void Offer(const QStringList& files, int nParamCount = 1, const QString& strFirstPlaylist = QString())
    {
        const auto block = std::make_unique<HandoffBlock>();
        EncodeHandoffBlock(*block, files, nParamCount, strFirstPlaylist);
        ASSERT_TRUE(m_shm.Create(HANDOFF_BLOCK_NAME, sizeof(HandoffBlock)));
        std::memcpy(m_shm.Data(), block.get(), sizeof(HandoffBlock));
    }
    // An unsaved list of two that plays its first entry.
    void PlayOldList()
    {
        Frame().m_playList.Add(old1);
        Frame().m_playList.Add(old2);
        Frame().PlayListFromTop();
    }

    TempRuntimeDir m_runtime;
    CSharedMemory m_shm;
    const QString old1 = QStringLiteral("/m/old1.avi");
    const QString old2 = QStringLiteral("/m/old2.avi");
};

TEST_F(MainFrameSessionTest, HandedFilesReplaceTheListPlayAndRestoreTheWindow)
{
    PlayOldList();
    Frame().m_strPlayListFile = QStringLiteral("/lists/kept.orvl");
    Frame().showMinimized();
    Offer({ "/m/a.avi", "/m/b.wav", "/m/c.mp3" }, 3);
    m_responder.boxAnswers = { IDNO };
    EXPECT_EQ(Frame().OnInstanceHandoff(), 0);

    EXPECT_EQ(TakeBoxes(), QStringList { LoadResString(62119) });
    EXPECT_EQ(Entries(), (QStringList { "/m/a.avi", "/m/b.wav", "/m/c.mp3" }));
    EXPECT_EQ(m_view.loaded.last(), "/m/a.avi");
    EXPECT_TRUE(Frame().m_playList.m_bModified);
    EXPECT_EQ(Frame().m_strPlayListFile, "/lists/kept.orvl");
    EXPECT_FALSE(Frame().isMinimized());
}

TEST_F(MainFrameSessionTest, AStepNoFilesOrACancelledQuestionKeepTheOldList)
{
    PlayOldList();
    const QStringList before = m_view.loaded;

    Frame().m_bStepBusy = TRUE;
    Offer({ "/m/a.avi" });
    EXPECT_EQ(Frame().OnInstanceHandoff(), 0);
    EXPECT_TRUE(m_responder.boxes.empty());
    Frame().m_bStepBusy = FALSE;

    // The files were taken before the question, so their sender, should
    // it stop waiting for the answer, knows they arrived.
    Offer({ "/m/a.avi" });
    m_responder.boxAnswers = { IDCANCEL };
    EXPECT_EQ(Frame().OnInstanceHandoff(), 0);
    EXPECT_EQ(TakeBoxes(), QStringList { LoadResString(62119) });
    CSharedMemory left;
    EXPECT_FALSE(left.OpenReadOnly(HANDOFF_BLOCK_NAME, sizeof(HandoffBlock)));

    // Nothing to replace the list with: no question either.
    Offer({}, 0);
    EXPECT_EQ(Frame().OnInstanceHandoff(), 0);
    EXPECT_TRUE(m_responder.boxes.empty());

    EXPECT_EQ(Entries(), (QStringList { old1, old2 }));
    EXPECT_EQ(m_view.loaded, before);
}

TEST_F(MainFrameSessionTest, ALonePlaylistFileIsUnchangedAndOnlyOrvlBecomesTheSaveTarget)
{
    Offer({ "/m/a.avi", "/m/b.avi" }, 1, "/lists/mine.orvl");
    Frame().OnInstanceHandoff();
    EXPECT_EQ(Entries(), (QStringList { "/m/a.avi", "/m/b.avi" }));
    EXPECT_EQ(Frame().m_strPlayListFile, "/lists/mine.orvl");
    EXPECT_FALSE(Frame().m_playList.m_bModified);

    Offer({ "/m/c.avi", "/m/d.avi" }, 1, "/lists/other.m3u");
    Frame().OnInstanceHandoff();
    EXPECT_EQ(Entries(), (QStringList { "/m/c.avi", "/m/d.avi" }));
    EXPECT_EQ(Frame().m_strPlayListFile, "/lists/mine.orvl");
    EXPECT_FALSE(Frame().m_playList.m_bModified);
    EXPECT_TRUE(m_responder.boxes.empty());
}

TEST_F(MainFrameSessionTest, YesWithoutASavedListKeepsTheWindowAndTheList)
{
    Frame().show();
    PlayOldList();
    // Yes, then Cancel in the save dialog.
    m_responder.boxAnswers = { IDYES };
    m_responder.saveAnswers = { QString() };
    EXPECT_FALSE(Frame().close());
    EXPECT_TRUE(Frame().isVisible());
    EXPECT_TRUE(m_view.bStarted) << "closing stops playback only once nobody objects";

    // Yes, and the save fails.
    m_responder.boxAnswers = { IDYES };
    m_responder.saveAnswers = { QStringLiteral("/nonexistent-folder/list.orvl") };
    EXPECT_FALSE(Frame().close());
    EXPECT_TRUE(Frame().isVisible());

    EXPECT_EQ(TakeBoxes(), (QStringList { LoadResString(62119), LoadResString(62119), LoadResString(62127) }));
    EXPECT_EQ(Entries(), (QStringList { old1, old2 }));
    EXPECT_TRUE(Frame().m_playList.m_bModified);
}

TEST_F(MainFrameSessionTest, BeingToldToEndClosesWithoutTheQuestion)
{
    Frame().show();
    PlayOldList();
    Frame().CloseWithoutQuestions();
    EXPECT_FALSE(Frame().isVisible());
    EXPECT_TRUE(m_responder.boxes.empty());
}

} // namespace
