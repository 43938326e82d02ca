#include "platform/RunStats.h"

#include <QByteArray>
#include <QFile>

#include <chrono>

#include <unistd.h>

bool g_bRunStats = false;

namespace {
std::chrono::steady_clock::time_point g_started;

QByteArray Ms(double ms) { return QByteArray::number(ms, 'f', 1); }

// One write, so lines from several threads never mix and each reaches a
// reader the moment it is written.
void WriteLine(const QByteArray& fields)
{
    const QByteArray line = "orv-stats: " + fields + '\n';
    qsizetype nDone = 0;
    while (nDone < line.size()) {
        const ssize_t n = ::write(STDERR_FILENO, line.constData() + nDone, size_t(line.size() - nDone));
        if (n <= 0)
            return;
        nDone += n;
    }
}

QByteArray FileField(const QString& strFile) { return " file=" + QFile::encodeName(strFile); }
}

void StartRunStats()
{
    g_started = std::chrono::steady_clock::now();
    g_bRunStats = qgetenv("ORV_STATS") == "1";
}

double RunStatsElapsedMs()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - g_started).count();
}

void StatsWindowShown()
{
    static bool bShown = false;
    if (!RunStatsEnabled() || bShown)
        return;
    bShown = true;
    WriteLine("window_shown_ms=" + Ms(RunStatsElapsedMs()));
}

void StatsFirstFrame(const QString& strFile)
{
    if (RunStatsEnabled())
        WriteLine("first_frame_ms=" + Ms(RunStatsElapsedMs()) + FileField(strFile));
}

void StatsFrameCounts(std::int64_t llRendered, std::int64_t llDropped, const QString& strFile)
{
    if (RunStatsEnabled())
        WriteLine("frames_rendered=" + QByteArray::number(llRendered) + " frames_dropped="
            + QByteArray::number(llDropped) + FileField(strFile));
}

void StatsSeek(double msElapsed, int msPosition, const QString& strFile)
{
    if (RunStatsEnabled())
        WriteLine("seek_ms=" + Ms(msElapsed) + " position_ms=" + QByteArray::number(msPosition) + FileField(strFile));
}

void StatsDrag(double msDrag, double msStallMax, int nPictures, const QString& strFile)
{
    if (RunStatsEnabled())
        WriteLine("drag_ms=" + Ms(msDrag) + " stall_max_ms=" + Ms(msStallMax)
            + " pictures=" + QByteArray::number(nPictures) + FileField(strFile));
}

void StatsPeakRss()
{
    if (!RunStatsEnabled())
        return;
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            WriteLine("peak_rss_kb=" + line.mid(6).trimmed().split(' ').value(0));
            return;
        }
    }
}
