#include "player/Volume.h"

#include <cmath>

long VolumeToLevel(int nVolume)
{
    if (nVolume <= 0)
        return -10000;
    if (nVolume >= 100)
        return 0;
    const double dDecibels = std::trunc(20.0 * std::log10(double(nVolume) / 100.0));
    return 100 * static_cast<long>(dDecibels);
}

double LevelToLinear(long lLevel)
{
    if (lLevel <= -10000)
        return 0.0;
    if (lLevel >= 0)
        return 1.0;
    return std::pow(10.0, double(lLevel) / 2000.0);
}
