#include "HelperCommands.h"

#include "voldb/VolumeDB.h"

#include <cstdio>

// voldb <db> <primary|secondary> [lookup <path> | leave <path> <volume>]...:
// one run of the database; each lookup prints the volume on a line of its
// own. A leave is what the frame does when the next file is played.
ORV_HELPER_COMMAND(volDb, "voldb")
{
    if (args.size() < 2)
        return 2;
    CVolumeDB db(args[0], args[1] == QLatin1String("primary"));
    for (qsizetype i = 2; i < args.size(); ++i) {
        if (args[i] == QLatin1String("lookup") && i + 1 < args.size()) {
            std::printf("%d\n", db.Lookup(args[++i]));
        } else if (args[i] == QLatin1String("leave") && i + 2 < args.size()) {
            if (!db.Remember(args[i + 1], args[i + 2].toInt()) || !db.Flush())
                return 1;
            i += 2;
        } else {
            return 2;
        }
    }
    return 0;
}
