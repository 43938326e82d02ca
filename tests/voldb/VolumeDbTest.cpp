#include "FileSizeLimit.h"
#include "VolumeDbSupport.h"

#include "voldb/VolumeDbFile.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {

TEST_F(VolumeDbTest, OtherLetterCaseIsAnotherFile)
{
    CVolumeDB db(DbPath(), TRUE);
    ASSERT_TRUE(PlayAndLeave(db, QStringLiteral("/m/A.mp3"), 30));
    EXPECT_EQ(db.Lookup(QStringLiteral("/m/a.mp3")), -1);
    ASSERT_TRUE(PlayAndLeave(db, QStringLiteral("/m/a.mp3"), 60));
    CVolumeDB next(DbPath(), TRUE);
    EXPECT_EQ(next.Lookup(QStringLiteral("/M/A.MP3")), -1);
    EXPECT_EQ(next.Lookup(QStringLiteral("/m/a.mp3")), 60);
    EXPECT_EQ(Bytes(), Db("/m/A.mp3|030\r\n/m/a.mp3|060\r\n"));
}

TEST_F(VolumeDbTest, FirstFullLineOfThePathWins)
{
    Put(Db("no bar\r\n/a|03\r\n/a.mp3|041\r\n/a|0123\r\n/a|055\r\n/b|999\n/c|-5x"));
    CVolumeDB db(DbPath(), TRUE);
    EXPECT_EQ(db.Lookup(QStringLiteral("/a")), 12);
    EXPECT_EQ(db.Lookup(QStringLiteral("/b")), 100);
    EXPECT_EQ(db.Lookup(QStringLiteral("/c")), 0);
    // The /a line that lookups take is longer than the one written: the
    // value goes to the end rather than into the next line.
    ASSERT_TRUE(PlayAndLeave(db, QStringLiteral("/a"), 60));
    EXPECT_EQ(Bytes(), Db("no bar\r\n/a|03\r\n/a.mp3|041\r\n/a|0123\r\n/a|055\r\n/b|999\n/c|-5x\r\n/a|060\r\n"));
}

TEST_F(VolumeDbTest, AThousandFilesFillTheCache)
{
    CVolumeDB db(DbPath(), TRUE);
    QString text;
    for (int i = 0; i < VOLDB_CACHE_SIZE; ++i) {
        const QString path = QStringLiteral("/%1").arg(i, 4, 10, QLatin1Char('0'));
        ASSERT_TRUE(PlayAndLeave(db, path, i % 101));
        text += QStringLiteral("%1|%2\r\n").arg(path).arg(i % 101, 3, 10, QLatin1Char('0'));
    }
    EXPECT_EQ(Bytes(), Db(text.toLatin1().constData()));

    // A further file is not remembered, but one in the cache still is.
    EXPECT_FALSE(PlayAndLeave(db, QStringLiteral("/new"), 10));
    EXPECT_FALSE(db.Flush());
    EXPECT_TRUE(PlayAndLeave(db, QStringLiteral("/0005"), 77));
    text.replace(QStringLiteral("/0005|005"), QStringLiteral("/0005|077"));
    EXPECT_EQ(Bytes(), Db(text.toLatin1().constData()));
    // Lookups still read the file, uncached.
    QFile f(DbPath());
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write(Db("/late|033\r\n").mid(2));
    f.close();
    EXPECT_EQ(db.Lookup(QStringLiteral("/late")), 33);
    EXPECT_FALSE(db.Remember(QStringLiteral("/late"), 44));
}

TEST_F(VolumeDbTest, FileChangedBehindOurBackIsNeverCorrupted)
{
    CVolumeDB db(DbPath(), TRUE);
    for (const char* p : { "/a", "/b", "/c" })
        ASSERT_TRUE(PlayAndLeave(db, QString::fromLatin1(p), 30));
    // Cut: the line of /c is gone; its rewrite goes to the end instead of
    // past it.
    Put(Db("/a|030\r\n/b|03"));
    EXPECT_TRUE(PlayAndLeave(db, QStringLiteral("/c"), 45));
    EXPECT_EQ(Bytes(), Db("/a|030\r\n/b|03\r\n/c|045\r\n"));
    // Edited: /a's line moved; the line lookups take is rewritten.
    Put(Db("/new|010\r\n/a|030\r\n"));
    EXPECT_TRUE(PlayAndLeave(db, QStringLiteral("/a"), 99));
    EXPECT_EQ(Bytes(), Db("/new|010\r\n/a|099\r\n"));
    // Emptied, and half a character at the end.
    Put(QByteArray());
    EXPECT_TRUE(PlayAndLeave(db, QStringLiteral("/b"), 1));
    EXPECT_EQ(Bytes(), Db("/b|001\r\n"));
    Put(Db("/x|0").append('9'));
    EXPECT_TRUE(PlayAndLeave(db, QStringLiteral("/b"), 2));
    EXPECT_EQ(Bytes(), Db("/x|09\r\n/b|002\r\n"));
    // Not ours (no mark): left alone, and tried again when next left.
    Put("/b|040\r\n");
    EXPECT_EQ(CVolumeDB(DbPath(), TRUE).Lookup(QStringLiteral("/b")), -1);
    EXPECT_FALSE(PlayAndLeave(db, QStringLiteral("/b"), 3));
    EXPECT_EQ(Bytes(), "/b|040\r\n");
}

TEST_F(VolumeDbTest, FailedWriteLeavesNoHalfLineAndIsTriedAgain)
{
    CVolumeDB db(DbPath(), TRUE);
    ASSERT_TRUE(PlayAndLeave(db, QStringLiteral("/a"), 30));
    {
        FileSizeLimit full(Bytes().size() + 6);
        ASSERT_TRUE(full.IsSet());
        EXPECT_FALSE(PlayAndLeave(db, QStringLiteral("/long/name.mp3"), 40));
    }
    EXPECT_EQ(Bytes(), Db("/a|030\r\n"));
    EXPECT_TRUE(PlayAndLeave(db, QStringLiteral("/long/name.mp3"), 40));
    EXPECT_EQ(Bytes(), Db("/a|030\r\n/long/name.mp3|040\r\n"));
}

TEST_F(VolumeDbTest, PathsThatCannotBeALineAreNotRemembered)
{
    CVolumeDB db(DbPath(), TRUE);
    for (const char* p : { "/a|040.mp3", "/a\n/b|040", "/a\r.mp3", "" }) {
        EXPECT_FALSE(PlayAndLeave(db, QString::fromLatin1(p), 40)) << p;
        EXPECT_FALSE(db.Flush());
    }
    EXPECT_FALSE(QFile::exists(DbPath()));
}

TEST_F(VolumeDbTest, OnlyARegularFileOfBoundedSizeIsUsed)
{
    Put(Db("/a|030\r\n"));
    ASSERT_TRUE(QFile::resize(DbPath(), VOLDB_MAX_FILE_BYTES + 2));
    CVolumeDB db(DbPath(), TRUE);
    EXPECT_EQ(db.Lookup(QStringLiteral("/a")), -1);
    EXPECT_FALSE(PlayAndLeave(db, QStringLiteral("/b"), 10));
    EXPECT_EQ(QFileInfo(DbPath()).size(), VOLDB_MAX_FILE_BYTES + 2);

    ASSERT_TRUE(QFile::remove(DbPath()));
    ASSERT_EQ(::mkfifo(QFile::encodeName(DbPath()).constData(), 0600), 0);
    CVolumeDB fifo(DbPath(), TRUE);
    EXPECT_EQ(fifo.Lookup(QStringLiteral("/a")), -1) << "and does not wait for a writer";
    EXPECT_FALSE(PlayAndLeave(fifo, QStringLiteral("/b"), 10));
    EXPECT_FALSE(fifo.TakeTimedOut());
}

} // namespace
