#pragma once
// What the frame and its commands need from the video view: its playback
// state and the operations that wrap the player. The commands and their
// enable rules reach the player only through here (the event queue and the
// information dialogs read it through GetPlayer).
//
// Results are TRUE for success unless said otherwise; a failure the view
// shows has already been shown when the call returns.

#include "platform/WinTypes.h"

#include <QByteArray>
#include <QSize>
#include <QString>

class CDShowPlayer;

// What StepFrames reports.
constexpr int STEPFLAG_STARTED = 1;  // a step is under way; its completion event follows
constexpr int STEPFLAG_AT_START = 2; // the start (or A) was reached going back
constexpr int STEPFLAG_AT_END = 4;   // the end was reached going forward

class IVideoView {
public:
    virtual ~IVideoView() = default;

    // ---- state ----
    // A file is loaded (audio-only files too).
    virtual BOOL IsLoaded() = 0;
    // A player exists and playback was started and not stopped, playing or
    // paused.
    virtual BOOL IsStarted() = 0;
    // Paused by the play/pause toggle; FALSE without a player.
    virtual BOOL IsPaused() = 0;
    // The loaded file has a controllable video output.
    virtual BOOL HasVideo() = 0;
    // The volume can be set (no volume failure since the load).
    virtual BOOL IsAudioAvailable() = 0;
    // A player exists and its media can seek (seek mode not 0).
    virtual BOOL IsSeekable() = 0;
    virtual BOOL IsFullScreen() = 0;
    // The started file's length in 100-ns units and in frames (-1 when
    // unknown); the result is its seek mode: 0 cannot seek, 1 seeks by
    // time, 2 by frames. Nothing started: -1, -1 and 0.
    virtual int GetDurations(LONGLONG* pllDuration, LONGLONG* pllFrames) = 0;
    // The video's native display size; empty without video.
    virtual QSize GetNativeSize() = 0;
    // The loaded file's player, for draining its events and for the
    // information dialogs; null when none.
    virtual CDShowPlayer* GetPlayer() = 0;

    // ---- media information; empty without a player ----
    // Name of the graph's filter at nIndex; empty past the last filter.
    virtual QString GetFilterName(int nIndex) = 0;
    virtual QString GetAuthor() = 0;
    virtual QString GetAlbum() = 0;
    virtual QString GetTitle() = 0;
    virtual QString GetRating() = 0;
    virtual QString GetDescription() = 0;
    virtual QString GetCopyright() = 0;

    // ---- full screen ----
    // Called before every message box, so that none hides behind the
    // full-screen window.
    virtual void LeaveFullScreen() = 0;
    // Acts only when started with video.
    virtual void ToggleFullScreen() = 0;

    // ---- loading and transport ----
    // FALSE when the file could not be loaded (the view has said why).
    virtual BOOL LoadMedia(const QString& path) = 0;
    // FALSE when already started or when starting failed.
    virtual BOOL StartPlayback() = 0;
    // Back to the start, stopped; FALSE when nothing is loaded or it failed.
    virtual BOOL StopPlayback() = 0;
    // Lets go of the file and its player, as though none had been loaded
    // (a file whose playback broke down).
    virtual void CloseMedia() = 0;
    // Play <-> pause; FALSE when not started.
    virtual BOOL TogglePause() = 0;
    // The started file's length became known or changed: its seeking, its
    // durations and the seek bar are set up again. FALSE when not started or
    // on failure.
    virtual BOOL UpdateLength() = 0;
    // From point A (or the start) again; FALSE when not started.
    virtual BOOL Replay() = 0;

    // ---- the seek bar's drag: BeginSeek holds playback, SeekTo moves,
    // EndSeek lets go. FALSE when not started; SeekTo and EndSeek also when
    // not held, BeginSeek when already held. ----
    virtual BOOL BeginSeek() = 0;
    // Milliseconds, or frames when the media seeks by frames.
    virtual BOOL SeekTo(int nValue) = 0;
    virtual BOOL EndSeek() = 0;

    // ---- sound and picture ----
    // 0..100; TRUE also when nothing is loaded.
    virtual BOOL SetVolume(int nVolume) = 0;
    // TRUE also when nothing is loaded.
    virtual BOOL SetAspectFix(BOOL bFix) = 0;
    // The picture at native size as a packed bottom-up 32-bit DIB; empty
    // when there is none.
    virtual QByteArray GetCurrentImage() = 0;

    // ---- stepping and the A-B segment; positions in the seek unit ----
    // Only while paused with video. STEPFLAG_* flags; 0 nothing happened.
    virtual int StepFrames(BOOL bForward, LONGLONG llCount) = 0;
    // -1 without a started player or on failure.
    virtual LONGLONG GetCurrentPosition() = 0;
    // 1 moved, 0 refused or failed.
    virtual int SeekPlaying(LONGLONG llPosition) = 0;
    // 1 set, 0 refused or failed.
    virtual int SetSegment(LONGLONG llPointA, LONGLONG llPointB) = 0;
    // 1 cleared, 0 nothing to clear or failed.
    virtual int ClearSegment() = 0;
};
