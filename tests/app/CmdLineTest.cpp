#include "LockHolder.h"
#include "ScriptedResponder.h"
#include "TestEnv.h"

#include "app/AppSettings.h"
#include "app/CmdLineAnalize.h"
#include "platform/ResString.h"

#include <QDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

using Lines = std::vector<QString>;

class CmdLineTest : public ::testing::Test {
protected:
    CmdLineTest()
        : m_cwd(QDir::currentPath())
    {
        SetTheAppSettings(&settings);
        QDir::setCurrent(dir.path());
        QDir().mkpath("music/sub");
        QDir().mkpath("empty");
        WriteFileBytes("music/a.wav", "x");
        WriteFileBytes("music/sub/b.wav", "x");
        WriteFileBytes("list.orvl", "/m/l1.mp3\r\n/m/l2.mp3\r\n");
    }
    ~CmdLineTest() override
    {
        QDir::setCurrent(m_cwd);
        SetTheAppSettings(nullptr);
    }

    Lines Parse(const QStringList& args)
    {
        cmd = std::make_unique<CCmdLineAnalize>();
        char* text = nullptr;
        size_t size = 0;
        std::FILE* stream = open_memstream(&text, &size);
        cmd->m_pReport = stream;
        cmd->ParseCommandLine(args);
        std::fclose(stream);
        report = QString::fromUtf8(text, static_cast<qsizetype>(size));
        std::free(text);
        Lines out;
        for (int i = 0; i < cmd->m_playList.GetCount(); ++i)
            out.push_back(cmd->m_playList.GetAt(i));
        return out;
    }

    CAppSettings settings;
    QTemporaryDir dir;
    ScriptedResponder responder;
    std::unique_ptr<CCmdLineAnalize> cmd;
    // What the parse reported.
    QString report;

private:
    QString m_cwd;
};

TEST_F(CmdLineTest, OnlyAFirstPlaylistIsRemembered)
{
    EXPECT_EQ(Parse({ "list.orvl" }), (Lines { "/m/l1.mp3", "/m/l2.mp3" }));
    EXPECT_EQ(cmd->m_nParamCount, 1);
    EXPECT_EQ(cmd->m_strFirstPlaylist, dir.filePath("list.orvl"));

    EXPECT_EQ(Parse({ "/m/first.mp3", dir.filePath("list.orvl") }), (Lines { "/m/first.mp3", "/m/l1.mp3", "/m/l2.mp3" }));
    EXPECT_EQ(cmd->m_nParamCount, 2);
    EXPECT_TRUE(cmd->m_strFirstPlaylist.isEmpty());
}

TEST_F(CmdLineTest, FoldersCountEvenWhenEmptyAndUnknownFilesDoNot)
{
    WriteFileBytes("notes.txt", "x");
    EXPECT_EQ(Parse({ "empty", "notes.txt", "README", "./music/../music" }), (Lines { dir.filePath("music/a.wav") }));
    EXPECT_EQ(cmd->m_nParamCount, 2);
    // By name, so a mistyped one does not just vanish.
    EXPECT_EQ(report,
        QStringLiteral("orv: %1: not a media or playlist file\norv: %2: not a media or playlist file\n")
            .arg(dir.filePath("notes.txt"), dir.filePath("README")));

    settings.m_bAccSubFolder = TRUE;
    EXPECT_EQ(Parse({ "music" }).size(), 2u);
}

TEST_F(CmdLineTest, SwitchesAreIgnoredUntilDoubleDash)
{
    EXPECT_EQ(Parse({ "-x.mp3", "--fullscreen", "-", "/abs/a.mp3", "--", "-x.mp3", "--" }),
        (Lines { "/abs/a.mp3", dir.filePath("-x.mp3") }));
    EXPECT_EQ(report.count('\n'), 1) << "switches are not reported";
    EXPECT_EQ(cmd->m_nParamCount, 2) << "the last \"--\" is a name without extension";
}

TEST_F(CmdLineTest, DuplicatesFollowTheSetting)
{
    EXPECT_EQ(Parse({ "/m/a.mp3", "/m/a.mp3", "/m/A.mp3" }).size(), 2u);
    EXPECT_EQ(cmd->m_nParamCount, 3) << "a refused file still counts as taken";
    settings.m_bAccSameData = TRUE;
    EXPECT_EQ(Parse({ "/m/a.mp3", "/m/a.mp3" }).size(), 2u);
}

// The command line is parsed before there is a window: the parse itself
// tells the user what the playlist cannot take.
TEST_F(CmdLineTest, AListBeyondTheLimitOrAHeldPlaylistFileIsReported)
{
    QByteArray lines;
    for (int i = 0; i < 1023; ++i)
        lines += "/m/" + QByteArray::number(i) + ".mp3\r\n";
    WriteFileBytes("big.orvl", lines);
    EXPECT_EQ(Parse({ "big.orvl", "list.orvl", "music" }).size(), 1024u);
    ASSERT_EQ(responder.boxes.size(), 1u);
    EXPECT_EQ(responder.boxes[0].text, LoadResString(IDS_PLAYLIST_FULL));
    EXPECT_EQ(responder.boxes[0].style, MB_ICONINFORMATION);

    LockHolder holder(dir.filePath("list.orvl"), true);
    ASSERT_TRUE(holder.IsHolding());
    EXPECT_TRUE(Parse({ "list.orvl" }).empty());
    ASSERT_EQ(responder.boxes.size(), 2u);
    EXPECT_EQ(responder.boxes[1].text, LoadResString(IDS_FILE_IN_USE));
    EXPECT_EQ(responder.boxes[1].style, MB_ICONERROR);
}

} // namespace
