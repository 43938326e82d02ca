// The real program as the desktop's media controls see it: driven with
// playerctl over a session bus of the test's own, checked against what the
// window shows and does.

#include "GstTestSupport.h"
#include "OrvProcess.h"
#include "TempRuntimeDir.h"
#include "TestEnv.h"
#include "TestMedia.h"
#include "XWindows.h"

#include "platform/ProfileFile.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <cmath>
#include <csignal>
#include <functional>
#include <optional>

namespace {

// A start, or a change that waits for a load, under a loaded machine.
constexpr int kSlowMs = 30000;

bool WaitFor(const std::function<bool()>& done, int timeoutMs = kSlowMs) { return ProcessEventsUntil(done, timeoutMs); }

QString Url(const QString& path) { return QString::fromUtf8(QUrl::fromLocalFile(path).toEncoded()); }
QString FileTitle(const QString& path) { return QFileInfo(path).fileName() + " - orv"; }

// The lines hold these, in this order, perhaps with others between.
bool InOrder(const QString& text, const QStringList& wanted)
{
    qsizetype nFound = 0;
    for (const QString& line : text.split('\n', Qt::SkipEmptyParts))
        if (nFound < wanted.size() && line == wanted[nFound])
            ++nFound;
    return nFound == wanted.size();
}

bool HasWindowTitled(const OrvProcess& orv, const QString& title)
{
    for (const QString& w : VisibleWindows(orv.Pid()))
        if (WindowTitle(w) == title)
            return true;
    return false;
}

// A program that runs until the end of the scope, its output collected.
class Follower {
public:
    Follower(const QString& program, const QStringList& args)
    {
        m_process.setStandardErrorFile(QProcess::nullDevice());
        m_process.start(program, args);
        m_process.waitForStarted();
    }
    ~Follower()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    QString Output()
    {
        m_output += QString::fromUtf8(m_process.readAllStandardOutput());
        return m_output;
    }

private:
    QProcess m_process;
    QString m_output;
};

class Mpris : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs an X display";
        for (const char* tool : { "dbus-daemon", "dbus-send", "dbus-monitor", "playerctl" })
            if (QStandardPaths::findExecutable(tool).isEmpty())
                GTEST_SKIP() << "needs " << tool << " (scripts/deps.sh installs it)";
        // A bus of the test's own, its socket in a folder that goes with it.
        m_address = "unix:path=" + m_busDir.filePath("bus");
        m_bus.setStandardErrorFile(QProcess::nullDevice());
        m_bus.start("dbus-daemon", { "--session", "--nofork", "--address=" + m_address });
        ASSERT_TRUE(m_bus.waitForStarted());
        ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(m_busDir.filePath("bus")); }, 10000));
        m_busEnv.emplace("DBUS_SESSION_BUS_ADDRESS", m_address);
        // The current file replays at its end, so the track stays put.
        ASSERT_TRUE(WritePrivateProfileString("Common", "ONE_LOOP", "1", Ini()));
    }
    void TearDown() override
    {
        m_busEnv.reset();
        if (m_bus.state() != QProcess::NotRunning) {
            m_bus.terminate();
            if (!m_bus.waitForFinished(5000)) {
                m_bus.kill();
                m_bus.waitForFinished();
            }
        }
    }

    QString Ini() const { return m_home.File("orv.ini"); }

    static QString Run(const QString& program, const QStringList& args)
    {
        QProcess p;
        p.setStandardErrorFile(QProcess::nullDevice());
        p.start(program, args);
        p.waitForFinished(10000);
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }
    static QString Playerctl(const QStringList& args) { return Run("playerctl", QStringList { "--player=orv" } + args); }
    static QString Meta(const QString& key) { return Playerctl({ "metadata", key }); }
    static double Position() { return Playerctl({ "position" }).toDouble(); }
    static bool StatusBecomes(const QString& status) { return WaitFor([&] { return Playerctl({ "status" }) == status; }); }
    static bool PositionReaches(double dSeconds)
    {
        return WaitFor([&] { return std::abs(Position() - dSeconds) < 0.4; }, 10000);
    }

    TempHome m_home;
    TempRuntimeDir m_runtime;
    QTemporaryDir m_busDir;
    QString m_address;
    QProcess m_bus;
    std::optional<ScopedEnv> m_busEnv;
};

TEST_F(Mpris, TheTransportAndTheTrackAgreeWithTheWindow)
{
    const QString first = TestMediaPath(TestClip::AviLongSmall);
    const QString tagged = TestMediaPath(TestClip::OggTagged);
    OrvProcess orv({ first });
    ASSERT_TRUE(StatusBecomes("Playing"));
    Follower statuses("playerctl", { "--player=orv", "--follow", "status" });
    Follower seeks("dbus-monitor", { "--address", m_address, "type='signal',member='Seeked'" });

    // The track the window names.
    EXPECT_TRUE(WaitFor([&] { return HasWindowTitled(orv, FileTitle(first)); }));
    EXPECT_EQ(Meta("xesam:url"), Url(first));
    EXPECT_EQ(Meta("xesam:title"), QFileInfo(first).fileName());
    EXPECT_NEAR(Meta("mpris:length").toLongLong(), 20000000, 500000);
    EXPECT_TRUE(Meta("xesam:artist").isEmpty());

    // Alone in the list, with no repeat: next and previous are refused as
    // the menu refuses them.
    Playerctl({ "next" });
    Playerctl({ "previous" });
    QTest::qWait(500);
    EXPECT_EQ(Meta("xesam:url"), Url(first));

    // Paused, the position stays; the client's seeks and the user's move it.
    Playerctl({ "pause" });
    ASSERT_TRUE(StatusBecomes("Paused"));
    const double dPaused = Position();
    QTest::qWait(600);
    EXPECT_NEAR(Position(), dPaused, 0.05);
    Playerctl({ "position", "12" });
    EXPECT_TRUE(PositionReaches(12)) << Position();
    Playerctl({ "position", "3-" });
    EXPECT_TRUE(PositionReaches(9)) << Position();
    for (const QString& w : VisibleWindows(orv.Pid())) {
        ToolOutput("xdotool", { "windowfocus", "--sync", w });
        ToolOutput("xdotool", { "key", "Right" });
    }
    EXPECT_TRUE(PositionReaches(14)) << Position();
    EXPECT_TRUE(WaitFor([&] { return seeks.Output().count("member=Seeked") >= 3; }, 5000)) << seeks.Output().toStdString();

    Playerctl({ "play" });
    ASSERT_TRUE(StatusBecomes("Playing"));
    EXPECT_TRUE(WaitFor([&] { return Position() > 14.5; }, 5000));

    // An opened file joins the list as a dropped one does; next plays it.
    Playerctl({ "open", Url(tagged) });
    // Next is offered once the list has grown: the client tries until then.
    ASSERT_TRUE(WaitFor([&] {
        Playerctl({ "next" });
        return Meta("xesam:url") == Url(tagged);
    }));
    EXPECT_TRUE(WaitFor([&] { return HasWindowTitled(orv, FileTitle(tagged)); }));
    EXPECT_TRUE(WaitFor([&] { return Meta("xesam:artist") == kTestArtist; }));
    EXPECT_EQ(Meta("xesam:title"), kTestTitle);
    EXPECT_EQ(Meta("xesam:album"), kTestAlbum);
    Playerctl({ "previous" });
    EXPECT_TRUE(WaitFor([&] { return Meta("xesam:url") == Url(first); }));

    Playerctl({ "stop" });
    EXPECT_TRUE(StatusBecomes("Stopped"));
    // Told by the change signals, in order.
    EXPECT_TRUE(WaitFor([&] { return InOrder(statuses.Output(), { "Playing", "Paused", "Playing", "Stopped" }); }, 5000))
        << statuses.Output().toStdString();
}

TEST_F(Mpris, VolumeSecondaryNamesAndQuit)
{
    ASSERT_TRUE(WritePrivateProfileString("Common", "ACC_MULTI_BOOT", "1", Ini()));
    OrvProcess primary({ TestMediaPath(TestClip::Wav) });
    ASSERT_TRUE(StatusBecomes("Playing"));

    // The volume is the bar's, whose value the settings keep.
    Playerctl({ "volume", "0.3" });
    EXPECT_TRUE(WaitFor([&] { return std::abs(Playerctl({ "volume" }).toDouble() - 0.3) < 0.001; }));

    OrvProcess secondary;
    const QString instance = "orv.instance" + QString::number(secondary.Pid());
    EXPECT_TRUE(WaitFor([&] { return Run("playerctl", { "--list-all" }).split('\n').contains(instance); }));

    Run("dbus-send", { "--session", "--print-reply", "--dest=org.mpris.MediaPlayer2.orv", "/org/mpris/MediaPlayer2",
                         "org.mpris.MediaPlayer2.Quit" });
    EXPECT_EQ(primary.Finish(), 0);
    EXPECT_EQ(GetPrivateProfileInt("Common", "VOLUME", -1, Ini()), 30);
    // Quit was the primary's alone.
    EXPECT_TRUE(secondary.IsRunning());
}

// Without a session bus, or with one that is gone, the player plays as ever.
TEST(MprisWithoutBus, ThePlayerPlaysWithoutASessionBus)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X display";
    TempHome home;
    TempRuntimeDir runtime;
    const ScopedEnv stats("ORV_STATS", "1");
    const QString gone = "unix:path=" + runtime.Path() + "/no-bus";
    for (const QString& address : { QString(), gone }) {
        const ScopedEnv bus("DBUS_SESSION_BUS_ADDRESS", address);
        QProcess orv;
        orv.start(QStringLiteral(ORV_BINARY), { TestMediaPath(TestClip::AviMjpegPcm) });
        ASSERT_TRUE(orv.waitForStarted());
        QByteArray err;
        const QDeadlineTimer deadline(30000);
        while (!deadline.hasExpired() && !err.contains("first_frame_ms=")) {
            orv.waitForReadyRead(100);
            err += orv.readAllStandardError();
        }
        EXPECT_TRUE(err.contains("first_frame_ms=")) << address.toStdString() << err.toStdString();
        ASSERT_TRUE(WaitForSignalHandler(orv.processId(), SIGTERM));
        ::kill(pid_t(orv.processId()), SIGTERM);
        EXPECT_TRUE(orv.waitForFinished(10000));
        EXPECT_EQ(orv.exitCode(), 0) << address.toStdString();
    }
}

} // namespace
