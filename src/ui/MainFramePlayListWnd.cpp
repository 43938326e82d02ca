// The playlist window as the frame sees it: showing and hiding it, keeping
// its place in the settings, and carrying out what it asks for.

#include "ui/MainFrame.h"

#include "ui/PlayListWnd.h"

#include <QDropEvent>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace {

// Room for a few dozen rows beside a window of the smallest size.
constexpr int kDefaultWidth = 320;
constexpr int kDefaultHeight = 360;
// Smaller than this the saved place is not believed.
constexpr int kMinSide = 80;

// A saved place that still shows on one of today's screens.
bool OnSomeScreen(const QRect& rc)
{
    if (rc.width() < kMinSide || rc.height() < kMinSide)
        return false;
    for (const QScreen* pScreen : QGuiApplication::screens())
        if (pScreen->availableGeometry().intersects(rc))
            return true;
    return false;
}

} // namespace

CPlayListWnd* CMainFrame::PlayListWnd() const
{
    return findChild<CPlayListWnd*>(QString(), Qt::FindDirectChildrenOnly);
}

BOOL CMainFrame::IsPlayListWndShown() const
{
    const CPlayListWnd* pWnd = PlayListWnd();
    return pWnd && pWnd->isVisible();
}

void CMainFrame::OnPlayListWindow()
{
    if (CPlayListWnd* pWnd = PlayListWnd(); pWnd && pWnd->isVisible()) {
        pWnd->hide();
        m_settings.m_bPlayListWnd = FALSE;
        return;
    }
    ShowPlayListWnd();
}

void CMainFrame::ShowPlayListWnd()
{
    CPlayListWnd* pWnd = PlayListWnd();
    if (!pWnd) {
        CPlayListWndActions actions;
        actions.play = [this](int nIndex) { PlayListEntry(nIndex); };
        actions.remove = [this](std::vector<int> indices) { RemoveListEntries(std::move(indices)); };
        actions.move = [this](std::vector<int> indices, int nBefore) {
            return MoveListEntries(std::move(indices), nBefore);
        };
        actions.dropFiles = [this](const QMimeData* pData) {
            QDropEvent drop(QPointF(), Qt::CopyAction, pData, Qt::NoButton, Qt::NoModifier);
            dropEvent(&drop);
        };
        // Once the frame has closed, the program's end closes the window
        // too; that is not the user hiding it.
        actions.closed = [this] {
            if (!m_bClosed)
                m_settings.m_bPlayListWnd = FALSE;
        };
        pWnd = new CPlayListWnd(m_playList, std::move(actions), this);
        if (OnSomeScreen(m_settings.m_rcPlayListWnd)) {
            pWnd->setGeometry(m_settings.m_rcPlayListWnd);
        } else {
            pWnd->resize(kDefaultWidth, std::max(kDefaultHeight, height()));
            pWnd->move(frameGeometry().topRight() + QPoint(1, 0));
        }
    }
    pWnd->show();
    pWnd->raise();
    m_settings.m_bPlayListWnd = TRUE;
}

void CMainFrame::RestorePlayListWnd()
{
    if (m_settings.m_bPlayListWnd && !PlayListWnd())
        ShowPlayListWnd();
}

void CMainFrame::DetachPlayListWnd()
{
    m_playList.SetObserver(nullptr);
    if (CPlayListWnd* pWnd = PlayListWnd()) {
        m_settings.m_rcPlayListWnd = pWnd->geometry();
        // It reads the list, which goes before the frame's children do.
        delete pWnd;
    }
}

void CMainFrame::OnPlayListChanged(PlayListChange change)
{
    if (CPlayListWnd* pWnd = PlayListWnd())
        pWnd->OnListChanged(change);
    if (change == PlayListChange::Entries)
        RedrawPlaylistCount();
}

void CMainFrame::PlayListEntry(int nIndex)
{
    // As next and previous: not while a frame step runs.
    if (m_marks.bStepBusy || !m_playList.SetCurrent(nIndex))
        return;
    m_marks.bListEnded = FALSE;
    PlayCurrentEntry(TRUE);
}

void CMainFrame::RemoveListEntries(std::vector<int> indices)
{
    // The file that plays goes on playing even when its entry goes.
    if (m_playList.Remove(std::move(indices)) > 0)
        UpdatePrevNextButtons();
}

int CMainFrame::MoveListEntries(std::vector<int> indices, int nBefore)
{
    const int nFirst = m_playList.Move(std::move(indices), nBefore);
    UpdatePrevNextButtons();
    return nFirst;
}
