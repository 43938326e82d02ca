#include "TestEnv.h"

#include "platform/ProfileFile.h"

#include <gtest/gtest.h>

#include <QProcess>

#include <sys/stat.h>

namespace {

class ProfileFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString ini = dir.filePath(QStringLiteral("orv.ini"));
};

TEST_F(ProfileFileTest, ReadsBomCrLfAndNamesWithoutRegardToCase)
{
    WriteFileBytes(ini, "\xEF\xBB\xBF[Common]\r\nVolume = 42\r\nSAVE_FOLDER=/tmp/a b\r\n[other]\r\nk=v\r\n");
    EXPECT_EQ(GetPrivateProfileInt("common", "VOLUME", 7, ini), 42);
    EXPECT_EQ(GetPrivateProfileString("COMMON", "save_folder", "", ini), "/tmp/a b");
    EXPECT_EQ(GetPrivateProfileInt("Common", "MISSING", 7, ini), 7);
}

TEST_F(ProfileFileTest, SaveKeepsForeignLinesAndChangesOnlyItsKey)
{
    WriteFileBytes(ini, "; comment\n[Common]\nVOLUME=1\nUNKNOWN=keep me\n\n[Other]\nX=1\n");
    ASSERT_TRUE(WritePrivateProfileString("common", "volume", "80", ini));
    ASSERT_TRUE(WritePrivateProfileString("Common", "NEW_KEY", "n", ini));
    ASSERT_TRUE(WritePrivateProfileString("Fresh", "A", "b", ini));
    EXPECT_EQ(ReadFileBytes(ini),
        "; comment\n[Common]\nVOLUME=80\nUNKNOWN=keep me\nNEW_KEY=n\n\n[Other]\nX=1\n\n[Fresh]\nA=b\n");
}

TEST_F(ProfileFileTest, ValuesRoundTripIncludingJapaneseBlanksAndQuotes)
{
    const QStringList values { QStringLiteral("/home/ユーザー/動画"), QStringLiteral("  padded "),
        QStringLiteral("\"quoted\""), QString() };
    for (int i = 0; i < values.size(); ++i)
        ASSERT_TRUE(WritePrivateProfileString("S", QStringLiteral("K%1").arg(i), values[i], ini));
    for (int i = 0; i < values.size(); ++i)
        EXPECT_EQ(GetPrivateProfileString("S", QStringLiteral("K%1").arg(i), "x", ini), values[i]);
}

TEST_F(ProfileFileTest, ALineBreakInAValueCannotInjectKeys)
{
    ASSERT_TRUE(WritePrivateProfileString("S", "K", "a\nINJECTED=1", ini));
    EXPECT_EQ(GetPrivateProfileString("S", "K", "", ini), "a");
    EXPECT_EQ(GetPrivateProfileInt("S", "INJECTED", -1, ini), -1);
}

TEST_F(ProfileFileTest, ReadsSeeAnotherWritersChanges)
{
    ASSERT_TRUE(WritePrivateProfileString("S", "K", "1", ini));
    EXPECT_EQ(GetPrivateProfileInt("S", "K", 0, ini), 1);
    WriteFileBytes(ini, "[S]\nK=22222\n"); // another program rewrites the file
    EXPECT_EQ(GetPrivateProfileInt("S", "K", 0, ini), 22222);
}

TEST_F(ProfileFileTest, AMissingFolderIsCreatedAndAnUnwritableOneReportsFailure)
{
    const QString nested = dir.filePath(QStringLiteral("a/b/orv.ini"));
    ASSERT_TRUE(WritePrivateProfileString("S", "K", "v", nested));
    EXPECT_EQ(GetPrivateProfileString("S", "K", "", nested), "v");

    WriteFileBytes(dir.filePath("plain"), "not a folder");
    EXPECT_FALSE(WritePrivateProfileString("S", "K", "v", dir.filePath("plain/orv.ini")));
    EXPECT_EQ(ReadFileBytes(dir.filePath("plain")), "not a folder");
}

TEST_F(ProfileFileTest, TwoProcessesSavingAtOnceLoseNothing)
{
    QProcess a, b;
    a.start(QStringLiteral(ORV_TEST_HELPER), { "profile-write", ini, "Common", "A_", "60" });
    b.start(QStringLiteral(ORV_TEST_HELPER), { "profile-write", ini, "Common", "B_", "60" });
    ASSERT_TRUE(a.waitForFinished(60000) && b.waitForFinished(60000));
    ASSERT_EQ(a.exitCode() + b.exitCode(), 0);
    for (int i = 0; i < 60; ++i) {
        EXPECT_EQ(GetPrivateProfileInt("Common", QStringLiteral("A_%1").arg(i), -1, ini), i);
        EXPECT_EQ(GetPrivateProfileInt("Common", QStringLiteral("B_%1").arg(i), -1, ini), i);
    }
}

TEST_F(ProfileFileTest, WhatIsNoSettingsFileGivesDefaultsAndIsNeverReplaced)
{
    const QString zero = dir.filePath("zero.ini");
    const QString random = dir.filePath("random.ini");
    const QString pipe = dir.filePath("pipe.ini");
    const QString huge = dir.filePath("huge.ini");
    QFile::link(QStringLiteral("/dev/zero"), zero);
    QFile::link(QStringLiteral("/dev/urandom"), random);
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    WriteFileBytes(huge, "[S]\nK=1\n" + QByteArray(2 * 1024 * 1024, ';'));
    for (const QString& path : { zero, random, pipe, huge }) {
        EXPECT_EQ(GetPrivateProfileInt("S", "K", 7, path), 7) << qPrintable(path);
        EXPECT_FALSE(WritePrivateProfileString("S", "K", "v", path)) << qPrintable(path);
    }
    EXPECT_EQ(QFileInfo(zero).symLinkTarget(), QStringLiteral("/dev/zero"));
    EXPECT_FALSE(QFileInfo(pipe).isFile());
    EXPECT_EQ(QFileInfo(huge).size(), 2 * 1024 * 1024 + 8);
}

TEST_F(ProfileFileTest, AFileTheUserMadeReadOnlyIsReadButNotRewritten)
{
    WriteFileBytes(ini, "[S]\nK=1\n");
    ASSERT_TRUE(QFile::setPermissions(ini, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    EXPECT_EQ(GetPrivateProfileInt("S", "K", 7, ini), 1);
    EXPECT_FALSE(WritePrivateProfileString("S", "K", "2", ini));
    EXPECT_EQ(ReadFileBytes(ini), "[S]\nK=1\n");
    EXPECT_EQ(QFileInfo(ini).permissions() & QFile::WriteOwner, 0);
}

} // namespace
