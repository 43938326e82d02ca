#include "LockHolder.h"

#include "platform/FileWait.h"

namespace {
int g_nWaits = 0;
// Only pauses of the stated length count.
void CountWait(int ms) { g_nWaits += ms == FILE_WAIT_INTERVAL_MS; }
} // namespace

LockHolder::LockHolder(const QString& path, bool bExclusive)
{
    g_nWaits = 0;
    SetFileWaitSleep(CountWait);
    m_process.start(QStringLiteral(ORV_TEST_HELPER),
        { QStringLiteral("hold-lock"), path, bExclusive ? QStringLiteral("exclusive") : QStringLiteral("shared") });
    m_bHolding = m_process.waitForReadyRead(20000) && m_process.readLine().trimmed() == "locked";
}

LockHolder::~LockHolder()
{
    Release();
    SetFileWaitSleep(nullptr);
}

void LockHolder::Release()
{
    m_process.closeWriteChannel();
    m_process.waitForFinished(20000);
    m_bHolding = false;
}

int LockHolder::Waits() { return g_nWaits; }
