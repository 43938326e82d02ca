#include "app/InfoOptions.h"
#include "app/InstanceControl.h"
#include "app/orvApp.h"
#include "platform/RunStats.h"
#include "player/graph/GstWarmUp.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (AnswerInfoOption(argc, argv, stdout))
        return 0;
    StartRunStats();
    // A copy that hands its files to the primary has no use for GStreamer.
    if (!CInstanceControl::PrimaryMayBeRunning())
        StartGstWarmUp();
    int rc = 0;
    {
        CorvApp app(argc, argv);
        rc = app.InitInstance() ? app.Run() : app.ExitCode();
    }
    // Nothing of GStreamer's may still be loading while the program ends.
    FinishGstWarmUp();
    StatsPeakRss();
    return rc;
}
