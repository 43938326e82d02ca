// The "send to" launcher entry: a file desktop tools accept, whose Exec
// line gives the program back its own path and the chosen files.

#include "TestEnv.h"

#include "shell/DesktopEntry.h"
#include "shell/SendToShortcut.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <unistd.h>

namespace {

struct ToolRun {
    int exitCode = -1;
    QString output;
};

ToolRun RunTool(const QString& program, const QStringList& args)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    ToolRun run;
    if (!process.waitForFinished(20000))
        return run;
    run.exitCode = process.exitCode();
    run.output = QString::fromLocal8Bit(process.readAll());
    return run;
}

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

TEST(DesktopEntryTest, EntryValidatesAndStaysOutOfTheMenu)
{
    QTemporaryDir dir;
    const QString entry = dir.filePath(QStringLiteral("orvで再生.desktop"));
    ASSERT_TRUE(CreateSendToShortcut(entry, QStringLiteral("/opt/my player/orv")));

    const ToolRun run = RunTool(Tool("desktop-file-validate"), { entry });
    EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
    EXPECT_TRUE(run.output.trimmed().isEmpty()) << run.output.toStdString();

    const QString text = QString::fromUtf8(ReadFileBytes(entry));
    EXPECT_TRUE(text.contains(QStringLiteral("\nName=orvで再生\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nNoDisplay=true\n")));
    EXPECT_TRUE(text.contains(QStringLiteral(" %F\n")));
    for (const char* type : { "video/mp4", "audio/mpeg", "video/x-matroska", "audio/flac" })
        EXPECT_TRUE(text.contains(QString::fromLatin1(type) + QLatin1Char(';'))) << type;
    // Others must be able to read it; file managers may run as another user.
    EXPECT_TRUE(QFileInfo(entry).permissions() & QFile::ReadOther);
}

TEST(DesktopEntryTest, LauncherStartsTheProgramAtAPathWithSpacesAndSpecialCharacters)
{
    QTemporaryDir dir;
    const QString odd = dir.filePath(QStringLiteral("my \"odd\" $HOME `x` back\\slash"));
    ASSERT_TRUE(QDir().mkpath(odd));
    const QString program = odd + QStringLiteral("/orv player");
    const QString recorded = dir.filePath(QStringLiteral("args.txt"));
    WriteArgumentRecorder(program, recorded);

    const QString entry = dir.filePath(QStringLiteral("orvで再生.desktop"));
    ASSERT_TRUE(CreateSendToShortcut(entry, program));
    EXPECT_EQ(RunTool(Tool("desktop-file-validate"), { entry }).exitCode, 0);

    const QString media = dir.filePath(QStringLiteral("a clip %f.mp4"));
    WriteFileBytes(media, "x");
    const ToolRun run = RunTool(Tool("gio"), { QStringLiteral("launch"), entry, media });
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    // The launcher does not wait for the program.
    for (int i = 0; i < 100 && ReadFileBytes(recorded).isEmpty(); ++i)
        usleep(50000);
    EXPECT_EQ(QString::fromUtf8(ReadFileBytes(recorded)), media + QLatin1Char('\n'));
}

// The Exec value read back as the Desktop Entry rules say: the file's
// escapes, then "%%", then the double-quoted argument's own escapes.
QString ReadBackProgram(const QString& value)
{
    QString unescaped;
    for (int i = 0; i < value.size(); ++i) {
        if (value[i] == QLatin1Char('\\') && i + 1 < value.size()) {
            const QChar c = value[++i];
            unescaped += c == QLatin1Char('s') ? QChar(' ') : c == QLatin1Char('n') ? QChar('\n') : c;
        } else {
            unescaped += value[i];
        }
    }
    unescaped.replace(QStringLiteral("%%"), QStringLiteral("%"));
    if (!unescaped.startsWith(QLatin1Char('"')) || !unescaped.endsWith(QLatin1Char('"')))
        return {};
    QString program;
    for (int i = 1; i + 1 < unescaped.size(); ++i) {
        if (unescaped[i] == QLatin1Char('\\'))
            ++i;
        else if (unescaped[i] == QLatin1Char('"'))
            return {}; // an unescaped quote would end the argument early
        program += unescaped[i];
    }
    return program;
}

TEST(DesktopEntryTest, ExecKeepsAPercentSignAndANewlineInTheProgramPath)
{
    for (const QString& path : { QStringLiteral("/opt/100% sure/orv"), QStringLiteral("/opt/%F %u/orv"),
             QStringLiteral("/opt/two\nlines/\\orv\\") }) {
        const QString text = QString::fromUtf8(SendToEntryText(path));
        const QString exec = text.section(QStringLiteral("\nExec="), 1).section(QLatin1Char('\n'), 0, 0);
        ASSERT_TRUE(exec.endsWith(QStringLiteral(" %F"))) << exec.toStdString();
        EXPECT_EQ(ReadBackProgram(exec.chopped(3)), path) << exec.toStdString();
    }
    // A lone "%" would be an unknown field code to desktop tools.
    QTemporaryDir dir;
    const QString entry = dir.filePath(QStringLiteral("orvで再生.desktop"));
    ASSERT_TRUE(CreateSendToShortcut(entry, QStringLiteral("/opt/100% sure/orv")));
    const ToolRun run = RunTool(Tool("desktop-file-validate"), { entry });
    EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
}

} // namespace
