#pragma once
// Sizing the main window around a video so that all of it - the frame the
// window manager draws, the menu bar, the view's border and the control
// area - lies inside the desktop's work area.

#include <QPoint>
#include <QRect>
#include <QSize>

struct CWindowFit {
    // The picture size the video area gets.
    QSize sizeVideo;
    // The whole window, decoration included, in desktop coordinates.
    QRect rcWindow;
};

// ptWindow: where the window's frame is now. sizeVideo: the picture size
// asked for. sizeAround: what the window adds to the picture across and
// down (decoration, menu bar, view border, control area). nMinWindowWidth:
// the narrowest the window may be, decoration included.
//
// A window too large for rcWork gets a smaller picture, its aspect kept, so
// that the whole window fits; the controls never shrink. The window then
// moves the least distance that puts it inside rcWork.
CWindowFit FitWindowToWorkArea(QPoint ptWindow, QSize sizeVideo, QSize sizeAround, int nMinWindowWidth,
    const QRect& rcWork);
