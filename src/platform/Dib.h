#pragma once
// Device-independent bitmaps as the program hands them around: a packed DIB
// is a BITMAPINFOHEADER followed directly by the pixels.

#include <QByteArray>
#include <QImage>

#include <cstdint>

#pragma pack(push, 1)
struct BITMAPINFOHEADER {
    std::uint32_t biSize;
    std::int32_t biWidth;
    std::int32_t biHeight; // positive: the first row in memory is the bottom one
    std::uint16_t biPlanes;
    std::uint16_t biBitCount;
    std::uint32_t biCompression;
    std::uint32_t biSizeImage;
    std::int32_t biXPelsPerMeter;
    std::int32_t biYPelsPerMeter;
    std::uint32_t biClrUsed;
    std::uint32_t biClrImportant;
};
#pragma pack(pop)
static_assert(sizeof(BITMAPINFOHEADER) == 40, "BITMAPINFOHEADER is 40 bytes");

constexpr std::uint32_t BI_RGB = 0;

// A bottom-up 32-bit packed DIB from top-down rows of B, G, R, x bytes.
QByteArray MakePackedDib32(const uchar* pTopRow, int nWidth, int nHeight, int nStride);
// The picture of a 32-bit packed DIB; a null image when it is not one.
QImage PackedDibToImage(const QByteArray& dib);
