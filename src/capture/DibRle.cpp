#include "capture/DibRle.h"

namespace {

// The second byte of a pair whose first byte is 0.
constexpr std::uint8_t RLE_END_OF_LINE = 0;
constexpr std::uint8_t RLE_END_OF_BITMAP = 1;
constexpr std::uint8_t RLE_DELTA = 2;
// Higher values start an absolute run of that many pixels.

// The drawing position. It only ever moves right or up, and by at most 255
// per input byte pair, so 64 bits never overflow.
class CRlePen {
public:
    CRlePen(std::uint32_t nWidth, std::uint32_t nHeight, std::uint8_t* pIndexes)
        : m_nWidth(nWidth)
        , m_nHeight(nHeight)
        , m_pIndexes(pIndexes)
    {
    }
    void Put(std::uint8_t index)
    {
        if (m_x < m_nWidth && m_y < m_nHeight)
            m_pIndexes[m_y * m_nWidth + m_x] = index;
        ++m_x;
    }
    void NextLine()
    {
        m_x = 0;
        ++m_y;
    }
    void Move(std::uint8_t dx, std::uint8_t dy)
    {
        m_x += dx;
        m_y += dy;
    }

private:
    std::uint64_t m_nWidth;
    std::uint64_t m_nHeight;
    std::uint8_t* m_pIndexes;
    std::uint64_t m_x = 0;
    std::uint64_t m_y = 0;
};

// Pixel k of a run whose pixels are packed in pBytes.
std::uint8_t PackedIndex(const std::uint8_t* pBytes, std::size_t k, int nBitsPerPixel)
{
    if (nBitsPerPixel == 8)
        return pBytes[k];
    const std::uint8_t byte = pBytes[k / 2];
    return (k & 1) ? byte & 0x0F : byte >> 4;
}

} // namespace

bool DecodeRleIndexes(const std::uint8_t* pData, std::size_t cbData, int nBitsPerPixel, std::uint32_t nWidth,
    std::uint32_t nHeight, std::uint8_t* pIndexes)
{
    if (nBitsPerPixel != 8 && nBitsPerPixel != 4)
        return false;
    CRlePen pen(nWidth, nHeight, pIndexes);
    std::size_t i = 0;
    while (cbData - i >= 2) {
        const std::uint8_t first = pData[i];
        const std::uint8_t second = pData[i + 1];
        i += 2;
        if (first > 0) {
            // An encoded run: one index, or in 4 bits two that alternate.
            for (std::size_t k = 0; k < first; ++k)
                pen.Put(nBitsPerPixel == 8 ? second : PackedIndex(&second, k & 1, 4));
            continue;
        }
        switch (second) {
        case RLE_END_OF_LINE:
            pen.NextLine();
            break;
        case RLE_END_OF_BITMAP:
            return true;
        case RLE_DELTA:
            if (cbData - i < 2)
                return false;
            pen.Move(pData[i], pData[i + 1]);
            i += 2;
            break;
        default: {
            // An absolute run, padded to a whole 16-bit word.
            const std::size_t cbRun = nBitsPerPixel == 8 ? second : (second + 1u) / 2;
            if (cbData - i < cbRun)
                return false;
            for (std::size_t k = 0; k < second; ++k)
                pen.Put(PackedIndex(pData + i, k, nBitsPerPixel));
            i += cbRun;
            // A run that ends the data has no room for its padding, and no
            // end-of-bitmap either: the loop ends and the data is refused.
            if ((cbRun & 1) && i < cbData)
                ++i;
            break;
        }
        }
    }
    return false;
}
