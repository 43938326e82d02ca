#pragma once
// Launcher entries (freedesktop Desktop Entry files) for the player: the
// user's "send to" entry and the one an install puts in the menu.

#include <QByteArray>
#include <QString>
#include <QStringList>

// The media types the player opens, playlists included. The installed
// application entry lists the same types.
const QStringList& PlayableMimeTypes();

// One program path as the Exec key wants it: always quoted, with the quoted
// string's own escapes, "%" doubled, and the file's string escapes on top.
// The launcher gets back exactly the given path.
QString DesktopExecProgram(const QString& exePath);

// The "send to" entry: opens the chosen files with exePath, offered under
// "Open With" but kept out of the application menu.
QByteArray SendToEntryText(const QString& exePath);
