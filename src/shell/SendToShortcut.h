#pragma once
// Where the "send to" entry lives: a launcher entry in the user's
// applications folder, which every file manager offers under "Open With".

#include "platform/WinTypes.h"

#include <QString>

// $XDG_DATA_HOME/applications/orvで再生.desktop (~/.local/share by default);
// empty when no such folder can be worked out.
QString SendToShortcutPath();

// Writes the entry for exePath at shortcutPath, creating the folder when
// missing; the file appears whole or not at all. FALSE on any failure.
BOOL CreateSendToShortcut(const QString& shortcutPath, const QString& exePath);
// FALSE when the file could not be removed (or was not there).
BOOL DeleteSendToShortcut(const QString& shortcutPath);
