#include "app/orvApp.h"
#include "platform/RunStats.h"

int main(int argc, char** argv)
{
    StartRunStats();
    int rc = 0;
    {
        CorvApp app(argc, argv);
        if (app.InitInstance())
            rc = app.Run();
    }
    StatsPeakRss();
    return rc;
}
