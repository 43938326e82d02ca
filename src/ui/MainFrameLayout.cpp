// The main window's geometry: the layout of the client area, the minimum
// size, and sizing the window around a video.

#include "ui/MainFrame.h"

#include "platform/RunStats.h"
#include "ui/Rects.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>

#include <algorithm>

namespace {

// One axis of the work-area rule: a window that reaches past the far edge
// moves back inside, or, when it is longer than the work area, takes the
// work area's length and the other axis is scaled by the same factor
// (integer: product first, truncating division).
void FitAxis(int& lo, int& hi, int otherLo, int& otherHi, int workLo, int workHi)
{
    if (hi <= workHi)
        return;
    const int len = hi - lo;
    const int workLen = workHi - workLo;
    if (len > workLen) {
        otherHi = otherLo + static_cast<int>(static_cast<LONGLONG>(otherHi - otherLo) * workLen / len);
        lo = workLo;
    } else {
        lo -= hi - workHi;
    }
    hi = workHi;
}

// Puts a window rectangle (decorations included) into the work area, height
// first, then width.
QRect KeepInWorkArea(const QRect& rcWindow, const QRect& rcWork)
{
    int l = rcWindow.x();
    int t = rcWindow.y();
    int r = RightOf(rcWindow);
    int b = BottomOf(rcWindow);
    FitAxis(t, b, l, r, rcWork.y(), BottomOf(rcWork));
    FitAxis(l, r, t, b, rcWork.x(), RightOf(rcWork));
    return RectLTRB(l, t, r, b);
}

// Places btn with its bottom-left corner at (x, bottom).
void PlaceBottomLeft(QWidget& btn, int x, int bottom) { btn.move(x, bottom - btn.height()); }

} // namespace

void CMainFrame::OnSize(int cx, int cy)
{
    if (!m_pClient)
        return;
    const int nViewHeight = std::max(0, cy - m_nControlHeight);
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
    StatsWindowShown();
}

QRect CMainFrame::WorkArea() const
{
    if (m_workAreaSource)
        return m_workAreaSource();
    const QScreen* pScreen = screen() ? screen() : QGuiApplication::primaryScreen();
    return pScreen ? pScreen->availableGeometry() : QRect();
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
    const QMargins border = m_wndView.contentsMargins();
    const int nClientWidth = nWidth + border.left() + border.right();
    const int nClientHeight = nHeight + border.top() + border.bottom() + m_nControlHeight;
    const QSize size(nClientWidth, nClientHeight + MenuBarHeight(nClientWidth));
    if (!bKeepInWorkArea) {
        resize(size);
        return;
    }
    // The work area holds the whole window, title bar and borders included.
    const QSize decoration = frameGeometry().size() - geometry().size();
    const QRect rc = KeepInWorkArea(QRect(pos(), size + decoration), WorkArea());
    move(rc.topLeft());
    resize(rc.size() - decoration);
}

void CMainFrame::FitWindowToControls()
{
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))
        showNormal();
    resize(m_nMinClientWidth, m_nControlHeight + MenuBarHeight(m_nMinClientWidth));
}
