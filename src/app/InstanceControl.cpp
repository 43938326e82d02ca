#include "app/InstanceControl.h"

#include "app/CmdLineAnalize.h"
#include "app/HandoffServer.h"
#include "platform/Mutex.h"
#include "platform/PeerCredentials.h"
#include "platform/RuntimeDir.h"
#include "platform/SharedMemory.h"
#include "platform/WindowMessages.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>
#include <QtEndian>

#include <cstdio>
#include <cstring>

namespace {

constexpr unsigned long kStartupLockPollMs = 20;

std::unique_ptr<CMutex> MakeMutex(const char* name, QString* pError = nullptr)
{
    auto mutex = std::make_unique<CMutex>(QString::fromLatin1(name));
    if (mutex->IsValid())
        return mutex;
    std::fprintf(stderr, "orv: %s\n", qPrintable(mutex->Error()));
    if (pError)
        *pError = mutex->Error();
    return nullptr;
}

bool WaitForReply(QLocalSocket& socket, const QDeadlineTimer& deadline)
{
    socket.flush();
    while (socket.bytesAvailable() < HANDOFF_WIRE_SIZE) {
        const qint64 left = deadline.remainingTime();
        if (left <= 0 || !socket.waitForReadyRead(static_cast<int>(left)))
            return socket.bytesAvailable() >= HANDOFF_WIRE_SIZE;
    }
    return true;
}

} // namespace

CInstanceControl::CInstanceControl() = default;

CInstanceControl::~CInstanceControl()
{
    // The socket goes before the lock, so a new primary never finds ours.
    m_pServer.reset();
    m_pInstanceLock.reset();
    m_pInstanceMutex.reset();
    m_pStartupLock.reset();
    m_pStartupMutex.reset();
}

CSingleLock* CInstanceControl::StartupLock()
{
    if (!m_pStartupMutex)
        m_pStartupMutex = MakeMutex(STARTUP_MUTEX_NAME, &m_strError);
    if (m_pStartupMutex && !m_pStartupLock)
        m_pStartupLock = std::make_unique<CSingleLock>(*m_pStartupMutex);
    return m_pStartupLock.get();
}

BOOL CInstanceControl::AcquireStartupLock()
{
    CSingleLock* pLock = StartupLock();
    return pLock && pLock->Lock();
}

CInstanceControl::StartupWait CInstanceControl::WaitForStartupLock(
    int msWait, const std::function<bool()>& keepWaiting)
{
    CSingleLock* pLock = StartupLock();
    if (!pLock)
        return StartupWait::Failed;
    const QDeadlineTimer deadline(msWait);
    while (!pLock->TryLock()) {
        if (!keepWaiting())
            return StartupWait::Stopped;
        if (deadline.hasExpired())
            return StartupWait::TimedOut;
        QThread::msleep(kStartupLockPollMs);
    }
    return StartupWait::Held;
}

void CInstanceControl::ReleaseStartupLock()
{
    if (m_pStartupLock)
        m_pStartupLock->Unlock();
}

BOOL CInstanceControl::CreateInstanceLock()
{
    if (!m_pInstanceMutex)
        m_pInstanceMutex = MakeMutex(INSTANCE_MUTEX_NAME, &m_strError);
    if (!m_pInstanceMutex)
        return FALSE;
    if (!m_pInstanceLock)
        m_pInstanceLock = std::make_unique<CSingleLock>(*m_pInstanceMutex);
    return TRUE;
}

BOOL CInstanceControl::TryBecomePrimary()
{
    return m_pInstanceLock && m_pInstanceLock->TryLock();
}

BOOL CInstanceControl::IsPrimary() const
{
    return m_pInstanceLock && m_pInstanceLock->IsLocked();
}

QString CInstanceControl::SocketPath()
{
    const QString dir = PrivateRuntimeDir();
    return dir.isEmpty() ? QString() : dir + QStringLiteral("/handoff.socket");
}

bool CInstanceControl::PrimaryMayBeRunning()
{
    const QString path = SocketPath();
    return !path.isEmpty() && QFileInfo::exists(path);
}

BOOL CInstanceControl::Listen(std::function<int()> onHandoff)
{
    const QString path = SocketPath();
    if (!IsPrimary() || path.isEmpty())
        return FALSE;
    m_pServer = std::make_unique<CHandoffServer>(std::move(onHandoff));
    if (!m_pServer->Listen(path)) {
        m_pServer.reset();
        return FALSE;
    }
    return TRUE;
}

BOOL CInstanceControl::HandOff(const QStringList& files, int nParamCount, const QString& strFirstPlaylist)
{
    const QDeadlineTimer deadline(m_nReplyTimeoutMs);

    // Reach the primary first: with nobody listening there is nothing to write.
    const QString path = SocketPath();
    if (path.isEmpty())
        return FALSE;
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(static_cast<int>(qMax<qint64>(deadline.remainingTime(), 0)))
        || !PeerIsCurrentUser(socket.socketDescriptor()))
        return FALSE;

    const std::unique_ptr<CMutex> pHandoffMutex = MakeMutex(HANDOFF_MUTEX_NAME);
    if (!pHandoffMutex)
        return FALSE;

    const auto block = std::make_unique<HandoffBlock>();
    if (const int nLeftOut = EncodeHandoffBlock(*block, files, nParamCount, strFirstPlaylist))
        std::fprintf(stderr, "orv: %d path(s) too long to hand over were left out\n", nLeftOut);

    // The block is made and filled in one hold of the lock, so a reader never
    // sees it half written.
    CSharedMemory view;
    {
        CSingleLock lock(*pHandoffMutex, TRUE);
        if (!lock.IsLocked() || !view.Create(QString::fromLatin1(HANDOFF_BLOCK_NAME), sizeof(HandoffBlock)))
            return FALSE;
        std::memcpy(view.Data(), block.get(), sizeof(HandoffBlock));
    }

    char message[HANDOFF_WIRE_SIZE];
    qToLittleEndian<qint32>(WM_INSTANCE_HANDOFF, message);
    const bool bReplied = socket.write(message, HANDOFF_WIRE_SIZE) == HANDOFF_WIRE_SIZE && WaitForReply(socket, deadline);
    socket.abort();

    // Take the block back. When it is already gone, the primary read it
    // before it stopped answering: the files arrived all the same.
    CSingleLock lock(*pHandoffMutex, TRUE);
    const BOOL bWithdrawn = CSharedMemory::Unlink(QString::fromLatin1(HANDOFF_BLOCK_NAME));
    return bReplied || !bWithdrawn;
}

BOOL CInstanceControl::HandOff(const CCmdLineAnalize& cmdLine)
{
    QStringList files;
    for (int i = 0; i < cmdLine.m_playList.GetCount(); ++i)
        files << cmdLine.m_playList.GetAt(i);
    return HandOff(files, cmdLine.m_nParamCount, cmdLine.m_strFirstPlaylist);
}

BOOL ReceiveHandoff(CHandoffContent& content)
{
    const std::unique_ptr<CMutex> pHandoffMutex = MakeMutex(HANDOFF_MUTEX_NAME);
    if (!pHandoffMutex)
        return FALSE;
    const auto block = std::make_unique<HandoffBlock>();
    {
        CSingleLock lock(*pHandoffMutex, TRUE);
        // Opened under the lock: a sender that gave up removes its block under
        // the same lock, so what is found here is still meant to be read.
        CSharedMemory view;
        if (!lock.IsLocked() || !view.OpenReadOnly(QString::fromLatin1(HANDOFF_BLOCK_NAME), sizeof(HandoffBlock)))
            return FALSE;
        std::memcpy(block.get(), view.Data(), sizeof(HandoffBlock));
        // Removing the name tells the sender the files arrived, should it
        // stop waiting for the answer.
        CSharedMemory::Unlink(QString::fromLatin1(HANDOFF_BLOCK_NAME));
    }
    content = DecodeHandoffBlock(*block);
    return TRUE;
}
