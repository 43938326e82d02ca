// Every format the player takes plays to its end and the list moves on,
// every time: two-entry lists of short clips played again and again with
// the frame's own view, as the window plays them.

#include "FrameFixture.h"
#include "GstTestSupport.h"
#include "TestMedia.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

class FormatEnd : public FrameFixture, public ::testing::WithParamInterface<TestClip> {
protected:
    bool UsesScriptedView() const override { return false; }

    // Two names for one clip (the list keeps one entry per path), in the list.
    QStringList TwoEntries(TestClip clip)
    {
        const QString path = TestMediaPath(clip);
        EXPECT_FALSE(path.isEmpty());
        const QStringList entries { m_dir.filePath("1-" + QFileInfo(path).fileName()),
            m_dir.filePath("2-" + QFileInfo(path).fileName()) };
        for (const QString& entry : entries)
            EXPECT_TRUE(QFile::copy(path, entry));
        StartList(entries);
        return entries;
    }

    // Plays the list from the top nRuns times, each time until it has
    // ended, every entry having been loaded and started on the way.
    void PlayListToItsEnd(const QStringList& entries, int nRuns)
    {
        for (int nRun = 0; nRun < nRuns && !HasFailure(); ++nRun) {
            QStringList started;
            Frame().PlayListFromTop();
            EXPECT_TRUE(ProcessEventsUntil([&] {
                if (Frame().View().IsStarted() && started.value(started.size() - 1) != Frame().LoadedFile())
                    started << Frame().LoadedFile();
                return Frame().Marks().bListEnded && !Frame().View().IsStarted();
            })) << "run " << nRun;
            EXPECT_EQ(started, entries) << "run " << nRun;
            EXPECT_TRUE(m_responder.boxes.empty()) << qPrintable(TakeBoxes().join('\n'));
        }
    }

    QTemporaryDir m_dir;
};

TEST_P(FormatEnd, EveryFilePlaysToItsEndTwentyTimes) { PlayListToItsEnd(TwoEntries(GetParam()), 10); }

std::string ClipName(const ::testing::TestParamInfo<TestClip>& info)
{
    static const char* const names[] = { "Wav", "Aiff", "Mp3", "Wmv", "Wma", "Avi", "Mp4", "Mkv", "Webm", "Ts" };
    return names[info.index];
}

INSTANTIATE_TEST_SUITE_P(Formats, FormatEnd,
    ::testing::Values(TestClip::Wav, TestClip::Aiff, TestClip::Mp3, TestClip::Wmv, TestClip::Wma,
        TestClip::AviMjpegOnly, TestClip::Mp4, TestClip::Mkv, TestClip::Webm, TestClip::Ts),
    ClipName);

class FormatEndNamedSink : public FormatEnd {
protected:
    ScopedEnv m_sink { "ORV_AUDIO_SINK", QStringLiteral("fakeaudiosink") };
};

TEST_F(FormatEndNamedSink, OneSecondFilesEndOnASinkChosenByName)
{
    PlayListToItsEnd(TwoEntries(TestClip::Wav), 5);
}

} // namespace
