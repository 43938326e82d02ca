#pragma once
// The application object: lives for the process, owns the Qt application,
// the settings file accessor and the application-level settings.

#include "app/AppSettings.h"
#include "app/INIFile.h"

#include <memory>

class QApplication;
class CMainFrame;

class CorvApp : public CAppSettings {
public:
    CorvApp(int& argc, char** argv);
    ~CorvApp() override;
    CorvApp(const CorvApp&) = delete;
    CorvApp& operator=(const CorvApp&) = delete;

    // False ends the process without a window.
    BOOL InitInstance();
    // Runs the event loop until the main window is gone; the process's exit code.
    int Run();

    CINIFile m_iniFile;
    // Null when no locale could be set.
    const char* m_pszLocale = nullptr;

private:
    std::unique_ptr<QApplication> m_pQtApp;
    std::unique_ptr<CMainFrame> m_pMainWnd;
};

// Sets the locale from the environment, else C.UTF-8; null when both fail.
const char* SetProgramLocale();
