#include "VolumeDbSupport.h"

#include "voldb/VolumeDbFile.h"

#include <QProcess>

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
    ~VolumeDbSharingTest() override
    {
        SetVolumeDbWaitSleep(nullptr);
        m_holder.closeWriteChannel();
        m_holder.waitForFinished(20000);
    }

    // Another process holds the database file until Release.
    void Hold(const char* kind)
    {
        m_holder.start(QStringLiteral(ORV_TEST_HELPER), { "hold-lock", DbPath(), kind });
        ASSERT_TRUE(m_holder.waitForReadyRead(20000));
        ASSERT_EQ(m_holder.readLine().trimmed(), "locked");
    }
    void Release()
    {
        m_holder.closeWriteChannel();
        ASSERT_TRUE(m_holder.waitForFinished(20000));
    }

    QProcess m_holder;
};

TEST_F(VolumeDbSharingTest, AWriterWaitsForReadersAndGivesUpAfterTenSeconds)
{
    Put(Db("/a|030\r\n"));
    Hold("shared");
    CVolumeDB db(DbPath(), TRUE);
    EXPECT_EQ(db.Lookup(QStringLiteral("/a")), 30) << "readers share";
    EXPECT_EQ(g_waits, 0);
    EXPECT_TRUE(db.Remember(QStringLiteral("/a"), 50));
    EXPECT_FALSE(db.Flush());
    EXPECT_EQ(g_waits, VOLDB_WAIT_TRIES);
    EXPECT_TRUE(db.TakeTimedOut());
    EXPECT_FALSE(db.TakeTimedOut()) << "reported once";
    Release();

    // The value waits in the cache and goes in when the file is next left.
    EXPECT_TRUE(PlayAndLeave(db, QStringLiteral("/a"), 50));
    EXPECT_EQ(Bytes(), Db("/a|050\r\n"));
    EXPECT_FALSE(db.TakeTimedOut());

    Hold("exclusive");
    CVolumeDB other(DbPath(), TRUE);
    EXPECT_EQ(other.Lookup(QStringLiteral("/a")), -1);
    EXPECT_TRUE(other.TakeTimedOut());
}

} // namespace
