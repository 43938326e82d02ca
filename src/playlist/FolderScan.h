#pragma once
// Collecting the media files of a folder into a playlist.

#include "platform/WinTypes.h"

#include <QString>

class CPlayList;

// Adds the media files of the folder to the list in name order (letter case
// aside), then, when bSubFolders is set, those of each sub-folder in name
// order, depth first. The list's limit and duplicates rule
// apply; refused files are skipped. FALSE when the path is not a folder or is
// too long for a path; TRUE otherwise, also when nothing was found.
BOOL ScanFolder(CPlayList& list, const QString& folder, BOOL bSubFolders);
