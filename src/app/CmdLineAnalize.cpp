#include "app/CmdLineAnalize.h"

#include "app/AppSettings.h"
#include "platform/ModalSeam.h"
#include "playlist/FolderScan.h"
#include "playlist/MediaFiles.h"
#include "res/StringIds.h"

#include <QDir>
#include <QFile>

void CCmdLineAnalize::ParseCommandLine(const QStringList& args)
{
    bool bSwitches = true;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& token = args[i];
        const BOOL bLast = i + 1 == args.size();
        if (bSwitches && token == QLatin1String("--")) {
            bSwitches = false;
            continue;
        }
        if (bSwitches && token.startsWith(QLatin1Char('-'))) {
            ParseParam(token, TRUE, bLast);
            continue;
        }
        const QString path = token.isEmpty() || token.startsWith(QLatin1Char('/'))
            ? token
            : QDir::cleanPath(QDir::current().absoluteFilePath(token));
        ParseParam(path, FALSE, bLast);
    }
}

void CCmdLineAnalize::ParseParam(const QString& param, BOOL bFlag, BOOL /*bLast*/)
{
    if (bFlag)
        return;
    const CAppSettings& app = TheAppSettings();
    m_playList.m_bAllowDuplicates = app.m_bAccSameData;

    if (IsFolder(param)) {
        CPlayList scan;
        scan.m_bAllowDuplicates = app.m_bAccSameData;
        if (ScanFolder(scan, param, app.m_bAccSubFolder) && scan.GetCount() > 0)
            AppendToList(scan);
        ++m_nParamCount;
    } else if (IsMediaFile(param)) {
        m_playList.Add(param);
        ++m_nParamCount;
    } else if (IsPlayListFile(param)) {
        CPlayList file;
        file.m_bAllowDuplicates = app.m_bAccSameData;
        if (file.Load(param) == PLAYLIST_LOAD_IN_USE)
            AfxMessageBox(IDS_FILE_IN_USE, MB_ICONERROR);
        if (file.GetCount() > 0)
            AppendToList(file);
        if (m_nParamCount == 0)
            m_strFirstPlaylist = param;
        ++m_nParamCount;
    } else if (m_pReport) {
        // Said rather than dropped, so a mistyped name does not just vanish.
        std::fprintf(m_pReport, "orv: %s: not a media or playlist file\n", QFile::encodeName(param).constData());
        std::fflush(m_pReport);
    }
}

void CCmdLineAnalize::AppendToList(const CPlayList& other)
{
    if (!m_playList.Append(other))
        AfxMessageBox(IDS_PLAYLIST_FULL, MB_ICONINFORMATION);
}
