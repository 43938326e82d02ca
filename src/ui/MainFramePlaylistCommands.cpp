// Filling the playlist: opening and adding media files, folders and
// playlist files, dropped files, saving, and the unsaved-playlist question.

#include "ui/MainFrame.h"

#include "app/AppSettings.h"
#include "platform/BrowseForFolder.h"
#include "platform/FileFilter.h"
#include "platform/ModalSeam.h"
#include "platform/Paths.h"
#include "playlist/FolderScan.h"
#include "playlist/MediaFiles.h"
#include "res/StringIds.h"
#include "ui/VideoView.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace {

const QString kOpenCaption = QStringLiteral("開く");
const QString kSaveCaption = QStringLiteral("名前を付けて保存");
const QString kPlayListOpenFilter
    = QStringLiteral("プレイリストファイル (*.orvl;*.m3u)|*.orvl;*.m3u|すべてのﾌｧｲﾙ (*.*)|*.*||");
const QString kPlayListSaveFilter = QStringLiteral("プレイリストファイル (*.orvl)|*.orvl||");

// A temporary list under the application's duplicates rule.
void PrepareTempList(CPlayList& list)
{
    list.m_bAllowDuplicates = TheAppSettings().m_bAccSameData;
    list.Clear();
}

// The media files of a folder into a fresh list; FALSE when the scan failed.
BOOL ScanIntoTempList(CPlayList& list, const QString& folder)
{
    PrepareTempList(list);
    return ScanFolder(list, folder, TheAppSettings().m_bAccSubFolder);
}

QStringList AskMediaFiles(QWidget* parent, const QString& startFolder)
{
    return Modal().GetOpenFileNames(parent, kOpenCaption, startFolder, MfcFilterToQt(BuildMediaFilter()), true);
}

// The media files among those chosen, in order; other files, and files the
// list refuses (full, or already in it), are skipped without a word.
void AddMediaFiles(CPlayList& list, const QStringList& files)
{
    for (const QString& file : files)
        if (IsMediaFile(file))
            list.Add(file);
}

// The local paths of a drop, in the order given.
QStringList DroppedPaths(const QMimeData* data)
{
    QStringList paths;
    if (!data)
        return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    return paths;
}

} // namespace

BOOL CMainFrame::AskSavePlayList()
{
    View().LeaveFullScreen();
    if (m_playList.GetCount() <= 1 || !m_playList.m_bModified)
        return TRUE;
    switch (AfxMessageBox(IDS_PLAYLIST_UNSAVED, MB_YESNOCANCEL | MB_ICONINFORMATION)) {
    case IDYES:
        // A list that was not saved after all (no name given, or the save
        // failed) would be lost if the operation went on.
        return SavePlayListAs();
    case IDNO:
        return TRUE;
    default:
        return FALSE;
    }
}

void CMainFrame::AfterEntriesAdded()
{
    if (View().IsStarted())
        UpdatePrevNextButtons();
    else
        StartOrResumeList();
    RedrawPlaylistCount();
}

void CMainFrame::OnFileOpen()
{
    if (m_marks.bStepBusy || !AskSavePlayList())
        return;
    const QStringList files = AskMediaFiles(this, m_settings.m_strMediaFolder);
    if (files.isEmpty())
        return;
    m_strPlayListFile.clear();
    m_playList.Clear();
    AddMediaFiles(m_playList, files);
    m_settings.m_strMediaFolder = PathRemoveFileSpec(files.last());
    PlayListFromTop();
}

void CMainFrame::OnAddFiles()
{
    if (m_marks.bStepBusy)
        return;
    const QStringList files = AskMediaFiles(this, m_settings.m_strMediaFolder);
    if (files.isEmpty())
        return;
    AddMediaFiles(m_playList, files);
    m_settings.m_strMediaFolder = PathRemoveFileSpec(files.last());
    AfterEntriesAdded();
}

void CMainFrame::OnOpenFolder()
{
    if (m_marks.bStepBusy || !AskSavePlayList())
        return;
    const QString folder = BrowseForFolder(QStringLiteral("フォルダを開く"), m_strLastFolder, FALSE, this);
    if (folder.isEmpty())
        return;
    m_strLastFolder = folder;
    // A folder that has gone since it was chosen restarts the list as it is.
    if (IsFolder(folder)) {
        m_strPlayListFile.clear();
        m_playList.Clear();
        CPlayList scan;
        if (!ScanIntoTempList(scan, folder)) {
            RedrawPlaylistCount();
            return;
        }
        AppendToList(scan);
    }
    PlayListFromTop();
}

// Works while a frame step runs: adding never touches what plays.
void CMainFrame::OnAddFolder()
{
    const QString folder
        = BrowseForFolder(QStringLiteral("プレイリストに追加するフォルダ"), m_strLastFolder, FALSE, this);
    if (folder.isEmpty())
        return;
    m_strLastFolder = folder;
    if (IsFolder(folder)) {
        CPlayList scan;
        if (!ScanIntoTempList(scan, folder))
            return;
        AppendToList(scan);
    }
    AfterEntriesAdded();
}

void CMainFrame::AppendToList(const CPlayList& other)
{
    if (!m_playList.Append(other))
        AfxMessageBox(IDS_PLAYLIST_FULL, MB_ICONINFORMATION);
}

void CMainFrame::LoadPlayListFile(CPlayList& list, const QString& path)
{
    PrepareTempList(list);
    if (list.Load(path) == PLAYLIST_LOAD_IN_USE)
        ReportFileInUse();
}

void CMainFrame::ReportFileInUse()
{
    View().LeaveFullScreen();
    AfxMessageBox(IDS_FILE_IN_USE, MB_ICONERROR);
}

QStringList CMainFrame::AskPlayListFiles()
{
    return Modal().GetOpenFileNames(
        this, kOpenCaption, m_settings.m_strPlayListFolder, MfcFilterToQt(kPlayListOpenFilter), true);
}

int CMainFrame::AppendPlayListFiles(const QStringList& files, QString* pFirst)
{
    int nFiles = 0;
    for (const QString& file : files) {
        if (!IsPlayListFile(file))
            continue;
        CPlayList loaded;
        LoadPlayListFile(loaded, file);
        if (loaded.GetCount() > 0)
            AppendToList(loaded);
        if (nFiles++ == 0 && pFirst)
            *pFirst = file;
    }
    return nFiles;
}

void CMainFrame::OnOpenPlayList()
{
    if (m_marks.bStepBusy || !AskSavePlayList())
        return;
    const QStringList files = AskPlayListFiles();
    if (files.isEmpty())
        return;
    m_strPlayListFile.clear();
    m_playList.Clear();
    QString first;
    // One file opened is that file, unchanged; several make a new list
    // that has no file of its own yet.
    if (AppendPlayListFiles(files, &first) == 1) {
        m_playList.m_bModified = FALSE;
        if (IsOwnPlayListFile(first))
            m_strPlayListFile = first;
    }
    m_settings.m_strPlayListFolder = PathRemoveFileSpec(files.last());
    PlayListFromTop();
}

void CMainFrame::OnAddPlayList()
{
    if (m_marks.bStepBusy)
        return;
    const QStringList files = AskPlayListFiles();
    if (files.isEmpty())
        return;
    AppendPlayListFiles(files, nullptr);
    m_settings.m_strPlayListFolder = PathRemoveFileSpec(files.last());
    AfterEntriesAdded();
}

void CMainFrame::OnSavePlayList()
{
    if (!m_strPlayListFile.isEmpty() && m_playList.GetCount() > 1)
        SavePlayListTo(m_strPlayListFile);
}

void CMainFrame::OnSavePlayListAs() { SavePlayListAs(); }

BOOL CMainFrame::SavePlayListAs()
{
    // A known playlist file is offered by its name, in its folder.
    const QString start = m_strPlayListFile.isEmpty() ? m_settings.m_strPlayListFolder : m_strPlayListFile;
    const QString path = Modal().GetSaveFileName(this, kSaveCaption, start, MfcFilterToQt(kPlayListSaveFilter),
        QStringLiteral(".orvl"));
    if (path.isEmpty() || !SavePlayListTo(path))
        return FALSE;
    m_strPlayListFile = path;
    return TRUE;
}

BOOL CMainFrame::SavePlayListTo(const QString& path)
{
    const FileWaitResult result = m_playList.Save(path);
    if (result == FileWaitResult::Done)
        return TRUE;
    if (result == FileWaitResult::TimedOut)
        ReportFileInUse();
    // The file is as it was and the list stays modified; the user must know
    // the list is not kept.
    View().LeaveFullScreen();
    AfxMessageBox(IDS_PLAYLIST_SAVE_FAILED, MB_ICONERROR);
    return FALSE;
}

void CMainFrame::OnDropFiles(const QStringList& paths)
{
    if (m_marks.bStepBusy)
        return;
    const BOOL bAccSameData = TheAppSettings().m_bAccSameData;
    for (const QString& path : paths) {
        if (IsFolder(path)) {
            CPlayList scan;
            if (ScanIntoTempList(scan, path)) {
                m_playList.m_bAllowDuplicates = bAccSameData;
                AppendToList(scan);
            }
        } else if (IsMediaFile(path)) {
            m_playList.Add(path);
        } else if (IsPlayListFile(path)) {
            CPlayList loaded;
            LoadPlayListFile(loaded, path);
            m_playList.m_bAllowDuplicates = bAccSameData;
            AppendToList(loaded);
        }
    }
    raise();
    activateWindow();
    AfterEntriesAdded();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedPaths(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QStringList paths = DroppedPaths(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    // The drop is finished first, so a long scan or a message box never
    // holds up the program the files came from; a box open now closes
    // before the list grows.
    PostFrameWork([this, paths] { OnDropFiles(paths); });
}
