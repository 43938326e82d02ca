#include "controls/FullScrCtrlWnd.h"

#include "controls/JumpSlider.h"
#include "ui/CommandIds.h"
#include "ui/Rects.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

enum ButtonIndex {
    kPlay, kPause, kStop, kPrev, kNext, kRepeatOff, kRepeatOn, kSoundOn, kSoundOff,
    kAGo, kASet, kBSet, kBGo, kABClear, kABStart, kABEnd, kShot, kSkipBack, kFrameBack, kFrameFwd, kSkipFwd,
};

struct PanelButtonDef {
    int nCommand;
    int nUp, nDown, nDisabled; // 0: a greyed copy of the normal image
};

// Indexed by ButtonIndex.
constexpr PanelButtonDef kPanelButtons[CFullScrCtrlWnd::kButtonCount] = {
    { ID_PLAY_PAUSE, 132, 131, 133 },
    { ID_PLAY_PAUSE, 135, 134, 0 },
    { ID_STOP, 138, 137, 136 },
    { ID_PREV, 188, 181, 189 },
    { ID_NEXT, 182, 183, 190 },
    { ID_ONE_LOOP, 184, 185, 0 },
    { ID_ONE_LOOP, 186, 187, 0 },
    { ID_MUTE, 145, 142, 0 },
    { ID_MUTE, 143, 144, 0 },
    { ID_A_GO, 156, 158, 157 },
    { ID_A_SET, 154, 165, 155 },
    { ID_B_SET, 166, 153, 167 },
    { ID_B_GO, 168, 170, 169 },
    { ID_AB_CLEAR, 172, 171, 173 },
    { ID_AB_START, 159, 164, 160 },
    { ID_AB_END, 161, 163, 0 },
    { ID_SAVE_STILL, 140, 139, 141 },
    { ID_SKIP_BACK, 178, 174, 179 },
    { ID_FRAME_BACK, 147, 146, 148 },
    { ID_FRAME_FORWARD, 150, 149, 151 },
    { ID_SKIP_FORWARD, 175, 177, 176 },
};

// Where the controls sit inside the panel.
constexpr int kMargin = 3;
constexpr int kSeekBarHeight = 20;
constexpr int kVolumeBarWidth = 80;
constexpr int kVolumeBarTop = 29;
constexpr int kVolumeBarHeight = 15;
constexpr int kButtonsTop = 23;
constexpr int kGroupGap = 30;
constexpr int kSmallGap = 3;
constexpr int kTextGap = 2;

const QColor kBevelColor(96, 96, 96);
const QColor kFrameColor(128, 128, 128);

QFont PanelFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Medium);
    // Lines twelve pixels high, whichever face stands in for Arial.
    for (int px = 12; px > 7; --px) {
        font.setPixelSize(px);
        if (QFontMetrics(font).height() <= 12)
            break;
    }
    return font;
}

int WiderOf(const QFontMetrics& fm, const QString& a, const QString& b)
{
    return std::max(fm.horizontalAdvance(a), fm.horizontalAdvance(b));
}

// A block of labels and values from x whose lower row ends at nBottom;
// the block's right edge.
int PlaceBlock(QRect& rcLabel1, QRect& rcValue1, QRect* pLabel2, QRect* pValue2, int x, int nBottom, int wLabel,
    int wValue, int hRow)
{
    const int nTop = pLabel2 ? nBottom - 2 * hRow : nBottom - hRow;
    rcLabel1 = QRect(x, nTop, wLabel, hRow);
    rcValue1 = QRect(x + wLabel, nTop, wValue, hRow);
    if (pLabel2) {
        *pLabel2 = rcLabel1.translated(0, hRow);
        *pValue2 = rcValue1.translated(0, hRow);
    }
    return x + wLabel + wValue;
}

void DrawBlockFrame(QPainter& p, const QRect& rcTopLabel, const QRect& rcBottomValue, BOOL bTwoRows)
{
    const QRect rcBlock(QPoint(rcTopLabel.left() - 2, rcTopLabel.top()), rcBottomValue.bottomRight());
    p.drawRect(rcBlock);
    const int xDivider = rcBottomValue.left() - 3;
    p.drawLine(xDivider, rcBlock.top(), xDivider, rcBlock.bottom());
    if (bTwoRows)
        p.drawLine(rcBlock.left(), rcTopLabel.bottom() + 1, rcBlock.right(), rcTopLabel.bottom() + 1);
}

void DrawValueBox(QPainter& p, const QRect& rc, const QString& text)
{
    p.fillRect(rc.adjusted(0, 1, 0, -1), Qt::black);
    p.drawText(rc, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

} // namespace

CFullScrCtrlWnd::CFullScrCtrlWnd(QWidget* parent)
    : QWidget(parent)
    , m_font(PanelFont())
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);
    // Moves over the panel keep it up even over its buttons, which do not
    // track the mouse themselves and pass the moves on.
    setMouseTracking(true);
}

BOOL CFullScrCtrlWnd::Create(CFullScrCtrlHooks hooks)
{
    m_hooks = std::move(hooks);
    const CommandRouter router = [this](int nID) {
        if (m_hooks.command)
            m_hooks.command(nID);
    };
    for (int i = 0; i < kButtonCount; ++i) {
        const PanelButtonDef& def = kPanelButtons[i];
        if (!Button(i).Create(this, def.nCommand, def.nUp, def.nDown, def.nDisabled, router))
            return FALSE;
        Button(i).setEnabled(false);
    }
    for (int i : { kPause, kRepeatOn, kSoundOff, kABEnd })
        Button(i).hide();

    m_pSeekBar = new CJumpSlider;
    ConfigureDarkBar(*m_pSeekBar, QColor(0, 255, 255));
    m_pVolumeBar = new CJumpSlider;
    ConfigureDarkBar(*m_pVolumeBar, QColor(255, 0, 255));
    if (!m_pSeekBar->Create(FALSE, QRect(), this, IDC_SEEKBAR)
        || !m_pVolumeBar->Create(FALSE, QRect(), this, IDC_VOLUMEBAR))
        return FALSE;
    m_pSeekBar->setEnabled(false);
    m_pVolumeBar->SetRange(100);
    m_pVolumeBar->SetPageSize(1);
    for (CJumpSlider* pSlider : { m_pSeekBar, m_pVolumeBar })
        connect(pSlider, &CJumpSlider::JumpSliderNotify, this, [this](int, int nSBCode, CJumpSlider* pFrom) {
            if (m_hooks.sliderScroll)
                m_hooks.sliderScroll(nSBCode, pFrom);
        });
    m_bCreated = TRUE;
    Layout();
    return TRUE;
}

CBitmapButton* CFullScrCtrlWnd::TwinOf(const CBitmapButton& btn)
{
    if (!m_bCreated)
        return nullptr;
    for (CBitmapButton& mine : m_buttons)
        if (mine.GetUpImageID() == btn.GetUpImageID())
            return &mine;
    return nullptr;
}

void CFullScrCtrlWnd::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Layout();
}

void CFullScrCtrlWnd::Layout()
{
    if (!m_bCreated)
        return;
    const int nRight = width();
    m_pSeekBar->setGeometry(RectLTRB(kMargin, kMargin, nRight, kMargin + kSeekBarHeight));
    const int nVolumeLeft = nRight - kVolumeBarWidth;
    m_pVolumeBar->setGeometry(nVolumeLeft, kVolumeBarTop, kVolumeBarWidth, kVolumeBarHeight);

    Button(kPlay).move(kMargin, kButtonsTop);
    Button(kPause).move(kMargin, kButtonsTop);
    const int nBottom = BottomOf(Button(kPlay).geometry());
    int x = RightOf(Button(kPlay).geometry());
    const auto place = [&](int nIndex, int nGap) {
        x += nGap;
        Button(nIndex).move(x, nBottom - Button(nIndex).height());
        x += Button(nIndex).width();
    };
    for (int i : { kStop, kPrev, kNext })
        place(i, 0);
    place(kRepeatOn, 0);
    x -= Button(kRepeatOn).width();
    place(kRepeatOff, 0);

    const QFontMetrics fm(m_font);
    const int hRow = fm.height();
    const int wLabelAB = WiderOf(fm, QStringLiteral("A-Point"), QStringLiteral("B-Point")) + 6;
    const int wValueAB = WiderOf(fm, QStringLiteral("00:00:00"), QStringLiteral("0000000"));
    x = PlaceBlock(m_cells.rcALabel, m_cells.rcAValue, &m_cells.rcBLabel, &m_cells.rcBValue, x + kGroupGap, nBottom,
        wLabelAB, wValueAB, hRow);
    place(kAGo, kTextGap);
    for (int i : { kASet, kBSet, kBGo })
        place(i, 0);
    place(kABClear, kSmallGap);
    place(kABEnd, kSmallGap);
    x -= Button(kABEnd).width();
    place(kABStart, 0);
    place(kShot, kGroupGap);
    place(kSkipBack, kSmallGap);
    for (int i : { kFrameBack, kFrameFwd, kSkipFwd })
        place(i, 0);

    const int wLabelList = fm.horizontalAdvance(QStringLiteral("PlayList")) + 6;
    x = PlaceBlock(m_cells.rcPlayListLabel, m_cells.rcPlayListCount, nullptr, nullptr, x + kGroupGap, nBottom,
        wLabelList, fm.horizontalAdvance(QStringLiteral("0000")), hRow);
    const int wLabelCounter = WiderOf(fm, QStringLiteral("Time"), QStringLiteral("Frame")) + 6;
    const int wCounter = WiderOf(fm, QStringLiteral("00:00:00 / 00:00:00"), QStringLiteral("0000000 / 0000000"));
    PlaceBlock(m_cells.rcTimeLabel, m_cells.rcTimeCounter, &m_cells.rcFrameLabel, &m_cells.rcFrameCounter,
        x + kGroupGap, nBottom, wLabelCounter, wCounter, hRow);

    for (int i : { kSoundOn, kSoundOff })
        Button(i).move(nVolumeLeft - Button(i).width(), kButtonsTop);
}

void CFullScrCtrlWnd::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QRect rc = rect();
    p.setPen(kBevelColor);
    for (int i = 0; i < 3; ++i) {
        p.drawLine(rc.left() + i, rc.bottom(), rc.left() + i, rc.top() + i);
        p.drawLine(rc.left() + i, rc.top() + i, rc.right(), rc.top() + i);
    }
    if (!m_bCreated)
        return;
    p.setPen(kFrameColor);
    p.setBrush(Qt::NoBrush);
    DrawBlockFrame(p, m_cells.rcALabel, m_cells.rcBValue, TRUE);
    DrawBlockFrame(p, m_cells.rcPlayListLabel, m_cells.rcPlayListCount, FALSE);
    DrawBlockFrame(p, m_cells.rcTimeLabel, m_cells.rcFrameCounter, TRUE);

    p.setFont(m_font);
    p.setPen(Qt::white);
    const auto label = [&p](const QRect& rcLabel, const QString& text) {
        p.drawText(rcLabel, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    };
    label(m_cells.rcALabel, QStringLiteral("A-Point"));
    label(m_cells.rcBLabel, QStringLiteral("B-Point"));
    label(m_cells.rcPlayListLabel, QStringLiteral("PlayList"));
    label(m_cells.rcTimeLabel, QStringLiteral("Time"));
    label(m_cells.rcFrameLabel, QStringLiteral("Frame"));

    const CInfoValues v = m_hooks.values ? m_hooks.values() : CInfoValues();
    DrawValueBox(p, m_cells.rcAValue, FormatPointValue(v.marks.llPointA, v.marks.bFrameCounter));
    DrawValueBox(p, m_cells.rcBValue, FormatPointValue(v.marks.llPointB, v.marks.bFrameCounter));
    DrawValueBox(p, m_cells.rcPlayListCount, QString::number(v.nPlayListCount));
    DrawValueBox(p, m_cells.rcTimeCounter, FormatTimeCounter(v.marks.llPosition, v.marks.llDuration));
    DrawValueBox(p, m_cells.rcFrameCounter, FormatFrameCounter(v.marks.llFrame, v.marks.llTotalFrames));
}

void CFullScrCtrlWnd::mouseMoveEvent(QMouseEvent* event)
{
    if (m_hooks.mouseMoved)
        m_hooks.mouseMoved();
    event->accept();
}

void CFullScrCtrlWnd::RedrawPointValues() { update(m_cells.rcAValue.united(m_cells.rcBValue)); }

void CFullScrCtrlWnd::RedrawCounters() { update(m_cells.rcTimeCounter.united(m_cells.rcFrameCounter)); }

void CFullScrCtrlWnd::RedrawPlaylistCount() { update(m_cells.rcPlayListCount); }
