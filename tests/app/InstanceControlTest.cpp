#include "TempRuntimeDir.h"

#include "app/InstanceControl.h"
#include "platform/Mutex.h"
#include "platform/SharedMemory.h"

#include <gtest/gtest.h>

#include <QDir>

#include <sys/stat.h>

namespace {

bool BlockExists()
{
    CSharedMemory shm;
    return shm.OpenReadOnly(HANDOFF_BLOCK_NAME, sizeof(HandoffBlock));
}

TEST(InstanceControl, OnlyOneControlBecomesPrimaryAndTheDestructorLetsTheNextOne)
{
    TempRuntimeDir rt;
    auto first = std::make_unique<CInstanceControl>();
    ASSERT_TRUE(first->AcquireStartupLock());
    ASSERT_TRUE(first->CreateInstanceLock());
    ASSERT_TRUE(first->TryBecomePrimary());
    EXPECT_TRUE(first->IsPrimary());
    first->ReleaseStartupLock();

    CInstanceControl second;
    ASSERT_TRUE(second.AcquireStartupLock());
    ASSERT_TRUE(second.CreateInstanceLock());
    EXPECT_FALSE(second.TryBecomePrimary());
    EXPECT_FALSE(second.IsPrimary());
    EXPECT_FALSE(second.Listen([] { return 0; }));
    second.ReleaseStartupLock();

    first.reset();
    CInstanceControl third;
    ASSERT_TRUE(third.CreateInstanceLock());
    EXPECT_TRUE(third.TryBecomePrimary());
}

TEST(InstanceControl, StartupLockIsHeldUntilReleased)
{
    TempRuntimeDir rt;
    CInstanceControl a;
    ASSERT_TRUE(a.AcquireStartupLock());
    CMutex probe(STARTUP_MUTEX_NAME);
    EXPECT_FALSE(probe.TryLock());
    a.ReleaseStartupLock();
    a.ReleaseStartupLock(); // twice is harmless
    EXPECT_TRUE(probe.TryLock());
}

TEST(InstanceControl, LocksFailClearlyInAFolderOthersCanReach)
{
    TempRuntimeDir rt;
    ASSERT_TRUE(QDir().mkdir(rt.OrvDir()));
    ASSERT_EQ(::chmod(rt.OrvDir().toLocal8Bit().constData(), 0777), 0);
    CInstanceControl control;
    EXPECT_FALSE(control.AcquireStartupLock());
    EXPECT_FALSE(control.CreateInstanceLock());
    EXPECT_FALSE(control.TryBecomePrimary());
    EXPECT_FALSE(control.HandOff({ "/m/a.mp4" }, 1, ""));
}

TEST(InstanceControl, ThePrimarysSocketIsPrivateAndGoesWithIt)
{
    TempRuntimeDir rt;
    {
        CInstanceControl primary;
        ASSERT_TRUE(primary.CreateInstanceLock());
        ASSERT_TRUE(primary.TryBecomePrimary());
        ASSERT_TRUE(primary.Listen([] { return 0; }));
        struct stat st {};
        ASSERT_EQ(::lstat(CInstanceControl::SocketPath().toLocal8Bit().constData(), &st), 0);
        EXPECT_TRUE(S_ISSOCK(st.st_mode));
        EXPECT_EQ(st.st_mode & 077, 0u);
        EXPECT_EQ(CInstanceControl::SocketPath(), rt.OrvDir() + "/handoff.socket");
    }
    EXPECT_FALSE(QFile::exists(CInstanceControl::SocketPath()));
}

TEST(InstanceControl, HandOffWithNobodyListeningIsNotDeliveredAndLeavesNothing)
{
    TempRuntimeDir rt;
    CInstanceControl sender;
    ASSERT_TRUE(sender.AcquireStartupLock());
    EXPECT_FALSE(sender.HandOff({ "/m/a.mp4" }, 1, ""));
    // A socket file that nobody serves any more.
    WriteFileBytes(CInstanceControl::SocketPath(), "stale");
    EXPECT_FALSE(sender.HandOff({ "/m/a.mp4" }, 1, ""));
    EXPECT_FALSE(BlockExists());
}

} // namespace
