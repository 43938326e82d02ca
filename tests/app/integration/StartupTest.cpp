#include "LockHolder.h"
#include "OrvProcess.h"
#include "TempRuntimeDir.h"
#include "TestEnv.h"
#include "TestMedia.h"

#include "platform/ProfileFile.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <csignal>

namespace {

// Nobody may be there to answer when the program is told to end: it asks
// nothing and loses no setting.
TEST(Startup, TerminationWritesEverySettingWithoutAskingAboutTheList)
{
    for (const int sig : { SIGTERM, SIGHUP }) {
        TempHome home;
        TempRuntimeDir runtime;
        const QString ini = home.File("orv.ini");
        ASSERT_TRUE(WritePrivateProfileString("Common", "VOLUME", "33", ini));
        // Two files make an unsaved list, which closing by hand asks about.
        OrvProcess orv({ TestMediaPath(TestClip::Wav), TestMediaPath(TestClip::AviMjpegOnly) });
        ASSERT_TRUE(orv.Signal(sig)) << sig;
        QElapsedTimer timer;
        timer.start();
        EXPECT_EQ(orv.Finish(), 0) << sig;
        EXPECT_LT(timer.elapsed(), 3000) << sig;

        EXPECT_EQ(GetPrivateProfileInt("Common", "VOLUME", -1, ini), 33) << sig;
        EXPECT_EQ(GetPrivateProfileInt("Common", "JPEG_QUALITY", -1, ini), 90) << sig;
    }
}

TEST(Startup, TerminationDoesNotWaitForAFileAnotherProgramHolds)
{
    TempHome home;
    TempRuntimeDir runtime;
    const QString list = home.File("held.orvl");
    WriteFileBytes(list, (TestMediaPath(TestClip::Wav) + "\r\n").toUtf8());
    LockHolder writer(list, true);
    ASSERT_TRUE(writer.IsHolding());
    QElapsedTimer timer;
    timer.start();
    OrvProcess orv({ list });
    ASSERT_TRUE(orv.Signal(SIGTERM));
    EXPECT_EQ(orv.Finish(), 0);
    // The lock's wait is ten seconds.
    EXPECT_LT(timer.elapsed(), 3000);
}

} // namespace
