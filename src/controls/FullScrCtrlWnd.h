#pragma once
// The control panel along the bottom of the full-screen view: the main
// window's transport, A-B and step buttons, its seek and volume bars, and
// the point, playlist and counter boxes. It keeps no playback state: its
// buttons send the frame's commands, its bars report to the frame, its boxes
// show the frame's values, and the frame switches its buttons together with
// its own.

#include "controls/BitmapButton.h"
#include "ui/InfoArea.h"

#include <QFont>
#include <QWidget>

#include <array>
#include <functional>

class CJumpSlider;

// What the panel reaches in its owners; every member is called on the UI
// thread.
struct CFullScrCtrlHooks {
    CommandRouter command;
    // A bar moved: a scroll code and which bar (by control id).
    std::function<void(int nSBCode, CJumpSlider* pSlider)> sliderScroll;
    // The values the boxes show.
    std::function<CInfoValues()> values;
    // The mouse moved over the panel or one of its controls.
    std::function<void()> mouseMoved;
};

class CFullScrCtrlWnd : public QWidget {
    Q_OBJECT
public:
    // The panel's height while shown.
    static constexpr int kPanelHeight = 60;
    static constexpr int kButtonCount = 21;

    explicit CFullScrCtrlWnd(QWidget* parent = nullptr);

    // Builds the buttons (all disabled; the play, A-B start, sound-on and
    // repeat-off looks shown) and the bars. FALSE when a part could not be
    // made.
    BOOL Create(CFullScrCtrlHooks hooks);

    CJumpSlider* SeekBar() const { return m_pSeekBar; }
    CJumpSlider* VolumeBar() const { return m_pVolumeBar; }
    // The panel's copy of a main-window button (the same command and
    // look); null when the panel has none.
    CBitmapButton* TwinOf(const CBitmapButton& btn);

    // Paint the boxes again from the values.
    void RedrawPointValues();
    void RedrawCounters();
    void RedrawPlaylistCount();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void Layout();
    CBitmapButton& Button(int nIndex) { return m_buttons[static_cast<std::size_t>(nIndex)]; }

    CFullScrCtrlHooks m_hooks;
    QFont m_font;
    std::array<CBitmapButton, kButtonCount> m_buttons;
    CInfoCells m_cells;
    // Owned by the panel as Qt children.
    CJumpSlider* m_pSeekBar = nullptr;
    CJumpSlider* m_pVolumeBar = nullptr;
    BOOL m_bCreated = FALSE;
};
