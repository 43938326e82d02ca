#include "capture/DibNormalize.h"

#include "capture/DibLayout.h"
#include "capture/DibRle.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>
#include <vector>

namespace {

// Colour-table lookup. An index past the end of the table gives black
// rather than whatever lies behind the table.
class CPalette {
public:
    explicit CPalette(const DibLayout& layout)
        : m_pColors(layout.pColors)
        , m_nColors(layout.nColors)
    {
    }
    void Put(std::uint32_t index, std::uint8_t* pOut) const
    {
        static const std::uint8_t kBlack[4] = {};
        const std::uint8_t* pEntry = index < m_nColors ? m_pColors + 4 * std::uint64_t(index) : kBlack;
        pOut[0] = pEntry[0];
        pOut[1] = pEntry[1];
        pOut[2] = pEntry[2];
    }

private:
    const std::uint8_t* m_pColors;
    std::uint64_t m_nColors;
};

// A 5-bit component spread over 0..255, so that full intensity stays full.
std::uint8_t Widen5(unsigned c) { return static_cast<std::uint8_t>((c << 3) | (c >> 2)); }

// One row of nWidth pixels of nBits each into blue, green, red bytes.
void ConvertRow(const std::uint8_t* pIn, int nBits, std::uint64_t nWidth, const CPalette& palette, std::uint8_t* pOut)
{
    for (std::uint64_t x = 0; x < nWidth; ++x, pOut += 3) {
        switch (nBits) {
        case 1:
            palette.Put((pIn[x / 8] >> (7 - x % 8)) & 1, pOut);
            break;
        case 4:
            palette.Put((x & 1) ? pIn[x / 2] & 0x0F : pIn[x / 2] >> 4, pOut);
            break;
        case 8:
            palette.Put(pIn[x], pOut);
            break;
        case 16: {
            const unsigned word = pIn[2 * x] | (unsigned(pIn[2 * x + 1]) << 8);
            pOut[0] = Widen5(word & 0x1F);
            pOut[1] = Widen5((word >> 5) & 0x1F);
            pOut[2] = Widen5((word >> 10) & 0x1F);
            break;
        }
        case 24:
            std::memcpy(pOut, pIn + 3 * x, 3);
            break;
        case 32:
            std::memcpy(pOut, pIn + 4 * x, 3);
            break;
        default:
            break;
        }
    }
}

bool IsReadableBitCount(int nBits)
{
    return nBits == 1 || nBits == 4 || nBits == 8 || nBits == 16 || nBits == 24 || nBits == 32;
}

QByteArray Normalize(const DibLayout& layout)
{
    const BITMAPINFOHEADER& in = layout.bih;
    if (in.biWidth <= 0 || in.biHeight == 0 || in.biHeight == INT32_MIN)
        return QByteArray();
    const std::uint64_t nWidth = std::uint64_t(in.biWidth);
    const bool bTopDown = in.biHeight < 0;
    const std::uint64_t nHeight = bTopDown ? std::uint64_t(-std::int64_t(in.biHeight)) : std::uint64_t(in.biHeight);
    if (nWidth * nHeight > DIB_MAX_PIXELS)
        return QByteArray();

    const int nBits = in.biBitCount == 0 ? 24 : in.biBitCount;
    const bool bRle = in.biCompression == BI_RLE8 || in.biCompression == BI_RLE4;
    if (in.biCompression == BI_RGB) {
        if (!IsReadableBitCount(nBits))
            return QByteArray();
    } else if (!(in.biCompression == BI_RLE8 && nBits == 8) && !(in.biCompression == BI_RLE4 && nBits == 4)) {
        return QByteArray();
    } else if (bTopDown) {
        // Run-length images are bottom-up by definition.
        return QByteArray();
    }

    const std::uint8_t* pRows = layout.pBits;
    std::uint64_t cbInStride = DibStride(nWidth, std::uint64_t(nBits));
    int nRowBits = nBits;
    std::vector<std::uint8_t> indexes;
    if (bRle) {
        // Decoded to one byte per pixel, then read as an 8-bit image with
        // the run-length image's own colour table.
        indexes.assign(nWidth * nHeight, 0);
        const std::size_t cbData = std::size_t(std::min<std::uint64_t>(in.biSizeImage, layout.cbAvailable));
        if (!DecodeRleIndexes(layout.pBits, cbData, nBits, std::uint32_t(nWidth), std::uint32_t(nHeight), indexes.data()))
            return QByteArray();
        pRows = indexes.data();
        cbInStride = nWidth;
        nRowBits = 8;
    } else if (cbInStride * nHeight > layout.cbAvailable) {
        return QByteArray();
    }

    const std::uint64_t cbOutStride = DibStride(nWidth, 24);
    QByteArray out(qsizetype(sizeof(BITMAPINFOHEADER) + cbOutStride * nHeight), Qt::Uninitialized);
    BITMAPINFOHEADER bih = in;
    bih.biSize = sizeof bih;
    bih.biHeight = std::int32_t(nHeight);
    bih.biBitCount = 24;
    bih.biCompression = BI_RGB;
    bih.biClrUsed = 0;
    bih.biSizeImage = std::uint32_t(cbOutStride * nHeight);
    std::memcpy(out.data(), &bih, sizeof bih);

    const CPalette palette(layout);
    std::uint8_t* pOut = reinterpret_cast<std::uint8_t*>(out.data()) + sizeof bih;
    for (std::uint64_t y = 0; y < nHeight; ++y, pOut += cbOutStride) {
        const std::uint64_t srcRow = bTopDown ? nHeight - 1 - y : y;
        ConvertRow(pRows + srcRow * cbInStride, nRowBits, nWidth, palette, pOut);
        std::memset(pOut + 3 * nWidth, 0, size_t(cbOutStride - 3 * nWidth));
    }
    return out;
}

} // namespace

QByteArray NormalizeDibTo24(const std::uint8_t* pData, std::size_t cbData)
{
    DibLayout layout;
    if (!ReadDibLayout(pData, cbData, &layout))
        return QByteArray();
    try {
        return Normalize(layout);
    } catch (const std::bad_alloc&) {
        return QByteArray();
    }
}

QByteArray NormalizeDibTo24(const QByteArray& dib)
{
    return NormalizeDibTo24(reinterpret_cast<const std::uint8_t*>(dib.constData()), std::size_t(dib.size()));
}
