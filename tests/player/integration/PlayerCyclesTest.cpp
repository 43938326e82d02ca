// Building and destroying players over and over leaves no threads or memory
// behind (the view does this for every file of a playlist).

#include "GstTestSupport.h"
#include "TestMedia.h"

#include "filters/FilterNameList.h"
#include "player/DShowPlayer.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QWidget>

namespace {
// A field of /proc/self/status, in its own unit (kB for memory).
long ProcStatus(const char* pszField)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(pszField))
            return line.mid(int(qstrlen(pszField))).trimmed().split(' ').value(0).toLong();
    return -1;
}

class PlayerCycles : public QuietGstTest {};

TEST_F(PlayerCycles, TwoHundredBuildsLeaveNoThreadsOrMemoryBehind)
{
    const QString strFile = TestMediaPath(TestClip::AviMjpegPcm);
    FilterNameList blackList;
    FilterNameList firstUse;
    QWidget view;
    auto cycle = [&] {
        CDShowPlayer player(strFile, TRUE, FALSE, FALSE, &blackList, &firstUse, &view);
        EXPECT_TRUE(player.HasWindowlessControl());
    };
    // Warm up: GStreamer loads plugins and fills its caches once.
    for (int i = 0; i < 20; ++i)
        cycle();
    const long nThreads = ProcStatus("Threads:");
    const long nRssKb = ProcStatus("VmRSS:");
    for (int i = 0; i < 200; ++i)
        cycle();
    EXPECT_LE(ProcStatus("Threads:"), nThreads + 2);
    // Loose: a leak of a frame or a pipeline per cycle would be far more.
    EXPECT_LT(ProcStatus("VmRSS:") - nRssKb, 20 * 1024);
}
}
