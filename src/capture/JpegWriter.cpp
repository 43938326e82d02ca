#include "capture/JpegWriter.h"

#include "capture/DibLayout.h"
#include "capture/DibNormalize.h"
#include "capture/StagedFile.h"

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include <jpeglib.h>

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not
// return: it jumps back to the encoder's recovery point. Each encoding has
// its own, so writers on several threads never share one.
struct JpegErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf recovery;
};

[[noreturn]] void OnJpegError(j_common_ptr pInfo)
{
    std::longjmp(reinterpret_cast<JpegErrorManager*>(pInfo->err)->recovery, 1);
}

// Warnings are no reason to print anything; errors are reported by result.
void OnJpegMessage(j_common_ptr) {}

struct Picture {
    const std::uint8_t* pBits; // bottom row first, blue-green-red
    std::uint32_t nWidth;
    std::uint32_t nHeight;
    std::uint64_t cbStride;
};

// Everything that needs a destructor lives in the caller: the error exit
// jumps back into this function over libjpeg's own frames only.
bool Encode(jpeg_compress_struct* pInfo, JpegErrorManager* pError, FILE* pFile, const Picture& picture, int nQuality,
    std::uint8_t* pRow)
{
    pInfo->err = jpeg_std_error(&pError->pub);
    pError->pub.error_exit = OnJpegError;
    pError->pub.output_message = OnJpegMessage;
    if (setjmp(pError->recovery)) {
        jpeg_destroy_compress(pInfo);
        return false;
    }
    jpeg_create_compress(pInfo);
    jpeg_stdio_dest(pInfo, pFile);
    pInfo->image_width = picture.nWidth;
    pInfo->image_height = picture.nHeight;
    pInfo->input_components = 3;
    pInfo->in_color_space = JCS_RGB;
    jpeg_set_defaults(pInfo);
    jpeg_set_quality(pInfo, nQuality, TRUE);
    jpeg_start_compress(pInfo, TRUE);
    while (pInfo->next_scanline < pInfo->image_height) {
        // The last stored row is the top of the picture.
        const std::uint8_t* pIn = picture.pBits + (picture.nHeight - 1 - pInfo->next_scanline) * picture.cbStride;
        for (std::uint32_t x = 0; x < picture.nWidth; ++x) {
            pRow[3 * x] = pIn[3 * x + 2];
            pRow[3 * x + 1] = pIn[3 * x + 1];
            pRow[3 * x + 2] = pIn[3 * x];
        }
        JSAMPROW row = pRow;
        jpeg_write_scanlines(pInfo, &row, 1);
    }
    jpeg_finish_compress(pInfo);
    jpeg_destroy_compress(pInfo);
    return true;
}

} // namespace

bool WriteJpegFile(const QString& strPath, const QByteArray& dib, int nQuality)
{
    const QByteArray image = NormalizeDibTo24(dib);
    if (image.isEmpty())
        return false;
    BITMAPINFOHEADER bih;
    std::memcpy(&bih, image.constData(), sizeof bih);
    const Picture picture { reinterpret_cast<const std::uint8_t*>(image.constData()) + sizeof bih,
        std::uint32_t(bih.biWidth), std::uint32_t(bih.biHeight), DibStride(std::uint32_t(bih.biWidth), 24) };

    std::vector<std::uint8_t> row;
    try {
        row.resize(std::size_t(picture.nWidth) * 3);
    } catch (const std::bad_alloc&) {
        return false;
    }
    CStagedFile file(strPath);
    if (!file.Open())
        return false;
    jpeg_compress_struct info;
    std::memset(&info, 0, sizeof info);
    JpegErrorManager error;
    return Encode(&info, &error, file.Stream(), picture, nQuality, row.data()) && file.Commit();
}
