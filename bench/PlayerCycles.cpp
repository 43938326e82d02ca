// Builds and destroys the player on one file many times and prints the
// process's threads and resident memory along the way.
//
//   player_cycles FILE [CYCLES]

#include "GstTestSupport.h"

#include "filters/FilterNameList.h"
#include "player/DShowPlayer.h"
#include "player/ErrMessage.h"

#include <QApplication>
#include <QWidget>

#include <gst/gst.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    gst_init(&argc, &argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [CYCLES]\n", argv[0]);
        return 2;
    }
    const QString strFile = QString::fromLocal8Bit(argv[1]);
    const int nCycles = argc > 2 ? std::atoi(argv[2]) : 200;
    FilterNameList blackList;
    FilterNameList firstUse;
    QWidget view;
    std::printf("cycle threads rss_kb\n");
    for (int i = 0; i <= nCycles; ++i) {
        if (i % 50 == 0)
            std::printf("%d %ld %ld\n", i, ProcessStatusField("Threads:"), ProcessStatusField("VmRSS:"));
        try {
            CDShowPlayer player(strFile, TRUE, FALSE, FALSE, &blackList, &firstUse, &view);
        } catch (const CDirectShowErrMessage& e) {
            std::fprintf(stderr, "%s\n", qUtf8Printable(e.FormatText()));
            return 1;
        }
        QCoreApplication::processEvents();
    }
    return 0;
}
