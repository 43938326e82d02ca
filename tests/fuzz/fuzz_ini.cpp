// The settings file as the program reads and rewrites it, whatever it holds.

#include "platform/ProfileFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    static const QString path
        = QDir::tempPath() + QStringLiteral("/orv-fuzz-%1.ini").arg(QCoreApplication::applicationPid());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char*>(pData), qint64(nSize));
    file.close();
    (void)GetPrivateProfileString(QStringLiteral("Common"), QStringLiteral("SAVE_FOLDER"), QString(), path);
    (void)GetPrivateProfileInt(QStringLiteral("Black List Filters"), QStringLiteral("BL_NUM"), 0, path);
    // A save keeps every line it does not own.
    ProfileWriteBatch batch(path);
    batch.Set(QStringLiteral("Common"), QStringLiteral("VOLUME"), QStringLiteral("50"));
    batch.Set(QStringLiteral("Media File Ext"), QStringLiteral("VIDEO_EXT0"), QStringLiteral(".mkv"));
    batch.Commit();
    return 0;
}
