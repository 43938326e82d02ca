// The main window's geometry: the layout of the client area, the minimum
// size, and sizing the window around a video.

#include "ui/MainFrame.h"

#include "platform/RunStats.h"
#include "ui/Rects.h"
#include "ui/WindowFit.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace {

// Places btn with its bottom-left corner at (x, bottom).
void PlaceBottomLeft(QWidget& btn, int x, int bottom) { btn.move(x, bottom - btn.height()); }

} // namespace

void CMainFrame::OnSize(int cx, int cy)
{
    if (!m_pClient)
        return;
    const int nViewHeight = std::max(0, cy - m_nControlHeight);
    // The view covers the screen until it comes back.
    if (!m_wndView.IsFullScreen())
        m_wndView.setGeometry(0, 0, cx, nViewHeight);
    if (!m_pSeekBar)
        return;
    m_rcSeekBar = RectLTRB(0, nViewHeight, cx, nViewHeight + 20);
    m_pSeekBar->setGeometry(m_rcSeekBar);
    if (!m_pVolumeBar)
        return;
    const int nSeekBottom = BottomOf(m_rcSeekBar);
    m_rcVolumeBar = RectLTRB(cx - 80, nSeekBottom + 6, cx, nSeekBottom + 21);
    m_pVolumeBar->setGeometry(m_rcVolumeBar);
    if (m_bButtonsCreated)
        LayoutButtons();
}

void CMainFrame::LayoutButtons()
{
    // Row 1 hangs from the seek bar, bottom-aligned with the play button.
    const int s = BottomOf(m_rcSeekBar);
    m_btnPlay.move(0, s);
    m_btnPause.setGeometry(0, s, m_btnPlay.width(), m_btnPlay.height());
    const int nRow1Bottom = BottomOf(m_btnPlay.geometry());
    PlaceBottomLeft(m_btnStop, RightOf(m_btnPlay.geometry()), nRow1Bottom);
    PlaceBottomLeft(m_btnPrev, RightOf(m_btnStop.geometry()) + 3, nRow1Bottom);
    PlaceBottomLeft(m_btnNext, RightOf(m_btnPrev.geometry()) + 3, nRow1Bottom);
    PlaceBottomLeft(m_btnOneLoopOff, RightOf(m_btnNext.geometry()) + 3, nRow1Bottom);
    PlaceBottomLeft(m_btnOneLoopOn, RightOf(m_btnNext.geometry()) + 3, nRow1Bottom);
    PlaceBottomLeft(m_btnFitWindow, RightOf(m_btnOneLoopOff.geometry()) + 3, nRow1Bottom);
    m_btnSoundOn.move(m_rcVolumeBar.x() - m_btnSoundOn.width(), s);
    m_btnSoundOff.move(m_rcVolumeBar.x() - m_btnSoundOff.width(), s);

    // Row 2: the step buttons keep to the right edge, the A-B buttons to the left.
    const int t = nRow1Bottom;
    int x = RightOf(m_rcVolumeBar);
    for (CBitmapButton* pBtn : { &m_btnSkipFwd, &m_btnFrameFwd, &m_btnFrameBack, &m_btnSkipBack }) {
        x -= pBtn->width();
        pBtn->move(x, t);
    }
    m_btnSaveStill.setGeometry(x - 3 - m_btnSaveStill.width(), t, m_btnSaveStill.width(), m_btnFrameFwd.height());
    x = 0;
    for (CBitmapButton* pBtn : { &m_btnAGo, &m_btnASet, &m_btnBSet, &m_btnBGo }) {
        pBtn->move(x, t);
        x += pBtn->width();
    }
    m_btnABClear.move(x + 3, t);
    x = RightOf(m_btnABClear.geometry()) + 3;
    m_btnABStart.move(x, t);
    m_btnABEnd.move(x, t);

    int nRow2Bottom = 0;
    for (const CBitmapButton* pBtn : { &m_btnSkipFwd, &m_btnFrameFwd, &m_btnFrameBack, &m_btnSkipBack,
             &m_btnSaveStill, &m_btnAGo, &m_btnASet, &m_btnBSet, &m_btnBGo, &m_btnABClear, &m_btnABStart, &m_btnABEnd })
        nRow2Bottom = std::max(nRow2Bottom, BottomOf(pBtn->geometry()));
    m_nInfoTop = nRow2Bottom + 1;
}

QSize CMainFrame::ClientSize() const { return { width(), height() - MenuBarHeight(width()) }; }

// The height the window's layout gives the menu bar at this width (a menu
// bar may wrap onto more lines when the window is narrow).
int CMainFrame::MenuBarHeight(int nWidth) const
{
    const QWidget* pMenu = menuWidget();
    if (!pMenu || pMenu->isWindow() || !pMenu->isVisibleTo(this))
        return 0;
    int h = pMenu->heightForWidth(std::max(nWidth, pMenu->minimumWidth()));
    if (h < 0)
        h = pMenu->sizeHint().height();
    return std::min(std::max(h, pMenu->minimumSizeHint().height()), pMenu->maximumHeight());
}

void CMainFrame::UpdateMinimumSize()
{
    if (!m_bMinSizeKnown)
        return;
    QSize size(m_nMinClientWidth, m_nControlHeight + MenuBarHeight(m_nMinClientWidth));
    // Never below what the window's own layout needs.
    if (layout())
        size = size.expandedTo(layout()->minimumSize());
    setMinimumSize(size);
}

void CMainFrame::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    UpdateMinimumSize();
    // The window manager frames and places the window only once it is
    // mapped; a fit asked for before then is made again when it has.
    if (QWindow* pWindow = windowHandle(); pWindow && !m_bWatchingExposure) {
        pWindow->installEventFilter(this);
        m_bWatchingExposure = TRUE;
    }
    StatsWindowShown();
    RestorePlayListWnd();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Expose && watched == windowHandle() && windowHandle()->isExposed() && !m_bFramed) {
        m_bFramed = TRUE;
        // After the expose has been handled, not inside it.
        QMetaObject::invokeMethod(this, [this] { FitPendingVideo(); }, Qt::QueuedConnection);
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::FitPendingVideo()
{
    if (!m_sizePendingFit.isValid())
        return;
    int nWidth = m_sizePendingFit.width();
    int nHeight = m_sizePendingFit.height();
    FitWindowToVideo(nWidth, nHeight, TRUE);
}

QRect CMainFrame::WorkArea() const
{
    if (m_workAreaSource)
        return m_workAreaSource();
    const QScreen* pScreen = screen() ? screen() : QGuiApplication::primaryScreen();
    return pScreen ? pScreen->availableGeometry() : QRect();
}

// Asked of the window itself: the widget's own copy of the frame follows
// only when the window moves.
QMargins CMainFrame::Decoration() const
{
    const QWindow* pWindow = windowHandle();
    return pWindow ? pWindow->frameMargins() : QMargins();
}

// What the window adds to a video area of sizeVideo: the view's border, the
// control area, and the menu bar as high as it is at the width the window
// then has.
QSize CMainFrame::SizeAroundVideo(QSize sizeVideo) const
{
    const QMargins border = m_wndView.contentsMargins();
    const int nBorderWidth = border.left() + border.right();
    const int nClientWidth = std::max(sizeVideo.width() + nBorderWidth, m_bMinSizeKnown ? m_nMinClientWidth : 0);
    return { nBorderWidth, border.top() + border.bottom() + m_nControlHeight + MenuBarHeight(nClientWidth) };
}

CWindowFit CMainFrame::FitInWorkArea(QSize sizeVideo, const QMargins& decoration) const
{
    const QSize sizeDecoration(decoration.left() + decoration.right(), decoration.top() + decoration.bottom());
    const int nMinWindowWidth = (m_bMinSizeKnown ? m_nMinClientWidth : 0) + sizeDecoration.width();
    // A narrower window may wrap its menu bar onto more lines: fit again
    // with the height the menu bar has at the width found.
    QSize sizeAround = SizeAroundVideo(sizeVideo) + sizeDecoration;
    CWindowFit fit;
    for (int nPass = 0; nPass < 3; ++nPass) {
        fit = FitWindowToWorkArea(geometry().marginsAdded(decoration).topLeft(), sizeVideo, sizeAround, nMinWindowWidth,
            WorkArea());
        const QSize sizeAroundFit = SizeAroundVideo(fit.sizeVideo) + sizeDecoration;
        if (sizeAroundFit == sizeAround)
            break;
        sizeAround = sizeAroundFit;
    }
    return fit;
}

void CMainFrame::FitWindowToVideo(int& nWidth, int& nHeight, BOOL bKeepInWorkArea)
{
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))
        return;
    if (nWidth < 320) {
        // A zero width has no aspect to keep.
        if (nWidth > 0)
            nHeight = static_cast<int>(static_cast<LONGLONG>(nHeight) * 320 / nWidth);
        nWidth = 320;
    }
    const QSize sizeVideo(nWidth, nHeight);
    m_sizePendingFit = QSize();
    if (!bKeepInWorkArea) {
        resize(sizeVideo + SizeAroundVideo(sizeVideo));
        return;
    }
    // The work area holds the whole window, frame included, and the picture
    // gives way, never the controls. Before the window manager has framed
    // the window its frame is unknown and where it goes is the manager's
    // choice: only the size is set now, and the fit made again once the
    // window is on screen.
    if (!m_bFramed) {
        m_sizePendingFit = sizeVideo;
        const QSize sizeFit = FitInWorkArea(sizeVideo, QMargins()).sizeVideo;
        resize(sizeFit + SizeAroundVideo(sizeFit));
        return;
    }
    const QMargins decoration = Decoration();
    const CWindowFit fit = FitInWorkArea(sizeVideo, decoration);
    const QRect rcClient(fit.rcWindow.topLeft() + QPoint(decoration.left(), decoration.top()),
        fit.sizeVideo + SizeAroundVideo(fit.sizeVideo));
    if (rcClient.topLeft() != geometry().topLeft())
        setGeometry(rcClient);
    else
        resize(rcClient.size());
}

void CMainFrame::FitWindowToControls()
{
    m_sizePendingFit = QSize();
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))
        showNormal();
    resize(m_nMinClientWidth, m_nControlHeight + MenuBarHeight(m_nMinClientWidth));
}
