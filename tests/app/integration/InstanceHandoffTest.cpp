#include "TempRuntimeDir.h"

#include "app/InstanceControl.h"
#include "platform/SharedMemory.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <memory>
#include <vector>

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
    int Finish()
    {
        if (m_process.state() != QProcess::NotRunning && !m_process.waitForFinished(30000))
            return -1;
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }

private:
    QProcess m_process;
};

std::vector<QJsonObject> Records(const QString& file)
{
    std::vector<QJsonObject> records;
    for (const QByteArray& line : ReadFileBytes(file).split('\n'))
        if (!line.isEmpty())
            records.push_back(QJsonDocument::fromJson(line).object());
    return records;
}

QStringList Files(const QJsonObject& record)
{
    QStringList files;
    for (const QJsonValue& v : record["files"].toArray())
        files << v.toString();
    return files;
}

bool BlockExists()
{
    CSharedMemory shm;
    return shm.OpenReadOnly(HANDOFF_BLOCK_NAME, sizeof(HandoffBlock));
}

class InstanceHandoff : public ::testing::Test {
protected:
    TempRuntimeDir m_runtime;
    QTemporaryDir m_work;
    QString m_record = m_work.filePath("record.jsonl");
};

// Every copy but one hands its three files over; the start-up lock lets
// one sender at a time write the block, so each arrives whole.
TEST_F(InstanceHandoff, TenCopiesStartedAtOnceMakeOnePrimaryThatGetsEveryOtherBlockIntact)
{
    const auto files = [](int i) {
        const QString dir = QString("/m/copy%1/").arg(i);
        return QStringList { dir + "a.mp3", dir + "b.avi", dir + "c.wav" };
    };
    std::vector<std::unique_ptr<Helper>> copies;
    for (int i = 0; i < 10; ++i)
        copies.push_back(std::make_unique<Helper>(QStringList { "instance-start", m_record, "9" } + files(i)));

    QSet<QString> expected;
    int nPrimaries = 0;
    for (int i = 0; i < 10; ++i) {
        const QString line = copies[i]->Line();
        if (line == "primary")
            ++nPrimaries;
        else if (line == "delivered")
            expected.insert(files(i).join('|'));
        EXPECT_EQ(copies[i]->Finish(), 0) << i;
    }
    EXPECT_EQ(nPrimaries, 1);
    EXPECT_EQ(expected.size(), 9);

    QSet<QString> received;
    for (const QJsonObject& r : Records(m_record)) {
        EXPECT_TRUE(r["read"].toBool());
        EXPECT_TRUE(r["startupHeld"].toBool());
        received.insert(Files(r).join('|'));
    }
    EXPECT_EQ(received, expected);
}

// A primary that never answers: the sender must know whether its files
// arrived, and must not leave them to be read after it gave up.
TEST_F(InstanceHandoff, APrimaryThatNeverAnswersGetsTheFilesOnlyIfItTookThem)
{
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
