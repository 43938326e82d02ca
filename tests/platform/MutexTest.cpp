#include "TempRuntimeDir.h"

#include "platform/Mutex.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

#include <sys/stat.h>

namespace {

TEST(Mutex, LockFilesArePrivateFilesOfTheFolder)
{
    TempRuntimeDir rt;
    CMutex mutex("ORV_001");
    ASSERT_TRUE(mutex.IsValid());
    struct stat st {};
    ASSERT_EQ(::lstat((rt.OrvDir() + "/ORV_001").toLocal8Bit().constData(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(Mutex, TwoHoldersExcludeEachOtherAndTheScopeReleases)
{
    TempRuntimeDir rt;
    CMutex a("ORV_002");
    CMutex b("ORV_002");
    CMutex other("ORV_003");
    {
        CSingleLock lock(a, TRUE);
        ASSERT_TRUE(lock.IsLocked());
        EXPECT_FALSE(b.TryLock());
        EXPECT_TRUE(other.TryLock()); // names are separate locks
        lock.Unlock();
        EXPECT_FALSE(lock.IsLocked());
        EXPECT_TRUE(b.TryLock());
        b.Unlock();
        EXPECT_TRUE(lock.TryLock());
    }
    EXPECT_TRUE(b.TryLock());
}

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

// A program the holder starts must not keep the lock once the holder is gone.
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
