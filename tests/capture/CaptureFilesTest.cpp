// The files a capture writes: BMP bytes, JPEG pictures, and what a failed
// write leaves behind (nothing).

#include "DibBuilder.h"
#include "FileSizeLimit.h"
#include "TestEnv.h"

#include "capture/BmpWriter.h"
#include "capture/CaptureJob.h"
#include "capture/CaptureNaming.h"
#include "capture/JpegWriter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

class CaptureFiles : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    // Everything in the folder, hidden files included.
    QStringList Entries() const
    {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
    CCaptureJob Job(const QByteArray& image, int nFormat) const
    {
        CCaptureJob job;
        job.strSourcePath = QStringLiteral("/media/clip.avi");
        job.strFolder = m_dir.path();
        job.image = image;
        job.nFormat = nFormat;
        return job;
    }

    QTemporaryDir m_dir;
};

QByteArray LeWord(std::uint32_t v, int nBytes)
{
    QByteArray out;
    for (int i = 0; i < nBytes; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
    return out;
}

QByteArray FileHeader(std::uint32_t cbFile, std::uint32_t cbOffBits)
{
    return QByteArray("BM") + LeWord(cbFile, 4) + LeWord(0, 4) + LeWord(cbOffBits, 4);
}

// Four 8 × 8 quadrants: red, green above blue, white; as the renderer
// gives it, 32 bits and bottom-up.
QImage Quadrants()
{
    QImage image(16, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            image.setPixel(x, y, y < 8 ? (x < 8 ? 0xFF0000 : 0x00FF00) : (x < 8 ? 0x0000FF : 0xFFFFFF));
    return image;
}

QByteArray DibOf(const QImage& image)
{
    return MakePackedDib32(image.constBits(), image.width(), image.height(), int(image.bytesPerLine()));
}

QByteArray Noise(int nSide)
{
    QImage image(nSide, nSide, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < nSide; ++y)
        for (int x = 0; x < nSide; ++x)
            image.setPixel(x, y, random.generate() & 0xFFFFFF);
    return DibOf(image);
}

// The file header, then the DIB as it is: met byte for byte on a real
// window, so here only the offset past a colour table.
TEST_F(CaptureFiles, BmpPixelsStartPastTheColourTable)
{
    // biClrUsed 0 at 8 bits: the full 256-entry table lies before the pixels.
    QByteArray indexed = MakeDib(1, 1, 8, std::vector<std::uint32_t>(256, 0x123456), Bytes({ 9, 0, 0, 0 }));
    BITMAPINFOHEADER bih = HeaderOf(indexed);
    bih.biClrUsed = 0;
    std::memcpy(indexed.data(), &bih, sizeof bih);
    ASSERT_TRUE(WriteBmpFile(Path("c.bmp"), indexed));
    EXPECT_EQ(ReadFileBytes(Path("c.bmp")), FileHeader(14 + 40 + 1024 + 4, 14 + 40 + 1024) + indexed);

    // A header that claims more bytes than the image has writes nothing.
    EXPECT_FALSE(WriteBmpFile(Path("e.bmp"), MakeDib(2, 2, 24, {}, QByteArray(16, 0), BI_RGB, 17)));
    EXPECT_EQ(Entries(), (QStringList { "c.bmp" }));
}

TEST_F(CaptureFiles, JpegDecodesToThePictureTheRightWayUp)
{
    const QImage source = Quadrants();
    ASSERT_TRUE(WriteJpegFile(Path("q.jpg"), DibOf(source), 90));
    const QByteArray bytes = ReadFileBytes(Path("q.jpg"));
    // Baseline: a SOF0 frame, no progressive one.
    EXPECT_TRUE(bytes.contains(QByteArray("\xFF\xC0", 2)));
    EXPECT_FALSE(bytes.contains(QByteArray("\xFF\xC2", 2)));

    QImage decoded;
    ASSERT_TRUE(decoded.loadFromData(bytes, "JPEG"));
    ASSERT_EQ(decoded.size(), source.size());
    // Away from the edges, where subsampled colour bleeds across.
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            if (x % 8 < 2 || x % 8 > 5 || y % 8 < 2 || y % 8 > 5)
                continue;
            const QRgb want = source.pixel(x, y);
            const QRgb got = decoded.pixel(x, y);
            EXPECT_LE(std::abs(qRed(want) - qRed(got)) + std::abs(qGreen(want) - qGreen(got))
                    + std::abs(qBlue(want) - qBlue(got)),
                90)
                << x << "," << y;
        }

    // The quality setting reaches the encoder.
    ASSERT_TRUE(WriteJpegFile(Path("low.jpg"), Noise(64), 10));
    ASSERT_TRUE(WriteJpegFile(Path("high.jpg"), Noise(64), 95));
    EXPECT_LT(ReadFileBytes(Path("low.jpg")).size() * 2, ReadFileBytes(Path("high.jpg")).size());
}

TEST_F(CaptureFiles, AFolderThatIsAFileOrAnUnreadableImageIsAFailedWrite)
{
    WriteFileBytes(Path("folder"), "not a folder");
    for (int nFormat : { SAVE_FORMAT_BMP, SAVE_FORMAT_JPEG }) {
        CCaptureJob job = Job(DibOf(Quadrants()), nFormat);
        job.strFolder = Path("folder");
        EXPECT_EQ(RunCaptureJob(job), nFormat == SAVE_FORMAT_JPEG ? CAPTURE_ERR_JPEG : CAPTURE_ERR_BMP);
    }
    CCaptureJob bmp = Job(QByteArray(20, '\x01'), SAVE_FORMAT_BMP);
    // Run-length data without its end-of-bitmap code.
    CCaptureJob jpeg = Job(MakeDib(4, 4, 8, { 0xFFFFFF }, Bytes({ 3, 0 }), BI_RLE8), SAVE_FORMAT_JPEG);
    EXPECT_EQ(RunCaptureJob(bmp), CAPTURE_ERR_BMP);
    EXPECT_EQ(RunCaptureJob(jpeg), CAPTURE_ERR_JPEG);
    EXPECT_EQ(Entries(), QStringList { "folder" });
}

TEST_F(CaptureFiles, AFullDiskLeavesNoPartFileBehind)
{
    CCaptureJob bmp = Job(Noise(64), SAVE_FORMAT_BMP);
    CCaptureJob jpeg = Job(Noise(128), SAVE_FORMAT_JPEG);
    jpeg.nQuality = 100;
    CaptureResult bmpResult = CAPTURE_OK;
    CaptureResult jpegResult = CAPTURE_OK;
    {
        const FileSizeLimit limit(4096);
        ASSERT_TRUE(limit.IsSet());
        bmpResult = RunCaptureJob(bmp);
        jpegResult = RunCaptureJob(jpeg);
    }
    EXPECT_EQ(bmpResult, CAPTURE_ERR_BMP);
    EXPECT_EQ(jpegResult, CAPTURE_ERR_JPEG);
    EXPECT_EQ(bmp.strOutputPath, Path("clip_00000.bmp"));
    EXPECT_EQ(jpeg.strOutputPath, Path("clip_00000.jpg"));
    EXPECT_TRUE(Entries().isEmpty()) << Entries().join(' ').toStdString();
}

} // namespace
