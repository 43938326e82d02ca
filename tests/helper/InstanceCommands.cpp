#include "HelperCommands.h"

#include "app/CmdLineAnalize.h"
#include "app/InstanceControl.h"
#include "platform/Mutex.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>
#include <QTimer>

#include <cstdio>

#include <unistd.h>

namespace {

void Say(const char* line)
{
    std::printf("%s\n", line);
    std::fflush(stdout);
}

// One JSON line per hand-off the primary received.
void Record(const QString& file, BOOL bRead, const CHandoffContent& content, bool bStartupHeld)
{
    QJsonObject o;
    o["read"] = bRead != FALSE;
    o["files"] = QJsonArray::fromStringList(content.m_files);
    o["playlist"] = content.m_strPlaylist;
    o["playlistArg"] = content.m_bPlaylistArg != FALSE;
    o["startupHeld"] = bStartupHeld;
    QFile f(file);
    if (f.open(QIODevice::WriteOnly | QIODevice::Append))
        f.write(QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n');
}

bool StartupLockHeldElsewhere()
{
    CMutex startup(QString::fromLatin1(STARTUP_MUTEX_NAME));
    return !startup.TryLock(); // closing the mutex drops a lock just taken
}

} // namespace

// instance-start <record file> <hand-offs to take> <parameter>...: the
// start-up decision of the program. The primary listens, records every
// hand-off and ends after the given number (0: never); another copy hands
// its parsed command line over and exits 0 when it was delivered, 3 when not.
ORV_HELPER_COMMAND(instanceStart, "instance-start")
{
    if (args.size() < 2)
        return 2;
    CInstanceControl control;
    if (!control.AcquireStartupLock() || !control.CreateInstanceLock())
        return 1;
    CCmdLineAnalize cmdLine;
    cmdLine.ParseCommandLine(args.mid(2));
    if (!control.TryBecomePrimary()) {
        const BOOL bDelivered = control.HandOff(cmdLine);
        control.ReleaseStartupLock();
        Say(bDelivered ? "delivered" : "not delivered");
        return bDelivered ? 0 : 3;
    }
    const QString recordFile = args[0];
    int nLeft = args[1].toInt();
    const BOOL bListening = control.Listen([&] {
        const bool bHeld = StartupLockHeldElsewhere();
        // Give an overlapping sender, if the locks let one through, time to
        // spoil the block.
        QThread::msleep(20);
        CHandoffContent content;
        const BOOL bRead = ReceiveHandoff(content);
        Record(recordFile, bRead, content, bHeld);
        if (--nLeft == 0)
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return 0;
    });
    control.ReleaseStartupLock();
    if (!bListening)
        return 1;
    Say("primary");
    return QCoreApplication::exec();
}

// instance-faulty-primary <hang|die|take-and-die>: a primary that never
// answers: it hangs in its handler, or dies there before or after taking
// the block.
ORV_HELPER_COMMAND(instanceFaultyPrimary, "instance-faulty-primary")
{
    if (args.size() != 1)
        return 2;
    const QString mode = args[0];
    CInstanceControl control;
    if (!control.AcquireStartupLock() || !control.CreateInstanceLock() || !control.TryBecomePrimary())
        return 1;
    const BOOL bListening = control.Listen([mode]() -> int {
        if (mode == "take-and-die") {
            CHandoffContent content;
            ReceiveHandoff(content);
        }
        if (mode != "hang")
            ::_exit(0);
        for (;;)
            QThread::sleep(60);
    });
    control.ReleaseStartupLock();
    if (!bListening)
        return 1;
    Say("primary");
    return QCoreApplication::exec();
}
