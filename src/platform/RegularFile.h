#pragma once
// Whether a path names an ordinary file. Pipes, devices, sockets and folders
// are never media, and opening some of them waits for good (a pipe with no
// writer), so they are told apart without waiting.

#include <QString>

enum class FileKind {
    Regular,    // an ordinary file that could be opened for reading
    Missing,    // nothing by that name
    Unreadable, // there, but not ours to read
    Other,      // a pipe, device, socket or folder
};

// Opens the path without blocking and looks at what was opened.
FileKind CheckFileKind(const QString& path);
