#include "LockHolder.h"
#include "ScriptedResponder.h"
#include "TestEnv.h"

#include "playlist/PlayList.h"

#include <QDir>

#include <gtest/gtest.h>

#include <vector>

#include <sys/stat.h>

namespace {

using Lines = std::vector<QString>;

Lines Entries(const CPlayList& list)
{
    Lines out;
    for (int i = 0; i < list.GetCount(); ++i)
        out.push_back(list.GetAt(i));
    return out;
}

class PlayListFileTest : public ::testing::Test {
protected:
    QString File(const QString& name) const { return dir.filePath(name); }

    // Loads a file of the given bytes; the entries.
    Lines LoadBytes(const QString& name, const QByteArray& bytes, int expectedRc = PLAYLIST_LOAD_DONE)
    {
        QDir().mkpath(QFileInfo(File(name)).path());
        WriteFileBytes(File(name), bytes);
        CPlayList list;
        EXPECT_EQ(list.Load(File(name)), expectedRc);
        EXPECT_FALSE(list.m_bModified);
        return Entries(list);
    }

    QTemporaryDir dir;
    ScriptedResponder responder;
};

TEST_F(PlayListFileTest, OrvlLinesAreTakenAsTheyStand)
{
    EXPECT_EQ(LoadBytes("list.orvl", "/a.mp3\r\n\r\n#not a comment\r\nrel/b.mp3\n/c.mp3"),
        (Lines { "/a.mp3", "", "#not a comment", "rel/b.mp3", "/c.mp3" }));
}

TEST_F(PlayListFileTest, M3uSkipsDirectivesAndResolvesAgainstItsFolder)
{
    const QString cwd = QDir::currentPath();
    const QByteArray m3u = "#EXTM3U\r\n"
                           "#EXTINF:123,Artist - Title\r\n"
                           "sub/b.mp3\r\n"
                           "\r\n"
                           "../c.mp3\r\n"
                           "/abs/./x/../d.mp3\r\n"
                           "/../e.mp3\r\n"
                           "日本語 Café.mp3\r\n";
    EXPECT_EQ(LoadBytes("music/list.m3u", m3u),
        (Lines { File("music/sub/b.mp3"), File("c.mp3"), "/abs/d.mp3", "/e.mp3", File("music/日本語 Café.mp3") }));
    EXPECT_EQ(QDir::currentPath(), cwd);
}

TEST_F(PlayListFileTest, M3uFileUrlsArePathsAndOtherUrlsAreSkipped)
{
    // Encoded, the name is far longer than a path may be; decoded it fits.
    QByteArray longName;
    for (int i = 0; i < 40; ++i)
        longName += "%E6%97%A5";
    const QByteArray m3u = "file:///music/a%20b.mp3\r\n"
                           "FILE://localhost/music/%E6%97%A5%E6%9C%AC/../c%23d.mp3\r\n"
                           "file://otherhost/music/x.mp3\r\n"
                           "http://example.com/stream.mp3\r\n"
                           "rtsp://example.com/live\r\n"
                           "file:///"
        + longName + ".flac\r\n";
    EXPECT_EQ(LoadBytes("urls.m3u", m3u),
        (Lines { "/music/a b.mp3", "/music/c#d.mp3", QLatin1Char('/') + QString(40, QChar(0x65E5)) + ".flac" }));
}

TEST_F(PlayListFileTest, Cp932FileReadsAndWritesBackByteForByte)
{
    // "/音楽/ソース/表.mp3"; two of its characters end in the byte of "\".
    const QByteArray cp932("/\x89\xb9\x8a\x79/\x83\x5c\x81\x5b\x83\x58/\x95\x5c.mp3\r\n");
    WriteFileBytes(File("sjis.orvl"), cp932);
    CPlayList list;
    EXPECT_EQ(list.Load(File("sjis.orvl")), PLAYLIST_LOAD_DONE);
    EXPECT_EQ(Entries(list), (Lines { QStringLiteral("/音楽/ソース/表.mp3") }));
    ASSERT_EQ(list.Save(File("again.orvl")), FileWaitResult::Done);
    EXPECT_EQ(ReadFileBytes(File("again.orvl")), cp932);
}

TEST_F(PlayListFileTest, NamesOutsideCp932AreSavedAsUtf8)
{
    // Café has no CP932 form; the wave dash and the yen sign have one that
    // reads back as another character, so they count as having none.
    for (const Lines& names : { Lines { "/music/表.mp3", "/music/Café.mp3" }, Lines { "/波〜.mp3" }, Lines { "/¥.mp3" } }) {
        CPlayList list;
        QString text;
        for (const QString& n : names) {
            list.Add(n);
            text += n + QStringLiteral("\r\n");
        }
        ASSERT_EQ(list.Save(File("utf8.orvl")), FileWaitResult::Done);
        const QByteArray bytes = ReadFileBytes(File("utf8.orvl"));
        EXPECT_EQ(bytes, "\xEF\xBB\xBF" + text.toUtf8());
        EXPECT_EQ(LoadBytes("back.orvl", bytes), names);
    }
}

TEST_F(PlayListFileTest, ReadingStopsAtTheLimitAndSkipsOverlongLines)
{
    QByteArray text;
    for (int i = 0; i < 1100; ++i)
        text += "/music/" + QByteArray::number(i) + ".mp3\r\n";
    const Lines entries = LoadBytes("long.orvl", text, PLAYLIST_LOAD_AT_LIMIT);
    ASSERT_EQ(entries.size(), static_cast<size_t>(PLAYLIST_MAX));
    EXPECT_EQ(entries.back(), "/music/1023.mp3");

    const QString longest = QLatin1Char('/') + QString(259, QLatin1Char('a'));
    EXPECT_EQ(LoadBytes("wide.orvl", ("/x.mp3\r\n" + longest + "b\r\n" + longest + "\r\n").toUtf8()),
        (Lines { "/x.mp3", longest }));
    // In an .m3u the resolved path must fit as well.
    const QString relative(MAX_PATH - dir.path().size(), QLatin1Char('r'));
    EXPECT_EQ(LoadBytes("wide.m3u", (relative + "\r\nz.mp3\r\n").toUtf8()), (Lines { File("z.mp3") }));
}

// The folder's entries, hidden ones included.
QStringList FolderEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

TEST_F(PlayListFileTest, ASaveReplacesTheFileKeepingItsModeAndItsLink)
{
    const QString path = File("list.orvl");
    WriteFileBytes(path, "/old.mp3\r\n");
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    ASSERT_TRUE(QFile::link(path, File("link.orvl")));

    CPlayList list;
    list.Add(QStringLiteral("/new.mp3"));
    ASSERT_EQ(list.Save(File("link.orvl")), FileWaitResult::Done);
    EXPECT_FALSE(list.m_bModified);
    EXPECT_EQ(ReadFileBytes(path), "/new.mp3\r\n");
    EXPECT_TRUE(QFileInfo(File("link.orvl")).isSymLink());
    EXPECT_EQ(QFile::permissions(path),
        QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup);
    EXPECT_EQ(FolderEntries(dir.path()), (QStringList { "link.orvl", "list.orvl" }));
}

// A file that cannot be opened fails at once; one that another process
// holds fails after the wait. Neither shows a message: that is the caller's.
TEST_F(PlayListFileTest, AMissingFileFailsAtOnceAndAHeldOneAfterTheWait)
{
    CPlayList list;
    EXPECT_EQ(list.Load(File("none.orvl")), PLAYLIST_LOAD_FAILED);
    list.Add(QStringLiteral("/b.mp3"));
    EXPECT_EQ(list.Save(File("no/such/folder/x.orvl")), FileWaitResult::Failed);
    WriteFileBytes(File("file"), "x");
    EXPECT_EQ(list.Save(File("file/x.orvl")), FileWaitResult::Failed);
    EXPECT_TRUE(list.m_bModified);
    EXPECT_EQ(FolderEntries(dir.path()), QStringList { "file" }) << "nothing left beside";

    const QString path = File("held.orvl");
    WriteFileBytes(path, "/a.mp3\r\n");
    {
        LockHolder reader(path, false);
        ASSERT_TRUE(reader.IsHolding());
        // Readers share the file; a writer waits.
        EXPECT_EQ(list.Load(path), PLAYLIST_LOAD_DONE);
        EXPECT_EQ(LockHolder::Waits(), 0);
        EXPECT_EQ(list.Save(path), FileWaitResult::TimedOut);
        EXPECT_EQ(LockHolder::Waits(), FILE_WAIT_TRIES);
    }
    LockHolder writer(path, true);
    ASSERT_TRUE(writer.IsHolding());
    EXPECT_EQ(list.Load(path), PLAYLIST_LOAD_IN_USE);
    EXPECT_EQ(LockHolder::Waits(), FILE_WAIT_TRIES);
    EXPECT_EQ(ReadFileBytes(path), "/a.mp3\r\n") << "a waiting writer must not empty the file";
    EXPECT_TRUE(responder.boxes.empty());


    writer.Release();
    CPlayList again;
    EXPECT_EQ(again.Load(path), PLAYLIST_LOAD_DONE);
    EXPECT_EQ(again.GetCount(), 1);
}

TEST_F(PlayListFileTest, OnlyOrdinaryFilesOfAListsSizeAreRead)
{
    // Each of these once hung or swamped the window; now each fails at once.
    QFile::link(QStringLiteral("/dev/zero"), File("zero.orvl"));
    QFile::link(QStringLiteral("/dev/urandom"), File("random.m3u"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(File("pipe.orvl")).constData(), 0600), 0);
    QDir().mkpath(File("folder.orvl"));
    WriteFileBytes(File("huge.orvl"), QByteArray(17 * 1024 * 1024, 'a'));
    for (const char* name : { "zero.orvl", "random.m3u", "pipe.orvl", "folder.orvl", "huge.orvl" }) {
        CPlayList list;
        EXPECT_EQ(list.Load(File(name)), PLAYLIST_LOAD_FAILED) << name;
        EXPECT_EQ(list.GetCount(), 0) << name;
    }
    // Saving over a pipe neither waits for a reader nor writes into it.
    CPlayList list;
    list.Add(QStringLiteral("/a.mp3"));
    EXPECT_EQ(list.Save(File("pipe.orvl")), FileWaitResult::Failed);
    EXPECT_FALSE(QFileInfo(File("pipe.orvl")).isFile());
    EXPECT_TRUE(responder.boxes.empty());
}

} // namespace
