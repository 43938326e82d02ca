// The still-capture normaliser on any bytes as a packed DIB: every bit depth,
// colour tables and run-length streams, whatever their headers claim.

#include "capture/DibNormalize.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    // A copy of just the input's size, so that a read past it is caught.
    auto* pCopy = static_cast<std::uint8_t*>(std::malloc(nSize ? nSize : 1));
    if (nSize)
        std::memcpy(pCopy, pData, nSize);
    const QByteArray out = NormalizeDibTo24(pCopy, nSize);
    std::free(pCopy);
    // What comes out is a header and whole rows of the size it states.
    if (!out.isEmpty() && out.size() < 40)
        std::abort();
    return 0;
}
