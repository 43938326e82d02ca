// What the frame does for the view's full-screen mode: its layout when the
// view comes back, the panel's bars and the panel's copies of its buttons.

#include "ui/MainFrame.h"

#include "controls/FullScrCtrlWnd.h"
#include "ui/CommandIds.h"

void CMainFrame::LayOutForView(QSize sizeClient)
{
    // The window kept its size while the view was away: laying out the
    // client area as it is gives the view its place of sizeClient again.
    (void)sizeClient;
    if (QWidget* pClient = ClientArea())
        OnSize(pClient->width(), pClient->height());
}

void CMainFrame::OnPanelSliderScroll(int nSBCode, CJumpSlider* pSlider)
{
    OnJumpSliderHScroll(nSBCode, pSlider);
    // The window's own volume bar shows the volume set on the panel.
    if (pSlider->GetDlgCtrlID() == IDC_VOLUMEBAR && m_pVolumeBar)
        m_pVolumeBar->SetPos(m_settings.m_nVolume);
}

CBitmapButton* CMainFrame::PanelTwin(const CBitmapButton& btn) { return m_wndView.Panel().TwinOf(btn); }
