#include "capture/BmpWriter.h"

#include "capture/DibLayout.h"
#include "capture/StagedFile.h"

#include <array>
#include <cstdint>
#include <limits>

namespace {

constexpr std::uint16_t BMP_FILE_TYPE = 0x4D42; // "BM"

// Pixel bytes of the image: biSizeImage, which an uncompressed image may
// leave 0 to mean "as the rows need". 0 when they do not fit in the buffer.
std::uint64_t PixelBytes(const DibLayout& layout)
{
    const BITMAPINFOHEADER& bih = layout.bih;
    std::uint64_t cbPixels = bih.biSizeImage;
    if (cbPixels == 0 && bih.biCompression == BI_RGB && bih.biWidth > 0 && bih.biHeight != 0
        && bih.biHeight != std::numeric_limits<std::int32_t>::min()) {
        const std::uint64_t nHeight = bih.biHeight < 0 ? -std::int64_t(bih.biHeight) : bih.biHeight;
        const std::uint64_t cbStride = DibStride(std::uint64_t(bih.biWidth), bih.biBitCount);
        // Compared by division: the product of hostile values overflows.
        if (cbStride == 0 || nHeight > layout.cbAvailable / cbStride)
            return 0;
        cbPixels = cbStride * nHeight;
    }
    return cbPixels <= layout.cbAvailable ? cbPixels : 0;
}

void PutLe(std::uint8_t* p, std::uint32_t value, int nBytes)
{
    for (int i = 0; i < nBytes; ++i)
        p[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

} // namespace

bool WriteBmpFile(const QString& strPath, const QByteArray& dib)
{
    const auto* pData = reinterpret_cast<const std::uint8_t*>(dib.constData());
    DibLayout layout;
    if (!ReadDibLayout(pData, std::size_t(dib.size()), &layout))
        return false;
    const std::uint64_t cbPixels = PixelBytes(layout);
    if (cbPixels == 0)
        return false;
    const std::uint64_t cbOffBits = BMP_FILE_HEADER_SIZE + std::uint64_t(layout.pBits - pData);
    const std::uint64_t cbFile = cbOffBits + cbPixels;
    if (cbFile > std::numeric_limits<std::uint32_t>::max())
        return false;

    std::array<std::uint8_t, BMP_FILE_HEADER_SIZE> header {};
    PutLe(&header[0], BMP_FILE_TYPE, 2);
    PutLe(&header[2], std::uint32_t(cbFile), 4);
    // bfReserved1 and bfReserved2 stay 0.
    PutLe(&header[10], std::uint32_t(cbOffBits), 4);

    CStagedFile file(strPath);
    if (!file.Open())
        return false;
    const std::size_t cbDib = std::size_t(cbFile - BMP_FILE_HEADER_SIZE);
    if (std::fwrite(header.data(), 1, header.size(), file.Stream()) != header.size()
        || std::fwrite(pData, 1, cbDib, file.Stream()) != cbDib)
        return false;
    return file.Commit();
}
