// The volume database's lines as the program reads them: the first byte
// picks which path is looked for, the rest is the file.

#include "voldb/VolumeDbLines.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    if (nSize == 0)
        return 0;
    static const QString paths[] = { QStringLiteral("/m/a.mp3"), QStringLiteral("/動画/b c.mp4"), QString() };
    const QString& path = paths[pData[0] % 3];
    const QByteArray file(reinterpret_cast<const char*>(pData + 1), qsizetype(nSize - 1));
    VolumeDbFound found;
    if (FindVolumeDbLine(file, path, &found)) {
        if (found.nVolume < 0 || found.nVolume > 100 || found.llOffset < VOLDB_BOM_BYTES || found.llOffset >= file.size())
            std::abort();
        // The line found is one a same-length rewrite may go to.
        const qsizetype from = qsizetype(found.llOffset) - 2;
        (void)IsVolumeDbLineAt(file.mid(from, VolumeDbLine(path, 0).size() + 2), found.llOffset, path);
    }
    return 0;
}
