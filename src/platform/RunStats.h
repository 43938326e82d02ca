#pragma once
// Figures for measuring the player from outside (ORV_STATS=1): one line on
// standard error per event, "orv-stats: key=value ...", with `file=` last
// since a path may hold spaces. Times are milliseconds since the program
// started. Without the variable nothing is written and every hook in the
// program costs one test of a cached flag.

#include <QString>

#include <cstdint>

// Reads the clock and the variable; first thing in main. Until then (and in
// any other program) the figures are off.
void StartRunStats();
// True when ORV_STATS=1 was set at the start.
extern bool g_bRunStats;
inline bool RunStatsEnabled() { return g_bRunStats; }
// Milliseconds since StartRunStats.
double RunStatsElapsedMs();

// The main window is shown (the first time only).
void StatsWindowShown();
// The first picture of the file has been painted; a file without video has
// started playing.
void StatsFirstFrame(const QString& strFile);
// The file stops being the current one: frames it showed and dropped.
void StatsFrameCounts(std::int64_t llRendered, std::int64_t llDropped, const QString& strFile);
// A paused seek to msPosition took msElapsed until its picture was painted.
void StatsSeek(double msElapsed, int msPosition, const QString& strFile);
// A seek-bar drag (ORV_STATS_DRAG) is over: how long it took from the press
// to the release, the longest stall of the UI thread meanwhile, and the
// pictures painted (-1: not seen by the program).
void StatsDrag(double msDrag, double msStallMax, int nPictures, const QString& strFile);
// The process's high-water mark of resident memory; as the program ends.
void StatsPeakRss();
