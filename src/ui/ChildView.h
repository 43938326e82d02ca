#pragma once
// The video area of the main window: a grey panel with a sunken edge that
// owns the player of the loaded file, wraps every call into it in the error
// protocol, keeps the picture in step with its size and polls the playing
// position for the seek bar and the counters.
//
// Loading, starting, stopping, painting and the error protocol are in
// ChildView.cpp; pausing, seeking, stepping, the segment and the poll in
// ChildViewTransport.cpp; the figures written for measuring the player
// (ORV_STATS=1) in ChildViewStats.cpp.

#include "ui/FullScreenIdle.h"
#include "ui/VideoView.h"

#include <QBasicTimer>
#include <QElapsedTimer>
#include <QFrame>
#include <QList>
#include <QPointer>
#include <QRect>
#include <QString>

#include <array>
#include <functional>
#include <memory>

class CDirectShowErrMessage;
class CFullScrCtrlWnd;
class CJumpSlider;
class CStatsSeekBarDrag;
class IMediaGraphFactory;
class IViewHost;

class CChildView : public QFrame, public IVideoView {
    Q_OBJECT
public:
    // The position poll, five times a second.
    static constexpr int IDT_POSITION_POLL = 1;
    static constexpr int kPositionPollMs = 200;

    explicit CChildView(IViewHost& host, QWidget* parent = nullptr);
    ~CChildView() override;
    CChildView(const CChildView&) = delete;
    CChildView& operator=(const CChildView&) = delete;

    // Players are built on this factory's graphs; null (the default) gives
    // the program's own media framework.
    void SetGraphFactory(IMediaGraphFactory* pFactory) { m_pGraphFactory = pFactory; }

    BOOL IsLoaded() override { return m_bLoaded; }
    BOOL IsStarted() override { return m_pPlayer && m_bStarted; }
    BOOL IsPaused() override { return m_pPlayer && m_bPaused; }
    BOOL HasVideo() override { return m_bHasVideo; }
    BOOL IsAudioAvailable() override { return m_bAudioAvailable; }
    BOOL IsSeekable() override;
    BOOL IsFullScreen() override { return m_bFullScreen; }
    int GetDurations(LONGLONG* pllDuration, LONGLONG* pllFrames) override;
    QSize GetNativeSize() override;
    CDShowPlayer* GetPlayer() override { return m_pPlayer.get(); }

    QString GetFilterName(int nIndex) override;
    QString GetAuthor() override;
    QString GetAlbum() override;
    QString GetTitle() override;
    QString GetRating() override;
    QString GetDescription() override;
    QString GetCopyright() override;

    void LeaveFullScreen() override;
    void ToggleFullScreen() override;

    BOOL LoadMedia(const QString& path) override;
    BOOL StartPlayback() override;
    BOOL StopPlayback() override;
    void CloseMedia() override;
    BOOL TogglePause() override;
    BOOL UpdateLength() override;
    BOOL Replay() override;
    BOOL BeginSeek() override;
    BOOL SeekTo(int nValue) override;
    BOOL EndSeek() override;
    BOOL SetVolume(int nVolume) override;
    BOOL SetAspectFix(BOOL bFix) override;
    QByteArray GetCurrentImage() override;
    int StepFrames(BOOL bForward, LONGLONG llCount) override;
    LONGLONG GetCurrentPosition() override;
    int SeekPlaying(LONGLONG llPosition) override;
    int SetSegment(LONGLONG llPointA, LONGLONG llPointB) override;
    int ClearSegment() override;

    // One tick of the timer nIDEvent, as the timer itself delivers it.
    void OnTimer(int nIDEvent);
    BOOL IsTimerRunning(int nIDEvent) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // A failure kind the call site does not handle itself.
    static constexpr int kNoQuietKind = -1;

    // Runs a call into the player under the error protocol. A failure of
    // kind nQuietKind goes to onQuiet and counts as success; any other is
    // shown and gives FALSE.
    BOOL CallPlayer(const std::function<void()>& call, int nQuietKind = kNoQuietKind,
        const std::function<void()>& onQuiet = nullptr);
    // Leaves full screen, then the coded box with the framework's detail.
    void ShowError(const CDirectShowErrMessage& e);
    void ShowUnknownError();

    IMediaGraphFactory& GraphFactory() const;
    // The window and the picture take the video's size.
    void FitVideo();
    // The file is shown as sound only.
    void TreatAsAudioOnly();
    // The durations and the frame time from the player (throws as the
    // player does), then the seek bar.
    void ReadDurations();
    void SetUpSeekBar();
    void KillPollTimer();
    // No player, nothing loaded, the seek bar back at the start.
    void ReleasePlayer();
    // ChildViewTransport.cpp
    void PollPosition();
    // ChildViewStats.cpp, called only while figures are asked for.
    void StatsPicturePainted();
    void StatsStartSeeks();
    void StatsNextSeek();
    void StatsStartDrag(int msDrag);
    // The frames the player showed and dropped.
    void StatsReleasePlayer();

    IViewHost& m_host;
    IMediaGraphFactory* m_pGraphFactory = nullptr;
    BOOL m_bLoaded = FALSE;
    BOOL m_bStarted = FALSE;
    BOOL m_bPaused = FALSE;
    QSize m_sizeNative;
    std::unique_ptr<CDShowPlayer> m_pPlayer;
    BOOL m_bHasVideo = TRUE;
    BOOL m_bAudioAvailable = TRUE;
    BOOL m_bHeld = FALSE;
    LONGLONG m_llDurationSeek = 0;
    LONGLONG m_llDurationMedia = 0;
    LONGLONG m_llTotalFrames = -1;
    LONGLONG m_llAvgFrameTime = 0;
    int m_nSeekMode = 0;
    QBasicTimer m_pollTimer;
    BOOL m_bFullScreen = FALSE;

    // The file as it was loaded, and what the figures said about it.
    QString m_strFile;
    // LoadMedia is under way: a failure shown now is the file's.
    BOOL m_bLoading = FALSE;
    BOOL m_bFirstFrameReported = FALSE;
    // Paused seeks still to make (ms) when ORV_STATS_SEEKS asks for them,
    // and the one waiting for its picture (-1: none) since when.
    QList<int> m_statsSeeks;
    int m_nStatsSeekAt = -1;
    double m_msStatsSeekStart = 0;
    // The seek-bar drag ORV_STATS_DRAG asks for, while it lasts.
    QPointer<CStatsSeekBarDrag> m_pStatsDrag;

    // ---- full screen (ChildViewFullScreen.cpp) ----
public:
    // The idle count of the full-screen panel and cursor, once a second.
    static constexpr int IDT_FULLSCREEN_IDLE = 2;
    // The full-screen panel; it is there, zero high, in the window too.
    CFullScrCtrlWnd& Panel() { return *m_pPanel; }
    // The mouse moved over the panel.
    void ShowPanelAndCursor();

private:
    void CreatePanel();
    void EnterFullScreen();
    void ExitFullScreen();
    // The panel's height, the cursor and the idle timer as m_idle says.
    void ApplyIdleState();
    void PlacePanel();
    void OnIdleTick();
    // The bars that follow playback: the window's and the panel's; either
    // may be null.
    std::array<CJumpSlider*, 2> SeekBars() const;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

    // How long reports of the full-screen window's place may still come.
    static constexpr int kSettleMs = 1000;
    CFullScrCtrlWnd* m_pPanel = nullptr; // a Qt child
    CFullScreenIdle m_idle;
    QBasicTimer m_idleTimer;
    // Where the view was in the window, to go back there.
    QPointer<QWidget> m_pSavedParent;
    QRect m_rcSavedWindow;
    QSize m_sizeSavedClient;
    int m_nSavedFrameStyle = 0;
    // The window's commands, lent to the view while it is a window itself.
    QList<QAction*> m_borrowedActions;
    // Since the view came back into the window.
    QElapsedTimer m_backInWindow;
};
