#include "HelperCommands.h"

#include "app/InstanceControl.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>

#include <unistd.h>

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
    std::printf("primary\n");
    std::fflush(stdout);
    return QCoreApplication::exec();
}
