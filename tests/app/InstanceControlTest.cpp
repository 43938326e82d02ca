#include "TempRuntimeDir.h"

#include "app/InstanceControl.h"

#include <gtest/gtest.h>

#include <QFile>

#include <sys/stat.h>

namespace {

TEST(InstanceControl, ThePrimarysSocketIsPrivateItsOwnAndGoesWithIt)
{
    TempRuntimeDir rt;
    EXPECT_FALSE(CInstanceControl::PrimaryMayBeRunning());
    {
        CInstanceControl primary;
        ASSERT_TRUE(primary.CreateInstanceLock());
        ASSERT_TRUE(primary.TryBecomePrimary());
        ASSERT_TRUE(primary.Listen([] { return 0; }));
        EXPECT_TRUE(CInstanceControl::PrimaryMayBeRunning());
        struct stat st {};
        ASSERT_EQ(::lstat(CInstanceControl::SocketPath().toLocal8Bit().constData(), &st), 0);
        EXPECT_TRUE(S_ISSOCK(st.st_mode));
        EXPECT_EQ(st.st_mode & 077, 0u);
        EXPECT_EQ(CInstanceControl::SocketPath(), rt.OrvDir() + "/handoff.socket");

        // Only the primary may replace the socket.
        CInstanceControl other;
        ASSERT_TRUE(other.CreateInstanceLock());
        EXPECT_FALSE(other.TryBecomePrimary());
        EXPECT_FALSE(other.Listen([] { return 0; }));
        EXPECT_EQ(::lstat(CInstanceControl::SocketPath().toLocal8Bit().constData(), &st), 0);
    }
    EXPECT_FALSE(QFile::exists(CInstanceControl::SocketPath()));
    EXPECT_FALSE(CInstanceControl::PrimaryMayBeRunning());
}

} // namespace
