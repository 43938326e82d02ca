#pragma once
// Still images as baseline JPEG files, encoded with libjpeg.

#include <QByteArray>
#include <QString>

// Writes the picture of the packed DIB (any kind NormalizeDibTo24 reads) at
// strPath, replacing one that is there. nQuality is libjpeg's 0..100 scale;
// values outside it are clamped. False, and no file left behind, when the
// image cannot be read, memory runs out, the encoder fails or the file
// cannot be written.
bool WriteJpegFile(const QString& strPath, const QByteArray& dib, int nQuality);
