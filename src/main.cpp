#include "app/orvApp.h"

int main(int argc, char** argv)
{
    CorvApp app(argc, argv);
    if (!app.InitInstance())
        return 0;
    return app.Run();
}
