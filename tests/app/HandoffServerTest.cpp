#include "TempRuntimeDir.h"

#include "app/HandoffServer.h"
#include "platform/WindowMessages.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QLocalSocket>
#include <QTimer>
#include <QtEndian>

#include <memory>
#include <vector>

namespace {

QByteArray Wire(qint32 value)
{
    char bytes[HANDOFF_WIRE_SIZE];
    qToLittleEndian<qint32>(value, bytes);
    return QByteArray(bytes, HANDOFF_WIRE_SIZE);
}

void Spin(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Messages that arrive while the handler waits on the user (a dialog runs an
// event loop) run after it, one at a time, each answered with its own result.
TEST(HandoffServer, RunsOneHandlerAtATimeAndAnswersEachWithItsResult)
{
    TempRuntimeDir rt;
    const QString path = rt.Path() + "/test.socket";
    int nDepth = 0;
    int nMaxDepth = 0;
    int nCalls = 0;
    CHandoffServer server([&] {
        nMaxDepth = std::max(nMaxDepth, ++nDepth);
        Spin(50);
        --nDepth;
        return 100 + nCalls++;
    });
    ASSERT_TRUE(server.Listen(path));

    std::vector<std::unique_ptr<QLocalSocket>> clients;
    for (const qint32 message : { WM_INSTANCE_HANDOFF, WM_INSTANCE_HANDOFF, WM_GRAPHNOTIFY }) {
        auto c = std::make_unique<QLocalSocket>();
        c->connectToServer(path);
        ASSERT_TRUE(c->waitForConnected(5000));
        c->write(Wire(message));
        c->flush();
        clients.push_back(std::move(c));
    }
    const QDeadlineTimer deadline(20000);
    while ((clients[0]->bytesAvailable() < 4 || clients[1]->bytesAvailable() < 4
               || clients[2]->state() != QLocalSocket::UnconnectedState)
        && !deadline.hasExpired())
        Spin(10);

    EXPECT_EQ(nCalls, 2);
    EXPECT_EQ(nMaxDepth, 1);
    QSet<QByteArray> replies { clients[0]->read(4), clients[1]->read(4) };
    EXPECT_EQ(replies, (QSet<QByteArray> { Wire(100), Wire(101) }));
    // Not the hand-off message: dropped without an answer.
    EXPECT_EQ(clients[2]->bytesAvailable(), 0);
}

} // namespace
