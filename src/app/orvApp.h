#pragma once
// The application object: lives for the process, owns the Qt application,
// the settings file accessor, the application-level settings and the
// instance locks that decide which running copy is the primary.

#include "app/AppSettings.h"
#include "app/INIFile.h"

#include <QStringList>

#include <memory>

class QApplication;
class CInstanceControl;
class CMainFrame;
class CMprisService;

class CorvApp : public CAppSettings {
public:
    CorvApp(int& argc, char** argv);
    // Releases the instance lock, then writes the application-level settings.
    ~CorvApp() override;
    CorvApp(const CorvApp&) = delete;
    CorvApp& operator=(const CorvApp&) = delete;

    // Start-up with the program's command line. False ends the process
    // without a window: a failure (after a message), or files handed to the
    // running primary.
    BOOL InitInstance();
    // Runs the event loop until the main window is gone; the process's exit code.
    int Run();
    // The status to end with when InitInstance gave FALSE: 0 when the files
    // went to the primary, 1 when the program could not start.
    int ExitCode() const { return m_nExitCode; }

    CINIFile m_iniFile;
    // Null when no locale could be set.
    const char* m_pszLocale = nullptr;

private:
    // The start-up steps taken with the start-up lock held.
    BOOL StartWithStartupLock(const QStringList& args);
    // The start-up failure box, with the reason when there is one; FALSE.
    BOOL RefuseStart(const QString& strWhy);
    // SIGTERM, SIGHUP, SIGINT: nobody is there to answer a question.
    void OnTerminationSignal();

    std::unique_ptr<QApplication> m_pQtApp;
    std::unique_ptr<CInstanceControl> m_pInstance;
    std::unique_ptr<CMainFrame> m_pMainWnd;
    // Goes before the window it speaks for.
    std::unique_ptr<CMprisService> m_pMpris;
    BOOL m_bTerminating = FALSE;
    int m_nExitCode = 0;
};

// Sets the locale from the environment, else C.UTF-8; null when both fail.
const char* SetProgramLocale();
