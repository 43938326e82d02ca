// The real program on an X display: which copy opens a window, its title,
// and which window is in front, as a user would see them.

#include "OrvProcess.h"
#include "TempRuntimeDir.h"
#include "TestEnv.h"
#include "TestMedia.h"

#include "platform/ProfileFile.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace {

QString Output(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

QString Xdotool(const QStringList& args) { return Output("xdotool", args); }

// The mapped windows of a process, menus included.
QStringList Windows(qint64 pid)
{
    return Xdotool({ "search", "--all", "--onlyvisible", "--pid", QString::number(pid) }).split('\n', Qt::SkipEmptyParts);
}

QString Title(const QString& window) { return Xdotool({ "getwindowname", window }); }

bool WaitFor(const std::function<bool()>& done, int timeoutMs = 60000)
{
    const QDeadlineTimer deadline(timeoutMs);
    // Events run meanwhile: process ends are noticed, windows of this
    // process move.
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(50);
    }
    return true;
}

// Waits until the process shows one window with the title; the title it had
// at the end ("" without a window).
QString WaitForTitle(const OrvProcess& orv, const QString& title)
{
    QString last;
    WaitFor([&] {
        const QStringList windows = Windows(orv.Pid());
        last = windows.size() == 1 ? Title(windows[0]) : QString();
        return last == title;
    });
    return last;
}

// Whether window a is stacked above window b.
bool Above(WId a, WId b)
{
    const QString tree = Output("xwininfo", { "-root", "-children" });
    // Top-most first.
    const qsizetype posA = tree.indexOf(QStringLiteral("0x%1 ").arg(a, 0, 16));
    const qsizetype posB = tree.indexOf(QStringLiteral("0x%1 ").arg(b, 0, 16));
    return posA >= 0 && posB >= 0 && posA < posB;
}

class StartupWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs an X display";
    }
    QString Ini() const { return m_home.File("orv.ini"); }
    // Waits for the process's window titled "orv"; its id, 0 when none.
    WId PrimaryWindow(const OrvProcess& orv)
    {
        if (WaitForTitle(orv, "orv") != "orv")
            return 0;
        return Windows(orv.Pid()).value(0).toULongLong();
    }

    TempHome m_home;
    TempRuntimeDir m_runtime;
};

TEST_F(StartupWindows, TheTitleMarksEverySecondaryWindow)
{
    OrvProcess primary;
    EXPECT_EQ(WaitForTitle(primary, "orv"), "orv");
    ASSERT_TRUE(WritePrivateProfileString("Common", "ACC_MULTI_BOOT", "1", Ini()));
    OrvProcess secondary;
    EXPECT_EQ(WaitForTitle(secondary, "*orv"), "*orv");
    EXPECT_TRUE(primary.IsRunning());
}

TEST_F(StartupWindows, AKilledPrimaryLeavesTheNextStartPrimary)
{
    OrvProcess first;
    ASSERT_NE(PrimaryWindow(first), 0u);
    first.Kill();
    // A copy that failed to become primary would hand off to nobody and open
    // a window titled "*orv".
    OrvProcess next;
    EXPECT_EQ(WaitForTitle(next, "orv"), "orv");
}

TEST_F(StartupWindows, TenCopiesStartedAtOnceOpenOneWindow)
{
    QTemporaryDir media;
    std::vector<std::unique_ptr<OrvProcess>> copies;
    for (int i = 0; i < 10; ++i) {
        const QString file = media.filePath(QStringLiteral("copy%1.wav").arg(i));
        ASSERT_TRUE(QFile::copy(TestMediaPath(TestClip::Wav), file));
        copies.push_back(std::make_unique<OrvProcess>(QStringList { file }));
    }
    const auto running = [&] {
        std::vector<OrvProcess*> out;
        for (auto& c : copies)
            if (c->IsRunning())
                out.push_back(c.get());
        return out;
    };
    ASSERT_TRUE(WaitFor([&] { return running().size() <= 1; }));
    const std::vector<OrvProcess*> left = running();
    ASSERT_EQ(left.size(), 1u);
    for (auto& c : copies) {
        if (c.get() != left[0]) {
            EXPECT_EQ(c->Finish(), 0);
        }
    }
    EXPECT_EQ(WaitForTitle(*left[0], "orv"), "orv");
}

TEST_F(StartupWindows, ASecondStartWithNothingToPlayBringsThePrimaryToTheFront)
{
    OrvProcess primary;
    const WId window = PrimaryWindow(primary);
    ASSERT_NE(window, 0u);
    const QString notes = m_home.File("notes.txt");
    WriteFileBytes(notes, "not media");

    QWidget cover;
    cover.resize(400, 400);
    cover.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&cover));
    for (const QStringList& args : { QStringList {}, QStringList { notes } }) {
        cover.raise();
        ASSERT_TRUE(WaitFor([&] { return Above(cover.winId(), window); }));
        OrvProcess second(args);
        EXPECT_EQ(second.Finish(), 0) << qPrintable(args.join(' '));
        EXPECT_TRUE(WaitFor([&] { return Above(window, cover.winId()); })) << qPrintable(args.join(' '));
    }
    EXPECT_EQ(Windows(primary.Pid()).size(), 1);
}

TEST_F(StartupWindows, ClosingTheWindowFromTheMenuWritesTheSettings)
{
    ASSERT_TRUE(WritePrivateProfileString("Common", "VOLUME", "33", Ini()));
    OrvProcess orv;
    const WId window = PrimaryWindow(orv);
    ASSERT_NE(window, 0u);
    Xdotool({ "windowfocus", "--sync", QString::number(window) });
    Xdotool({ "key", "alt+f" });
    ASSERT_TRUE(WaitFor([&] { return Windows(orv.Pid()).size() == 2; })); // the menu is open
    Xdotool({ "key", "x" });
    EXPECT_EQ(orv.Finish(), 0);

    EXPECT_EQ(GetPrivateProfileInt("Common", "VOLUME", -1, Ini()), 33);
    EXPECT_EQ(GetPrivateProfileInt("Common", "MUTE", -1, Ini()), 1);
    EXPECT_EQ(GetPrivateProfileInt("Common", "JPEG_QUALITY", -1, Ini()), 90);
    EXPECT_EQ(GetPrivateProfileInt("Common", "ACC_MULTI_BOOT", -1, Ini()), 0);
}

} // namespace
