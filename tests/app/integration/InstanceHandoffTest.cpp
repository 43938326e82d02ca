#include "TempRuntimeDir.h"

#include "app/InstanceControl.h"
#include "platform/SharedMemory.h"

#include <gtest/gtest.h>

#include <QProcess>

namespace {

// A helper process whose output lines the test reads.
class Helper {
public:
    explicit Helper(const QStringList& args)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(ORV_TEST_HELPER), args);
    }
    ~Helper()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }
    QString Line()
    {
        while (!m_process.canReadLine())
            if (!m_process.waitForReadyRead(30000))
                return QString();
        return QString::fromUtf8(m_process.readLine()).trimmed();
    }

private:
    QProcess m_process;
};

bool BlockExists()
{
    CSharedMemory shm;
    return shm.OpenReadOnly(HANDOFF_BLOCK_NAME, sizeof(HandoffBlock));
}

// A primary that never answers: the sender must know whether its files
// arrived, and must not leave them to be read after it gave up.
TEST(InstanceHandoff, APrimaryThatNeverAnswersGetsTheFilesOnlyIfItTookThem)
{
    TempRuntimeDir runtime;
    const struct {
        const char* mode;
        BOOL bDelivered;
    } cases[] = { { "hang", FALSE }, { "die", FALSE }, { "take-and-die", TRUE } };
    for (const auto& c : cases) {
        Helper primary({ "instance-faulty-primary", c.mode });
        ASSERT_EQ(primary.Line(), "primary") << c.mode;
        CInstanceControl sender;
        ASSERT_TRUE(sender.AcquireStartupLock());
        sender.SetReplyTimeout(300);
        EXPECT_EQ(sender.HandOff({ "/m/a.mp4" }, 1, ""), c.bDelivered) << c.mode;
        EXPECT_FALSE(BlockExists()) << c.mode;
    }
}

} // namespace
