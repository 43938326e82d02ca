#include "TestEnv.h"

#include "app/AppSettings.h"
#include "platform/FileFilter.h"
#include "playlist/FolderScan.h"
#include "playlist/MediaFiles.h"
#include "playlist/PlayList.h"

#include <QDir>
#include <QRegularExpression>

#include <gtest/gtest.h>


namespace {

class MediaFilesTest : public ::testing::Test {
protected:
    MediaFilesTest() { SetTheAppSettings(&settings); }
    ~MediaFilesTest() override { SetTheAppSettings(nullptr); }

    void Touch(std::initializer_list<const char*> names)
    {
        for (const char* name : names) {
            const QString path = dir.filePath(QString::fromUtf8(name));
            QDir().mkpath(QFileInfo(path).path());
            WriteFileBytes(path, "x");
        }
    }

    CAppSettings settings;
    QTemporaryDir dir;
};

// Matched case-sensitively, as Linux file dialogs match.
bool QtFilterMatches(const QString& qtFilter, const QString& name)
{
    const qsizetype open = qtFilter.lastIndexOf(QLatin1Char('('));
    for (const QString& p : qtFilter.mid(open + 1).chopped(1).split(QLatin1Char(' ')))
        if (QRegularExpression(QRegularExpression::wildcardToRegularExpression(p)).match(name).hasMatch())
            return true;
    return false;
}

TEST_F(MediaFilesTest, QtFiltersMatchWithoutRegardToCase)
{
    const QStringList filters = MfcFilterToQt(BuildMediaFilter()).split(QStringLiteral(";;"));
    ASSERT_EQ(filters.size(), 5);
    EXPECT_TRUE(QtFilterMatches(filters[0], "A.MP3"));
    EXPECT_FALSE(QtFilterMatches(filters[1], "d.mp3"));
    EXPECT_FALSE(QtFilterMatches(filters[0], "song.mp3.txt"));
    EXPECT_TRUE(QtFilterMatches(filters[4], "README"));

    // A pattern Qt cannot take is left out rather than spoiling its group.
    EXPECT_EQ(MfcFilterToQt(QStringLiteral("Lists |*.orvl;*.é|Odd |*.é||")), "Lists (*.[oO][rR][vV][lL])");
}

TEST_F(MediaFilesTest, ScanGoesInNameOrderFilesFirstAndFollowsNoLinkRound)
{
    // Made out of order; compared as capitals, as a case-insensitive file
    // system orders them, so "_" comes after the letters.
    Touch({ "Zed/z.mp3", "sub/deeper/d.mid", "c.FLAC", "same.wav", "sub/B.avi", "ab.wav", "a_b.wav", "Same.wav",
        "sub/a.webm", "A.mkv", "notes.txt", ".hidden.mp3" });
    const QString root = dir.path();
    ASSERT_TRUE(QFile::link(root, dir.filePath("sub/loop")));
    // What a scan adds to a list that holds ab.wav already.
    auto scan = [&](BOOL bSubFolders) {
        CPlayList list;
        list.Add(root + "/ab.wav");
        EXPECT_TRUE(ScanFolder(list, root, bSubFolders));
        QStringList added;
        for (int i = 1; i < list.GetCount(); ++i)
            added << list.GetAt(i).mid(root.size() + 1);
        return added;
    };
    const QStringList flat { ".hidden.mp3", "A.mkv", "a_b.wav", "c.FLAC", "Same.wav", "same.wav" };
    EXPECT_EQ(scan(FALSE), flat);
    EXPECT_EQ(scan(TRUE), flat + QStringList({ "sub/a.webm", "sub/B.avi", "sub/deeper/d.mid", "Zed/z.mp3" }));
}

TEST_F(MediaFilesTest, ScanFailsOnlyForNonFoldersAndOverlongPaths)
{
    Touch({ "a.wav" });
    ASSERT_TRUE(QDir(dir.path()).mkdir("empty"));
    CPlayList list;
    EXPECT_FALSE(ScanFolder(list, dir.filePath("a.wav"), TRUE));
    EXPECT_FALSE(ScanFolder(list, dir.filePath("missing"), TRUE));
    EXPECT_TRUE(ScanFolder(list, dir.filePath("empty"), TRUE));
    EXPECT_EQ(list.GetCount(), 0);

    // The folder and "/*.*" must fit in a path of 260 characters.
    const QString fits = dir.filePath(QString(MAX_PATH - 4 - dir.path().size() - 1, QLatin1Char('f')));
    ASSERT_EQ(fits.size() + 4, MAX_PATH);
    ASSERT_TRUE(QDir().mkpath(fits) && QDir().mkpath(fits + 'g'));
    EXPECT_TRUE(ScanFolder(list, fits, TRUE));
    EXPECT_FALSE(ScanFolder(list, fits + 'g', TRUE));
}

} // namespace
