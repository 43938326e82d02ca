#pragma once
// What the frame's commands need from the video view: its playback state and
// the few operations they call. The view answers for its player; the
// commands and their enable rules never reach the player any other way.

#include "platform/WinTypes.h"

#include <QSize>
#include <QString>

class IVideoView {
public:
    virtual ~IVideoView() = default;

    // A file is loaded (audio-only files too).
    virtual BOOL IsLoaded() = 0;
    // A player exists and playback was started and not stopped, playing or
    // paused.
    virtual BOOL IsStarted() = 0;
    // Paused by the play/pause toggle; FALSE without a player.
    virtual BOOL IsPaused() = 0;
    // The loaded file has a controllable video output.
    virtual BOOL HasVideo() = 0;
    // A player exists and its media can seek (seek mode not 0).
    virtual BOOL IsSeekable() = 0;
    virtual BOOL IsFullScreen() = 0;
    // The video's native display size; empty without video.
    virtual QSize GetNativeSize() = 0;
    // Name of the graph's filter at nIndex; empty without a player or past
    // the last filter.
    virtual QString GetFilterName(int nIndex) = 0;

    // Called before every message box, so that none hides behind the
    // full-screen window.
    virtual void LeaveFullScreen() = 0;
    // Acts only when started with video.
    virtual void ToggleFullScreen() = 0;
    // 0..100; TRUE also when nothing is loaded.
    virtual BOOL SetVolume(int nVolume) = 0;
    // TRUE also when nothing is loaded.
    virtual BOOL SetAspectFix(BOOL bFix) = 0;
    // FALSE when the file could not be loaded (the view has said why).
    virtual BOOL LoadMedia(const QString& path) = 0;
    // FALSE when already started or when starting failed.
    virtual BOOL StartPlayback() = 0;
};

// The view as it answers while it has no player: nothing loaded, nothing
// started, no full screen; volume and aspect calls succeed with nothing to
// apply them to, and a file cannot be loaded.
class CNoPlayerView final : public IVideoView {
public:
    BOOL IsLoaded() override { return FALSE; }
    BOOL IsStarted() override { return FALSE; }
    BOOL IsPaused() override { return FALSE; }
    BOOL HasVideo() override { return FALSE; }
    BOOL IsSeekable() override { return FALSE; }
    BOOL IsFullScreen() override { return FALSE; }
    QSize GetNativeSize() override { return {}; }
    QString GetFilterName(int) override { return {}; }
    void LeaveFullScreen() override {}
    void ToggleFullScreen() override {}
    BOOL SetVolume(int) override { return TRUE; }
    BOOL SetAspectFix(BOOL) override { return TRUE; }
    BOOL LoadMedia(const QString&) override { return FALSE; }
    BOOL StartPlayback() override { return FALSE; }
};
