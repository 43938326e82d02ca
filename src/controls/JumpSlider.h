#pragma once
// The seek and volume bars: an owner-drawn slider whose thumb jumps straight
// to the clicked point and follows the mouse while the button is held.

#include "platform/WinTypes.h"

#include <QBrush>
#include <QColor>
#include <QRect>
#include <QWidget>

#include <cstdint>
#include <utility>

// Scroll codes carried by the slider's notification (the scroll-bar codes).
constexpr int SB_LINEUP = 0;        // Left or Up arrow
constexpr int SB_LINEDOWN = 1;      // Right or Down arrow
constexpr int SB_PAGEUP = 2;        // Page Up
constexpr int SB_PAGEDOWN = 3;      // Page Down
constexpr int SB_THUMBPOSITION = 4; // button down, and button up
constexpr int SB_THUMBTRACK = 5;    // button down (after 4), and every move while pressed
constexpr int SB_TOP = 6;           // Home
constexpr int SB_BOTTOM = 7;        // End
constexpr int SB_ENDSCROLL = 8;     // button up (after 4), and key-up of any of the eight keys

class CJumpSlider : public QWidget {
    Q_OBJECT
public:
    // Configure (colours, thumb colour choice, background), then Create.
    explicit CJumpSlider(QWidget* parent = nullptr);

    // Makes the slider a visible child of pParentWnd at rect with control id
    // nID. The parent owns the widget from then on; deleting the slider
    // earlier is fine. FALSE without a parent.
    BOOL Create(BOOL bVertical, const QRect& rect, QWidget* pParentWnd, int nID);
    int GetDlgCtrlID() const { return m_nID; }

    int GetPos() const { return m_nPos; }
    // Clamps into the range and moves the thumb; sends no notification.
    void SetPos(int nPos);
    // The range becomes 0 … nMax; the position is clamped by the next SetPos.
    void SetRange(int nMax);
    void SetPageSize(int nPageSize) { m_nPageSize = nPageSize; }
    void SetLineSize(int nLineSize) { m_nLineSize = nLineSize; }

    // Which colour fills the thumb: the elapsed colour (TRUE) or the base
    // colour. Set it before the colour setters, which build the thumb brush.
    void SetThumbUsesElapsedColor(BOOL bElapsed) { m_bThumbUsesElapsedColor = bElapsed; }
    void SetBkColor(const QColor& clr);
    // Channel after the thumb and the thumb outline.
    void SetBaseColor(const QColor& clr);
    // Channel before the thumb.
    void SetElapsedColor(const QColor& clr);

    // Geometry in widget coordinates, as the last layout left it.
    QRect GetChannelRect() const { return m_rcChannel; }
    QRect GetThumbRect() const { return m_rcThumb; }
    BOOL IsPressed() const { return m_bPressed; }

Q_SIGNALS:
    // The slider moved or a drag or key ended. nMessage is WM_JUMPSLIDER_HSCROLL
    // (WM_JUMPSLIDER_VSCROLL from an upright slider), nSBCode one of the SB_
    // codes above. Emitted synchronously: read GetPos() in the handler, and
    // connect directly (the default on the same thread).
    void JumpSliderNotify(int nMessage, int nSBCode, CJumpSlider* pSlider);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void RecalcLayout();
    void SetThumbCenter(int c);
    std::pair<int, int> ChannelEnds() const;
    int PosToPixel(int nPos) const;
    int PixelToPos(int a) const;
    void TrackMouse(const QPointF& pt);
    void RebuildThumbBrushes(const QColor& clr);
    void Notify(int nSBCode);

    QColor m_clrBase;
    QColor m_clrBaseFrame;
    QColor m_clrBaseLight;
    QColor m_clrBaseDark;
    QColor m_clrElapsed;
    QColor m_clrElapsedLight;
    QColor m_clrElapsedDark;
    QColor m_clrBk;
    QBrush m_brThumb;
    QBrush m_brThumbPressed;
    BOOL m_bVertical = FALSE;
    int m_nPos = 0;
    int m_nMin = 0;
    int m_nMax = 100;
    int m_nPageSize = 10;
    int m_nLineSize = 1;
    int m_nThumbWidth = 0;
    int m_nThumbHeight = 0;
    QRect m_rcThumb;
    QRect m_rcChannel;
    BOOL m_bPressed = FALSE;
    BOOL m_bThumbUsesElapsedColor = FALSE;
    BOOL m_bCreated = FALSE;
    int m_nID = 0;
};

// The look of the main window's bars: grey channel and outline on black,
// the part before the thumb and the thumb itself in clrElapsed.
void ConfigureDarkBar(CJumpSlider& slider, const QColor& clrElapsed);
