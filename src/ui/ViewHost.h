#pragma once
// What the video view needs from the window around it: sizing the window to
// the video, the seek bar and counters its poll moves, the settings it reads
// and the command its right button gives. The main frame is the host.

#include "platform/WinTypes.h"
#include "ui/InfoArea.h"

#include <QObject>
#include <QSize>

class CFrameSettings;
class CJumpSlider;

class IViewHost {
public:
    virtual ~IViewHost() = default;

    // Sizes the window so that the video area is nWidth x nHeight; the
    // host may change the size it was given.
    virtual void FitWindowToVideo(int& nWidth, int& nHeight, BOOL bKeepInWorkArea) = 0;
    // The layout for media without video.
    virtual void FitWindowToControls() = 0;
    // The window's seek bar; null while there is none.
    virtual CJumpSlider* SeekBar() = 0;
    // The position (100-ns units) and frame number the counters show next.
    virtual void SetPlayPosition(LONGLONG llPosition, LONGLONG llFrame) = 0;
    virtual void RedrawCounters() = 0;
    // Volume, sound, aspect, display size, renderer settings, filter lists.
    virtual const CFrameSettings& ViewSettings() const = 0;
    // Carries out a command id as the menu does.
    virtual void OnCommand(int nID) = 0;
    // Where the player's graph notices (WM_GRAPHNOTIFY) go: the host itself
    // when it is a QObject (the main frame is); none otherwise.
    virtual QObject* NotifyTarget() { return dynamic_cast<QObject*>(this); }

    // ---- full screen ----
    // The view is back in the window at its old place, sizeClient big: the
    // window lays itself out around it again.
    virtual void LayOutForView(QSize sizeClient) { (void)sizeClient; }
    // A bar of the full-screen panel moved; the window treats it as its own
    // bar of the same control id.
    virtual void OnPanelSliderScroll(int nSBCode, CJumpSlider* pSlider)
    {
        (void)nSBCode;
        (void)pSlider;
    }
    // What the full-screen panel's boxes show.
    virtual CInfoValues PanelValues() const { return {}; }
};
