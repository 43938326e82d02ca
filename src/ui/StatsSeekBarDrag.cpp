#include "ui/StatsSeekBarDrag.h"

#include "controls/JumpSlider.h"
#include "platform/RunStats.h"

#include <QCoreApplication>
#include <QMouseEvent>

#include <algorithm>

namespace {
// About as often as a mouse reports its moves.
constexpr int kMoveIntervalMs = 16;
// Fine enough that no stall worth seeing hides between two beats.
constexpr int kHeartbeatMs = 5;
}

int CStatsSeekBarDrag::RequestedMs()
{
    bool bOk = false;
    const int ms = qEnvironmentVariableIntValue("ORV_STATS_DRAG", &bOk);
    return bOk && ms > 0 ? ms : 0;
}

CStatsSeekBarDrag::CStatsSeekBarDrag(CJumpSlider& bar, int msDrag, bool bCountsPictures, const QString& strFile)
    : QObject(&bar)
    , m_bar(bar)
    , m_msDrag(msDrag)
    , m_bCountsPictures(bCountsPictures)
    , m_strFile(strFile)
{
    m_moves.setTimerType(Qt::PreciseTimer);
    m_moves.setInterval(kMoveIntervalMs);
    connect(&m_moves, &QTimer::timeout, this, &CStatsSeekBarDrag::Move);
    m_heartbeat.setTimerType(Qt::PreciseTimer);
    m_heartbeat.setInterval(kHeartbeatMs);
    connect(&m_heartbeat, &QTimer::timeout, this, &CStatsSeekBarDrag::Beat);
}

double CStatsSeekBarDrag::ElapsedMs() const { return double(m_clock.nsecsElapsed()) / 1e6; }

void CStatsSeekBarDrag::Start()
{
    if (m_phase != Phase::Waiting)
        return;
    // A file that cannot seek leaves the bar disabled: there is nothing to measure.
    if (!m_bar.isEnabled() || !m_bar.isVisible()) {
        deleteLater();
        return;
    }
    m_phase = Phase::Dragging;
    m_clock.start();
    m_heartbeat.start();
    m_moves.start();
    SendMouse(QEvent::MouseButtonPress, m_bar.GetChannelRect().x());
}

// The pointer is where the hand would be by now: moves a stalled window
// missed are not made up afterwards, as the window system merges them.
void CStatsSeekBarDrag::Move()
{
    const QRect channel = m_bar.GetChannelRect();
    const double msNow = ElapsedMs();
    if (msNow < m_msDrag) {
        SendMouse(QEvent::MouseMove, channel.x() + channel.width() * msNow / m_msDrag);
        return;
    }
    m_moves.stop();
    SendMouse(QEvent::MouseButtonRelease, channel.x() + channel.width());
    m_msReleased = ElapsedMs();
    m_phase = Phase::Released;
}

void CStatsSeekBarDrag::Beat()
{
    const double msNow = ElapsedMs();
    m_msStallMax = std::max(m_msStallMax, msNow - m_msLastBeat);
    m_msLastBeat = msNow;
    // The first beat after the release also times the release's own work.
    if (m_phase != Phase::Released)
        return;
    m_heartbeat.stop();
    StatsDrag(m_msReleased, m_msStallMax, m_bCountsPictures ? m_nPictures : -1, m_strFile);
    deleteLater();
}

void CStatsSeekBarDrag::PicturePainted()
{
    if (m_phase == Phase::Dragging)
        ++m_nPictures;
}

void CStatsSeekBarDrag::SendMouse(QEvent::Type type, double x)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    const QPointF local(x, m_bar.height() / 2.0);
    QMouseEvent event(type, local, m_bar.mapToGlobal(local), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&m_bar, &event);
}
