#include "HelperCommands.h"

#include "platform/ProfileFile.h"

// profile-write <file> <section> <key stem> <count>: writes stem0..stem<count-1>,
// one locked save each, so two of these running at once interleave.
ORV_HELPER_COMMAND(profileWrite, "profile-write")
{
    if (args.size() != 4)
        return 2;
    const int count = args[3].toInt();
    for (int i = 0; i < count; ++i)
        if (!WritePrivateProfileString(args[1], args[2] + QString::number(i), QString::number(i), args[0]))
            return 1;
    return 0;
}
