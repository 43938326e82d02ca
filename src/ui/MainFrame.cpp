#include "ui/MainFrame.h"

#include "app/AppSettings.h"
#include "app/INIFile.h"
#include "platform/ResString.h"

CMainFrame::CMainFrame(CINIFile& ini)
    : m_iniFile(ini)
{
    setObjectName(QStringLiteral("Orvalo"));
    resize(320, 337);
    LoadFrameSettings(m_iniFile);
}

CMainFrame::~CMainFrame() { SaveFrameSettings(m_iniFile, TheAppSettings().m_bPrimary); }

void CMainFrame::ResetWindowTitle()
{
    const QString title = LoadResString(IDS_APP_TITLE);
    setWindowTitle(TheAppSettings().m_bPrimary ? title : QLatin1Char('*') + title);
}
