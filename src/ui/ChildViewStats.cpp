// The figures the view writes for measuring the player (ORV_STATS=1): the
// first picture of each file, the frames it showed and dropped, and on
// request a run of paused seeks timed until their pictures are painted, or
// a drag of the seek bar (ui/StatsSeekBarDrag.h). Nothing here runs unless
// the figures are on.

#include "ui/ChildView.h"

#include "platform/RunStats.h"
#include "player/DShowPlayer.h"
#include "ui/StatsSeekBarDrag.h"
#include "ui/ViewHost.h"

#include <QTimer>

namespace {
// Time for the pause to settle before the first seek, and between seeks.
constexpr int kSeekSettleMs = 500;
constexpr int kSeekGapMs = 100;

// ORV_STATS_SEEKS: positions in milliseconds, separated by commas.
QList<int> RequestedSeeks()
{
    QList<int> positions;
    for (const QByteArray& item : qgetenv("ORV_STATS_SEEKS").split(',')) {
        bool bOk = false;
        const int ms = item.trimmed().toInt(&bOk);
        if (bOk && ms >= 0)
            positions << ms;
    }
    return positions;
}
}

void CChildView::StatsPicturePainted()
{
    if (!m_bFirstFrameReported) {
        m_bFirstFrameReported = TRUE;
        StatsFirstFrame(m_strFile);
        // A drag asked for replaces the seeks: both at once would measure neither.
        if (const int msDrag = CStatsSeekBarDrag::RequestedMs())
            StatsStartDrag(msDrag);
        else
            StatsStartSeeks();
        return;
    }
    if (m_pStatsDrag)
        m_pStatsDrag->PicturePainted();
    if (m_nStatsSeekAt < 0)
        return;
    StatsSeek(RunStatsElapsedMs() - m_msStatsSeekStart, m_nStatsSeekAt, m_strFile);
    m_nStatsSeekAt = -1;
    QTimer::singleShot(kSeekGapMs, this, [this] { StatsNextSeek(); });
}

void CChildView::StatsStartSeeks()
{
    // Once per run, on the first file that shows a picture.
    static bool bAsked = false;
    if (bAsked || !m_bHasVideo || !m_pPlayer || !m_pPlayer->HasWindowlessControl())
        return;
    bAsked = true;
    m_statsSeeks = RequestedSeeks();
    if (m_statsSeeks.isEmpty())
        return;
    if (!m_bPaused)
        TogglePause();
    QTimer::singleShot(kSeekSettleMs, this, [this] { StatsNextSeek(); });
}

void CChildView::StatsStartDrag(int msDrag)
{
    // Once per run, on the first file that shows a picture.
    static bool bAsked = false;
    CJumpSlider* pSeekBar = m_host.SeekBar();
    if (bAsked || !m_bHasVideo || !m_pPlayer || !pSeekBar)
        return;
    bAsked = true;
    // A window of the graph's own paints its pictures out of the view's sight.
    m_pStatsDrag = new CStatsSeekBarDrag(*pSeekBar, msDrag, m_pPlayer->HasWindowlessControl(), m_strFile);
    QTimer::singleShot(kSeekSettleMs, m_pStatsDrag, &CStatsSeekBarDrag::Start);
}

// As the user does it: hold the seek bar, move it, let go.
void CChildView::StatsNextSeek()
{
    if (m_statsSeeks.isEmpty() || !IsStarted() || m_nSeekMode == SEEKMODE_NONE)
        return;
    const int ms = m_statsSeeks.takeFirst();
    const LONGLONG llValue = m_nSeekMode == SEEKMODE_TIME ? ms
        : m_llAvgFrameTime > 0                ? LONGLONG(ms) * 10000 / m_llAvgFrameTime
                                              : 0;
    m_msStatsSeekStart = RunStatsElapsedMs();
    m_nStatsSeekAt = ms;
    if (!BeginSeek() || !SeekTo(static_cast<int>(llValue)) || !EndSeek())
        m_nStatsSeekAt = -1;
}

void CChildView::StatsReleasePlayer()
{
    LONGLONG llDrawn = 0;
    LONGLONG llDropped = 0;
    m_pPlayer->GetFrameCounts(&llDrawn, &llDropped);
    StatsFrameCounts(llDrawn, llDropped, m_strFile);
}
