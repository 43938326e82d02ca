#include "capture/DibLayout.h"

#include <cstring>

bool ReadDibLayout(const std::uint8_t* pData, std::size_t cbData, DibLayout* pLayout)
{
    if (!pData || cbData < sizeof(BITMAPINFOHEADER))
        return false;
    DibLayout layout;
    std::memcpy(&layout.bih, pData, sizeof layout.bih);
    const BITMAPINFOHEADER& bih = layout.bih;
    if (bih.biSize < sizeof bih)
        return false;
    layout.nColors = bih.biClrUsed;
    if (layout.nColors == 0 && bih.biBitCount >= 1 && bih.biBitCount <= 8)
        layout.nColors = std::uint64_t(1) << bih.biBitCount;
    // All in 64 bits: biSize and biClrUsed may say anything.
    const std::uint64_t cbHeaderAndTable = std::uint64_t(bih.biSize) + 4 * layout.nColors;
    if (cbHeaderAndTable > cbData)
        return false;
    layout.pColors = pData + bih.biSize;
    layout.pBits = pData + cbHeaderAndTable;
    layout.cbAvailable = cbData - cbHeaderAndTable;
    *pLayout = layout;
    return true;
}
