#include "platform/Dib.h"

#include <cstring>

QByteArray MakePackedDib32(const uchar* pTopRow, int nWidth, int nHeight, int nStride)
{
    if (!pTopRow || nWidth <= 0 || nHeight <= 0)
        return QByteArray();
    const qsizetype rowBytes = qsizetype(nWidth) * 4;
    BITMAPINFOHEADER bih {};
    bih.biSize = sizeof(BITMAPINFOHEADER);
    bih.biWidth = nWidth;
    bih.biHeight = nHeight;
    bih.biPlanes = 1;
    bih.biBitCount = 32;
    bih.biCompression = BI_RGB;
    bih.biSizeImage = static_cast<std::uint32_t>(rowBytes * nHeight);

    QByteArray dib(qsizetype(sizeof bih) + rowBytes * nHeight, Qt::Uninitialized);
    std::memcpy(dib.data(), &bih, sizeof bih);
    uchar* pOut = reinterpret_cast<uchar*>(dib.data()) + sizeof bih;
    for (int y = 0; y < nHeight; ++y)
        std::memcpy(pOut + rowBytes * (nHeight - 1 - y), pTopRow + qsizetype(nStride) * y, size_t(rowBytes));
    return dib;
}

QImage PackedDibToImage(const QByteArray& dib)
{
    BITMAPINFOHEADER bih {};
    if (dib.size() < qsizetype(sizeof bih))
        return QImage();
    std::memcpy(&bih, dib.constData(), sizeof bih);
    if (bih.biSize != sizeof bih || bih.biBitCount != 32 || bih.biWidth <= 0 || bih.biHeight == 0)
        return QImage();
    const int nHeight = bih.biHeight < 0 ? -bih.biHeight : bih.biHeight;
    const qsizetype rowBytes = qsizetype(bih.biWidth) * 4;
    if (dib.size() < qsizetype(sizeof bih) + rowBytes * nHeight)
        return QImage();
    QImage image(bih.biWidth, nHeight, QImage::Format_RGB32);
    const uchar* pIn = reinterpret_cast<const uchar*>(dib.constData()) + sizeof bih;
    for (int y = 0; y < nHeight; ++y) {
        const int srcRow = bih.biHeight > 0 ? nHeight - 1 - y : y;
        std::memcpy(image.scanLine(y), pIn + rowBytes * srcRow, size_t(rowBytes));
    }
    return image;
}
