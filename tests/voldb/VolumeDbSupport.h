#pragma once
// What the volume database tests share: a database file in a folder that
// does not exist yet, the bytes of a file written by hand, and a file left
// as the frame leaves it.

#include "TestEnv.h"

#include "voldb/VolumeDB.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The mark, then ASCII text as UTF-16LE: Db("/a|030\r\n").
inline QByteArray Db(const char* ascii)
{
    QByteArray out("\xFF\xFE", 2);
    for (const char* p = ascii; *p; ++p)
        out.append(*p).append('\0');
    return out;
}

// The frame's calls for one file: looked up when loaded, remembered and
// written when the next one is played.
inline BOOL PlayAndLeave(CVolumeDB& db, const QString& path, int nVolume)
{
    db.Lookup(path);
    return db.Remember(path, nVolume) && db.Flush();
}

class VolumeDbTest : public ::testing::Test {
protected:
    QString DbPath() const { return dir.filePath(QStringLiteral("state/orv/orvvol.db")); }
    QByteArray Bytes() const { return ReadFileBytes(DbPath()); }
    void Put(const QByteArray& bytes)
    {
        QDir().mkpath(dir.filePath(QStringLiteral("state/orv")));
        WriteFileBytes(DbPath(), bytes);
    }

    QTemporaryDir dir;
};
