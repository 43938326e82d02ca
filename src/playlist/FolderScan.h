#pragma once
// Collecting the media files of a folder into a playlist.

#include "platform/WinTypes.h"

#include <QString>

class CPlayList;

// Adds the media files of the folder to the list in the order the file
// system lists them, going into each sub-folder as it is met when
// bSubFolders is set (depth first). The list's limit and duplicates rule
// apply; refused files are skipped. FALSE when the path is not a folder or is
// too long for a path; TRUE otherwise, also when nothing was found.
BOOL ScanFolder(CPlayList& list, const QString& folder, BOOL bSubFolders);
