#pragma once
// The program's main window: the video view above a black control area with
// the seek and volume bars, two rows of buttons and the information area.
// The frame owns the playlist, every frame-level setting and the state of
// playback as it shows it; all of it changes only through its operations
// and commands, and is read through the accessors at the end of its public
// part.

#include "app/FrameSettings.h"
#include "capture/CaptureWorker.h"
#include "controls/BitmapButton.h"
#include "controls/JumpSlider.h"
#include "playlist/PlayList.h"
#include "ui/ChildView.h"
#include "ui/CommandState.h"
#include "ui/InfoArea.h"
#include "ui/PlaybackMarks.h"
#include "ui/ViewHost.h"
#include "voldb/VolumeDB.h"

#include <QFont>
#include <QMainWindow>
#include <QMargins>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class CINIFile;
class CFrameClient;
class CPlayListWnd;
struct CHandoffContent;
class CCommandTable;
class IVideoView;
class QPainter;
struct CWindowFit;

// Which of previous and next the playlist allows: the rule of the buttons
// and of the menu items.
struct PrevNextState {
    BOOL bPrev = FALSE;
    BOOL bNext = FALSE;
};
PrevNextState PrevNextAvailability(const CPlayList& list);

class CMainFrame : public QMainWindow, public IViewHost {
    Q_OBJECT
    friend class CFrameClient;

public:
    // Reads the frame settings; the window's contents come with LoadFrame.
    explicit CMainFrame(CINIFile& ini);
    // Writes the frame settings (primary instance only).
    ~CMainFrame() override;

    // Builds the view, the bars and the buttons and sizes the window for a
    // 320 × 240 video. FALSE when a part could not be made.
    BOOL LoadFrame();

    // Carries out a command id, as the buttons send it; the command table
    // decides whether it may act now.
    void OnCommand(int nID) override;

    // Sizes the window so that its video area is nWidth × nHeight. A video
    // narrower than 320 is scaled up to 320 wide, aspect kept, and the
    // caller's size changes with it. With bKeepInWorkArea the whole window,
    // frame included, is kept in the work area: a video too large for it is
    // shown smaller, aspect kept, and the window is moved inside. Nothing
    // happens while the window is minimised or maximised.
    void FitWindowToVideo(int& nWidth, int& nHeight, BOOL bKeepInWorkArea) override;
    // The width fixed at creation and no video area (media without video).
    void FitWindowToControls() override;
    // No narrower than at creation, no lower than the control area. Runs
    // when the window is shown; call it again after changing the menu bar.
    void UpdateMinimumSize();

    // Paired buttons: the one matching the state is shown and enabled, the
    // other hidden and disabled.
    void SetMuteButtons(BOOL bSoundOn);
    void SetOneLoopButtons(BOOL bOn);
    // The named button states. Every change made to a frame button here is
    // the change the full-screen panel's copy needs too.
    void SetABResetButtons();
    // The A-B group as the points and the repeat allow: set, go to, clear,
    // and start or end in one place. bUsable: a started file that can seek;
    // without it the whole group is grey.
    void SetABButtons(BOOL bUsable);
    void SetPlayingButtons(BOOL bSeekable, BOOL bHasVideo);
    void SetStoppedButtons();
    void UpdatePrevNextButtons();

    // Stores the position the view's poll found; RedrawCounters shows it.
    void SetPlayPosition(LONGLONG llPosition, LONGLONG llFrame) override;
    void RedrawPointValues();
    void RedrawCounters() override;
    void RedrawPlaylistCount();

    // "orv", or "file - orv"; a secondary instance's title starts with "*".
    void ResetWindowTitle();
    void SetFileTitle(const QString& strPath);

    // The area below the menu bar that holds the view and the controls.
    QWidget* ClientArea() const;
    // The information cells as the next paint draws them.
    CInfoCells CalcInfoCells() const;

    // The desktop area the window is kept in; the screen's available area
    // unless replaced (tests).
    void SetWorkAreaSource(std::function<QRect()> source) { m_workAreaSource = std::move(source); }

    // The view's host: its seek bar and the settings it reads.
    CJumpSlider* SeekBar() override { return m_pSeekBar.get(); }
    const CFrameSettings& ViewSettings() const override { return m_settings; }

    // ---- Commands (MainFrameCommands.cpp, MainFramePlaylistCommands.cpp,
    // MainFrameSession.cpp) ----
    CCommandTable& Commands() { return *m_pCommands; }
    // The state the command rules read, as it is now.
    CCommandState CommandState();
    // The video view as the commands see it: the frame's own unless another
    // was set; SetVideoView(nullptr) returns to the frame's own.
    IVideoView& View();
    void SetVideoView(IVideoView* pView) { m_pVideoView = pView; }
    // The unsaved-playlist question; FALSE: the caller gives up (Cancel, or
    // Yes and the list was not saved after all).
    BOOL AskSavePlayList();
    // Dropped files, folders and playlist files, in the order given.
    void OnDropFiles(const QStringList& paths);
    // The desktop session is ending: FALSE refuses.
    BOOL OnQueryEndSession();
    // Waits until a running still-image save has ended.
    void WaitForCaptureThread();
    // Closes the window the usual way but asks nothing: the program is told
    // to end (a signal) and nobody may be there to answer.
    void CloseWithoutQuestions();
    // A second start handed its files over: they replace the list and play,
    // unless a frame step runs or the unsaved-list question is cancelled
    // (the files are then dropped). The window comes to the front in every
    // case. The files are taken at once and the sender's reply, 0, goes at
    // once; the question and the new list follow from the event loop, once
    // no box is open.
    int OnInstanceHandoff();

    // ---- Sequencing (MainFrameSequencing.cpp) ----
    void PlayListFromTop();
    // The end of a file, and the next command.
    void PlayNextEntry();
    void PlayPrevEntry();
    // After entries were added while nothing plays.
    void StartOrResumeList();
    BOOL PlayCurrentEntry(BOOL bReload);
    // After a file failed to load or play: the list moves past it and
    // stops there.
    void SkipFailedEntry();
    // The list the program was started with, before anything plays: it
    // replaces the list. strOnlyPlayList: the one playlist file that was all
    // the start was given; the list is then that file, unchanged, and a file
    // of the program's own format is the one "save" writes to.
    void SetStartList(const CPlayList& list, const QString& strOnlyPlayList);

    // ---- Playback (MainFramePlayback.cpp) ----
    // Stops playback and clears the points and counters; FALSE when nothing
    // was started or stopping failed.
    BOOL StopAndReset();

    // ---- What the frame holds, to read (the settings: ViewSettings()) ----
    const CPlayList& PlayList() const { return m_playList; }
    const CPlaybackMarks& Marks() const { return m_marks; }
    // The file loaded in the view; empty when none.
    const QString& LoadedFile() const { return m_strLoadedFile; }
    // The playlist file that "save" writes to; empty when none.
    const QString& PlayListFile() const { return m_strPlayListFile; }
    // Everything below the view: bars, buttons and text rows.
    int ControlHeight() const { return m_nControlHeight; }
    // The frame's own video view, also while View() is another.
    CChildView& OwnView() { return m_wndView; }

protected:
    // WM_GRAPHNOTIFY: the player's events wait in its queue.
    void customEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Notices when the window manager has first put the window on screen.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    CChildView m_wndView;
    // The file loaded in the view; empty when none.
    QString m_strLoadedFile;
    QFont m_fontInfo;
    QRect m_rcSeekBar;
    QRect m_rcVolumeBar;
    std::unique_ptr<CJumpSlider> m_pSeekBar;
    CPlayList m_playList;
    // The playlist file that "save" writes to.
    QString m_strPlayListFile;
    std::unique_ptr<CJumpSlider> m_pVolumeBar;

    CBitmapButton m_btnPlay;
    CBitmapButton m_btnPause;
    CBitmapButton m_btnStop;
    CBitmapButton m_btnPrev;
    CBitmapButton m_btnNext;
    CBitmapButton m_btnOneLoopOff;
    CBitmapButton m_btnOneLoopOn;
    CBitmapButton m_btnFitWindow;
    CBitmapButton m_btnSoundOn;
    CBitmapButton m_btnSoundOff;
    CBitmapButton m_btnAGo;
    CBitmapButton m_btnASet;
    CBitmapButton m_btnBSet;
    CBitmapButton m_btnBGo;
    CBitmapButton m_btnABClear;
    CBitmapButton m_btnABStart;
    CBitmapButton m_btnABEnd;
    CBitmapButton m_btnSaveStill;
    CBitmapButton m_btnSkipBack;
    CBitmapButton m_btnFrameBack;
    CBitmapButton m_btnFrameFwd;
    CBitmapButton m_btnSkipFwd;

    // Client width after the first fit to a 320 × 240 video.
    int m_nMinClientWidth = 0;
    BOOL m_bMinSizeKnown = FALSE;
    BOOL m_bCapturing = FALSE;
    CPlaybackMarks m_marks;
    CFrameSettings m_settings;
    // Top of the first text row.
    int m_nInfoTop = 0;
    CInfoCells m_infoCells;
    // Everything below the view: bars, buttons and text rows.
    int m_nControlHeight = 97;
    // Folder last chosen in the folder dialogs; not stored.
    QString m_strLastFolder;

    // Lays out the client area of cx × cy.
    void OnSize(int cx, int cy);
    void OnPaint(QPainter& painter);
    BOOL CreateSliders();
    BOOL CreateButtons();
    void LayoutButtons();
    QSize ClientSize() const;
    int MenuBarHeight(int nWidth) const;
    QRect WorkArea() const;
    // What the window manager's frame adds on each side; none before the
    // window is on screen.
    QMargins Decoration() const;
    QSize SizeAroundVideo(QSize sizeVideo) const;
    // The video size and window rectangle for the work area, for a frame of
    // the given decoration.
    CWindowFit FitInWorkArea(QSize sizeVideo, const QMargins& decoration) const;
    // The fit asked for before the window was on screen, made now.
    void FitPendingVideo();
    CInfoValues InfoValues() const;
    // The one place a frame button changes state.
    void EnableButton(CBitmapButton& btn, BOOL bEnable);
    void ShowButton(CBitmapButton& btn, BOOL bShow);
    void ShowPair(CBitmapButton& btnShown, CBitmapButton& btnHidden);
    void OnJumpSliderHScroll(int nSBCode, CJumpSlider* pSlider);
    void OnSeekBarScroll(int nSBCode, int nPos);
    void OnVolumeBarScroll(int nPos);
    // What closing does once nobody objects: stop, let a still-image save
    // finish, keep the loaded file's volume.
    void PrepareToClose();
    // Handed files, once no box is open: the question, the new list, play.
    void ApplyHandoff(const CHandoffContent& content);
    // Work that changes the list or the player and arrives from outside (a
    // hand-off, a drop, a player's event): held while a box is open, so it
    // never runs under the code that opened the box, and dropped once the
    // window has closed. Posted work runs from the event loop; run work at
    // once when nothing is open or waiting.
    void PostFrameWork(std::function<void()> work);
    void RunFrameWork(std::function<void()> work);

    // ---- Command handlers, called through the command table ----
    friend class CCommandTable;
    // Menu bar, keys, drops and the session-end request.
    void CreateCommands();
    void OnFileOpen();
    void OnOpenFolder();
    void OnOpenPlayList();
    void OnAddFiles();
    void OnAddFolder();
    void OnAddPlayList();
    void OnSavePlayList();
    void OnSavePlayListAs();
    void OnAppExit();
    void OnPlayPause();
    void OnStop();
    void OnPrev();
    void OnNext();
    void OnFullScreen();
    void OnSize50();
    void OnSize100();
    void OnSize200();
    void OnFitWindow();
    void OnAspectFix();
    void OnMute();
    void OnRepeatNone();
    void OnRepeatAll();
    void OnRepeatRandom();
    void OnOneLoop();
    // MainFrameABRepeat.cpp
    void OnSetPointA();
    void OnSetPointB();
    void OnGoToPointA();
    void OnGoToPointB();
    void OnABRepeatStart();
    void OnABRepeatEnd();
    void OnABClear();
    // The current position as A (or B), when it keeps A before B.
    void SetPoint(BOOL bPointA);
    // Neither a pending frame step nor a still-image save holds the A-B
    // commands back.
    BOOL CanUseABCommand() const;
    // SetABButtons for the file as it is now.
    void UpdateABButtons();
    // MainFrameStepping.cpp
    void OnFrameForward();
    void OnSkipForward();
    void OnFrameBack();
    void OnSkipBack();
    void StepForward(LONGLONG llCount);
    void StepBack(LONGLONG llCount);
    void OnExtSettings();
    void OnAccMultiBoot();
    void OnAccSameData();
    void OnAccSubFolder();
    void OnDisableVMR9();
    void OnDisableDeinterlace();
    void OnHelp();
    void OnAppAbout();
    // Still capture (MainFrameCapture.cpp)
    void OnSaveStill();
    void OnCaptureOptions();
    void SetDisplaySize(int nSize);
    void FitWindowToDisplaySize();
    void SetRepeatMode(int nMode);
    BOOL ChangePrimarySetting(BOOL& bSetting);
    void ChangeRendererSetting(BOOL& bSetting);
    // After entries were added: only the buttons while a file plays, else
    // start or resume the list; then the count.
    void AfterEntriesAdded();
    // MainFrameSequencing.cpp
    // The entry a start from the top plays: the first, or a random one.
    void ChooseFirstEntry();
    // Points, counters and A-B buttons as for no file.
    void ResetPlaybackDisplay();
    // MainFramePlayback.cpp
    // Takes every event waiting in the player whose notice carried lData.
    void OnGraphNotify(qintptr lData);
    void OnPlaybackComplete();
    void OnStepComplete();
    void OnLengthChanged();
    void OnPlaybackAborted(HRESULT hr);
    void EnableStepButtons(BOOL bForward, BOOL bBack);
    // Frame and skip of one direction.
    void EnableForwardStepButtons(BOOL bEnable);
    void EnableBackStepButtons(BOOL bEnable);
    // The files chosen in an open dialog with the playlist filter.
    QStringList AskPlayListFiles();
    // Loads and merges each playlist file; the number of playlist files.
    int AppendPlayListFiles(const QStringList& files, QString* pFirst);
    // The save-as dialog and the save; FALSE when no name was given or the
    // save failed (reported).
    BOOL SavePlayListAs();
    // Saves the list to the file; a failure is reported (IDS_PLAYLIST_SAVE_FAILED).
    BOOL SavePlayListTo(const QString& path);

    // Merges the other list; a merge beyond the limit is refused with its
    // message.
    void AppendToList(const CPlayList& other);
    // Reads a playlist file into a fresh list under the application's
    // duplicates rule; a file another process holds is reported.
    void LoadPlayListFile(CPlayList& list, const QString& path);
    // Out of full screen, IDS_FILE_IN_USE.
    void ReportFileInUse();
    // Volume database (MainFrameVolumeDB.cpp)
    void OnUseVolDB();
    void OnResetVolDB();
    // ---- Information and filter list dialogs (MainFrameDialogs.cpp) ----
    void OnDShowInfo();
    void OnMediaInfo();
    void OnFirstUseList();
    void OnBlackList();
    // The dialog on a copy of the list; the list takes the copy on OK.
    void EditFilterList(FilterNameList& list, BOOL bFirstUse);
    // ---- Desktop: the "send to" entry (MainFrameDesktop.cpp) ----
    void OnSendToRegister();
    void OnSendToUnregister();
    // Commands of the common player keys, the wheel and the media keys.
    void OnPlay();
    void OnPause();
    void OnSeekBack();
    void OnSeekForward();
    void OnVolumeUp();
    void OnVolumeDown();
    void OnPlayListWindow();

    CINIFile& m_iniFile;
    CFrameClient* m_pClient = nullptr;
    CCommandTable* m_pCommands = nullptr;
    IVideoView* m_pVideoView = nullptr;
    QPointer<QWidget> m_pHelpWnd;
    BOOL m_bButtonsCreated = FALSE;
    BOOL m_bCloseWithoutQuestions = FALSE;
    // Closing went ahead: held work has nothing left to act on.
    BOOL m_bClosed = FALSE;
    std::function<QRect()> m_workAreaSource;
    // The window manager has framed and placed the window (it was exposed).
    BOOL m_bFramed = FALSE;
    BOOL m_bWatchingExposure = FALSE;
    // A video size fitted before then; invalid when none waits.
    QSize m_sizePendingFit;

    // ---- Volume database (MainFrameVolumeDB.cpp) ----
    // On the database file of this settings folder; only the primary writes.
    static CVolumeDB OpenVolumeDB();
    // The loaded file's volume goes into the cache as it is left; TRUE when
    // FlushVolumeDB is then to write it.
    BOOL RememberLoadedVolume();
    void FlushVolumeDB();
    // The loaded file's stored volume becomes the current one.
    void RestoreStoredVolume();
    // A database file another process held for the whole wait.
    void ReportVolumeDbTimeout();
    CVolumeDB m_volumeDB = OpenVolumeDB();

    // ---- Desktop: keys, wheel and tooltips (MainFrameDesktop.cpp) ----
    // Called once the bars and buttons exist.
    void SetUpDesktopInput();
    // Like a release of the seek bar llDelta (100-ns units) from the picture
    // on screen, kept within the file.
    void SeekByTime(LONGLONG llDelta);
    // The volume bar moves and the sound follows, as when it is dragged.
    void ChangeVolumeBy(int nDelta);
    class CDesktopInput* m_pDesktopInput = nullptr;
    // MPRIS clients act through the same paths as the keys and drops.
    friend class CMprisFrameHost;

    // ---- Still capture (MainFrameCapture.cpp) ----
    // WM_CAPTURE_DONE: the buttons come back and a failure is shown.
    void OnCaptureDone(quintptr wParam, qintptr lParam);
    // The settings dialog on the frame's capture settings; FALSE: cancelled.
    BOOL EditCaptureSettings();
    // Declared last so that it is destroyed first: the save ends before the
    // rest of the frame goes.
    CCaptureWorker m_captureWorker;

    // ---- Full screen (MainFrameFullScreen.cpp) ----
    void LayOutForView(QSize sizeClient) override;
    void OnPanelSliderScroll(int nSBCode, CJumpSlider* pSlider) override;
    CInfoValues PanelValues() const override { return InfoValues(); }
    // The full-screen panel's copy of a frame button; null when it has none.
    CBitmapButton* PanelTwin(const CBitmapButton& btn);

    // ---- Playlist window (MainFramePlayListWnd.cpp) ----
    // The window, once it has been opened; it is a child of the frame.
    CPlayListWnd* PlayListWnd() const;
    BOOL IsPlayListWndShown() const;
    void ShowPlayListWnd();
    // At the first showing of the frame: the window as the settings left it.
    void RestorePlayListWnd();
    // Before the settings are written: the window's place kept, the window
    // gone, and no more change notices to a frame being taken apart.
    void DetachPlayListWnd();
    // Every change of the list, whatever made it.
    void OnPlayListChanged(PlayListChange change);
    // What the window asks for.
    void PlayListEntry(int nIndex);
    void RemoveListEntries(std::vector<int> indices);
    int MoveListEntries(std::vector<int> indices, int nBefore);
};
