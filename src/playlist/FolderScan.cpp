#include "playlist/FolderScan.h"

#include "platform/Paths.h"
#include "platform/WaitCursor.h"
#include "playlist/MediaFiles.h"
#include "playlist/PlayList.h"

#include <QFile>

#include <set>
#include <utility>

#include <dirent.h>
#include <sys/stat.h>

namespace {

using FileId = std::pair<dev_t, ino_t>;

class CFolderScanner {
public:
    CFolderScanner(CPlayList& list, BOOL bSubFolders)
        : m_list(list)
        , m_bSubFolders(bSubFolders)
    {
    }

    BOOL Scan(const QString& folder)
    {
        if (!IsFolder(folder))
            return FALSE;
        // A folder whose search pattern would not fit a path is not scanned.
        if (PathAppend(folder, QStringLiteral("*.*")).size() > MAX_PATH)
            return FALSE;
        const QByteArray name = QFile::encodeName(folder);
        struct stat st;
        // A folder met twice (a link back up the tree) is scanned once.
        if (::stat(name.constData(), &st) != 0 || !m_visited.insert(FileId(st.st_dev, st.st_ino)).second)
            return TRUE;
        DIR* dir = ::opendir(name.constData());
        if (!dir)
            return TRUE;
        while (const dirent* entry = ::readdir(dir)) {
            const QString entryName = QFile::decodeName(entry->d_name);
            if (entryName == QLatin1String(".") || entryName == QLatin1String(".."))
                continue;
            const QString path = PathAppend(folder, entryName);
            struct stat est;
            const bool bDir = ::stat(QFile::encodeName(path).constData(), &est) == 0 && S_ISDIR(est.st_mode);
            if (bDir) {
                if (m_bSubFolders)
                    Scan(path);
            } else if (path.size() <= MAX_PATH && IsMediaFile(path)) {
                // Longer paths could not be saved in a playlist or handed to
                // the running copy, so they are left out like any other
                // file the list cannot take.
                m_list.Add(path);
            }
        }
        ::closedir(dir);
        return TRUE;
    }

private:
    CPlayList& m_list;
    BOOL m_bSubFolders;
    std::set<FileId> m_visited;
};

} // namespace

BOOL ScanFolder(CPlayList& list, const QString& folder, BOOL bSubFolders)
{
    CWaitCursor wait;
    CFolderScanner scanner(list, bSubFolders);
    return scanner.Scan(folder);
}
