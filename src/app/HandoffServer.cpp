#include "app/HandoffServer.h"

#include "platform/PeerCredentials.h"
#include "platform/WindowMessages.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QtEndian>

CHandoffServer::CHandoffServer(Handler onHandoff, QObject* parent)
    : QObject(parent)
    , m_onHandoff(std::move(onHandoff))
{
}

CHandoffServer::~CHandoffServer()
{
    Close();
}

BOOL CHandoffServer::Listen(const QString& path)
{
    Close();
    QLocalServer::removeServer(path);
    m_pServer = new QLocalServer(this);
    m_pServer->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_pServer, &QLocalServer::newConnection, this, &CHandoffServer::OnNewConnection);
    if (!m_pServer->listen(path)) {
        Close();
        return FALSE;
    }
    return TRUE;
}

void CHandoffServer::Close()
{
    if (m_pServer) {
        m_pServer->close(); // removes the socket file
        delete m_pServer;
        m_pServer = nullptr;
    }
}

void CHandoffServer::OnNewConnection()
{
    while (QLocalSocket* socket = m_pServer->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!PeerIsCurrentUser(socket->socketDescriptor())) {
            socket->abort();
            continue;
        }
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { OnReadyRead(socket); });
        if (socket->bytesAvailable() > 0)
            OnReadyRead(socket);
    }
}

void CHandoffServer::OnReadyRead(QLocalSocket* socket)
{
    if (socket->bytesAvailable() < HANDOFF_WIRE_SIZE)
        return;
    // One message per connection; anything after it is ignored.
    disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
    const QByteArray bytes = socket->read(HANDOFF_WIRE_SIZE);
    if (qFromLittleEndian<qint32>(bytes.constData()) != WM_INSTANCE_HANDOFF) {
        socket->abort();
        return;
    }
    m_pending.emplace_back(socket);
    // Out of the socket's signal, so a dialog in the handler does not run
    // inside it.
    QTimer::singleShot(0, this, &CHandoffServer::RunPending);
}

void CHandoffServer::RunPending()
{
    if (m_bInHandler)
        return; // the running handler picks the rest up when it returns
    m_bInHandler = true;
    while (!m_pending.empty()) {
        const QPointer<QLocalSocket> socket = m_pending.front();
        m_pending.pop_front();
        // A sender that stopped waiting has taken its block back.
        if (!socket || socket->state() != QLocalSocket::ConnectedState)
            continue;
        const int result = m_onHandoff ? m_onHandoff() : 0;
        if (socket && socket->state() == QLocalSocket::ConnectedState) {
            char reply[HANDOFF_WIRE_SIZE];
            qToLittleEndian<qint32>(result, reply);
            socket->write(reply, HANDOFF_WIRE_SIZE);
            socket->disconnectFromServer(); // flushes the reply first
        }
    }
    m_bInHandler = false;
}
