#include "TempRuntimeDir.h"

#include "platform/Mutex.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

namespace {

TEST(Mutex, RefusesALinkPlantedAsItsFile)
{
    TempRuntimeDir rt;
    ASSERT_TRUE(CMutex("ORV_001").IsValid()); // makes the folder
    const QString target = rt.Path() + "/target";
    QFile(target).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QFile::link(target, rt.OrvDir() + "/ORV_003"));
    CMutex mutex("ORV_003");
    EXPECT_FALSE(mutex.IsValid());
    EXPECT_FALSE(mutex.Error().isEmpty());
    EXPECT_FALSE(mutex.Lock());
}

TEST(Mutex, ChildProcessesDoNotInheritTheLock)
{
    TempRuntimeDir rt;
    auto holder = std::make_unique<CMutex>("ORV_002");
    ASSERT_TRUE(holder->Lock());
    QProcess child;
    child.start("sleep", { "30" });
    ASSERT_TRUE(child.waitForStarted());
    holder.reset();
    CMutex next("ORV_002");
    EXPECT_TRUE(next.TryLock());
    child.kill();
    child.waitForFinished();
}

} // namespace
