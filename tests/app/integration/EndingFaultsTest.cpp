// The program told to end when things go wrong: settings it cannot write
// and a file that never gets ready to play.

#include "OrvProcess.h"
#include "TempRuntimeDir.h"
#include "TestEnv.h"
#include "TestMedia.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <csignal>

namespace {

// Writes beyond a few bytes fail with EFBIG, as on a full disk.
void FillTheDisk()
{
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit { 64, 64 };
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

// Root writes into read-only folders; without this capability it does not.
void LikeAnOrdinaryUser()
{
    __user_cap_header_struct header { _LINUX_CAPABILITY_VERSION_3, 0 };
    __user_cap_data_struct data[2] {};
    if (::syscall(SYS_capget, &header, data) == 0) {
        data[0].inheritable &= ~(1u << CAP_DAC_OVERRIDE);
        ::syscall(SYS_capset, &header, data);
    }
    ::prctl(PR_CAP_AMBIENT, PR_CAP_AMBIENT_CLEAR_ALL, 0, 0, 0);
    ::prctl(PR_CAPBSET_DROP, CAP_DAC_OVERRIDE, 0, 0, 0);
}

// Whether a program started LikeAnOrdinaryUser still writes into the folder,
// as in a sandbox that will not take root's capabilities away.
bool StillWritesInto(const QString& dir)
{
    QProcess probe;
    probe.setChildProcessModifier(LikeAnOrdinaryUser);
    probe.start(QStringLiteral("/bin/sh"), { QStringLiteral("-c"), QStringLiteral(": > \"$0/probe\""), dir });
    probe.waitForFinished();
    return QFile::exists(dir + QStringLiteral("/probe"));
}

TEST(EndingFaults, ASaveThatCannotBeWrittenLeavesTheUsersFileAsItWasAndSaysSo)
{
    const QString media = TestMediaPath(TestClip::Wav);
    for (const bool bFullDisk : { true, false }) {
        TempHome home;
        TempRuntimeDir runtime;
        const QString ini = home.File("orv.ini");
        const QByteArray before = "; mine\r\n[Common]\r\nVOLUME=33\r\n";
        WriteFileBytes(ini, before);
        if (!bFullDisk) {
            QFile::setPermissions(home.Path(), QFile::ReadOwner | QFile::ExeOwner);
            if (StillWritesInto(home.Path())) {
                QFile::setPermissions(home.Path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
                GTEST_SKIP() << "a read-only folder cannot be made here: root keeps writing into it";
            }
        }

        OrvProcess orv({ media }, bFullDisk ? FillTheDisk : LikeAnOrdinaryUser);
        ASSERT_TRUE(orv.Signal(SIGTERM)) << bFullDisk;
        EXPECT_EQ(orv.Finish(), 0) << bFullDisk;
        EXPECT_EQ(ReadFileBytes(ini), before) << bFullDisk;
        EXPECT_TRUE(orv.Errors().contains("the settings could not be saved")) << bFullDisk;
        QFile::setPermissions(home.Path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

TEST(EndingFaults, TerminationWhileAFileTakesLongToGetReadyEndsAtOnce)
{
    TempHome home;
    TempRuntimeDir runtime;
    const QString media = TestMediaPath(TestClip::Wav);
    // Every file source of the program now opens and then waits for good.
    ScopedEnv plugins("GST_PLUGIN_PATH", QStringLiteral(ORV_STALL_PLUGIN_DIR));
    OrvProcess orv({ media });
    ASSERT_TRUE(WaitForSignalHandler(orv.Pid(), SIGTERM));
    // Well inside the ten seconds the program gives a file to get ready.
    QThread::sleep(3);
    ASSERT_TRUE(orv.IsRunning());
    QElapsedTimer timer;
    timer.start();
    ASSERT_TRUE(orv.Signal(SIGTERM));
    EXPECT_EQ(orv.Finish(), 0);
    EXPECT_LT(timer.elapsed(), 1000);
}

} // namespace
