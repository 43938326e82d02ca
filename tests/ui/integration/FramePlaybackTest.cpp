// The frame playing one-second clips with its own view: the end of each
// file and of the list in each repeat mode, the one-file loop, files that
// cannot play, playback that breaks down, and filling the list meanwhile.

#include "FrameFixture.h"
#include "GstTestSupport.h"
#include "TestMedia.h"

#include "platform/ResString.h"
#include "player/DShowPlayer.h"
#include "player/ErrMessage.h"
#include "player/graph/GstGraph.h"
#include "ui/CommandIds.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

class FramePlayback : public FrameFixture {
protected:
    bool UsesScriptedView() const override { return false; }

    // Copies of one clip, one per name (the list keeps one entry per path).
    QStringList Clips(const QStringList& names)
    {
        QStringList paths;
        for (const QString& name : names) {
            paths << m_dir.filePath(name);
            QDir().mkpath(QFileInfo(paths.back()).path());
            EXPECT_TRUE(QFile::copy(TestMediaPath(TestClip::AviMjpegOnly), paths.back()));
        }
        return paths;
    }
    IVideoView& View() { return Frame().View(); }
    bool Plays(const QString& path)
    {
        return ProcessEventsUntil([&] { return Frame().LoadedFile() == path && View().IsStarted(); });
    }
    // The title, the current entry and the stopped buttons.
    void ExpectStoppedAt(const char* pszName, int nCurrent)
    {
        EXPECT_FALSE(View().IsStarted());
        EXPECT_EQ(Frame().windowTitle(), QString::fromLatin1(pszName) + QStringLiteral(" - orv"));
        EXPECT_EQ(Current(), nCurrent);
        EXPECT_FALSE(Button(ID_PLAY_PAUSE).isHidden());
        EXPECT_FALSE(Button(ID_STOP).isEnabled());
    }

    QTemporaryDir m_dir;
};

TEST_F(FramePlayback, WithoutRepeatTheListEndsStoppedOnTheFirstEntry)
{
    const QStringList clips = Clips({ "a.avi", "b.avi", "c.avi" });
    Frame().OnDropFiles(clips);
    ASSERT_TRUE(Plays(clips[0]));
    ASSERT_TRUE(Plays(clips[2]));
    ASSERT_TRUE(ProcessEventsUntil([&] { return Frame().Marks().bListEnded; }));
    ExpectStoppedAt("a.avi", 0);
    EXPECT_EQ(Frame().Marks().llDuration, -1);
    // The next start loads the first entry anew.
    Command(ID_PLAY_PAUSE);
    EXPECT_TRUE(Plays(clips[0]));
    EXPECT_TRUE(m_responder.boxes.empty());
}

TEST_F(FramePlayback, RepeatAllWrapsBothWaysAndTheOneFileLoopStaysOnItsFile)
{
    const QStringList clips = Clips({ "a.avi", "b.avi", "c.avi" });
    Command(ID_REPEAT_ALL);
    Frame().OnDropFiles(clips);
    Command(ID_PREV);
    ASSERT_TRUE(Plays(clips[2]));
    EXPECT_TRUE(Plays(clips[0]));
    Command(ID_PREV);
    EXPECT_TRUE(Plays(clips[2]));

    // Near the end, then back near the start of the same file.
    Command(ID_ONE_LOOP);
    ASSERT_TRUE(ProcessEventsUntil([&] { return Frame().Marks().llPosition >= 6000000; }));
    ASSERT_TRUE(ProcessEventsUntil([&] { return Frame().Marks().llPosition < 5000000; }));
    EXPECT_EQ(Frame().LoadedFile(), clips[2]);
    EXPECT_EQ(Current(), 2);
}

TEST_F(FramePlayback, EntriesThatAreNoFilesFailAtOnceOneAfterTheOther)
{
    const QString fifo = m_dir.filePath("pipe.avi");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QDir(m_dir.path()).mkdir(QStringLiteral("folder.avi"));
    const QString good = Clips({ "a.avi" })[0];
    StartList({ fifo, QStringLiteral("/dev/zero"), m_dir.filePath("folder.avi"), good });

    QElapsedTimer timer;
    timer.start();
    Frame().PlayListFromTop();
    for (int nEntry = 1; nEntry <= 3; ++nEntry) {
        // Each is reported with the code of a file that cannot be played,
        // and the list stops on the next entry for the user to start.
        ASSERT_EQ(TakeBoxes().value(0).left(20), LoadResString(DShowErrorStringId(ERR_RENDER_FILE)).left(20)) << nEntry;
        EXPECT_EQ(Current(), nEntry);
        Command(ID_PLAY_PAUSE);
    }
    EXPECT_LT(timer.elapsed(), 3000);
    EXPECT_TRUE(Plays(good));
}

TEST_F(FramePlayback, AnEmptyListPlaysNothingAndAFileLeftPlayingJustEnds)
{
    Frame().PlayListFromTop();
    EXPECT_FALSE(View().IsLoaded());

    // Opening no media file empties the list; what plays goes on to its end.
    const QString a = Clips({ "a.avi" })[0];
    Frame().OnDropFiles({ a });
    ASSERT_TRUE(Plays(a));
    m_responder.openAnswers = { { m_dir.filePath("notes.txt") } };
    Command(ID_FILE_OPEN);
    EXPECT_TRUE(Entries().isEmpty());
    EXPECT_TRUE(View().IsStarted());
    ASSERT_TRUE(ProcessEventsUntil([&] { return Frame().Marks().bListEnded; }));
    EXPECT_FALSE(View().IsStarted());
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("orv"));
    EXPECT_TRUE(m_responder.boxes.empty());
}

TEST_F(FramePlayback, PlaybackThatBreaksDownIsReportedOnceAndTheListMovesOn)
{
    const QStringList clips = Clips({ "a.avi", "b.avi" });
    Frame().OnDropFiles(clips);
    ASSERT_TRUE(Plays(clips[0]));

    // As a decoder reports bad data while the file plays (twice).
    auto* pGraph = dynamic_cast<CGstGraph*>(View().GetPlayer()->GetMediaEvent());
    ASSERT_NE(pGraph, nullptr);
    std::vector<IGraphFilter*> filters;
    pGraph->EnumFilters(&filters);
    ASSERT_EQ(filters[0]->GetRole(), FilterRole::Source);
    GstElement* pSource = static_cast<CGstElementFilter*>(filters[0])->Element();
    for (int i = 0; i < 2; ++i) {
        GError* pError = g_error_new_literal(GST_STREAM_ERROR, GST_STREAM_ERROR_DECODE, "Broken frame data");
        gst_element_post_message(pSource, gst_message_new_error(GST_OBJECT(pSource), pError, "test"));
        g_error_free(pError);
    }
    ASSERT_TRUE(ProcessEventsUntil([&] { return !m_responder.boxes.empty(); }));
    QCoreApplication::processEvents();
    ASSERT_EQ(m_responder.boxes.size(), 1u);
    EXPECT_EQ(m_responder.boxes[0].text, FormatErrorText(LoadResString(IDS_DSHOW_UNKNOWN_ERROR), VFW_E_INVALID_FILE_FORMAT));
    EXPECT_EQ(m_responder.boxes[0].style, MB_ICONERROR);
    EXPECT_TRUE(m_responder.boxes[0].detail.contains(QStringLiteral("Broken frame data")));
    ExpectStoppedAt("b.avi", 1);
    EXPECT_EQ(View().GetPlayer(), nullptr);
}

TEST_F(FramePlayback, OpeningPlaysTheFirstMediaFileAndAddingOrDroppingDoesNotInterruptIt)
{
    const QStringList clips = Clips({ "a.avi", "b.avi", "c.avi", "dropped/d.avi", "e.avi" });
    const QString text = m_dir.filePath("notes.txt");
    WriteFileBytes(text, "not media\r\n");
    m_responder.openAnswers = { { clips[0], text, clips[1] } };
    Command(ID_FILE_OPEN);
    ASSERT_TRUE(Plays(clips[0]));
    CDShowPlayer* pPlayer = View().GetPlayer();
    ASSERT_TRUE(ProcessEventsUntil([&] { return pPlayer->GetState() == State_Running; }));

    m_responder.openAnswers = { { clips[2] } };
    Command(ID_ADD_FILES);
    const QString list = m_dir.filePath("p.orvl");
    WriteFileBytes(list, "/m/f.avi\r\n");
    Frame().OnDropFiles({ m_dir.filePath("dropped"), clips[4], list, text });
    EXPECT_EQ(Entries().size(), 6);
    EXPECT_EQ(Entries().value(3), clips[3]);
    EXPECT_EQ(View().GetPlayer(), pPlayer);
    EXPECT_EQ(pPlayer->GetState(), State_Running);
    EXPECT_EQ(Current(), 0);
}

} // namespace
