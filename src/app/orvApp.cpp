#include "app/orvApp.h"

#include "app/CmdLineAnalize.h"
#include "app/InstanceControl.h"
#include "app/QtTranslations.h"
#include "app/TerminationSignals.h"
#include "platform/MainWnd.h"
#include "platform/ModalSeam.h"
#include "platform/ResString.h"
#include "player/graph/GstWarmUp.h"
#include "res/StringIds.h"
#include "shell/MprisService.h"
#include "ui/MainFrame.h"
#include "ui/MprisFrameHost.h"

#include <QApplication>
#include <QPointer>

#include <clocale>
#include <cstdio>

namespace {
// How long a start waits for another that is starting at the same time.
constexpr int kStartupLockWaitMs = 5000;
} // namespace

const char* SetProgramLocale()
{
    const char* loc = std::setlocale(LC_ALL, "");
    if (!loc)
        loc = std::setlocale(LC_ALL, "C.UTF-8");
    return loc;
}

CorvApp::CorvApp(int& argc, char** argv)
{
    // The window class on X11 is the application name.
    QCoreApplication::setApplicationName(QStringLiteral("Orvalo"));
    m_pQtApp = std::make_unique<QApplication>(argc, argv);
    InstallQtTranslations(*m_pQtApp);
    // A signal that comes before the window exists is handled once an event
    // loop runs.
    InstallTerminationHandler([this](int) { OnTerminationSignal(); });
    m_pszLocale = SetProgramLocale();
    m_iniFile.InitPath();
    LoadAppSettings(m_iniFile);
    SetTheAppSettings(this);
}

CorvApp::~CorvApp()
{
    m_pMpris.reset();
    // The frame writes its settings before the next start may become primary.
    m_pMainWnd.reset();
    m_pInstance.reset();
    SaveAppSettings(m_iniFile);
    SetTheAppSettings(nullptr);
}

BOOL CorvApp::InitInstance()
{
    if (!m_pszLocale) {
        AfxMessageBox(IDS_LOCALE_FAILED, MB_ICONERROR);
        return FALSE;
    }
    // Copies started together take turns from here: each one decides, hands
    // off or opens its window before the next one parses its command line.
    m_pInstance = std::make_unique<CInstanceControl>();
    // A copy stuck while holding the lock (stopped, or worse) must not keep
    // this one from ever opening: after the wait it goes on alone. A signal
    // meanwhile ends it.
    const auto wait = m_pInstance->WaitForStartupLock(kStartupLockWaitMs, [this] {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return !m_bTerminating;
    });
    if (wait == CInstanceControl::StartupWait::Stopped)
        return FALSE;
    if (wait == CInstanceControl::StartupWait::Failed)
        return RefuseStart(m_pInstance->Error());
    if (wait == CInstanceControl::StartupWait::TimedOut)
        std::fprintf(stderr, "orv: another copy of the player is slow to start; going on without it\n");
    const BOOL bStarted = StartWithStartupLock(QCoreApplication::arguments().mid(1));
    m_pInstance->ReleaseStartupLock();
    // The first file plays once later starts may go on: its load, or a box
    // about it, no longer holds them up. The desktop's media controls find
    // the player from then on.
    if (bStarted && m_pMainWnd && !m_bTerminating) {
        m_pMpris = StartMpris(*m_pMainWnd, m_bPrimary);
        m_pMainWnd->PlayListFromTop();
    }
    return bStarted;
}

BOOL CorvApp::StartWithStartupLock(const QStringList& args)
{
    CCmdLineAnalize cmdLine;
    cmdLine.ParseCommandLine(args);

    if (!m_pInstance->CreateInstanceLock())
        return RefuseStart(m_pInstance->Error());
    m_bPrimary = m_pInstance->TryBecomePrimary();
    // Files the primary did not take are opened here, in a window of this
    // copy's own, rather than lost.
    if (!m_bPrimary && !m_bAccMultiBoot) {
        if (m_pInstance->HandOff(cmdLine))
            return FALSE;
        std::fprintf(stderr, "orv: the running player did not take the files; opening them here\n");
    }

    // The decoders load while the window is being built.
    WarmUpDecodersFor(cmdLine.m_playList.GetAt(0));
    m_pMainWnd = std::make_unique<CMainFrame>(m_iniFile);
    if (!m_pMainWnd->LoadFrame()) {
        m_pMainWnd.reset();
        return RefuseStart(QString());
    }
    CMainFrame& frame = *m_pMainWnd;
    SetModalParent(&frame);
    AfxSetMainWnd(&frame);
    frame.ResetWindowTitle();
    frame.show();

    // One playlist file alone is opened as that file.
    frame.SetStartList(cmdLine.m_playList, cmdLine.m_nParamCount == 1 ? cmdLine.m_strFirstPlaylist : QString());
    frame.setAcceptDrops(true);

    // Listening starts before the start-up lock goes, so the next copy to
    // start finds the primary ready for its files; they wait, if need be,
    // until the first file has been started.
    if (m_bPrimary) {
        const QPointer<CMainFrame> pFrame = &frame;
        if (!m_pInstance->Listen([pFrame] { return pFrame ? pFrame->OnInstanceHandoff() : 0; }))
            std::fprintf(stderr, "orv: cannot listen for later starts; they will open windows of their own\n");
    }
    return TRUE;
}

BOOL CorvApp::RefuseStart(const QString& strWhy)
{
    AfxMessageBox(LoadResString(IDS_INIT_FAILED), MB_ICONERROR, strWhy);
    m_nExitCode = 1;
    return FALSE;
}

void CorvApp::OnTerminationSignal()
{
    m_bTerminating = TRUE;
    // Leaves every event loop first, an open dialog's too; a box that closing
    // might show returns at once instead of waiting for an answer.
    QCoreApplication::exit(0);
    if (m_pMainWnd)
        m_pMainWnd->CloseWithoutQuestions();
}

int CorvApp::Run()
{
    // A signal during start-up has already closed the window.
    if (m_bTerminating)
        return 0;
    QApplication::setQuitOnLastWindowClosed(true);
    const int rc = m_pQtApp->exec();
    m_pMpris.reset();
    m_pMainWnd.reset();
    return rc;
}
