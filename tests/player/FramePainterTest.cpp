// Decoded frames painted with a QPainter: converted from YUV, scaled and
// kept inside the painter's target, whether written straight into the image
// or drawn through the painter.

#include "player/graph/GstFramePainter.h"

#include <gtest/gtest.h>

#include <QPainter>

namespace {
// A planar 4:2:0 frame, the top half pure red and the bottom half pure green.
class RedOverGreen {
public:
    static constexpr int kWidth = 64;
    static constexpr int kHeight = 32;

    RedOverGreen()
    {
        gst_video_info_set_format(&m_info, GST_VIDEO_FORMAT_I420, kWidth, kHeight);
        m_pBuffer = gst_buffer_new_allocate(nullptr, GST_VIDEO_INFO_SIZE(&m_info), nullptr);
        gst_video_frame_map(&m_frame, &m_info, m_pBuffer, GST_MAP_READWRITE);
        // BT.601 limited range: red is Y 81, U 90, V 240; green Y 145, U 54, V 34.
        const struct { int y, u, v; } colours[2] = { { 81, 90, 240 }, { 145, 54, 34 } };
        for (int plane = 0; plane < 3; ++plane) {
            auto* pData = static_cast<guint8*>(GST_VIDEO_FRAME_PLANE_DATA(&m_frame, plane));
            const int nStride = GST_VIDEO_FRAME_PLANE_STRIDE(&m_frame, plane);
            const int nRows = GST_VIDEO_FRAME_COMP_HEIGHT(&m_frame, plane);
            for (int row = 0; row < nRows; ++row) {
                const auto& c = colours[row < nRows / 2 ? 0 : 1];
                memset(pData + row * nStride, plane == 0 ? c.y : plane == 1 ? c.u : c.v,
                    size_t(GST_VIDEO_FRAME_COMP_WIDTH(&m_frame, plane)));
            }
        }
    }
    ~RedOverGreen()
    {
        gst_video_frame_unmap(&m_frame);
        gst_buffer_unref(m_pBuffer);
    }
    const GstVideoFrame& Frame() const { return m_frame; }

private:
    GstVideoInfo m_info;
    GstBuffer* m_pBuffer;
    GstVideoFrame m_frame;
};

bool IsRed(QRgb c) { return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60; }
bool IsGreen(QRgb c) { return qGreen(c) > 200 && qRed(c) < 60 && qBlue(c) < 60; }
}

TEST(FramePainter, ScaledFrameFillsTheTargetAndNothingElse)
{
    RedOverGreen frame;
    CGstFramePainter painter;
    // Straight into the image, then through a clipped painter, which must
    // draw the same picture; twice each, so a kept converter is reused.
    for (bool bClipped : { false, true, false, true }) {
        QImage canvas(200, 120, QImage::Format_RGB32);
        canvas.fill(Qt::blue);
        {
            QPainter p(&canvas);
            if (bClipped)
                p.setClipRect(QRect(0, 0, 200, 120));
            painter.Paint(p, frame.Frame(), QRect(0, 0, 64, 32), QRect(10, 20, 128, 64));
        }
        EXPECT_TRUE(IsRed(canvas.pixel(10, 20))) << bClipped;
        EXPECT_TRUE(IsRed(canvas.pixel(137, 40))) << bClipped;
        EXPECT_TRUE(IsGreen(canvas.pixel(10, 55))) << bClipped;
        EXPECT_TRUE(IsGreen(canvas.pixel(137, 83))) << bClipped;
        for (const QPoint& outside : { QPoint(9, 20), QPoint(138, 20), QPoint(10, 19), QPoint(10, 84) })
            EXPECT_EQ(canvas.pixel(outside), QColor(Qt::blue).rgb()) << bClipped;
    }
}
