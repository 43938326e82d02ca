#pragma once
// A main frame whose view is a scripted stand-in: the tests set the view's
// state and read the calls the frame made, with no playback behind it.
// Fixtures that play real media keep the frame's own view. The frame is
// driven as the user and the program do, and read through its accessors.

#include "ScriptedResponder.h"
#include "TestEnv.h"

#include "app/AppSettings.h"
#include "app/INIFile.h"
#include "ui/CommandIds.h"
#include "ui/MainFrame.h"
#include "ui/VideoView.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>

#include <memory>
#include <vector>

class FakeVideoView : public IVideoView {
public:
    BOOL bLoaded = FALSE;
    BOOL bStarted = FALSE;
    BOOL bPaused = FALSE;
    BOOL bHasVideo = FALSE;
    BOOL bSeekable = FALSE;
    BOOL bFullScreen = FALSE;
    QSize sizeNative;
    // Files that fail to load; the view says so in a box of this text.
    QStringList failing;
    static inline const QString kLoadFailure = QStringLiteral("load failed");

    // What the frame asked for.
    QStringList loaded;
    int nStarts = 0;
    std::vector<int> volumes;
    // The seek bar's drag, in order: "Begin", "To 37", "End".
    QStringList seeks;
    // What a frame step answers (STEPFLAG_*).
    int nStepResult = 0;

    // A file that plays: loaded, started, seekable, with video.
    void Playing(QSize native = QSize(640, 480))
    {
        bLoaded = bStarted = bSeekable = bHasVideo = TRUE;
        sizeNative = native;
    }

    BOOL IsLoaded() override { return bLoaded; }
    BOOL IsStarted() override { return bStarted; }
    BOOL IsPaused() override { return bPaused; }
    BOOL HasVideo() override { return bHasVideo; }
    BOOL IsAudioAvailable() override { return TRUE; }
    BOOL IsSeekable() override { return bSeekable; }
    BOOL IsFullScreen() override { return bFullScreen; }
    int GetDurations(LONGLONG* pllDuration, LONGLONG* pllFrames) override
    {
        *pllDuration = bStarted ? 10000000 : -1;
        *pllFrames = -1;
        return bStarted && bSeekable ? 1 : 0;
    }
    QSize GetNativeSize() override { return bHasVideo ? sizeNative : QSize(); }
    CDShowPlayer* GetPlayer() override { return nullptr; }
    QString GetFilterName(int) override { return {}; }
    QString GetAuthor() override { return {}; }
    QString GetAlbum() override { return {}; }
    QString GetTitle() override { return {}; }
    QString GetRating() override { return {}; }
    QString GetDescription() override { return {}; }
    QString GetCopyright() override { return {}; }
    void LeaveFullScreen() override { bFullScreen = FALSE; }
    void ToggleFullScreen() override {}
    BOOL SetVolume(int nVolume) override
    {
        volumes.push_back(nVolume);
        return TRUE;
    }
    BOOL SetAspectFix(BOOL) override { return TRUE; }
    BOOL LoadMedia(const QString& path) override
    {
        loaded << path;
        bLoaded = !failing.contains(path);
        bStarted = FALSE;
        if (!bLoaded)
            AfxMessageBox({ kLoadFailure, path, QString() }, MB_ICONERROR);
        return bLoaded;
    }
    BOOL StartPlayback() override
    {
        if (!bLoaded || bStarted)
            return FALSE;
        ++nStarts;
        bStarted = TRUE;
        return TRUE;
    }
    BOOL StopPlayback() override
    {
        if (!bLoaded)
            return FALSE;
        bStarted = bPaused = FALSE;
        return TRUE;
    }
    void CloseMedia() override { bLoaded = bStarted = bPaused = FALSE; }
    BOOL TogglePause() override
    {
        if (!bStarted)
            return FALSE;
        bPaused = !bPaused;
        return TRUE;
    }
    BOOL Replay() override { return FALSE; }
    BOOL UpdateLength() override { return bStarted; }
    BOOL BeginSeek() override { return Seek(QStringLiteral("Begin")); }
    BOOL SeekTo(int nValue) override { return Seek(QStringLiteral("To %1").arg(nValue)); }
    BOOL EndSeek() override { return Seek(QStringLiteral("End")); }
    QByteArray GetCurrentImage() override { return {}; }
    int StepFrames(BOOL, LONGLONG) override { return nStepResult; }
    LONGLONG GetCurrentPosition() override { return -1; }
    int SeekPlaying(LONGLONG) override { return 0; }
    int SetSegment(LONGLONG, LONGLONG) override { return 0; }
    int ClearSegment() override { return 0; }

private:
    BOOL Seek(const QString& call)
    {
        seeks << call;
        return TRUE;
    }
};

class FrameFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_ini.InitPath();
        m_app.m_bPrimary = TRUE;
        SetTheAppSettings(&m_app);
        BuildFrame();
    }
    // The frame, built anew as at the next start on the settings last written.
    void BuildFrame()
    {
        m_frame.reset();
        m_frame = std::make_unique<CMainFrame>(m_ini);
        ASSERT_TRUE(m_frame->LoadFrame());
        if (UsesScriptedView())
            m_frame->SetVideoView(&m_view);
    }
    // False: the frame plays with its own view.
    virtual bool UsesScriptedView() const { return true; }
    void TearDown() override
    {
        m_frame.reset();
        SetTheAppSettings(nullptr);
    }

    CMainFrame& Frame() { return *m_frame; }
    // What the event loop would run next: work held for after a box,
    // posted notices.
    static void RunPosted() { QCoreApplication::sendPostedEvents(); }
    void Command(int nID) { m_frame->OnCommand(nID); }
    QStringList Entries() const
    {
        QStringList out;
        for (int i = 0; i < m_frame->PlayList().GetCount(); ++i)
            out << m_frame->PlayList().GetAt(i);
        return out;
    }
    int Current() const { return m_frame->PlayList().m_nCurrent; }
    // The list as a start with these files leaves it: nothing plays yet.
    void StartList(const QStringList& entries, const QString& strOnlyPlayList = QString())
    {
        CPlayList list;
        for (const QString& entry : entries)
            list.Add(entry);
        m_frame->SetStartList(list, strOnlyPlayList);
    }
    // The window's button of the command; of a pair (play and pause, sound
    // on and off, the one-file loop off and on) the first or the second.
    CBitmapButton& Button(int nID, int nOfPair = 0)
    {
        return *m_frame->ClientArea()->findChildren<CBitmapButton*>(QString::number(nID),
            Qt::FindDirectChildrenOnly)[nOfPair];
    }
    CJumpSlider& VolumeBar() { return *m_frame->ClientArea()->findChild<CJumpSlider*>(QString::number(IDC_VOLUMEBAR)); }
    // A paused video whose frame step the renderer has not ended yet.
    void StepPending()
    {
        m_view.Playing();
        m_view.bPaused = TRUE;
        m_view.nStepResult = STEPFLAG_STARTED;
        Command(ID_FRAME_FORWARD);
        ASSERT_TRUE(m_frame->Marks().bStepBusy);
    }
    // Start folders of the file and folder dialogs asked so far.
    QStringList DialogDirs() const
    {
        return QStringList(m_responder.dialogDirs.begin(), m_responder.dialogDirs.end());
    }
    // Texts of the boxes shown so far, then forgets them.
    QStringList TakeBoxes()
    {
        QStringList out;
        for (const ScriptedResponder::Box& box : m_responder.boxes)
            out << box.text;
        m_responder.boxes.clear();
        return out;
    }

    TempHome m_home;
    CINIFile m_ini;
    CAppSettings m_app;
    ScriptedResponder m_responder;
    FakeVideoView m_view;
    std::unique_ptr<CMainFrame> m_frame;
};

// The frame with its own view on an X display; skipped elsewhere.
class OnScreenFrameFixture : public FrameFixture {
protected:
    bool UsesScriptedView() const override { return false; }
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs an X display";
        FrameFixture::SetUp();
    }
};
