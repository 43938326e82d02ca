#pragma once
// Where the parts of a packed DIB lie: header, colour table and pixels. The
// bytes come from a renderer, or from anywhere when fuzzed, so every size in
// the header is checked against the buffer before anything is read.

#include "platform/Dib.h"

#include <cstddef>
#include <cstdint>

constexpr std::uint32_t BI_RLE8 = 1;
constexpr std::uint32_t BI_RLE4 = 2;

struct DibLayout {
    BITMAPINFOHEADER bih {};
    // The colour table: biClrUsed entries, or 2 to the power biBitCount for
    // palette images that leave biClrUsed 0. Four bytes each: blue, green,
    // red, unused. A biBitCount of 0 has no palette of its own.
    const std::uint8_t* pColors = nullptr;
    std::uint64_t nColors = 0;
    // The pixels run from here to the end of the buffer.
    const std::uint8_t* pBits = nullptr;
    std::uint64_t cbAvailable = 0;
};

// False when the buffer is too short for the header and colour table, or
// biSize is smaller than a BITMAPINFOHEADER.
bool ReadDibLayout(const std::uint8_t* pData, std::size_t cbData, DibLayout* pLayout);

// Bytes in one stored row of an uncompressed image: rows are padded to
// whole 32-bit words.
constexpr std::uint64_t DibStride(std::uint64_t nWidth, std::uint64_t nBitCount)
{
    return (nWidth * nBitCount + 31) / 32 * 4;
}
