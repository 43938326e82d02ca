#include "TestEnv.h"

#include "app/AppSettings.h"
#include "platform/FileFilter.h"
#include "playlist/FolderScan.h"
#include "playlist/MediaFiles.h"
#include "playlist/PlayList.h"

#include <QDir>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <set>

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

TEST_F(MediaFilesTest, ExtensionsDecideWithoutRegardToCase)
{
    EXPECT_TRUE(IsMediaFile("/music/A.MP3"));
    EXPECT_TRUE(IsMediaFile("rel/c.Rmi"));
    for (const char* no : { "/music/song.mp3.txt", "/music/README", "/music.mp3/README", "/m/song.", "", "/m/a.orvl" })
        EXPECT_FALSE(IsMediaFile(no)) << no;
    EXPECT_TRUE(IsPlayListFile("/x/list.m3U"));
    EXPECT_FALSE(IsPlayListFile("/x/list.m3u8"));
    // Today's formats are built in.
    for (const char* yes : { "/v/Film.MKV", "/v/clip.mp4", "/v/x.M2TS", "/a/s.Opus", "/a/t.flac", "/a/u.WV" })
        EXPECT_TRUE(IsMediaFile(yes)) << yes;
    EXPECT_FALSE(IsMediaFile("/v/a.mxf"));

    settings.m_strVideoExt[0] = ".mxf";
    settings.m_strAudioExt[0] = ".tta";
    EXPECT_FALSE(IsMediaFile("/v/a.mxf")) << "only the first m_nVideoExtNum count";
    settings.m_nVideoExtNum = 1;
    settings.m_nAudioExtNum = 1;
    EXPECT_TRUE(IsMediaFile("/v/a.MXF"));
    EXPECT_TRUE(IsMediaFile("/v/a.tta"));

    Touch({ "folder.mp3/x" });
    EXPECT_TRUE(IsFolder(dir.filePath("folder.mp3")));
    EXPECT_FALSE(IsFolder(dir.filePath("folder.mp3/x")));
}

TEST_F(MediaFilesTest, MediaFilterIsExact)
{
    EXPECT_EQ(BuildMediaFilter(),
        QStringLiteral("全てのメディアファイル |*.wav;*.mp3;*.mpa;*.wma;*.au;*.snd;*.aiff;*.aif;*.aifc;*.avi;*.wmv;"
                       "*.asf;*.mpg;*.mpeg;*.mpe;*.mid;*.midi;*.rmi;*.mp4;*.m4v;*.mkv;*.webm;*.ogv;*.ts;*.m2ts;*.mts;"
                       "*.mov;*.3gp;*.flv;*.vob;*.m4a;*.aac;*.flac;*.ogg;*.oga;*.opus;*.mka;*.ac3;*.wv"
                       "|ビデオファイル |*.avi;*.wmv;*.asf;*.mpg;*.mpeg;*.mpe;*.mp4;*.m4v;*.mkv;*.webm;*.ogv;*.ts;"
                       "*.m2ts;*.mts;*.mov;*.3gp;*.flv;*.vob"
                       "|オーディオファイル |*.wav;*.mp3;*.mpa;*.wma;*.au;*.snd;*.aiff;*.aif;*.aifc;*.m4a;*.aac;*.flac;"
                       "*.ogg;*.oga;*.opus;*.mka;*.ac3;*.wv"
                       "|MIDIファイル |*.mid;*.midi;*.rmi|すべてのﾌｧｲﾙ (*.*)|*.*||"));

    settings.m_strVideoExt = { ".mxf", ".nut" };
    settings.m_strAudioExt[0] = ".tta";
    settings.m_nVideoExtNum = 2;
    settings.m_nAudioExtNum = 1;
    const QStringList groups = BuildMediaFilter().split('|');
    EXPECT_TRUE(groups[1].endsWith("*.wv;*.mxf;*.nut;*.tta"));
    EXPECT_TRUE(groups[3].endsWith("*.vob;*.mxf;*.nut"));
    EXPECT_TRUE(groups[5].endsWith("*.wv;*.tta"));
}

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
    EXPECT_EQ(filters[3], QStringLiteral("MIDIファイル (*.[mM][iI][dD] *.[mM][iI][dD][iI] *.[rR][mM][iI])"));
    EXPECT_EQ(filters[4], QStringLiteral("すべてのﾌｧｲﾙ (*.*) (*)"));
    EXPECT_TRUE(QtFilterMatches(filters[0], "A.MP3"));
    EXPECT_FALSE(QtFilterMatches(filters[1], "d.mp3"));
    EXPECT_FALSE(QtFilterMatches(filters[0], "song.mp3.txt"));
    EXPECT_TRUE(QtFilterMatches(filters[4], "README"));

    // A pattern Qt cannot take is left out rather than spoiling its group.
    EXPECT_EQ(MfcFilterToQt(QStringLiteral("Lists |*.orvl;*.é|Odd |*.é||")), "Lists (*.[oO][rR][vV][lL])");
}

std::set<QString> EntrySet(const CPlayList& list)
{
    std::set<QString> out;
    for (int i = 0; i < list.GetCount(); ++i)
        out.insert(list.GetAt(i));
    return out;
}

TEST_F(MediaFilesTest, ScanTakesMediaFilesWithOrWithoutSubFolders)
{
    Touch({ "a.wav", "c.txt", ".hidden.mp3", "sub/b1.avi", "sub/b2.avi", "sub/deeper/d.mid" });
    ASSERT_TRUE(QFile::link(dir.path(), dir.filePath("sub/loop")));
    const QString root = dir.path();

    CPlayList flat;
    EXPECT_TRUE(ScanFolder(flat, root, FALSE));
    EXPECT_EQ(EntrySet(flat), (std::set<QString> { root + "/a.wav", root + "/.hidden.mp3" }));

    CPlayList deep;
    deep.Add(root + "/a.wav");
    EXPECT_TRUE(ScanFolder(deep, root, TRUE));
    EXPECT_EQ(EntrySet(deep),
        (std::set<QString> { root + "/a.wav", root + "/.hidden.mp3", root + "/sub/b1.avi", root + "/sub/b2.avi",
            root + "/sub/deeper/d.mid" }))
        << "each file once; the link back up is not followed round";
    // Depth first: the sub-folder's files come together, where it was met.
    std::vector<int> inSub;
    for (int i = 0; i < deep.GetCount(); ++i)
        if (deep.GetAt(i).startsWith(root + "/sub/"))
            inSub.push_back(i);
    EXPECT_EQ(inSub.back() - inSub.front(), 2);
}

TEST_F(MediaFilesTest, ScanGoesInNameOrderFilesBeforeSubFolders)
{
    // Made out of order; compared as capitals, as a case-insensitive file
    // system orders them, so "_" comes after the letters.
    Touch({ "Zed/z.mp3", "sub/deeper/d.mid", "c.FLAC", "same.wav", "sub/B.avi", "ab.wav", "a_b.wav", "Same.wav",
        "sub/a.webm", "A.mkv", "notes.txt", "b.Opus" });
    const QString root = dir.path();
    CPlayList list;
    ASSERT_TRUE(ScanFolder(list, root, TRUE));
    QStringList entries;
    for (int i = 0; i < list.GetCount(); ++i)
        entries << list.GetAt(i).mid(root.size() + 1);
    EXPECT_EQ(entries,
        (QStringList { "A.mkv", "ab.wav", "a_b.wav", "b.Opus", "c.FLAC", "Same.wav", "same.wav", "sub/a.webm",
            "sub/B.avi", "sub/deeper/d.mid", "Zed/z.mp3" }));
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
