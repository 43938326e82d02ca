// Playlist files as the program reads them: .orvl and .m3u, UTF-8 or CP932,
// whatever bytes they hold. The first byte picks the kind.

#include "playlist/PlayList.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    if (nSize == 0)
        return 0;
    static const QString folder = QDir::tempPath() + QStringLiteral("/orv-fuzz-%1").arg(QCoreApplication::applicationPid());
    QDir().mkpath(folder);
    const QString path = folder + (pData[0] & 1 ? QStringLiteral("/list.m3u") : QStringLiteral("/list.orvl"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char*>(pData + 1), qint64(nSize - 1));
    file.close();
    CPlayList list;
    list.m_bAllowDuplicates = pData[0] & 2;
    list.Load(path);
    // Whatever was taken is a list the program can use.
    for (int i = 0; i < list.GetCount(); ++i)
        (void)list.GetAt(i).size();
    return 0;
}
