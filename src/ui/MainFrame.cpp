#include "ui/MainFrame.h"

#include "app/AppSettings.h"
#include "app/INIFile.h"
#include "controls/FullScrCtrlWnd.h"
#include "platform/MainWnd.h"
#include "platform/Paths.h"
#include "platform/ResString.h"
#include "res/Artwork.h"
#include "ui/CommandIds.h"
#include "ui/CommandTable.h"
#include "ui/Rects.h"
#include "ui/VideoView.h"

#include <QFontMetrics>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>

// The client area: black below the view, the information area painted on it,
// and every size change laid out by the frame.
class CFrameClient : public QWidget {
public:
    explicit CFrameClient(CMainFrame& frame)
        : QWidget(&frame)
        , m_frame(frame)
    {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, Qt::black);
        setPalette(pal);
        setAutoFillBackground(true);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        m_frame.OnPaint(painter);
    }
    void resizeEvent(QResizeEvent* event) override { m_frame.OnSize(event->size().width(), event->size().height()); }

private:
    CMainFrame& m_frame;
};

namespace {

struct ButtonDef {
    CBitmapButton CMainFrame::*pButton;
    int nCommand;
    int nUp, nDown, nDisabled; // 0: no image of its own
};

} // namespace

PrevNextState PrevNextAvailability(const CPlayList& list)
{
    const int nCount = list.GetCount();
    const int nCurrent = list.m_nCurrent;
    if (nCurrent == -1 || nCount == 0)
        return {};
    switch (list.m_nLoopMode) {
    case LOOP_ALL:
        return { TRUE, TRUE };
    case LOOP_RANDOM:
        return { FALSE, TRUE };
    default:
        return { nCurrent != 0, nCurrent != nCount - 1 };
    }
}

CMainFrame::CMainFrame(CINIFile& ini)
    : m_wndView(*this)
    , m_fontInfo(InfoFont())
    , m_iniFile(ini)
    , m_pCommands(new CCommandTable(*this))
{
    m_playList.m_bAllowDuplicates = TheAppSettings().m_bAccSameData;
    m_playList.SetObserver([this](PlayListChange change) { OnPlayListChanged(change); });
    m_settings.LoadFrameSettings(m_iniFile);
    m_playList.m_nLoopMode = m_settings.m_nLoopMode;
    m_strPlayListFile.clear();
    m_strLastFolder.clear();
}

CMainFrame::~CMainFrame()
{
    DetachPlayListWnd();
    m_settings.m_nLoopMode = m_playList.m_nLoopMode;
    m_settings.SaveFrameSettings(m_iniFile, TheAppSettings().m_bPrimary);
    m_pSeekBar.reset();
    m_pVolumeBar.reset();
}

BOOL CMainFrame::LoadFrame()
{
    // A second start finds this window by its name.
    setObjectName(QStringLiteral("Orvalo"));
    // Players send their event notices to the main window.
    AfxSetMainWnd(this);
    setWindowIcon(AppIcon());
    m_pClient = new CFrameClient(*this);
    setCentralWidget(m_pClient);
    CreateCommands();

    m_wndView.setParent(m_pClient);
    m_wndView.show();
    setFocusProxy(&m_wndView);
    int nWidth = 320;
    int nHeight = 240;
    FitWindowToVideo(nWidth, nHeight, FALSE);

    if (!CreateSliders())
        return FALSE;
    m_nMinClientWidth = ClientSize().width();
    m_bMinSizeKnown = TRUE;
    m_pVolumeBar->SetPos(m_settings.m_nVolume);

    if (!CreateButtons())
        return FALSE;
    // The client widget takes its size only when the window is shown; lay
    // out now for the size the window has.
    const QSize client = ClientSize();
    OnSize(client.width(), client.height());

    const QFontMetrics fm(m_fontInfo);
    m_nControlHeight = m_nInfoTop + 2 * fm.height() - m_rcSeekBar.y();

    nWidth = 320;
    nHeight = 240;
    FitWindowToVideo(nWidth, nHeight, FALSE);
    const QSize fitted = ClientSize();
    OnSize(fitted.width(), fitted.height());
    UpdateMinimumSize();
    SetUpDesktopInput();
    m_wndView.setFocus();
    return TRUE;
}

BOOL CMainFrame::CreateSliders()
{
    const QSize client = ClientSize();
    const int nViewBottom = std::max(0, client.height() - m_nControlHeight);

    m_pSeekBar = std::make_unique<CJumpSlider>();
    ConfigureDarkBar(*m_pSeekBar, QColor(0, 255, 255));
    m_rcSeekBar = RectLTRB(0, nViewBottom, client.width(), nViewBottom + 20);
    if (!m_pSeekBar->Create(FALSE, m_rcSeekBar, m_pClient, IDC_SEEKBAR))
        return FALSE;
    m_pSeekBar->setEnabled(false);

    m_pVolumeBar = std::make_unique<CJumpSlider>();
    ConfigureDarkBar(*m_pVolumeBar, QColor(255, 0, 255));
    const int nSeekBottom = BottomOf(m_rcSeekBar);
    m_rcVolumeBar = RectLTRB(client.width() - 80, nSeekBottom + 6, client.width(), nSeekBottom + 21);
    if (!m_pVolumeBar->Create(FALSE, m_rcVolumeBar, m_pClient, IDC_VOLUMEBAR))
        return FALSE;
    m_pVolumeBar->SetRange(100);
    m_pVolumeBar->SetPageSize(1);

    for (CJumpSlider* pSlider : { m_pSeekBar.get(), m_pVolumeBar.get() })
        connect(pSlider, &CJumpSlider::JumpSliderNotify, this,
            [this](int, int nSBCode, CJumpSlider* pFrom) { OnJumpSliderHScroll(nSBCode, pFrom); });
    return TRUE;
}

BOOL CMainFrame::CreateButtons()
{
    // In creation order.
    static const ButtonDef kButtons[] = {
        { &CMainFrame::m_btnPlay, ID_PLAY_PAUSE, 132, 131, 133 },
        { &CMainFrame::m_btnPause, ID_PLAY_PAUSE, 135, 134, 0 },
        { &CMainFrame::m_btnStop, ID_STOP, 138, 137, 136 },
        { &CMainFrame::m_btnSoundOn, ID_MUTE, 145, 142, 0 },
        { &CMainFrame::m_btnSoundOff, ID_MUTE, 143, 144, 0 },
        { &CMainFrame::m_btnSkipFwd, ID_SKIP_FORWARD, 175, 177, 176 },
        { &CMainFrame::m_btnFrameFwd, ID_FRAME_FORWARD, 150, 149, 151 },
        { &CMainFrame::m_btnFrameBack, ID_FRAME_BACK, 147, 146, 148 },
        { &CMainFrame::m_btnSkipBack, ID_SKIP_BACK, 178, 174, 179 },
        { &CMainFrame::m_btnSaveStill, ID_SAVE_STILL, 140, 139, 141 },
        { &CMainFrame::m_btnAGo, ID_A_GO, 156, 158, 157 },
        { &CMainFrame::m_btnASet, ID_A_SET, 154, 165, 155 },
        { &CMainFrame::m_btnBSet, ID_B_SET, 166, 153, 167 },
        { &CMainFrame::m_btnBGo, ID_B_GO, 168, 170, 169 },
        { &CMainFrame::m_btnABClear, ID_AB_CLEAR, 172, 171, 173 },
        { &CMainFrame::m_btnABStart, ID_AB_START, 159, 164, 160 },
        { &CMainFrame::m_btnABEnd, ID_AB_END, 161, 163, 0 },
        { &CMainFrame::m_btnPrev, ID_PREV, 188, 181, 189 },
        { &CMainFrame::m_btnNext, ID_NEXT, 182, 183, 190 },
        { &CMainFrame::m_btnOneLoopOff, ID_ONE_LOOP, 184, 185, 0 },
        { &CMainFrame::m_btnOneLoopOn, ID_ONE_LOOP, 186, 187, 0 },
        { &CMainFrame::m_btnFitWindow, ID_FIT_WINDOW, 192, 193, 191 },
    };
    const CommandRouter router = [this](int nID) { OnCommand(nID); };
    for (const ButtonDef& def : kButtons) {
        CBitmapButton& btn = this->*def.pButton;
        if (!btn.Create(m_pClient, def.nCommand, def.nUp, def.nDown, def.nDisabled, router))
            return FALSE;
        EnableButton(btn, FALSE);
    }
    ShowButton(m_btnPause, FALSE);
    ShowButton(m_btnABEnd, FALSE);
    SetMuteButtons(m_settings.m_bSoundOn);
    SetOneLoopButtons(m_settings.m_bOneLoop);
    m_bButtonsCreated = TRUE;
    return TRUE;
}

void CMainFrame::OnCommand(int nID) { m_pCommands->Dispatch(nID); }

void CMainFrame::OnJumpSliderHScroll(int nSBCode, CJumpSlider* pSlider)
{
    switch (pSlider->GetDlgCtrlID()) {
    case IDC_SEEKBAR:
        OnSeekBarScroll(nSBCode, pSlider->GetPos());
        break;
    case IDC_VOLUMEBAR:
        OnVolumeBarScroll(pSlider->GetPos());
        break;
    default:
        break;
    }
}

// Every code holds playback; a drag or the end of a press moves it, and
// the end lets it go on.
void CMainFrame::OnSeekBarScroll(int nSBCode, int nPos)
{
    // A pending frame step finishes first.
    if (m_marks.bStepBusy)
        return;
    // Moving away from an end makes stepping that way possible again.
    if (m_marks.bStepAtEnd) {
        m_marks.bStepAtEnd = FALSE;
        EnableForwardStepButtons(TRUE);
    }
    if (m_marks.bStepAtStart) {
        m_marks.bStepAtStart = FALSE;
        EnableBackStepButtons(TRUE);
    }
    IVideoView& view = View();
    view.BeginSeek();
    if (nSBCode == SB_THUMBTRACK) {
        view.SeekTo(nPos);
    } else if (nSBCode == SB_ENDSCROLL) {
        view.SeekTo(nPos);
        view.EndSeek();
    }
}

// The bar's value is the volume the settings keep; it is heard at once
// while a file plays with sound on.
void CMainFrame::OnVolumeBarScroll(int nPos)
{
    m_settings.m_nVolume = nPos;
    if (View().IsStarted() && m_settings.m_bSoundOn)
        View().SetVolume(m_settings.m_nVolume);
}

void CMainFrame::EnableButton(CBitmapButton& btn, BOOL bEnable)
{
    btn.setEnabled(bEnable);
    if (CBitmapButton* pTwin = PanelTwin(btn))
        pTwin->setEnabled(bEnable);
}

void CMainFrame::ShowButton(CBitmapButton& btn, BOOL bShow)
{
    btn.setVisible(bShow);
    if (CBitmapButton* pTwin = PanelTwin(btn))
        pTwin->setVisible(bShow);
}

void CMainFrame::ShowPair(CBitmapButton& btnShown, CBitmapButton& btnHidden)
{
    ShowButton(btnHidden, FALSE);
    EnableButton(btnHidden, FALSE);
    ShowButton(btnShown, TRUE);
    EnableButton(btnShown, TRUE);
}

void CMainFrame::SetMuteButtons(BOOL bSoundOn)
{
    if (bSoundOn)
        ShowPair(m_btnSoundOn, m_btnSoundOff);
    else
        ShowPair(m_btnSoundOff, m_btnSoundOn);
}

void CMainFrame::SetOneLoopButtons(BOOL bOn)
{
    if (bOn)
        ShowPair(m_btnOneLoopOn, m_btnOneLoopOff);
    else
        ShowPair(m_btnOneLoopOff, m_btnOneLoopOn);
}

// Callers have cleared the points and the repeat: only start shows, grey.
void CMainFrame::SetABResetButtons() { SetABButtons(FALSE); }

void CMainFrame::SetPlayingButtons(BOOL bSeekable, BOOL bHasVideo)
{
    ShowButton(m_btnPlay, FALSE);
    EnableButton(m_btnPlay, FALSE);
    ShowButton(m_btnPause, TRUE);
    EnableButton(m_btnPause, TRUE);
    EnableButton(m_btnStop, TRUE);
    UpdatePrevNextButtons();
    EnableButton(m_btnFitWindow, TRUE);
    SetABButtons(bSeekable);
    if (bHasVideo) {
        EnableButton(m_btnSaveStill, !m_bCapturing);
        EnableStepButtons(FALSE, FALSE);
    }
}

void CMainFrame::SetStoppedButtons()
{
    ShowButton(m_btnPause, FALSE);
    EnableButton(m_btnPause, FALSE);
    ShowButton(m_btnPlay, TRUE);
    EnableButton(m_btnPlay, TRUE);
    for (CBitmapButton* pBtn : { &m_btnStop, &m_btnFitWindow, &m_btnSaveStill })
        EnableButton(*pBtn, FALSE);
    EnableStepButtons(FALSE, FALSE);
    UpdatePrevNextButtons();
}

void CMainFrame::UpdatePrevNextButtons()
{
    const PrevNextState state = PrevNextAvailability(m_playList);
    EnableButton(m_btnPrev, state.bPrev);
    EnableButton(m_btnNext, state.bNext);
}

void CMainFrame::SetPlayPosition(LONGLONG llPosition, LONGLONG llFrame)
{
    m_marks.llPosition = llPosition;
    m_marks.llFrame = llFrame;
}

QWidget* CMainFrame::ClientArea() const { return m_pClient; }

CInfoCells CMainFrame::CalcInfoCells() const
{
    return ::CalcInfoCells(QFontMetrics(m_fontInfo), m_nInfoTop, m_pClient ? m_pClient->width() : ClientSize().width());
}

CInfoValues CMainFrame::InfoValues() const
{
    return { m_marks, m_playList.GetCount() };
}

void CMainFrame::OnPaint(QPainter& painter)
{
    if (!m_bButtonsCreated)
        return;
    painter.setFont(m_fontInfo);
    m_infoCells = CalcInfoCells();
    PaintInfoArea(painter, m_infoCells, m_pClient->width(), InfoValues());
}

// The cells are painted again in full (fill and text), clipped to the
// region; painting happens in the client's next paint event.
void CMainFrame::RedrawPointValues()
{
    if (!m_pClient)
        return;
    const CInfoCells cells = CalcInfoCells();
    m_pClient->update(cells.rcAValue.united(cells.rcBValue));
    m_wndView.Panel().RedrawPointValues();
}

void CMainFrame::RedrawCounters()
{
    if (!m_pClient)
        return;
    const CInfoCells cells = CalcInfoCells();
    m_pClient->update(cells.rcTimeCounter.united(cells.rcFrameCounter));
    m_wndView.Panel().RedrawCounters();
}

void CMainFrame::RedrawPlaylistCount()
{
    if (!m_pClient)
        return;
    m_pClient->update(CalcInfoCells().rcPlayListCount);
    m_wndView.Panel().RedrawPlaylistCount();
}

void CMainFrame::ResetWindowTitle()
{
    const QString title = LoadResString(IDS_APP_TITLE);
    setWindowTitle(TheAppSettings().m_bPrimary ? title : QLatin1Char('*') + title);
}

void CMainFrame::SetFileTitle(const QString& strPath)
{
    // An empty list names no file.
    if (strPath.isEmpty()) {
        ResetWindowTitle();
        return;
    }
    QString title = PathFindFileName(strPath) + QStringLiteral(" - ") + LoadResString(IDS_APP_TITLE);
    if (!TheAppSettings().m_bPrimary)
        title.prepend(QLatin1Char('*'));
    setWindowTitle(title);
}
