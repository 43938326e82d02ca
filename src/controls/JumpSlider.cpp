#include "controls/JumpSlider.h"

#include "platform/ColorAdjustLuma.h"
#include "platform/WindowMessages.h"

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>

namespace {

// Rectangles here are kept as left, top, right, bottom with right and bottom
// outside, as the drawing arithmetic is written that way.
QRect Ltrb(int l, int t, int r, int b) { return QRect(l, t, r - l, b - t); }
int RightOf(const QRect& rc) { return rc.x() + rc.width(); }
int BottomOf(const QRect& rc) { return rc.y() + rc.height(); }

// Fills with a colour, whichever way round the corners are given.
void FillSolidRect(QPainter& painter, int x, int y, int cx, int cy, const QColor& clr)
{
    const QRect rc(std::min(x, x + cx), std::min(y, y + cy), std::abs(cx), std::abs(cy));
    if (!rc.isEmpty())
        painter.fillRect(rc, clr);
}

// A one-pixel raised or sunken frame: top and left edges in one colour,
// right and bottom in the other.
void Draw3dRect(QPainter& painter, const QRect& rc, const QColor& clrTopLeft, const QColor& clrBottomRight)
{
    if (rc.width() <= 0 || rc.height() <= 0)
        return;
    const int x = rc.x(), y = rc.y(), cx = rc.width(), cy = rc.height();
    FillSolidRect(painter, x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(painter, x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(painter, x + cx, y, -1, cy, clrBottomRight);
    FillSolidRect(painter, x, y + cy, cx, -1, clrBottomRight);
}

// An 8 x 8 one-pixel checkerboard: rows alternate 0x55 and 0xAA, a 0 bit
// black and a 1 bit white.
QImage CheckerboardPattern()
{
    QImage img(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y) {
        const unsigned bits = (y % 2 == 0) ? 0x55u : 0xAAu;
        for (int x = 0; x < 8; ++x)
            img.setPixel(x, y, (bits & (0x80u >> x)) ? 0xFFFFFFFFu : 0xFF000000u);
    }
    return img;
}

} // namespace

CJumpSlider::CJumpSlider(QWidget* parent)
    : QWidget(parent)
    , m_clrBk(0, 0, 0)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Focus comes only from a click on the bar, never from Tab.
    setFocusPolicy(Qt::NoFocus);
    SetBaseColor(QColor(0, 255, 0));
    SetElapsedColor(QColor(0, 0, 255));
}

BOOL CJumpSlider::Create(BOOL bVertical, const QRect& rect, QWidget* pParentWnd, int nID)
{
    if (!pParentWnd)
        return FALSE;
    m_bVertical = bVertical;
    m_nID = nID;
    if (objectName().isEmpty())
        setObjectName(QString::number(nID));
    setParent(pParentWnd);
    setGeometry(rect);
    m_bCreated = TRUE;
    RecalcLayout();
    show();
    return TRUE;
}

void CJumpSlider::SetPos(int nPos)
{
    m_nPos = std::max(m_nMin, std::min(nPos, m_nMax));
    if (m_bCreated) {
        SetThumbCenter(PosToPixel(m_nPos));
        update();
    }
}

void CJumpSlider::SetRange(int nMax)
{
    m_nMin = 0;
    m_nMax = nMax;
}

void CJumpSlider::SetBkColor(const QColor& clr)
{
    m_clrBk = clr;
    update();
}

void CJumpSlider::SetBaseColor(const QColor& clr)
{
    m_clrBase = clr;
    m_clrBaseFrame = ColorAdjustLuma(clr, -333, TRUE);
    m_clrBaseLight = ColorAdjustLuma(clr, 500, TRUE);
    m_clrBaseDark = ColorAdjustLuma(clr, -210, TRUE);
    if (!m_bThumbUsesElapsedColor)
        RebuildThumbBrushes(clr);
    update();
}

void CJumpSlider::SetElapsedColor(const QColor& clr)
{
    m_clrElapsed = clr;
    m_clrElapsedLight = ColorAdjustLuma(clr, 500, TRUE);
    m_clrElapsedDark = ColorAdjustLuma(clr, -210, TRUE);
    if (m_bThumbUsesElapsedColor)
        RebuildThumbBrushes(clr);
    update();
}

void CJumpSlider::RebuildThumbBrushes(const QColor& clr)
{
    m_brThumb = QBrush(clr);
    m_brThumbPressed = QBrush(CheckerboardPattern());
}

void CJumpSlider::RecalcLayout()
{
    const int W = width();
    const int H = height();
    if (!m_bVertical) {
        const int top = (H - 4) / 2;
        m_rcChannel = Ltrb(6, top, W - 6, top + 4);
        m_nThumbHeight = H * 7 / 10;
        m_nThumbWidth = H * 7 / 20;
    } else {
        const int left = (W - 4) / 2;
        m_rcChannel = Ltrb(left, 6, left + 4, H - 6);
        m_nThumbWidth = W * 7 / 10;
        m_nThumbHeight = W * 7 / 20;
    }
    SetThumbCenter(PosToPixel(m_nPos));
}

void CJumpSlider::SetThumbCenter(int c)
{
    const int w = m_nThumbWidth;
    const int h = m_nThumbHeight;
    if (!m_bVertical) {
        const int top = (height() - h) / 2;
        m_rcThumb = Ltrb(c - w / 2, top, c + w - w / 2, top + h);
    } else {
        const int left = (width() - w) / 2;
        m_rcThumb = Ltrb(left, c - h / 2, left + w, c + h - h / 2);
    }
}

// The channel's start and end along the slider's axis.
std::pair<int, int> CJumpSlider::ChannelEnds() const
{
    if (m_bVertical)
        return { m_rcChannel.y(), BottomOf(m_rcChannel) };
    return { m_rcChannel.x(), RightOf(m_rcChannel) };
}

// Positions and pixels are scaled in 64 bits: a seek range of hours in
// milliseconds times a bar a thousand pixels wide overflows 32 bits.
int CJumpSlider::PosToPixel(int nPos) const
{
    const auto [s, e] = ChannelEnds();
    const std::int64_t range = std::int64_t(m_nMax) - m_nMin;
    if (range <= 0)
        return s;
    return s + static_cast<int>((std::int64_t(nPos) - m_nMin) * (e - s) / range);
}

int CJumpSlider::PixelToPos(int a) const
{
    const auto [s, e] = ChannelEnds();
    if (a <= s)
        return m_nMin;
    if (a >= e)
        return m_nMax;
    return m_nMin + static_cast<int>(std::int64_t(a - s) * (std::int64_t(m_nMax) - m_nMin) / (e - s));
}

// Position from a mouse point; the thumb follows the pointer inside the
// channel and stops at its ends outside it.
void CJumpSlider::TrackMouse(const QPointF& pt)
{
    const int a = static_cast<int>(std::floor(m_bVertical ? pt.y() : pt.x()));
    const auto [s, e] = ChannelEnds();
    m_nPos = PixelToPos(a);
    SetThumbCenter((a >= s && a <= e) ? a : PosToPixel(m_nPos));
}

void CJumpSlider::Notify(int nSBCode)
{
    Q_EMIT JumpSliderNotify(m_bVertical ? WM_JUMPSLIDER_VSCROLL : WM_JUMPSLIDER_HSCROLL, nSBCode, this);
}

void CJumpSlider::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_clrBk);

    const int p = PosToPixel(m_nPos);
    const int l = m_rcChannel.x(), t = m_rcChannel.y();
    const int r = RightOf(m_rcChannel), b = BottomOf(m_rcChannel);
    if (!m_bVertical) {
        Draw3dRect(painter, Ltrb(l + 1, t + 1, p - 1, b - 1), m_clrElapsedDark, m_clrElapsedLight);
        Draw3dRect(painter, Ltrb(p + 1, t + 1, r - 1, b - 1), m_clrBaseDark, m_clrBaseLight);
    } else {
        Draw3dRect(painter, Ltrb(l + 1, t + 1, r - 1, p - 1), m_clrElapsedDark, m_clrElapsedLight);
        Draw3dRect(painter, Ltrb(l + 1, p + 1, r - 1, b - 1), m_clrBaseDark, m_clrBaseLight);
    }

    const int L = m_rcThumb.x(), T = m_rcThumb.y();
    const int R = RightOf(m_rcThumb), B = BottomOf(m_rcThumb);
    painter.save();
    painter.setPen(QPen(m_clrBaseFrame, 1));
    if (m_bPressed) {
        // Anchored to the thumb so the checkerboard does not crawl as it moves.
        painter.setBrushOrigin(R % 8, T % 8);
        painter.setBrush(m_brThumbPressed);
    } else {
        painter.setBrush(m_brThumb);
    }
    const QPolygon octagon({ QPoint(L + 2, T), QPoint(L, T + 2), QPoint(L, B - 3), QPoint(L + 2, B - 1),
        QPoint(R - 3, B - 1), QPoint(R - 1, B - 3), QPoint(R - 1, T + 2), QPoint(R - 3, T) });
    painter.drawPolygon(octagon);
    painter.restore();
}

void CJumpSlider::resizeEvent(QResizeEvent*)
{
    RecalcLayout();
}

void CJumpSlider::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    TrackMouse(event->position());
    m_bPressed = TRUE;
    update();
    // Qt keeps sending moves and the release to this widget while the button
    // is held, wherever the pointer goes: that is the capture.
    Notify(SB_THUMBPOSITION);
    Notify(SB_THUMBTRACK);
    setFocus(Qt::MouseFocusReason);
}

void CJumpSlider::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_bPressed)
        return;
    TrackMouse(event->position());
    update();
    Notify(SB_THUMBTRACK);
}

// A release counts even without a press on this bar.
void CJumpSlider::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    TrackMouse(event->position());
    m_bPressed = FALSE;
    update();
    Notify(SB_THUMBPOSITION);
    Notify(SB_ENDSCROLL);
}

namespace {

// The scroll code of one of the eight keys, or -1 for any other key.
int KeyScrollCode(int key)
{
    switch (key) {
    case Qt::Key_PageUp:
        return SB_PAGEUP;
    case Qt::Key_PageDown:
        return SB_PAGEDOWN;
    case Qt::Key_End:
        return SB_BOTTOM;
    case Qt::Key_Home:
        return SB_TOP;
    case Qt::Key_Left:
    case Qt::Key_Up:
        return SB_LINEUP;
    case Qt::Key_Right:
    case Qt::Key_Down:
        return SB_LINEDOWN;
    default:
        return -1;
    }
}

} // namespace

void CJumpSlider::keyPressEvent(QKeyEvent* event)
{
    const int code = KeyScrollCode(event->key());
    if (code < 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    const bool bTowardsMin = code == SB_LINEUP || code == SB_PAGEUP || code == SB_TOP;
    // Already at that end: nothing moves and nothing is sent.
    if (bTowardsMin ? m_nPos <= m_nMin : m_nPos >= m_nMax)
        return;
    std::int64_t step = std::int64_t(m_nMax) - m_nMin; // Home, End
    if (code == SB_LINEUP || code == SB_LINEDOWN)
        step = m_nLineSize;
    else if (code == SB_PAGEUP || code == SB_PAGEDOWN)
        step = m_nPageSize;
    const std::int64_t newPos = std::int64_t(m_nPos) + (bTowardsMin ? -step : step);
    m_nPos = static_cast<int>(std::clamp<std::int64_t>(newPos, m_nMin, m_nMax));
    SetThumbCenter(PosToPixel(m_nPos));
    update();
    Notify(code);
}

void CJumpSlider::keyReleaseEvent(QKeyEvent* event)
{
    if (KeyScrollCode(event->key()) < 0) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    event->accept();
    // A held key repeats its key-down only; the end comes once, on the real
    // release.
    if (!event->isAutoRepeat())
        Notify(SB_ENDSCROLL);
}

// A bar disabled in the middle of a drag never sees the release: drop the
// pressed look rather than leave it stuck.
void CJumpSlider::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled() && m_bPressed) {
        m_bPressed = FALSE;
        update();
    }
    QWidget::changeEvent(event);
}

void ConfigureDarkBar(CJumpSlider& slider, const QColor& clrElapsed)
{
    slider.SetThumbUsesElapsedColor(TRUE);
    slider.SetBaseColor(QColor(127, 127, 127));
    slider.SetElapsedColor(clrElapsed);
    slider.SetBkColor(Qt::black);
}
