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
    void PlayOldList() { Frame().OnDropFiles({ old1, old2 }); }

    TempRuntimeDir m_runtime;
    CSharedMemory m_shm;
    const QString old1 = QStringLiteral("/m/old1.avi");
    const QString old2 = QStringLiteral("/m/old2.avi");
};

TEST_F(MainFrameSessionTest, AStepNoFilesOrACancelledQuestionKeepTheOldList)
{
    PlayOldList();
    const QStringList before = m_view.loaded;

    // The files were taken before the question, so their sender, should
    // it stop waiting for the answer, knows they arrived.
    Offer({ "/m/a.avi" });
    m_responder.boxAnswers = { IDCANCEL };
    EXPECT_EQ(Frame().OnInstanceHandoff(), 0);
    RunPosted();
    EXPECT_EQ(TakeBoxes(), QStringList { LoadResString(IDS_PLAYLIST_UNSAVED) });
    CSharedMemory left;
    EXPECT_FALSE(left.OpenReadOnly(HANDOFF_BLOCK_NAME, sizeof(HandoffBlock)));

    // Nothing to replace the list with: no question either.
    Offer({}, 0);
    EXPECT_EQ(Frame().OnInstanceHandoff(), 0);
    RunPosted();
    EXPECT_TRUE(m_responder.boxes.empty());

    StepPending();
    Offer({ "/m/a.avi" });
    EXPECT_EQ(Frame().OnInstanceHandoff(), 0);
    EXPECT_TRUE(m_responder.boxes.empty());

    EXPECT_EQ(Entries(), (QStringList { old1, old2 }));
    EXPECT_EQ(m_view.loaded, before);
}

// The case a load failure used to get wrong: while its box is open a second
// start hands over a new list. The box's caller moves the old list past the
// failed entry; only then does the new list replace it and play from its
// first entry, not from the second.
TEST_F(MainFrameSessionTest, AHandoffUnderALoadFailureBoxPlaysTheNewListFromItsStart)
{
    const QString bad = QStringLiteral("/m/bad.avi");
    const QStringList handed { "/m/a.avi", "/m/b.avi", "/m/c.avi" };
    m_view.failing = { bad };
    m_responder.whileBoxOpen = { [&] {
        Offer(handed, 3);
        EXPECT_EQ(Frame().OnInstanceHandoff(), 0);
        CSharedMemory left;
        EXPECT_FALSE(left.OpenReadOnly(HANDOFF_BLOCK_NAME, sizeof(HandoffBlock))) << "the files are taken at once";
        RunPosted(); // the box's own event loop
        EXPECT_EQ(Entries(), (QStringList { bad, old2 }));
    } };
    m_responder.boxAnswers = { IDOK, IDNO };
    Frame().OnDropFiles({ bad, old2 });
    EXPECT_EQ(Current(), 1);
    EXPECT_FALSE(m_view.bStarted);

    RunPosted();
    EXPECT_EQ(TakeBoxes(), (QStringList { FakeVideoView::kLoadFailure, LoadResString(IDS_PLAYLIST_UNSAVED) }));
    EXPECT_EQ(Entries(), handed);
    EXPECT_EQ(Current(), 0);
    EXPECT_EQ(m_view.loaded, (QStringList { bad, handed[0] }));
    EXPECT_TRUE(m_view.bStarted);
    EXPECT_EQ(Frame().LoadedFile(), handed[0]);
}

// Hand-offs that come while the close question is open wait for it: kept
// open, they apply in the order they came (each asking about the list the
// one before left); closed, they are dropped.
TEST_F(MainFrameSessionTest, HandoffsUnderTheCloseQuestionApplyInOrderOnlyIfTheWindowStays)
{
    Frame().show();
    PlayOldList();
    const QStringList second { "/m/c.avi", "/m/d.avi" };
    m_responder.whileBoxOpen = { [&] {
        Offer({ "/m/a.avi", "/m/b.avi" }, 2);
        Frame().OnInstanceHandoff();
        Offer(second, 2);
        Frame().OnInstanceHandoff();
        RunPosted();
    } };
    m_responder.boxAnswers = { IDCANCEL, IDNO, IDNO };
    EXPECT_FALSE(Frame().close());
    EXPECT_EQ(Entries(), (QStringList { old1, old2 }));
    RunPosted();
    EXPECT_EQ(TakeBoxes(), (QStringList(3, LoadResString(IDS_PLAYLIST_UNSAVED))));
    EXPECT_EQ(Entries(), second);
    EXPECT_EQ(m_view.loaded.last(), second[0]);

    const int nLoads = m_view.loaded.size();
    m_responder.whileBoxOpen = { [&] {
        Offer({ "/m/e.avi" }, 1);
        Frame().OnInstanceHandoff();
    } };
    m_responder.boxAnswers = { IDNO };
    EXPECT_TRUE(Frame().close());
    RunPosted();
    EXPECT_EQ(TakeBoxes(), QStringList { LoadResString(IDS_PLAYLIST_UNSAVED) });
    EXPECT_EQ(Entries(), second);
    EXPECT_EQ(m_view.loaded.size(), nLoads);
    EXPECT_FALSE(m_view.bStarted);
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
    EXPECT_EQ(TakeBoxes(), QStringList { LoadResString(IDS_PLAYLIST_UNSAVED) });
    EXPECT_EQ(Entries(), (QStringList { old1, old2 }));
    EXPECT_TRUE(Frame().PlayList().m_bModified);
}

} // namespace
