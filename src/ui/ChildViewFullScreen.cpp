// Full screen: the view leaves the main window and covers the screen the
// window is on, with the control panel along its bottom; the panel and the
// cursor go after a few idle seconds and come back with the mouse.

#include "ui/ChildView.h"

#include "app/FrameSettings.h"
#include "controls/FullScrCtrlWnd.h"
#include "controls/JumpSlider.h"
#include "player/DShowPlayer.h"
#include "ui/ViewHost.h"

#include <QAction>
#include <QGuiApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMetaObject>
#include <QScreen>


void CChildView::CreatePanel()
{
    m_pPanel = new CFullScrCtrlWnd(this);
    CFullScrCtrlHooks hooks;
    hooks.command = [this](int nID) { m_host.OnCommand(nID); };
    hooks.sliderScroll = [this](int nSBCode, CJumpSlider* pSlider) { m_host.OnPanelSliderScroll(nSBCode, pSlider); };
    hooks.values = [this] { return m_host.PanelValues(); };
    hooks.mouseMoved = [this] { ShowPanelAndCursor(); };
    m_pPanel->Create(std::move(hooks));
    setMouseTracking(true);
    PlacePanel();
}

std::array<CJumpSlider*, 2> CChildView::SeekBars() const
{
    return { m_host.SeekBar(), m_pPanel ? m_pPanel->SeekBar() : nullptr };
}

void CChildView::ToggleFullScreen()
{
    // Only a started video may fill the screen.
    if (!m_bStarted || !m_bHasVideo)
        return;
    if (m_bFullScreen)
        ExitFullScreen();
    else
        EnterFullScreen();
}

void CChildView::LeaveFullScreen()
{
    if (m_bFullScreen)
        ExitFullScreen();
}

void CChildView::EnterFullScreen()
{
    QWidget* pFrame = window();
    const QScreen* pScreen = pFrame->screen() ? pFrame->screen() : QGuiApplication::primaryScreen();
    if (!pScreen)
        return;
    m_pSavedParent = parentWidget();
    m_rcSavedWindow = geometry();
    m_sizeSavedClient = contentsRect().size();
    m_nSavedFrameStyle = frameStyle();
    // A native view is moved between the window and the screen as it is,
    // with the renderer's window inside; an alien one would have its
    // native children destroyed on the way back.
    setAttribute(Qt::WA_DontCreateNativeAncestors);
    setAttribute(Qt::WA_NativeWindow);
    // The owner-window renderer draws in a native window of its own inside
    // the view; only another native window stays above it.
    m_pPanel->setAttribute(Qt::WA_DontCreateNativeAncestors);
    m_pPanel->setAttribute(Qt::WA_NativeWindow);
    // The window's keys work on the view while it is a window of its own.
    m_borrowedActions = pFrame->actions();
    addActions(m_borrowedActions);

    m_bFullScreen = TRUE;
    m_idle.Enter();
    setFrameStyle(QFrame::NoFrame);
    setParent(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setGeometry(pScreen->geometry());
    showFullScreen();
    raise();
    activateWindow();
    setFocus(Qt::OtherFocusReason);
    // The volume may have changed since the panel last showed.
    m_pPanel->VolumeBar()->SetPos(m_host.ViewSettings().m_nVolume);
    m_pPanel->raise();
    ApplyIdleState();
    m_idleTimer.start(CFullScreenIdle::kTickMs, this);
    update();
}

void CChildView::ExitFullScreen()
{
    m_idle.Leave();
    m_bFullScreen = FALSE;
    for (QAction* pAction : std::as_const(m_borrowedActions))
        removeAction(pAction);
    m_borrowedActions.clear();
    setFrameStyle(m_nSavedFrameStyle);
    setParent(m_pSavedParent, Qt::Widget);
    setGeometry(m_rcSavedWindow);
    show();
    ApplyIdleState();
    m_host.LayOutForView(m_sizeSavedClient);
    m_backInWindow.start();
    if (QWidget* pFrame = window(); pFrame != this)
        pFrame->activateWindow();
    setFocus(Qt::OtherFocusReason);
    update();
}

void CChildView::PlacePanel()
{
    if (!m_pPanel)
        return;
    const QRect rc = contentsRect();
    const int nHeight = m_bFullScreen && m_idle.IsPanelShown() ? CFullScrCtrlWnd::kPanelHeight : 0;
    m_pPanel->setGeometry(rc.left(), rc.bottom() + 1 - nHeight, rc.width(), nHeight);
}

void CChildView::ApplyIdleState()
{
    PlacePanel();
    setCursor(m_idle.IsCursorShown() ? Qt::ArrowCursor : Qt::BlankCursor);
    if (!m_idle.IsTimerRunning())
        m_idleTimer.stop();
}

void CChildView::ShowPanelAndCursor()
{
    m_idle.OnPanelMouseMove(m_bFullScreen);
    ApplyIdleState();
}

void CChildView::OnIdleTick()
{
    // A pointer resting on the panel keeps it, however its moves were
    // delivered (the renderer's own window may take them).
    if (m_bFullScreen && m_pPanel && m_pPanel->height() > 0
        && m_pPanel->rect().contains(m_pPanel->mapFromGlobal(QCursor::pos()))) {
        ShowPanelAndCursor();
        return;
    }
    m_idle.OnTick(m_bStarted && !m_bHeld);
    ApplyIdleState();
}

void CChildView::mouseMoveEvent(QMouseEvent* event)
{
    // The native panel's moves can arrive here, at the view, on X: over the
    // panel they are the panel's.
    const QPoint pt = event->position().toPoint();
    if (m_bFullScreen && m_pPanel && m_pPanel->height() > 0 && m_pPanel->geometry().contains(pt)) {
        ShowPanelAndCursor();
        return;
    }
    m_idle.OnMouseMove(pt, m_bFullScreen);
    // Every real move counts the idle seconds from now.
    if (m_idle.IsTimerRunning() && m_idle.IdleTicks() == 0)
        m_idleTimer.start(CFullScreenIdle::kTickMs, this);
    ApplyIdleState();
    QFrame::mouseMoveEvent(event);
}

bool CChildView::event(QEvent* event)
{
    // The window manager may still report the full-screen window's place
    // for a moment after the view is back: the window puts it right again.
    if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) && !m_bFullScreen
        && m_backInWindow.isValid() && !m_backInWindow.hasExpired(kSettleMs))
        QMetaObject::invokeMethod(this, [this] { m_host.LayOutForView(m_sizeSavedClient); }, Qt::QueuedConnection);
    return QFrame::event(event);
}

void CChildView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && m_bFullScreen) {
        LeaveFullScreen();
        return;
    }
    QFrame::keyPressEvent(event);
}
