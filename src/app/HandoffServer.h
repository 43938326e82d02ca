#pragma once
// The primary instance's end of the hand-off: a local socket, private to the
// user, on which a second start announces that its files wait in the block.
// It stands in for finding the primary's window and sending it
// WM_INSTANCE_HANDOFF: every message runs the handler on the UI thread, and
// the handler's result goes back as the reply the sender waits for.

#include "platform/WinTypes.h"

#include <QObject>
#include <QPointer>

#include <deque>
#include <functional>

class QLocalServer;
class QLocalSocket;

class CHandoffServer : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<int()>;

    explicit CHandoffServer(Handler onHandoff, QObject* parent = nullptr);
    ~CHandoffServer() override;

    // Removes what a dead primary left at `path` and listens there, user
    // access only. Only the holder of the primary lock may call this.
    BOOL Listen(const QString& path);
    void Close();

private:
    void OnNewConnection();
    void OnReadyRead(QLocalSocket* socket);
    void RunPending();

    Handler m_onHandoff;
    QLocalServer* m_pServer = nullptr;
    // Connections whose message waits for its turn: a handler may open a
    // dialog, and messages that arrive meanwhile run after it, one at a time.
    std::deque<QPointer<QLocalSocket>> m_pending;
    bool m_bInHandler = false;
};

// The wire format: a message is its number, a reply the handler's result,
// each a 4-byte little-endian int32.
constexpr int HANDOFF_WIRE_SIZE = 4;
