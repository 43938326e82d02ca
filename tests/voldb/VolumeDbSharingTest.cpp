#include "LockHolder.h"
#include "VolumeDbSupport.h"

#include "voldb/VolumeDbFile.h"

namespace {

int g_waits = 0;
void CountWait(int) { ++g_waits; }

class VolumeDbSharingTest : public VolumeDbTest {
protected:
    VolumeDbSharingTest()
    {
        g_waits = 0;
        SetVolumeDbWaitSleep(CountWait);
    }
    ~VolumeDbSharingTest() override { SetVolumeDbWaitSleep(nullptr); }

    // A run of the helper program; its output.
    static QByteArray Helper(const QStringList& args)
    {
        const ProgramRun run = RunProgram(QStringLiteral(ORV_TEST_HELPER), args);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return run.out.toUtf8();
    }
};

TEST_F(VolumeDbSharingTest, AWriterWaitsForReadersAndGivesUpAfterTenSeconds)
{
    Put(Db("/a|030\r\n"));
    LockHolder reader(DbPath(), false);
    ASSERT_TRUE(reader.IsHolding());
    CVolumeDB db(DbPath(), TRUE);
    EXPECT_EQ(db.Lookup(QStringLiteral("/a")), 30) << "readers share";
    EXPECT_EQ(g_waits, 0);
    EXPECT_TRUE(db.Remember(QStringLiteral("/a"), 50));
    EXPECT_FALSE(db.Flush());
    EXPECT_EQ(g_waits, VOLDB_WAIT_TRIES);
    EXPECT_TRUE(db.TakeTimedOut());
    EXPECT_FALSE(db.TakeTimedOut()) << "reported once";
    reader.Release();

    // The value waits in the cache and goes in when the file is next left.
    EXPECT_TRUE(PlayAndLeave(db, QStringLiteral("/a"), 50));
    EXPECT_EQ(Bytes(), Db("/a|050\r\n"));
    EXPECT_FALSE(db.TakeTimedOut());

    LockHolder writer(DbPath(), true);
    ASSERT_TRUE(writer.IsHolding());
    CVolumeDB other(DbPath(), TRUE);
    EXPECT_EQ(other.Lookup(QStringLiteral("/a")), -1);
    EXPECT_TRUE(other.TakeTimedOut());
}

TEST_F(VolumeDbSharingTest, SecondaryProcessReadsWhatThePrimaryWrote)
{
    CVolumeDB primary(DbPath(), TRUE);
    ASSERT_TRUE(PlayAndLeave(primary, QStringLiteral("/日本/a.mp3"), 30));
    const QByteArray before = Bytes();

    EXPECT_EQ(Helper({ "voldb", DbPath(), "secondary", "lookup", "/日本/a.mp3", "leave", "/日本/a.mp3", "80",
                  "leave", "/b.mp3", "40", "lookup", "/日本/a.mp3", "lookup", "/b.mp3" }),
        "30\n80\n40\n");
    EXPECT_EQ(Bytes(), before);

    // A later primary run finds the value as the first left it.
    EXPECT_EQ(Helper({ "voldb", DbPath(), "primary", "lookup", "/日本/a.mp3", "leave", "/b.mp3", "40" }), "30\n");
    EXPECT_EQ(Bytes(), before + Db("/b.mp3|040\r\n").mid(2));
}

} // namespace
