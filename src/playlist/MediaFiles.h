#pragma once
// What the program takes for a media file, a playlist file or a folder,
// decided by the name's extension alone (letter case does not matter), and
// the filter of the open-media dialogs.

#include "platform/WinTypes.h"

#include <QString>

#include <array>

// Built-in tables, compared without regard to case. The video and audio
// tables only group the open dialog's filter; every media extension is in
// kMediaExts.
extern const std::array<const char*, 39> kMediaExts;
extern const std::array<const char*, 2> kPlayListExts;
extern const std::array<const char*, 18> kVideoExts;
extern const std::array<const char*, 18> kAudioExts;
extern const std::array<const char*, 3> kMidiExts;

// A built-in media extension or one of the user's video or audio extensions
// (TheAppSettings()). A name without extension is not a media file.
BOOL IsMediaFile(const QString& path);
// ".orvl" or ".m3u".
BOOL IsPlayListFile(const QString& path);
// ".orvl", the program's own format: the only playlist file a plain save
// writes back to.
BOOL IsOwnPlayListFile(const QString& path);
// An existing folder.
BOOL IsFolder(const QString& path);

// The Windows-form filter of the open and add media dialogs, user
// extensions included (convert with MfcFilterToQt).
QString BuildMediaFilter();
// The built-in media extensions as the extension dialog lists them:
// ".wav .mp3 ...", in table order.
QString BuiltInMediaExtList();
