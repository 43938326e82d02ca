#include "playlist/FolderScan.h"

#include "platform/Paths.h"
#include "platform/WaitCursor.h"
#include "playlist/MediaFiles.h"
#include "playlist/PlayList.h"

#include <QFile>
#include <QStringList>

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include <dirent.h>
#include <sys/stat.h>

namespace {

using FileId = std::pair<dev_t, ino_t>;

// Names in the order a case-insensitive file system lists them: compared
// as capitals, code unit by code unit, so "_" comes after the letters; names
// that differ only in case follow their exact order, so the result never
// depends on readdir.
QString SortKey(const QString& name)
{
    QString key = name;
    for (QChar& c : key)
        c = c.toUpper();
    return key;
}

void SortNames(QStringList& names)
{
    std::vector<std::pair<QString, QString>> keyed;
    keyed.reserve(static_cast<size_t>(names.size()));
    for (const QString& name : std::as_const(names))
        keyed.emplace_back(SortKey(name), name);
    std::sort(keyed.begin(), keyed.end());
    names.clear();
    for (const auto& [key, name] : keyed)
        names << name;
}

// The files and the sub-folders of a folder, as full paths, each in name
// order. FALSE when the folder cannot be read.
bool ListFolder(const QString& folder, QStringList* pFiles, QStringList* pFolders)
{
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return false;
    QStringList files;
    QStringList folders;
    while (const dirent* entry = ::readdir(dir)) {
        const QString entryName = QFile::decodeName(entry->d_name);
        if (entryName == QLatin1String(".") || entryName == QLatin1String(".."))
            continue;
        struct stat st;
        const QString path = PathAppend(folder, entryName);
        if (::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode))
            folders << entryName;
        else
            files << entryName;
    }
    ::closedir(dir);
    SortNames(files);
    SortNames(folders);
    for (const QString& name : std::as_const(files))
        *pFiles << PathAppend(folder, name);
    for (const QString& name : std::as_const(folders))
        *pFolders << PathAppend(folder, name);
    return true;
}

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
        QStringList files;
        QStringList folders;
        if (!ListFolder(folder, &files, &folders))
            return TRUE;
        for (const QString& path : std::as_const(files)) {
            // Longer paths could not be saved in a playlist or handed to the
            // running copy, so they are left out like any other file the
            // list cannot take.
            if (path.size() <= MAX_PATH && IsMediaFile(path))
                m_list.Add(path);
        }
        if (m_bSubFolders)
            for (const QString& path : std::as_const(folders))
                Scan(path);
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
