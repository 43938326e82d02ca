#pragma once
// The text of the volume database file: UTF-16LE after a byte-order mark,
// one line "path|NNN" ending in CR LF per file. Offsets are bytes from the
// start of the file, the mark included, so the first line starts at 2.

#include <QByteArray>
#include <QString>

inline const QByteArray VOLDB_BOM("\xFF\xFE", 2);
constexpr qint64 VOLDB_BOM_BYTES = 2;

// "path|NNN" CR LF in UTF-16LE; the volume is clamped to 0..100 so that it
// always takes three digits.
QByteArray VolumeDbLine(const QString& path, int nVolume);

struct VolumeDbFound {
    int nVolume = -1;
    qint64 llOffset = 0;
};

// The first line whose part before its first "|" is `path` exactly and that
// has at least three characters after it; their leading number, clamped to
// 0..100, is the volume. Lines end at LF (a CR before it is no part of the
// line). A file without the byte-order mark holds no lines of ours.
bool FindVolumeDbLine(const QByteArray& file, const QString& path, VolumeDbFound* pFound);

// Whether the line at byte `llOffset` is exactly a line of `path`: it
// starts a line (right after the mark, or after an LF) and is the path, "|",
// three characters and CR LF. Only then may a rewrite of the same length go
// there. `around`: the file's bytes from the unit before that offset, as
// many as VolumeDbLine makes for the path (fewer fail).
bool IsVolumeDbLineAt(const QByteArray& around, qint64 llOffset, const QString& path);
