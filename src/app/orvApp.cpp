#include "app/orvApp.h"

#include "app/TerminationSignals.h"
#include "platform/MainWnd.h"
#include "platform/ModalSeam.h"
#include "ui/MainFrame.h"

#include <QApplication>

#include <clocale>

const char* SetProgramLocale()
{
    const char* loc = std::setlocale(LC_ALL, "");
    if (!loc)
        loc = std::setlocale(LC_ALL, "C.UTF-8");
    return loc;
}

CorvApp::CorvApp(int& argc, char** argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("Orvalo"));
    m_pQtApp = std::make_unique<QApplication>(argc, argv);
    // A logout or kill closes the window the normal way, so nothing is lost.
    // A signal that comes before the window exists is handled once the event
    // loop runs.
    InstallTerminationHandler([this](int) {
        if (m_pMainWnd)
            m_pMainWnd->close();
        else
            QCoreApplication::quit();
    });
    // The window class on X11 is the application name.
    QCoreApplication::setApplicationName(QStringLiteral("Orvalo"));
    m_pszLocale = SetProgramLocale();
    m_iniFile.InitPath();
    LoadAppSettings(m_iniFile);
    SetTheAppSettings(this);
}

CorvApp::~CorvApp()
{
    m_pMainWnd.reset();
    SaveAppSettings(m_iniFile);
    SetTheAppSettings(nullptr);
}

BOOL CorvApp::InitInstance()
{
    if (!m_pszLocale) {
        AfxMessageBox(62114, MB_ICONERROR);
        return FALSE;
    }
    // Until instance control exists, every start owns its window.
    m_bPrimary = TRUE;
    m_pMainWnd = std::make_unique<CMainFrame>(m_iniFile);
    if (!m_pMainWnd->LoadFrame())
        return FALSE;
    SetModalParent(m_pMainWnd.get());
    AfxSetMainWnd(m_pMainWnd.get());
    m_pMainWnd->ResetWindowTitle();
    m_pMainWnd->show();
    return TRUE;
}

int CorvApp::Run()
{
    QApplication::setQuitOnLastWindowClosed(true);
    const int rc = m_pQtApp->exec();
    m_pMainWnd.reset();
    return rc;
}
