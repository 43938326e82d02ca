#include "TestEnv.h"

#include "platform/ProfileFile.h"

#include <gtest/gtest.h>

#include <QProcess>

#include <csignal>

namespace {

// The real program, started the way a user starts it, ended by SIGTERM.
TEST(Startup, FirstStartWritesEverySettingAtExitEvenWhenTerminated)
{
    TempHome home;
    QProcess orv;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ORV_HOME", home.Path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    orv.setProcessEnvironment(env);
    orv.start(QStringLiteral(ORV_BINARY), {});
    ASSERT_TRUE(orv.waitForStarted());
    ASSERT_TRUE(WaitForSignalHandler(orv.processId(), SIGTERM));
    ::kill(static_cast<pid_t>(orv.processId()), SIGTERM);
    ASSERT_TRUE(orv.waitForFinished(20000));
    EXPECT_EQ(orv.exitStatus(), QProcess::NormalExit);

    const QString ini = home.File("orv.ini");
    ASSERT_TRUE(QFile::exists(ini));
    EXPECT_EQ(GetPrivateProfileInt("Common", "VOLUME", -1, ini), 50);
    EXPECT_EQ(GetPrivateProfileInt("Common", "MUTE", -1, ini), 1);
    EXPECT_EQ(GetPrivateProfileInt("Common", "JPEG_QUALITY", -1, ini), 90);
    EXPECT_EQ(GetPrivateProfileInt("Common", "ACC_MULTI_BOOT", -1, ini), 0);
    EXPECT_EQ(GetPrivateProfileInt("Common", "BL_NUM", -1, ini), 0);
}

} // namespace
