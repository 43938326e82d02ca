#pragma once
// Volume scales: the 0..100 of the bars and settings, the hundredths of a
// decibel the player takes, and the linear factor the sound output applies.

// 0 gives -10000 (silence); any other v gives 100 x trunc(20 x log10(v / 100)),
// the decibels cut to whole numbers before scaling, so 90..100 all give 0.
// Values outside 0..100 count as the nearer end.
long VolumeToLevel(int nVolume);

// 10^(level / 2000); -10000 and below is exactly 0, 0 and above is 1.
double LevelToLinear(long lLevel);
