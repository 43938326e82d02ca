#include "ui/WindowFit.h"

#include <algorithm>

namespace {

// The largest size of the picture's aspect within the room; truncating, so
// the result never reaches past it.
QSize ScaleDownInto(QSize sizeVideo, QSize sizeRoom)
{
    const int w = sizeVideo.width();
    const int h = sizeVideo.height();
    const int nRoomW = std::max(0, sizeRoom.width());
    const int nRoomH = std::max(0, sizeRoom.height());
    if (w <= nRoomW && h <= nRoomH)
        return sizeVideo;
    // A picture with no extent in one direction has no aspect to keep.
    if (w <= 0 || h <= 0)
        return { std::min(w, nRoomW), std::min(h, nRoomH) };
    // The width is the limit when the picture is wider for its height than
    // the room: w / h >= room w / room h.
    if (static_cast<long long>(w) * nRoomH >= static_cast<long long>(h) * nRoomW)
        return { nRoomW, static_cast<int>(static_cast<long long>(h) * nRoomW / w) };
    return { static_cast<int>(static_cast<long long>(w) * nRoomH / h), nRoomH };
}

// One axis: the window comes back inside the far edge, then inside the near
// one, so that the title bar and the left edge stay reachable when the
// window is longer than the work area.
int PlaceOnAxis(int nPos, int nLength, int nWorkPos, int nWorkLength)
{
    nPos = std::min(nPos, nWorkPos + nWorkLength - nLength);
    return std::max(nPos, nWorkPos);
}

} // namespace

CWindowFit FitWindowToWorkArea(QPoint ptWindow, QSize sizeVideo, QSize sizeAround, int nMinWindowWidth,
    const QRect& rcWork)
{
    CWindowFit fit;
    fit.sizeVideo = ScaleDownInto(sizeVideo, rcWork.size() - sizeAround);
    const QSize sizeWindow(std::max(fit.sizeVideo.width() + sizeAround.width(), nMinWindowWidth),
        fit.sizeVideo.height() + sizeAround.height());
    const QPoint pt(PlaceOnAxis(ptWindow.x(), sizeWindow.width(), rcWork.x(), rcWork.width()),
        PlaceOnAxis(ptWindow.y(), sizeWindow.height(), rcWork.y(), rcWork.height()));
    fit.rcWindow = QRect(pt, sizeWindow);
    return fit;
}
