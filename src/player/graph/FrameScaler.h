#pragma once
// Converts a decoded frame to 32-bit RGB (B, G, R, 0xff bytes, Qt's RGB32)
// and scales it in the same pass with libswscale, whose SIMD paths cost a
// fraction of GStreamer's converter for the same bilinear filter. The context
// is kept while the frame's layout and the sizes hold; nothing is allocated
// per frame. One thread at a time.

#include <QRect>
#include <QSize>

#include <gst/video/video.h>

#include <vector>

struct SwsContext;

class CFrameScaler {
public:
    CFrameScaler() = default;
    ~CFrameScaler();
    CFrameScaler(const CFrameScaler&) = delete;
    CFrameScaler& operator=(const CFrameScaler&) = delete;

    // Writes the source part of the frame (frame pixels), scaled to size, at
    // pDest, rows nStride bytes apart. nTailBytes: what the buffer holds past
    // the picture's last row; the scaler may write a little past each row,
    // and puts back what was there. False, with nothing written,
    // for a frame it does not take: a format it does not know, an interlaced
    // picture (scaled field by field elsewhere), a source that does not start
    // on a chroma sample.
    bool Scale(const GstVideoFrame& frame, const QRect& source, uchar* pDest, int nStride, const QSize& size,
        qsizetype nTailBytes = 0);

private:
    // What the context was made for.
    struct Setup {
        GstVideoFormat format = GST_VIDEO_FORMAT_UNKNOWN;
        QSize source;
        QSize output; // the scaler's own, one wider than asked for an odd width
        GstVideoColorMatrix matrix = GST_VIDEO_COLOR_MATRIX_UNKNOWN;
        GstVideoColorRange range = GST_VIDEO_COLOR_RANGE_UNKNOWN;
        bool operator==(const Setup&) const = default;
    };
    bool Prepare(const Setup& setup);

    SwsContext* m_pContext = nullptr;
    Setup m_setup;
    // What the scaler's blocks cover past the picture, kept to be put back.
    std::vector<uchar> m_kept;
    // Rows for a picture with no room for the blocks past it.
    std::vector<uchar> m_ownRows;
};
