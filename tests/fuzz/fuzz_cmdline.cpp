// The command line, split into arguments at NUL bytes, as a start parses it
// (switches, paths, folders, playlist files that do not exist).

#include "app/AppSettings.h"
#include "app/CmdLineAnalize.h"

#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    static CAppSettings settings;
    SetTheAppSettings(&settings);
    QStringList args;
    QByteArray current;
    for (std::size_t i = 0; i < nSize; ++i) {
        if (pData[i] == 0) {
            args << QString::fromUtf8(current);
            current.clear();
        } else {
            current += char(pData[i]);
        }
    }
    args << QString::fromUtf8(current);
    static std::FILE* pNull = std::fopen("/dev/null", "w");
    CCmdLineAnalize cmdLine;
    cmdLine.m_pReport = pNull;
    cmdLine.ParseCommandLine(args);
    return 0;
}
