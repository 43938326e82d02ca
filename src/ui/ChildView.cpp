#include "ui/ChildView.h"

#include "app/FrameSettings.h"
#include "controls/FullScrCtrlWnd.h"
#include "controls/JumpSlider.h"
#include "platform/ModalSeam.h"
#include "platform/ResString.h"
#include "platform/RunStats.h"
#include "platform/Termination.h"
#include "player/DShowPlayer.h"
#include "player/ErrMessage.h"
#include "player/Volume.h"
#include "res/StringIds.h"
#include "ui/CommandIds.h"
#include "ui/DisplaySize.h"
#include "ui/ViewHost.h"

#include <QGuiApplication>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QTimerEvent>

#include <cstdio>

CChildView::CChildView(IViewHost& host, QWidget* parent)
    : QFrame(parent)
    , m_host(host)
{
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(128, 128, 128));
    setPalette(pal);
    // The paint covers every pixel itself: the picture is not painted over
    // a background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::ArrowCursor);
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive)
            LeaveFullScreen();
    });
    CreatePanel();
}

CChildView::~CChildView()
{
    if (m_pPlayer && RunStatsEnabled())
        StatsReleasePlayer();
}

IMediaGraphFactory& CChildView::GraphFactory() const
{
    return m_pGraphFactory ? *m_pGraphFactory : DefaultGraphFactory();
}

// ---- the error protocol ----

BOOL CChildView::CallPlayer(const std::function<void()>& call, int nQuietKind, const std::function<void()>& onQuiet)
{
    try {
        call();
        return TRUE;
    } catch (const CDirectShowErrMessage& e) {
        if (e.m_nKind == nQuietKind && onQuiet) {
            onQuiet();
            return TRUE;
        }
        ShowError(e);
    } catch (...) {
        ShowUnknownError();
    }
    return FALSE;
}

void CChildView::ShowError(const CDirectShowErrMessage& e)
{
    // Told to end, the program ends: what it was doing failing is no news.
    if (TerminationRequested())
        return;
    LeaveFullScreen();
    const QString text = e.FormatText();
    if (m_bLoading)
        std::fprintf(stderr, "orv: %s: %s\n", qUtf8Printable(m_strFile), qUtf8Printable(text));
    else
        std::fprintf(stderr, "orv: %s\n", qUtf8Printable(text));
    if (!e.m_strDetail.isEmpty())
        std::fprintf(stderr, "%s\n", qUtf8Printable(e.m_strDetail));
    MessageBoxTexts box { text, QString(), e.m_strDetail };
    // A file that would not open is named, with what the media framework
    // said about it, where the user reads without asking for details.
    if (m_bLoading) {
        box.informative = m_strFile;
        if (!e.m_strDetail.isEmpty())
            box.informative += QLatin1Char('\n') + e.m_strDetail;
    }
    AfxMessageBox(box, MB_ICONERROR);
}

void CChildView::ShowUnknownError()
{
    LeaveFullScreen();
    AfxMessageBox({ LoadResString(IDS_UNKNOWN_ERROR), m_bLoading ? m_strFile : QString(), QString() }, MB_ICONERROR);
}

// ---- state and information ----

BOOL CChildView::IsSeekable() { return m_pPlayer && m_pPlayer->GetSeekMode() != SEEKMODE_NONE; }

int CChildView::GetDurations(LONGLONG* pllDuration, LONGLONG* pllFrames)
{
    if (!IsStarted()) {
        *pllDuration = -1;
        *pllFrames = -1;
        return 0;
    }
    *pllDuration = m_llDurationMedia;
    *pllFrames = m_llTotalFrames;
    return m_nSeekMode;
}

QSize CChildView::GetNativeSize() { return m_bHasVideo ? m_sizeNative : QSize(); }

QString CChildView::GetFilterName(int nIndex) { return m_pPlayer ? m_pPlayer->GetFilterName(nIndex) : QString(); }
QString CChildView::GetAuthor() { return m_pPlayer ? m_pPlayer->GetAuthor() : QString(); }
QString CChildView::GetAlbum() { return m_pPlayer ? m_pPlayer->GetAlbum() : QString(); }
QString CChildView::GetTitle() { return m_pPlayer ? m_pPlayer->GetTitle() : QString(); }
QString CChildView::GetRating() { return m_pPlayer ? m_pPlayer->GetRating() : QString(); }
QString CChildView::GetDescription() { return m_pPlayer ? m_pPlayer->GetDescription() : QString(); }
QString CChildView::GetCopyright() { return m_pPlayer ? m_pPlayer->GetCopyright() : QString(); }

// ---- loading, starting and stopping ----

void CChildView::ReleasePlayer()
{
    KillPollTimer();
    if (m_pPlayer && RunStatsEnabled())
        StatsReleasePlayer();
    m_pPlayer.reset();
    m_bLoaded = FALSE;
    m_bStarted = FALSE;
    m_bPaused = FALSE;
    m_bHeld = FALSE;
    for (CJumpSlider* pSeekBar : SeekBars())
        if (pSeekBar)
            pSeekBar->SetPos(0);
}

BOOL CChildView::LoadMedia(const QString& path)
{
    ReleasePlayer();
    m_bHasVideo = TRUE;
    m_bAudioAvailable = TRUE;
    m_sizeNative = QSize();
    m_strFile = path;
    m_bFirstFrameReported = FALSE;

    const QScopedValueRollback<BOOL> loading(m_bLoading, TRUE);
    const CFrameSettings& settings = m_host.ViewSettings();
    if (!CallPlayer([&] {
            m_pPlayer = std::make_unique<CDShowPlayer>(path, settings.m_bAspectFix, settings.m_bDisableVMR9,
                settings.m_bDisableDeinterlace, &settings.m_blackList, &settings.m_firstUseList, this,
                m_host.NotifyTarget(), GraphFactory());
        }))
        return FALSE;
    // The new renderer's window must not cover the panel.
    m_pPanel->raise();
    PlacePanel();
    // A picture that cannot be sized is given up: the file plays as sound.
    if (!CallPlayer([this] { FitVideo(); }, ERRKIND_VIDEO, [this] { TreatAsAudioOnly(); })) {
        // Nothing half-loaded stays behind.
        m_pPlayer.reset();
        return FALSE;
    }
    m_bLoaded = TRUE;
    return TRUE;
}

void CChildView::FitVideo()
{
    int nWidth = 0;
    int nHeight = 0;
    if (!m_pPlayer->GetNativeDisplaySize(&nWidth, &nHeight)) {
        TreatAsAudioOnly();
        return;
    }
    m_sizeNative = QSize(nWidth, nHeight);
    // An unknown setting shows the native size.
    ScaleToDisplaySize(m_host.ViewSettings().m_nDisplaySize, nWidth, nHeight);
    if (!m_bFullScreen)
        m_host.FitWindowToVideo(nWidth, nHeight, TRUE);
    m_pPlayer->FitVideoToView();
}

void CChildView::TreatAsAudioOnly()
{
    LeaveFullScreen();
    m_host.FitWindowToControls();
    m_bHasVideo = FALSE;
}

BOOL CChildView::StartPlayback()
{
    if (m_bStarted || !m_pPlayer)
        return FALSE;
    if (!CallPlayer([this] {
            ReadDurations();
            m_pPlayer->Run();
            m_bStarted = TRUE;
            m_bPaused = FALSE;
        }))
        return FALSE;
    if (!m_pollTimer.isActive())
        m_pollTimer.start(kPositionPollMs, this);
    // Pictures painted by a window of the graph's own are on screen once it runs.
    if (RunStatsEnabled() && !m_pPlayer->HasWindowlessControl())
        StatsPicturePainted();
    const CFrameSettings& settings = m_host.ViewSettings();
    SetVolume(settings.m_bSoundOn ? settings.m_nVolume : 0);
    return TRUE;
}

void CChildView::ReadDurations()
{
    m_nSeekMode = m_pPlayer->GetDurations(&m_llDurationMedia, &m_llDurationSeek, &m_llTotalFrames);
    m_llAvgFrameTime = m_pPlayer->GetAvgFrameTime();
    if (m_llAvgFrameTime == 0 && m_nSeekMode == SEEKMODE_FRAME && m_llTotalFrames > 0)
        m_llAvgFrameTime = m_llDurationMedia / m_llTotalFrames;
    SetUpSeekBar();
}

// The bar's range is the media's length in milliseconds, or in frames when
// the media seeks by frames.
void CChildView::SetUpSeekBar()
{
    const int nLength = static_cast<int>(m_nSeekMode == SEEKMODE_TIME ? m_llDurationSeek / 10000 : m_llDurationSeek);
    for (CJumpSlider* pSeekBar : SeekBars()) {
        if (!pSeekBar)
            continue;
        if (m_nSeekMode == SEEKMODE_NONE) {
            pSeekBar->setEnabled(false);
            continue;
        }
        if (nLength > 0) {
            pSeekBar->SetRange(nLength);
            pSeekBar->SetPageSize(nLength / 100);
        }
        pSeekBar->setEnabled(true);
    }
}

BOOL CChildView::StopPlayback()
{
    if (!m_bLoaded || !m_pPlayer)
        return FALSE;
    for (CJumpSlider* pSeekBar : SeekBars()) {
        if (!pSeekBar)
            continue;
        pSeekBar->SetPos(0);
        pSeekBar->setEnabled(false);
    }
    KillPollTimer();
    if (!CallPlayer([this] {
            m_pPlayer->Pause();
            m_pPlayer->SetPosition(0);
            m_pPlayer->Stop();
        }))
        return FALSE;
    m_bStarted = FALSE;
    m_bPaused = FALSE;
    update();
    return TRUE;
}

void CChildView::CloseMedia()
{
    ReleasePlayer();
    for (CJumpSlider* pSeekBar : SeekBars())
        if (pSeekBar)
            pSeekBar->setEnabled(false);
    update();
}

void CChildView::KillPollTimer() { m_pollTimer.stop(); }

BOOL CChildView::IsTimerRunning(int nIDEvent) const
{
    if (nIDEvent == IDT_FULLSCREEN_IDLE)
        return m_idleTimer.isActive();
    return nIDEvent == IDT_POSITION_POLL && m_pollTimer.isActive();
}

// ---- sound and picture ----

BOOL CChildView::SetVolume(int nVolume)
{
    if (!m_pPlayer || !m_bAudioAvailable)
        return TRUE;
    // Media whose volume cannot be set plays on at its own level.
    return CallPlayer([&] { m_pPlayer->SetVolume(VolumeToLevel(nVolume)); }, ERRKIND_VOLUME,
        [this] { m_bAudioAvailable = FALSE; });
}

BOOL CChildView::SetAspectFix(BOOL bFix)
{
    if (!m_pPlayer || !m_bHasVideo)
        return TRUE;
    return CallPlayer([&] { m_pPlayer->SetAspectFix(bFix); });
}

QByteArray CChildView::GetCurrentImage()
{
    QByteArray dib;
    if (m_pPlayer && m_bStarted && m_bHasVideo)
        CallPlayer([&] { dib = m_pPlayer->GetCurrentImage(); });
    return dib;
}

// ---- window events ----

void CChildView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    // The renderer fills the whole client area, bands included.
    bool bCovered = false;
    if (m_bStarted && m_pPlayer && m_pPlayer->HasWindowlessControl()) {
        try {
            if (m_pPlayer->RepaintVideo(&painter) && RunStatsEnabled())
                StatsPicturePainted();
            bCovered = m_pPlayer->HasWindowlessControl();
        } catch (const CDirectShowErrMessage& e) {
            // A box cannot open inside a paint; it follows at once.
            QMetaObject::invokeMethod(this, [this, e] { ShowError(e); }, Qt::QueuedConnection);
        } catch (...) {
            QMetaObject::invokeMethod(this, [this] { ShowUnknownError(); }, Qt::QueuedConnection);
        }
    }
    if (!bCovered)
        painter.fillRect(contentsRect() & event->rect(), palette().window());
    if (!contentsRect().contains(event->rect()))
        drawFrame(&painter);
}

void CChildView::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    PlacePanel();
    if (!m_pPlayer || !m_bHasVideo)
        return;
    const QSize client = contentsRect().size();
    CallPlayer([&] { m_pPlayer->SetVideoSize(client.width(), client.height()); }, ERRKIND_VIDEO,
        [this] { m_bHasVideo = FALSE; });
}

void CChildView::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_pollTimer.timerId())
        OnTimer(IDT_POSITION_POLL);
    else if (event->timerId() == m_idleTimer.timerId())
        OnTimer(IDT_FULLSCREEN_IDLE);
    else
        QFrame::timerEvent(event);
}

void CChildView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        ToggleFullScreen();
    else
        QFrame::mouseDoubleClickEvent(event);
}

void CChildView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton)
        m_host.OnCommand(ID_PLAY_PAUSE);
    else
        QFrame::mousePressEvent(event);
}
