#pragma once
// The playback engine: one object per loaded media file. The constructor
// builds the whole graph (or throws CDirectShowErrMessage with nothing held);
// the view owns the object and deletes it before loading the next file.
//
// Every operation but the constructor throws CDirectShowErrMessage on a
// failed graph call and leaves the player usable.
//
// Construction, release and the media information are in DShowPlayer.cpp and
// DShowPlayerInfo.cpp; seeking set-up in DShowPlayerSeeking.cpp; run, pause,
// stop, positions and volume in DShowPlayerTransport.cpp; skipping, frame
// steps and the A-B segment in DShowPlayerStep.cpp; picture size, placement,
// painting and grabbing in DShowPlayerGeometry.cpp.

#include "player/PlayerCodes.h"
#include "player/GraphCB.h"
#include "player/graph/MediaGraph.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <memory>

class FilterNameList;
class QObject;
class QPainter;
class QWidget;

class CDShowPlayer {
public:
    static constexpr int MAX_FILTERS = 100;
    static constexpr int MAX_FILTER_NAME = 128; // characters, terminator included
    static constexpr int MAX_FIRST_USE = 50;
    // Every state query waits this long for a change under way.
    static constexpr long kStateTimeoutMs = 100;
    // How long the current image waits for a seek under way to show its picture.
    static constexpr long kPositionWaitMs = 5000;

    // Builds the graph on the program's media framework. The graph's
    // WM_GRAPHNOTIFY notices go to pNotifyTarget (the main frame); none
    // when it is null.
    CDShowPlayer(const QString& strFile, BOOL bAspectFix, BOOL bDisableVMR9, BOOL bDisableDeinterlace,
        const FilterNameList* pBlackList, const FilterNameList* pFirstUseList, QWidget* pView,
        QObject* pNotifyTarget = nullptr);
    // The same on the graphs of the given factory.
    CDShowPlayer(const QString& strFile, BOOL bAspectFix, BOOL bDisableVMR9, BOOL bDisableDeinterlace,
        const FilterNameList* pBlackList, const FilterNameList* pFirstUseList, QWidget* pView,
        QObject* pNotifyTarget, IMediaGraphFactory& factory);
    ~CDShowPlayer();
    CDShowPlayer(const CDShowPlayer&) = delete;
    CDShowPlayer& operator=(const CDShowPlayer&) = delete;

    // ---- media and graph information ----
    // "" outside 0 .. filter count - 1.
    QString GetFilterName(int nIndex) const;
    int GetFilterCount() const { return m_nFilterCount; }
    QString GetAuthor() const { return m_strAuthor; }
    QString GetAlbum() const { return m_strAlbum; }
    QString GetTitle() const { return m_strTitle; }
    QString GetRating() const { return m_strRating; }
    QString GetDescription() const { return m_strDescription; }
    QString GetCopyright() const { return m_strCopyright; }
    int GetVideoWidth() const { return m_nVideoWidth; }
    int GetVideoHeight() const { return m_nVideoHeight; }
    // Hundredths of a frame per second (2997 is 29.97); 0 when unknown.
    int GetFramesPerSecond() const { return m_nFps; }
    int GetAudioChannels() const { return m_nAudioChannels; }
    int GetAudioSampleRate() const { return m_nAudioSampleRate; }
    int GetAudioBitsPerSample() const { return m_nAudioBitsPerSample; }
    // 0 not reported, 1 progressive, 2 non-interleaved bob, 3 interleaved bob,
    // 4 weave, 5 bob or weave, 6 other.
    int GetInterlaceKind() const { return m_nInterlaceKind; }
    DWORD GetInterlaceFlags() const { return m_dwInterlaceFlags; }
    // 3 while the windowless renderer deinterlaces, else 0.
    int GetDeinterlaceStatus() const { return m_nDeinterlaceStatus; }
    BOOL IsOwnerWindowMode() const { return m_bOwnerWindowMode; }
    BOOL HasWindowlessControl() const { return m_pWindowlessControl != nullptr; }
    // What the media framework said about the last playback failure
    // (an EC_ERRORABORT event), for the error box's detail text.
    QString GetErrorDetail() const;
    // Frames the video renderer showed and frames dropped on the way, for
    // measuring the player; FALSE (both 0) when there is no video renderer.
    BOOL GetFrameCounts(LONGLONG* pllDrawn, LONGLONG* pllDropped) const;
    // The event queue the main frame drains on WM_GRAPHNOTIFY; null when none.
    IMediaEventEx* GetMediaEvent() const { return m_pMediaEvent; }
    // The lParam of this player's WM_GRAPHNOTIFY, different for every
    // player, so that a notice left over from an earlier player is known.
    qintptr GetNotifyData() const { return m_lNotifyData; }

    // ---- seeking set-up ----
    int GetSeekMode() const { return SeekMode; }
    DWORD GetSeekingCapabilities() const { return m_dwSeekCaps; }
    TimeFormat GetTimeFormat() const { return m_timeFormat; }
    LONGLONG GetStopPosition() const { return m_llStopPosition; }
    // After EC_LENGTH_CHANGED: the seeking set-up again, for a stream whose
    // length became known only while it played. A segment set meanwhile
    // stays; the media's own end is the new length.
    void UpdateLength();

    // ---- transport ----
    // Positions are in frames when the seek mode is 2, else in 100-ns units.
    // The graph's state (State_Stopped, State_Paused, State_Running), waiting
    // at most 100 ms for a change under way.
    long GetState();
    void Run();
    void Pause();
    void Stop();
    // Pause, back to point A (or the start), run.
    void Restart();
    // Clamped into the A-B segment; the graph's state stays.
    void SetPosition(LONGLONG llPosition);
    // 1 moved (running again when it was running), 0 refused: not seekable,
    // outside 0 .. the media's end, or stopped.
    int SeekPlaying(LONGLONG llPosition);
    LONGLONG GetCurrentPosition();
    // Duration in 100-ns units, in the seek unit and in frames (-1 when the
    // frame time is unknown); the result is the seek mode.
    int GetDurations(LONGLONG* pllMediaTime, LONGLONG* pllSeekUnit, LONGLONG* pllFrames);
    // 100-ns units; 0 when unknown.
    LONGLONG GetAvgFrameTime();
    // Hundredths of a decibel, -10000 .. 0 (VolumeToLevel converts the
    // bars' 0..100). Failure is kind 2.
    void SetVolume(long lLevel);

    // ---- stepping and the A-B segment ----
    // Moves a paused graph by llCount frames by seeking: 1 already at the
    // limit (the start or A going back, the end going forward), 0 moved,
    // -1 not possible. The graph is left paused.
    int Skip(BOOL bForward, LONGLONG llCount);
    // Starts stepping a paused graph forward (EC_STEP_COMPLETE follows):
    // 0 stepping, 1 at the end, -1 not seekable, -2 the renderer cannot step.
    int FrameStep(LONGLONG llCount);
    // Plays A .. B, B being where playback completes: 1 set, 0 refused
    // (stopped, not seekable, A outside the media).
    int SetSegment(LONGLONG llPointA, LONGLONG llPointB);
    // The media's own end becomes the stop position again: 1 cleared, 0 not.
    int ClearSegment();
    // 1 when no segment is set or the position is before B, else 0.
    int IsBeforeSegmentEnd();
    BOOL IsSegmentActive() const { return m_bSegment; }

    // ---- video geometry ----
    // The size to show the picture at 100 %: the native height, the width
    // from the aspect ratio. 1 known, 0 no video output.
    int GetNativeDisplaySize(int* pnWidth, int* pnHeight);
    // The picture fills the view's client area (letter-boxed when the aspect
    // is kept).
    void FitVideoToView();
    void SetVideoSize(int nWidth, int nHeight);
    // Paints the latest picture with the view's painter (windowless only);
    // TRUE when a picture was painted, FALSE when there was none yet.
    BOOL RepaintVideo(QPainter* pPainter);
    void SetAspectFix(BOOL bAspectFix);
    BOOL GetAspectFix() const { return m_bAspectFix; }
    // The picture on screen at native size as a packed bottom-up 32-bit DIB;
    // empty when there is none.
    QByteArray GetCurrentImage();

private:
    void Build(const QString& strFile, BOOL bDisableVMR9, BOOL bDisableDeinterlace,
        const FilterNameList* pFirstUseList, IMediaGraphFactory& factory);
    // Throws the code with the call's result (the constructor then releases everything).
    [[noreturn]] void Fail(int nCode, HRESULT hr);
    void AddFirstUseFilters(IMediaGraphFactory& factory, const FilterNameList* pFirstUseList);
    HRESULT SetupVMR9(BOOL bDeinterlaceDisabled);
    void RemoveUnconnectedFirstUseFilters();
    void ReadVMR9MediaType();
    void SetupOwnerWindow();
    // The number of filters seen, or -1.
    int EnumFilters(bool* pbOwnerWindowRenderer);
    void ReleaseAll();

    // DShowPlayerSeeking.cpp
    void ReadSeekingCapabilities();
    void SetupSeeking();

    // DShowPlayerTransport.cpp
    // Throws a failure the player detected or a graph call returned.
    [[noreturn]] void Throw(int nCode, HRESULT hr, int nKind = 0) const;
    // The frame time of the picture in 100-ns units, or 0: from the owner-window
    // renderer, else from the windowless renderer's input format. *pbFormat
    // tells whether that format block is a picture format at all.
    LONGLONG FrameTime(bool* pbFormat = nullptr);
    bool IsAtLastPicture(LONGLONG llCurrent, LONGLONG llStop);
    void SetPositionsOrThrow(LONGLONG llCurrent, const LONGLONG* pllStop);

    // DShowPlayerStep.cpp
    // Pauses and reads the position and the stop; false when not seekable.
    bool PauseForStepping(LONGLONG* pllCurrent, LONGLONG* pllStop);

    // DShowPlayerGeometry.cpp
    void DropWindowlessControl() { m_pWindowlessControl = nullptr; }
    QRect ClientRect() const;
    void PlaceOwnerWindow(int nWidth, int nHeight);
    void PlaceWindowless(int nWidth, int nHeight);
    QByteArray GrabOwnerWindowImage();

    // DShowPlayerInfo.cpp
    void ReadVideoInfo();
    void ReadMediaText(IGraphFilter* pFilter);
    void ReadAudioFormat(IGraphFilter* pFilter);

    TimeFormat m_timeFormat = TimeFormat::None;
    LONGLONG m_llDurationTime = 0;
    LONGLONG m_llDurationFrames = 0;
    // 0 not seekable, 1 positions are media time, 2 positions are frames.
    int SeekMode = 0;
    std::unique_ptr<IMediaGraph> m_pGraph;
    IMediaControl* m_pMediaControl = nullptr;
    IMediaEventEx* m_pMediaEvent = nullptr;
    IMediaSeeking* m_pMediaSeeking = nullptr;
    IBasicAudio* m_pBasicAudio = nullptr;
    IBasicVideo2* m_pBasicVideo = nullptr;
    IVideoWindow* m_pVideoWindow = nullptr;
    IGraphFilter* m_pVMR9 = nullptr;
    IVMRWindowlessControl9* m_pWindowlessControl = nullptr;
    GraphMediaType m_videoMediaType;
    DWORD m_dwSeekCaps = 0;
    std::array<QString, MAX_FILTERS> m_szFilterNames;
    int m_nFilterCount = 0;
    BOOL m_bSegment = FALSE;
    LONGLONG m_llStopPosition = 0;
    LONGLONG m_llSegmentStart = 0;
    LONGLONG m_llSegmentEnd = 0;
    QString m_strAuthor;
    QString m_strAlbum;
    QString m_strTitle;
    QString m_strRating;
    QString m_strDescription;
    QString m_strCopyright;
    int m_nVideoWidth = 0;
    int m_nVideoHeight = 0;
    int m_nFps = 0;
    int m_nAudioChannels = 0;
    int m_nAudioSampleRate = 0;
    int m_nAudioBitsPerSample = 0;
    int m_nInterlaceKind = 0;
    int m_nDeinterlaceStatus = 0;
    DWORD m_dwInterlaceFlags = 0;
    BOOL m_bOwnerWindowMode = FALSE;
    QWidget* m_pView = nullptr;
    QObject* m_pNotifyTarget = nullptr; // not owned
    BOOL m_bAspectFix = FALSE;
    qintptr m_lNotifyData = 0;
    CGraphCB m_graphCB;
    std::array<IGraphFilter*, MAX_FIRST_USE> m_pFirstUseFilters {};
};
