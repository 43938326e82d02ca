#pragma once
// Paints decoded video frames with a QPainter. The frame is converted to
// 32-bit RGB and scaled to the target in one pass (libswscale, or GStreamer's
// converter for what that does not take); when the painter draws on
// an image (the window's backing store, for a widget), the pass writes
// straight into that image, so a frame costs one conversion and no copy.
// UI thread only.

#include "player/graph/FrameScaler.h"

#include <QImage>
#include <QRect>

#include <gst/video/video.h>

class QPainter;

class CGstFramePainter {
public:
    CGstFramePainter() = default;
    ~CGstFramePainter();
    CGstFramePainter(const CGstFramePainter&) = delete;
    CGstFramePainter& operator=(const CGstFramePainter&) = delete;

    // Paints the source part of the frame (frame pixels) into the target
    // (the painter's coordinates).
    void Paint(QPainter& painter, const GstVideoFrame& frame, const QRect& source, const QRect& target);
    // The whole frame at its own size; a null image when it cannot be
    // converted. Any thread.
    static QImage ToImage(const GstVideoFrame& frame);

private:
    // Writes the converted picture into the painter's own image; false when
    // the painter does not draw on an image this way can reach safely.
    bool PaintInPlace(QPainter& painter, const GstVideoFrame& frame, const QRect& source, const QRect& target);
    // Converts the source part of the frame to size pixels at pDest, rows
    // nStride bytes apart, nTailBytes left past the last (see
    // CFrameScaler::Scale); false when the frame cannot be converted.
    bool Convert(const GstVideoFrame& frame, const QRect& source, uchar* pDest, int nStride, const QSize& size,
        qsizetype nTailBytes = 0);

    CFrameScaler m_scaler;
    // For frames the scaler does not take: GStreamer's converter, kept from
    // the last such frame, with what it was made for.
    GstVideoConverter* m_pConverter = nullptr;
    GstVideoInfo m_in {};
    QRect m_source;
    QSize m_size;
    // For painters that draw elsewhere: the converted picture.
    QImage m_picture;
};
