#pragma once
// Path helpers in the shape the program's logic uses, and where its files live.

#include <QString>

// ".ext" of the last path component (dot included), or "" when it has none.
QString PathFindExtension(const QString& path);
// The last path component.
QString PathFindFileName(const QString& path);
// The folder part (no trailing separator, "/" for the root); "" when none.
QString PathRemoveFileSpec(const QString& path);
// dir + "/" + name without doubling the separator.
QString PathAppend(const QString& dir, const QString& name);

// Full path of the running program.
QString ExecutablePath();

// The settings file and the volume database:
//  - in $ORV_HOME when it is set;
//  - else beside the program when an orv.ini already lies there and the
//    folder is writable (a portable install);
//  - else orv.ini in $XDG_CONFIG_HOME/orv and orvvol.db in $XDG_STATE_HOME/orv.
// Folders are created when the file is first written, not here.
QString SettingsFilePath();
QString VolumeDbFilePath();
