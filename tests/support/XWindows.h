#pragma once
// What the X server and its window manager say about windows, read with the
// command-line tools of x11-utils and xdotool, as a user would see them.

#include <QRect>
#include <QString>
#include <QStringList>

// The program's standard output, trimmed; empty when it did not run.
QString ToolOutput(const QString& program, const QStringList& args);

// The mapped windows of a process, menus and dialogs included.
QStringList VisibleWindows(qint64 pid);
QString WindowTitle(const QString& window);
// Whether the window is a dialog that belongs to another (WM_TRANSIENT_FOR).
bool IsTransient(const QString& window);

// A window manager has announced itself on the root window.
bool WindowManagerRunning();
// The desktop's work area as the window manager publishes it; invalid when
// none is published.
QRect WorkArea();
// The whole window, the window manager's frame included: the client area
// where the server has it, grown by the frame extents the manager reports.
// Invalid while the window is not framed.
QRect FrameGeometry(const QString& window);
// The same, once it has stayed the same for a moment; invalid when it does
// not settle within timeoutMs.
QRect SettledFrameGeometry(const QString& window, int timeoutMs = 10000);
