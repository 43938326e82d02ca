#pragma once
// The folder dialog of the program's commands.

#include "platform/WinTypes.h"

#include <QString>

class QWidget;

// Asks for a folder, starting in strStartFolder when it is not empty. The
// chosen folder, or an empty string when cancelled. bNewStyle is accepted
// for the callers' sake; there is only one style of folder dialog here.
QString BrowseForFolder(const QString& strTitle, const QString& strStartFolder, BOOL bNewStyle, QWidget* pOwner);
