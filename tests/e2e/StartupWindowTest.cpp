// The real program on an X display: which copy opens a window, its title,
// which window is in front and what its list holds, as a user would see
// them.

#include "OrvProcess.h"
#include "TempRuntimeDir.h"
#include "TestEnv.h"
#include "TestMedia.h"
#include "XWindows.h"

#include "app/InstanceControl.h"
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

#include <sys/stat.h>

namespace {

QString Xdotool(const QStringList& args) { return ToolOutput("xdotool", args); }

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

// Waits until the process shows a window with the title; its id, 0 when none.
WId WaitForWindow(const OrvProcess& orv, const QString& title)
{
    QString found;
    WaitFor([&] {
        for (const QString& w : VisibleWindows(orv.Pid()))
            if (WindowTitle(w) == title)
                found = w;
        return !found.isEmpty();
    });
    return found.toULongLong();
}

// Keys typed into the window.
void Keys(WId window, const QStringList& keys)
{
    Xdotool({ "windowfocus", "--sync", QString::number(window) });
    Xdotool(QStringList { "key" } + keys);
}

// Opens the file menu and picks an item by its key.
bool FileMenu(const OrvProcess& orv, WId window, const QString& key)
{
    Keys(window, { "alt+f" });
    if (!WaitFor([&] { return VisibleWindows(orv.Pid()).size() == 2; }))
        return false;
    Xdotool({ "key", key });
    return true;
}

// The window's list as "save as" writes it, the path typed into the file
// dialog the way a user types it.
QStringList SavedList(const OrvProcess& orv, WId window, const QString& path)
{
    if (!FileMenu(orv, window, "a") || WaitForWindow(orv, "名前を付けて保存") == 0)
        return { "<no dialog>" };
    Xdotool({ "type", path });
    Xdotool({ "key", "Return" });
    if (!WaitFor([&] { return VisibleWindows(orv.Pid()).size() == 1 && ReadFileBytes(path).endsWith('\n'); }))
        return { "<not saved>" };
    return QString::fromUtf8(ReadFileBytes(path)).split("\r\n", Qt::SkipEmptyParts);
}

// Whether window a is stacked above window b.
bool Above(WId a, WId b)
{
    const QString tree = ToolOutput("xwininfo", { "-root", "-children" });
    // Top-most first.
    const qsizetype posA = tree.indexOf(QStringLiteral("0x%1 ").arg(a, 0, 16));
    const qsizetype posB = tree.indexOf(QStringLiteral("0x%1 ").arg(b, 0, 16));
    return posA >= 0 && posB >= 0 && posA < posB;
}

QString FileTitle(const QString& name) { return name + " - orv"; }

class StartupWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs an X display";
        // The current file replays at its end, so titles stay put.
        ASSERT_TRUE(WritePrivateProfileString("Common", "ONE_LOOP", "1", Ini()));
    }
    QString Ini() const { return m_home.File("orv.ini"); }
    void SetKey(const char* key, const char* value) { WritePrivateProfileString("Common", key, value, Ini()); }
    // A short clip under the name, in the test's media folder.
    QString Clip(const QString& name)
    {
        const QString path = m_media.filePath(name);
        if (!QFile::exists(path))
            QFile::copy(TestMediaPath(TestClip::Wav), path);
        return path;
    }
    QStringList Clips(const QStringList& names)
    {
        QStringList paths;
        for (const QString& name : names)
            paths << Clip(name);
        return paths;
    }
    // A playlist file with the entries, one a line.
    QString ListFile(const QString& name, const QStringList& entries)
    {
        const QString path = m_media.filePath(name);
        WriteFileBytes(path, (entries.join('\n') + '\n').toUtf8());
        return path;
    }

    TempHome m_home;
    TempRuntimeDir m_runtime;
    QTemporaryDir m_media;
};

TEST_F(StartupWindows, TheTitleMarksSecondaries)
{
    OrvProcess primary;
    EXPECT_NE(WaitForWindow(primary, "orv"), 0u);
    SetKey("ACC_MULTI_BOOT", "1");
    OrvProcess withFile({ Clip("a.wav") });
    EXPECT_NE(WaitForWindow(withFile, "*" + FileTitle("a.wav")), 0u);
}

TEST_F(StartupWindows, TenCopiesStartedAtOnceOpenOneWindowRoundAfterRound)
{
    for (int nRound = 0; nRound < 5 && !HasFailure(); ++nRound) {
        std::vector<std::unique_ptr<OrvProcess>> copies;
        QStringList files;
        for (int i = 0; i < 10; ++i) {
            files << QStringLiteral("copy%1.wav").arg(i);
            copies.push_back(std::make_unique<OrvProcess>(QStringList { Clip(files.last()) }));
        }
        const auto running = [&] {
            std::vector<int> out;
            for (int i = 0; i < 10; ++i)
                if (copies[i]->IsRunning())
                    out.push_back(i);
            return out;
        };
        ASSERT_TRUE(WaitFor([&] { return running().size() <= 1; })) << "round " << nRound;
        const std::vector<int> left = running();
        ASSERT_EQ(left.size(), 1u) << "round " << nRound;
        for (int i = 0; i < 10; ++i) {
            if (i != left[0]) {
                EXPECT_EQ(copies[i]->Finish(), 0) << i << " round " << nRound;
            }
        }
        // The primary plays a file handed to it, never its own.
        QString title;
        EXPECT_TRUE(WaitFor([&] {
            const QStringList windows = VisibleWindows(copies[left[0]]->Pid());
            title = windows.size() == 1 ? WindowTitle(windows[0]) : QString();
            return title.endsWith(" - orv") && files.contains(title.chopped(6)) && title != FileTitle(files[left[0]]);
        })) << qPrintable(title) << " round " << nRound;
    }
}

// A primary killed outright leaves nothing behind that keeps the next start
// from being the primary, every time.
TEST_F(StartupWindows, AKilledPrimaryMakesWayForTheNextStartEveryTime)
{
    for (int i = 0; i < 10 && !HasFailure(); ++i) {
        OrvProcess primary({ Clip("a.wav") });
        ASSERT_NE(WaitForWindow(primary, FileTitle("a.wav")), 0u) << i;
        primary.Kill();
        OrvProcess next;
        QDeadlineTimer inTime(1000);
        EXPECT_NE(WaitForWindow(next, "orv"), 0u) << i;
        EXPECT_FALSE(inTime.hasExpired()) << i;
    }
}

// A primary waiting for the user to close its first file's box must not
// keep a later start waiting: the later files reach it once the box is
// closed, or open in a window of their own.
TEST_F(StartupWindows, AFirstFilesErrorBoxDoesNotHoldUpALaterStart)
{
    const QString bad = m_media.filePath("bad.avi");
    WriteFileBytes(bad, QByteArray(4096, 'x'));
    OrvProcess primary({ bad });
    ASSERT_TRUE(WaitFor([&] { return VisibleWindows(primary.Pid()).size() == 2; }));

    OrvProcess second({ Clip("a.wav") });
    ASSERT_TRUE(WaitFor([&] { return !second.IsRunning() || !VisibleWindows(second.Pid()).isEmpty(); },
        HANDOFF_REPLY_TIMEOUT_MS + 5000));
    const bool bHandedOff = !second.IsRunning();
    if (bHandedOff) {
        EXPECT_EQ(second.Finish(), 0);
    }
    for (const QString& w : VisibleWindows(primary.Pid()))
        if (IsTransient(w))
            Keys(w.toULongLong(), { "Return" });
    if (bHandedOff) {
        EXPECT_TRUE(WaitFor([&] { return WindowTitle(VisibleWindows(primary.Pid()).value(0)) == FileTitle("a.wav"); }));
    } else {
        EXPECT_EQ(WindowTitle(VisibleWindows(second.Pid()).value(0)), "*" + FileTitle("a.wav"));
    }
}

// A runtime folder others could write into is refused, with a box the user
// sees, and the program ends with a failure status.
TEST_F(StartupWindows, AnUnsafeRuntimeFolderIsRefusedWithABoxAndAFailureStatus)
{
    ASSERT_TRUE(QDir().mkdir(m_runtime.OrvDir()));
    ASSERT_EQ(::chmod(QFile::encodeName(m_runtime.OrvDir()).constData(), 0777), 0);
    OrvProcess orv({ Clip("a.wav") });
    QString box;
    ASSERT_TRUE(WaitFor([&] {
        box = VisibleWindows(orv.Pid()).value(0);
        return !box.isEmpty();
    }));
    EXPECT_NE(WindowTitle(box), FileTitle("a.wav"));
    Keys(box.toULongLong(), { "Return" });
    EXPECT_EQ(orv.Finish(), 1);
}

TEST_F(StartupWindows, HandedFilesReplaceThePrimarysListAndPlay)
{
    QStringList ten;
    for (int i = 0; i < 10; ++i)
        ten << Clip(QStringLiteral("f%1.wav").arg(i));
    const QString tenList = ListFile("ten.orvl", ten);
    const QStringList handed = Clips({ "a.wav", "b.wav", "c.wav" });
    const QStringList handedTitles { FileTitle("a.wav"), FileTitle("b.wav"), FileTitle("c.wav") };
    for (const char* mode : { "0", "2" }) {
        SetKey("LOOP_MODE", mode);
        OrvProcess primary({ tenList });
        const bool bRandom = QByteArray(mode) == "2";
        ASSERT_TRUE(WaitFor([&] { return WindowTitle(VisibleWindows(primary.Pid()).value(0)).startsWith('f'); })) << mode;
        OrvProcess second(handed);
        EXPECT_EQ(second.Finish(), 0) << mode;

        // The first of them, or any in random mode.
        QString title;
        EXPECT_TRUE(WaitFor([&] {
            title = WindowTitle(VisibleWindows(primary.Pid()).value(0));
            return bRandom ? handedTitles.contains(title) : title == FileTitle("a.wav");
        })) << mode << " " << qPrintable(title);
        const WId window = VisibleWindows(primary.Pid()).value(0).toULongLong();
        EXPECT_EQ(SavedList(primary, window, m_media.filePath(QStringLiteral("saved%1.orvl").arg(mode))), handed)
            << mode;
    }
}

TEST_F(StartupWindows, ASecondStartWithNothingToPlayBringsThePrimaryToTheFront)
{
    const QStringList entries = Clips({ "f0.wav", "f1.wav" });
    OrvProcess primary({ ListFile("two.orvl", entries) });
    const WId window = WaitForWindow(primary, FileTitle("f0.wav"));
    ASSERT_NE(window, 0u);
    const QString notes = m_media.filePath("notes.txt");
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
    EXPECT_EQ(VisibleWindows(primary.Pid()).size(), 1);
    EXPECT_EQ(WindowTitle(QString::number(window)), FileTitle("f0.wav"));
    EXPECT_EQ(SavedList(primary, window, m_media.filePath("saved.orvl")), entries);
}

// A plain save writes back to the program's own playlist file without a
// dialog, in its own line ends.
TEST_F(StartupWindows, ALonePlaylistFilePlaysItsFirstEntryAndIsWhereASaveGoes)
{
    const QString first = ListFile("first.orvl", Clips({ "a.wav", "b.wav" }));
    OrvProcess primary({ first });
    const WId window = WaitForWindow(primary, FileTitle("a.wav"));
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(FileMenu(primary, window, "s"));
    EXPECT_TRUE(WaitFor([&] { return ReadFileBytes(first).contains("\r\n"); }));

    // Handed over alone, another one takes its place.
    const QString second = ListFile("second.orvl", Clips({ "c.wav", "d.wav" }));
    OrvProcess sender({ second });
    EXPECT_EQ(sender.Finish(), 0);
    EXPECT_NE(WaitForWindow(primary, FileTitle("c.wav")), 0u);
    ASSERT_TRUE(FileMenu(primary, window, "s"));
    EXPECT_TRUE(WaitFor([&] { return ReadFileBytes(second).contains("\r\n"); }));
    EXPECT_EQ(VisibleWindows(primary.Pid()).size(), 1);
}

} // namespace
