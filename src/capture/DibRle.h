#pragma once
// Run-length DIB pixels (BI_RLE8, BI_RLE4) decoded to one palette index per
// pixel.

#include <cstddef>
#include <cstdint>

// Decodes cbData bytes of run-length data with nBitsPerPixel 8 or 4 into
// pIndexes, nWidth × nHeight bytes, bottom row first, which the caller has
// filled with the index that pixels no code reaches take. Pixels that fall
// outside the picture (a run past the end of its row, codes after the last
// row, a delta that jumps out) are dropped. False when the data ends before
// its end-of-bitmap code, or inside a code.
bool DecodeRleIndexes(const std::uint8_t* pData, std::size_t cbData, int nBitsPerPixel, std::uint32_t nWidth,
    std::uint32_t nHeight, std::uint8_t* pIndexes);
