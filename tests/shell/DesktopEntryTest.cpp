// The "send to" launcher entry: a file desktop tools accept, whose Exec
// line gives the program back its own path and the chosen files.

#include "TestEnv.h"

#include "shell/SendToShortcut.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <unistd.h>

namespace {

QString Tool(const char* name)
{
    const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
    EXPECT_FALSE(path.isEmpty()) << name << " is missing; scripts/deps.sh installs it";
    return path;
}

// A program that writes each argument it gets on a line of its own.
void WriteArgumentRecorder(const QString& path, const QString& outFile)
{
    WriteFileBytes(path,
        QByteArray("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '") + QFile::encodeName(outFile)
            + "'\n");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(DesktopEntryTest, EntryValidatesStaysOutOfTheMenuAndStartsTheProgramAtAnOddPath)
{
    QTemporaryDir dir;
    const QString odd = dir.filePath(QStringLiteral("my \"odd\" $HOME `x` back\\slash\\"));
    ASSERT_TRUE(QDir().mkpath(odd));
    const QString program = odd + QStringLiteral("/orv player");
    const QString recorded = dir.filePath(QStringLiteral("args.txt"));
    WriteArgumentRecorder(program, recorded);

    // A lone "%" would be an unknown field code to desktop tools, and a line
    // break would end the entry's line; launchers cannot start these paths,
    // so they are only validated.
    const QString entry = dir.filePath(QStringLiteral("orvで再生.desktop"));
    for (const QString& path : { QStringLiteral("/opt/100% sure/%F %u/two\nlines/orv"), program }) {
        ASSERT_TRUE(CreateSendToShortcut(entry, path));
        const ProgramRun valid = RunProgram(Tool("desktop-file-validate"), { entry });
        EXPECT_EQ(valid.exitCode, 0) << valid.out.toStdString();
        EXPECT_TRUE(valid.out.trimmed().isEmpty()) << valid.out.toStdString();
    }

    const QString text = QString::fromUtf8(ReadFileBytes(entry));
    EXPECT_TRUE(text.contains(QStringLiteral("\nName=orvで再生\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nNoDisplay=true\n")));
    for (const char* type : { "video/mp4", "audio/mpeg", "video/x-matroska", "audio/flac" })
        EXPECT_TRUE(text.contains(QString::fromLatin1(type) + QLatin1Char(';'))) << type;
    // Others must be able to read it; file managers may run as another user.
    EXPECT_TRUE(QFileInfo(entry).permissions() & QFile::ReadOther);

    const QString media = dir.filePath(QStringLiteral("a clip %f.mp4"));
    WriteFileBytes(media, "x");
    const ProgramRun run = RunProgram(Tool("gio"), { QStringLiteral("launch"), entry, media });
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    // The launcher does not wait for the program.
    for (int i = 0; i < 100 && ReadFileBytes(recorded).isEmpty(); ++i)
        usleep(50000);
    EXPECT_EQ(QString::fromUtf8(ReadFileBytes(recorded)), media + QLatin1Char('\n'));
}

} // namespace
