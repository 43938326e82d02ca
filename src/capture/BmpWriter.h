#pragma once
// Still images as BMP files: the packed DIB exactly as the renderer gave
// it, behind a BITMAPFILEHEADER. A 32-bit image stays 32-bit.

#include <QByteArray>
#include <QString>

// Bytes in a BITMAPFILEHEADER: "BM", file size, two reserved words, offset
// of the pixels; little-endian.
constexpr int BMP_FILE_HEADER_SIZE = 14;

// Writes the file at strPath (replacing one that is there). False, and no
// file left behind, when the DIB's header claims more bytes than it holds
// or the file cannot be written.
bool WriteBmpFile(const QString& strPath, const QByteArray& dib);
