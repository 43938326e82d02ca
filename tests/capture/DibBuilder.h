#pragma once
// Hand-made packed DIBs for the capture tests, and a way to read the
// pixels of a 24-bit one.

#include "capture/DibLayout.h"

#include <QByteArray>

#include <cstdint>
#include <cstring>
#include <vector>

struct Bgr {
    std::uint8_t b, g, r;
    bool operator==(const Bgr&) const = default;
};

// A packed DIB: the header, the colour table (0xRRGGBB entries) and the
// pixel bytes as given. biClrUsed is the table's length; biSizeImage the
// pixel bytes' unless cbSizeImage says otherwise.
inline QByteArray MakeDib(int nWidth, int nHeight, int nBits, const std::vector<std::uint32_t>& colors,
    const QByteArray& pixels, std::uint32_t nCompression = BI_RGB, std::int64_t cbSizeImage = -1)
{
    BITMAPINFOHEADER bih {};
    bih.biSize = sizeof bih;
    bih.biWidth = nWidth;
    bih.biHeight = nHeight;
    bih.biPlanes = 1;
    bih.biBitCount = static_cast<std::uint16_t>(nBits);
    bih.biCompression = nCompression;
    bih.biSizeImage = static_cast<std::uint32_t>(cbSizeImage < 0 ? pixels.size() : cbSizeImage);
    bih.biClrUsed = static_cast<std::uint32_t>(colors.size());
    QByteArray dib(reinterpret_cast<const char*>(&bih), sizeof bih);
    for (std::uint32_t rgb : colors) {
        const char entry[4] = { char(rgb & 0xFF), char((rgb >> 8) & 0xFF), char((rgb >> 16) & 0xFF), 0 };
        dib.append(entry, 4);
    }
    return dib + pixels;
}

inline QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

inline BITMAPINFOHEADER HeaderOf(const QByteArray& dib)
{
    BITMAPINFOHEADER bih {};
    std::memcpy(&bih, dib.constData(), sizeof bih);
    return bih;
}

// Pixel (x, y) of a bottom-up 24-bit DIB, y counted from the top.
inline Bgr Pixel24(const QByteArray& dib, int x, int y)
{
    const BITMAPINFOHEADER bih = HeaderOf(dib);
    const std::uint64_t stride = DibStride(std::uint64_t(bih.biWidth), 24);
    const auto* p = reinterpret_cast<const std::uint8_t*>(dib.constData()) + sizeof bih
        + (bih.biHeight - 1 - y) * stride + 3 * x;
    return { p[0], p[1], p[2] };
}

inline Bgr Rgb(std::uint32_t rgb)
{
    return { std::uint8_t(rgb & 0xFF), std::uint8_t((rgb >> 8) & 0xFF), std::uint8_t((rgb >> 16) & 0xFF) };
}
