// The scaler that converts and scales each video frame into the window, and
// the painter's fallback to GStreamer's converter for what it does not take.

#include "player/graph/FrameScaler.h"
#include "player/graph/GstFramePainter.h"

#include <gtest/gtest.h>

#include <QColor>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
const QRgb kBands[] = { qRgb(200, 30, 40), qRgb(20, 180, 60), qRgb(30, 50, 210), qRgb(128, 128, 128) };

// A 64x36 picture of four upright bands, in the given format (made from RGB
// by GStreamer's converter).
class BandFrame {
public:
    explicit BandFrame(GstVideoFormat format, const char* pszColorimetry = nullptr,
        GstVideoInterlaceMode mode = GST_VIDEO_INTERLACE_MODE_PROGRESSIVE)
    {
        GstVideoInfo rgb;
        // GStreamer's converter keeps the interlacing: the RGB picture has it too.
        gst_video_info_set_interlaced_format(&rgb, GST_VIDEO_FORMAT_BGRx, mode, kWidth, kHeight);
        std::vector<guint32> pixels(kWidth * kHeight);
        for (int i = 0; i < kWidth * kHeight; ++i)
            pixels[i] = kBands[(i % kWidth) * 4 / kWidth];
        GstBuffer* pRgb = gst_buffer_new_wrapped_full(
            GstMemoryFlags(0), pixels.data(), rgb.size, 0, rgb.size, nullptr, nullptr);
        gst_video_info_set_interlaced_format(&m_info, format, mode, kWidth, kHeight);
        if (pszColorimetry)
            gst_video_colorimetry_from_string(&m_info.colorimetry, pszColorimetry);
        m_pBuffer = gst_buffer_new_allocate(nullptr, m_info.size, nullptr);
        GstVideoFrame in;
        gst_video_frame_map(&in, &rgb, pRgb, GST_MAP_READ);
        gst_video_frame_map(&m_frame, &m_info, m_pBuffer, GstMapFlags(GST_MAP_READ | GST_MAP_WRITE));
        GstVideoConverter* pConverter = gst_video_converter_new(&rgb, &m_info, nullptr);
        gst_video_converter_frame(pConverter, &in, &m_frame);
        gst_video_converter_free(pConverter);
        gst_video_frame_unmap(&in);
        gst_buffer_unref(pRgb);
    }
    ~BandFrame()
    {
        gst_video_frame_unmap(&m_frame);
        gst_buffer_unref(m_pBuffer);
    }
    const GstVideoFrame& Frame() const { return m_frame; }

    static constexpr int kWidth = 64;
    static constexpr int kHeight = 36;

private:
    GstVideoInfo m_info;
    GstBuffer* m_pBuffer;
    GstVideoFrame m_frame;
};

constexpr uchar kUntouched = 0x5a;

// The scaled picture in rows nPad pixels wider than it, in a buffer that
// ends nTail bytes past the picture's last row; the scaler may use the
// spare bytes or not.
struct Scaled {
    Scaled(CFrameScaler& scaler, const GstVideoFrame& frame, QRect source, QSize size, int nPad = 16,
        qsizetype nTail = 64)
        : size(size)
        , nStride((size.width() + nPad) * 4)
        , bytes(std::size_t(nStride) * (size.height() - 1) + size.width() * 4 + nTail, kUntouched)
        , bTaken(scaler.Scale(frame, source, bytes.data(), nStride, size, nTail))
    {
    }
    const uchar* At(int x, int y) const { return bytes.data() + y * nStride + x * 4; }

    QSize size;
    int nStride;
    std::vector<uchar> bytes;
    bool bTaken;
};

// Every row shows the bands of the source part, opaque, save near their
// borders, which scaling blurs; no byte outside the picture is changed.
void ExpectBands(const Scaled& out, const QRect& source, const char* pszWhat)
{
    SCOPED_TRACE(pszWhat);
    ASSERT_TRUE(out.bTaken);
    constexpr int kBand = BandFrame::kWidth / 4;
    const double step = double(source.width()) / out.size.width();
    for (int y = 0; y < out.size.height(); ++y) {
        for (int x = 0; x < out.size.width(); ++x) {
            const double at = source.x() + (x + 0.5) * step;
            const int b = std::min(int(at) / kBand, 3);
            double border = 1e9;
            for (int k = 1; k < 4; ++k)
                border = std::min(border, std::abs(at - k * kBand));
            if (border < 2 * step + 1)
                continue;
            const uchar* p = out.At(x, y);
            ASSERT_NEAR(p[2], qRed(kBands[b]), 6) << "at " << x << "," << y;
            ASSERT_NEAR(p[1], qGreen(kBands[b]), 6) << "at " << x << "," << y;
            ASSERT_NEAR(p[0], qBlue(kBands[b]), 6) << "at " << x << "," << y;
            ASSERT_EQ(p[3], 0xff);
        }
    }
    for (std::size_t i = 0; i < out.bytes.size(); ++i) {
        if (int(i) / out.nStride >= out.size.height() || int(i) % out.nStride >= out.size.width() * 4) {
            ASSERT_EQ(out.bytes[i], kUntouched) << "byte " << i;
        }
    }
}
}

TEST(FrameScaler, EveryFormatOfTheSinkAtEverySizeKeepsItsColours)
{
    // One scaler throughout, as a window keeps one while formats and sizes change.
    CFrameScaler scaler;
    const QRect whole(0, 0, BandFrame::kWidth, BandFrame::kHeight);
    for (GstVideoFormat format : { GST_VIDEO_FORMAT_I420, GST_VIDEO_FORMAT_YV12, GST_VIDEO_FORMAT_NV12,
             GST_VIDEO_FORMAT_NV21, GST_VIDEO_FORMAT_Y42B, GST_VIDEO_FORMAT_Y444, GST_VIDEO_FORMAT_YUY2,
             GST_VIDEO_FORMAT_UYVY, GST_VIDEO_FORMAT_BGRx, GST_VIDEO_FORMAT_BGRA }) {
        const BandFrame frame(format);
        SCOPED_TRACE(gst_video_format_to_string(format));
        // Widths that the scaler's blocks fit, that they do not, odd ones;
        // with room past each row, too little, none past the last.
        for (QSize size : { QSize(64, 36), QSize(32, 18), QSize(40, 22), QSize(33, 17), QSize(101, 51) }) {
            const QString what = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
            ExpectBands(Scaled(scaler, frame.Frame(), whole, size), whole, qPrintable(what));
            ExpectBands(Scaled(scaler, frame.Frame(), whole, size, 2), whole, qPrintable(what + " little room"));
            ExpectBands(Scaled(scaler, frame.Frame(), whole, size, 16, 0), whole, qPrintable(what + " no tail"));
        }
        // Unscaled, a width the blocks do not fit.
        const QRect part(0, 0, 40, 36);
        ExpectBands(Scaled(scaler, frame.Frame(), part, part.size()), part, "40x36 unscaled");
        ExpectBands(Scaled(scaler, frame.Frame(), part, part.size(), 16, 0), part, "40x36 unscaled, no tail");
    }
    // The frame's own matrix and range, not one assumed for all.
    for (const char* pszColorimetry : { "bt709", "bt601", "jpeg" })
        ExpectBands(Scaled(scaler, BandFrame(GST_VIDEO_FORMAT_I420, pszColorimetry).Frame(), whole, QSize(32, 18)),
            whole, pszColorimetry);
}

TEST(FrameScaler, TakesTheSourcePartOnlyWhereItStartsOnAChromaSample)
{
    CFrameScaler scaler;
    const BandFrame i420(GST_VIDEO_FORMAT_I420);
    const QRect right(32, 0, 32, 36);
    ExpectBands(Scaled(scaler, i420.Frame(), right, QSize(16, 18)), right, "right half");
    EXPECT_FALSE(Scaled(scaler, i420.Frame(), QRect(17, 0, 32, 36), QSize(16, 18)).bTaken);
    EXPECT_FALSE(Scaled(scaler, i420.Frame(), QRect(32, 0, 40, 36), QSize(16, 18)).bTaken); // beyond the frame
    const QRect oddStart(33, 0, 30, 36);
    ExpectBands(Scaled(scaler, BandFrame(GST_VIDEO_FORMAT_Y444).Frame(), oddStart, QSize(15, 18)), oddStart,
        "odd start, 4:4:4");
}

TEST(FrameScaler, WhatItDoesNotTakeIsConvertedByGStreamer)
{
    CFrameScaler scaler;
    const BandFrame gray(GST_VIDEO_FORMAT_GRAY8);
    const BandFrame interlaced(GST_VIDEO_FORMAT_I420, nullptr, GST_VIDEO_INTERLACE_MODE_INTERLEAVED);
    const QRect whole(0, 0, BandFrame::kWidth, BandFrame::kHeight);
    EXPECT_FALSE(Scaled(scaler, gray.Frame(), whole, QSize(32, 18)).bTaken);
    EXPECT_FALSE(Scaled(scaler, interlaced.Frame(), whole, QSize(32, 18)).bTaken);

    // The painter still gives the picture.
    const QImage image = CGstFramePainter::ToImage(interlaced.Frame());
    ASSERT_EQ(image.size(), QSize(BandFrame::kWidth, BandFrame::kHeight));
    for (int b = 0; b < 4; ++b) {
        const QColor c = image.pixelColor((2 * b + 1) * BandFrame::kWidth / 8, BandFrame::kHeight / 2);
        EXPECT_NEAR(c.red(), qRed(kBands[b]), 6);
        EXPECT_NEAR(c.blue(), qBlue(kBands[b]), 6);
    }
    EXPECT_FALSE(CGstFramePainter::ToImage(gray.Frame()).isNull());
}
