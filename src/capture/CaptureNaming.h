#pragma once
// Names of still images: the media file's name and a five-digit number,
// clip_00000.bmp, clip_00001.bmp, … in the chosen folder.

#include <QString>

// The still-image formats, as the settings store them. Any other value
// saves BMP.
constexpr int SAVE_FORMAT_BMP = 0;
constexpr int SAVE_FORMAT_JPEG = 1;

// Numbers run from 0 to this.
constexpr int CAPTURE_MAX_NUMBER = 99999;

// The first free path for a still of strSourcePath in strFolder, numbered
// from 0: ".jpg" for JPEG, ".bmp" otherwise, and only names of that
// extension count as taken. Anything by that name takes it, a dangling link
// too. Empty when every number is taken or the path would be longer than
// MAX_PATH characters.
QString MakeCaptureFilePath(const QString& strSourcePath, const QString& strFolder, int nFormat);
