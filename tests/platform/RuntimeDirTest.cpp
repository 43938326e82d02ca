#include "TempRuntimeDir.h"

#include "platform/Mutex.h"
#include "platform/RuntimeDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace {

mode_t ModeOf(const QString& path)
{
    struct stat st {};
    return ::lstat(path.toLocal8Bit().constData(), &st) == 0 ? st.st_mode : 0;
}

TEST(RuntimeDir, IsCreatedPrivateInsideTheRuntimeFolderAndSoAreItsLocks)
{
    TempRuntimeDir rt;
    EXPECT_EQ(PrivateRuntimeDir(), rt.OrvDir());
    EXPECT_EQ(ModeOf(rt.OrvDir()) & 0777, 0700u);
    // Again, with the folder already there.
    EXPECT_EQ(PrivateRuntimeDir(), rt.OrvDir());
    ASSERT_TRUE(CMutex("ORV_001").IsValid());
    EXPECT_EQ(ModeOf(rt.OrvDir() + "/ORV_001") & 0777, 0600u);
}

TEST(RuntimeDir, WithoutARuntimeFolderLivesInTmpUnderTheUserId)
{
    ScopedEnv unset("XDG_RUNTIME_DIR", "");
    const QString expected = QString("/tmp/orv-%1").arg(::geteuid());
    EXPECT_EQ(PrivateRuntimeDir(), expected);
    EXPECT_EQ(ModeOf(expected) & 077, 0u);
}

TEST(RuntimeDir, RefusesAFolderOthersCanReachAndItsLocks)
{
    TempRuntimeDir rt;
    ASSERT_TRUE(QDir().mkdir(rt.OrvDir()));
    for (const mode_t loose : { 0755, 0770, 0701, 0703 }) {
        ASSERT_EQ(::chmod(rt.OrvDir().toLocal8Bit().constData(), loose), 0);
        QString why;
        EXPECT_EQ(PrivateRuntimeDir(&why), QString()) << std::oct << loose;
        EXPECT_FALSE(why.isEmpty());
        EXPECT_FALSE(CMutex("ORV_001").IsValid());
        // Refused, not repaired behind the user's back.
        EXPECT_EQ(ModeOf(rt.OrvDir()) & 0777, loose);
    }
}

TEST(RuntimeDir, RefusesALinkPlantedInPlaceOfTheFolder)
{
    TempRuntimeDir rt;
    const QString elsewhere = rt.Path() + "/elsewhere";
    ASSERT_TRUE(QDir().mkdir(elsewhere));
    ASSERT_EQ(::chmod(elsewhere.toLocal8Bit().constData(), 0700), 0);
    ASSERT_TRUE(QFile::link(elsewhere, rt.OrvDir()));
    EXPECT_EQ(PrivateRuntimeDir(), QString());
    EXPECT_FALSE(CMutex("ORV_002").IsValid());
    EXPECT_TRUE(QDir(elsewhere).isEmpty());
}

TEST(RuntimeDir, RefusesAFolderOfAnotherUser)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give a folder away";
    TempRuntimeDir rt;
    ASSERT_TRUE(QDir().mkdir(rt.OrvDir()));
    ASSERT_EQ(::chmod(rt.OrvDir().toLocal8Bit().constData(), 0700), 0);
    ASSERT_EQ(::chown(rt.OrvDir().toLocal8Bit().constData(), 65534, 65534), 0);
    EXPECT_EQ(PrivateRuntimeDir(), QString());
}

} // namespace
