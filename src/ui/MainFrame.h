#pragma once
// The program's main window.

#include "app/FrameSettings.h"

#include <QMainWindow>

class CINIFile;

class CMainFrame : public QMainWindow, public CFrameSettings {
    Q_OBJECT
public:
    explicit CMainFrame(CINIFile& ini);
    ~CMainFrame() override;

    void ResetWindowTitle();

private:
    CINIFile& m_iniFile;
};
