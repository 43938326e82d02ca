#pragma once
// Where the "send to" entry lives: a launcher entry in the user's
// applications folder, which every file manager offers under "Open With".

#include <QString>

// $XDG_DATA_HOME/applications/orvで再生.desktop (~/.local/share by default);
// empty when no such folder can be worked out.
QString SendToShortcutPath();
