// Building and destroying players over and over leaves no threads or memory
// behind (the view does this for every file of a playlist).

#include "GstTestSupport.h"
#include "TestMedia.h"

#include "filters/FilterNameList.h"
#include "player/DShowPlayer.h"

#include <gtest/gtest.h>

#include <QWidget>

namespace {
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
    const long nThreads = ProcessStatusField("Threads:");
    const long nRssKb = ProcessStatusField("VmRSS:");
    for (int i = 0; i < 200; ++i)
        cycle();
    EXPECT_LE(ProcessStatusField("Threads:"), nThreads + 2);
#ifndef __SANITIZE_ADDRESS__ // the sanitizer holds freed memory back on purpose
    // Loose: a leaked pipeline or a few messages per cycle would be far more.
    EXPECT_LT(ProcessStatusField("VmRSS:") - nRssKb, 10 * 1024);
#else
    (void)nRssKb;
#endif
}
}
