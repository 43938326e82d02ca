#pragma once
// The per-user folder that holds the instance locks and the hand-off socket.

#include <QString>

// $XDG_RUNTIME_DIR/orv when that variable names a folder, else /tmp/orv-<uid>.
// The folder is created with mode 0700 when missing. A folder that is a
// symbolic link, belongs to another user or grants any group or other access
// is refused: whoever can write there could hand files to this user's player
// or read the paths. Returns "" when refused; *pError then says why.
QString PrivateRuntimeDir(QString* pError = nullptr);

// True when the open file or folder belongs to this user and grants no group
// or other access.
bool IsPrivateToUser(int fd);
