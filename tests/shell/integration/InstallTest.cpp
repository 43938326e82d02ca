// An install into a fresh prefix gives a program that runs from there, a
// menu entry desktop tools accept, the icon at the theme's sizes and the
// manual page; --help and --version answer without starting the player.

#include "TestEnv.h"

#include "shell/DesktopEntry.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

class InstallTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_prefix = new QTemporaryDir;
        const QString buildDir = QFileInfo(QStringLiteral(ORV_BINARY)).path();
        s_install = new ProgramRun(RunProgram(QStringLiteral("cmake"),
            { QStringLiteral("--install"), buildDir, QStringLiteral("--prefix"), s_prefix->path() }));
    }
    static void TearDownTestSuite()
    {
        delete s_install;
        delete s_prefix;
    }
    void SetUp() override { ASSERT_EQ(s_install->exitCode, 0) << s_install->out.toStdString() << s_install->err.toStdString(); }

    static QString Installed(const QString& relative) { return s_prefix->filePath(relative); }

    static inline QTemporaryDir* s_prefix = nullptr;
    static inline ProgramRun* s_install = nullptr;
};

TEST_F(InstallTest, MenuEntryIsValidAndOpensThePlayableTypes)
{
    const QString entry = Installed(QStringLiteral("share/applications/orv.desktop"));
    ASSERT_TRUE(QFileInfo::exists(entry));
    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    ASSERT_FALSE(validator.isEmpty()) << "scripts/deps.sh installs desktop-file-utils";
    const ProgramRun valid = RunProgram(validator, { entry });
    EXPECT_EQ(valid.exitCode, 0) << valid.out.toStdString();
    EXPECT_TRUE(valid.out.trimmed().isEmpty()) << valid.out.toStdString();

    // The same types the "send to" entry offers, so both open the same files.
    const QString text = QString::fromUtf8(ReadFileBytes(entry));
    const QString types = text.section(QStringLiteral("\nMimeType="), 1).section(QLatin1Char('\n'), 0, 0);
    QStringList listed = types.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    QStringList ours = PlayableMimeTypes();
    listed.sort();
    ours.sort();
    EXPECT_EQ(listed, ours);
    EXPECT_FALSE(text.contains(QStringLiteral("NoDisplay")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nCategories=AudioVideo;Player;Video;Audio;\n")));
}

TEST_F(InstallTest, ProgramIconsAndManualPageAreInPlace)
{
    EXPECT_TRUE(QFileInfo(Installed(QStringLiteral("bin/orv"))).isExecutable());
    EXPECT_TRUE(QFileInfo::exists(Installed(QStringLiteral("share/man/man1/orv.1"))));
    EXPECT_TRUE(QFileInfo::exists(Installed(QStringLiteral("share/icons/hicolor/scalable/apps/orv.svg"))));
    for (const int px : { 16, 22, 24, 32, 48, 64, 128, 256 }) {
        const QImage icon(Installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/orv.png").arg(px)));
        EXPECT_EQ(icon.size(), QSize(px, px)) << px;
        // Drawn, not blank: the middle carries the picture.
        EXPECT_GT(qAlpha(icon.pixel(px / 2, px / 2)), 0) << px;
    }
}

TEST_F(InstallTest, HelpAndVersionAnswerWithoutADisplayOrTheInstanceLocks)
{
    QTemporaryDir runtime;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    const QString program = Installed(QStringLiteral("bin/orv"));

    const ProgramRun help = RunProgram(program, { QStringLiteral("--help") }, env);
    EXPECT_EQ(help.exitCode, 0) << help.err.toStdString();
    EXPECT_TRUE(help.out.contains(QStringLiteral("--version")));
    const ProgramRun version = RunProgram(program, { QStringLiteral("--version") }, env);
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith(QStringLiteral("orv ver."))) << version.out.toStdString();
    EXPECT_TRUE(QDir(runtime.path()).isEmpty());
}

} // namespace
