#include "player/graph/GstFramePainter.h"

#include <QPaintEngine>
#include <QPainter>
#include <QRegion>

namespace {
// Qt's 32-bit formats hold B, G, R, A bytes in memory on little-endian machines.
static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "pixels are written as B, G, R, A bytes");

bool IsBgraImage(const QImage& image)
{
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return true;
    default:
        return false;
    }
}
}

CGstFramePainter::~CGstFramePainter()
{
    if (m_pConverter)
        gst_video_converter_free(m_pConverter);
}

bool CGstFramePainter::Convert(
    const GstVideoFrame& frame, const QRect& source, uchar* pDest, int nStride, const QSize& size, qsizetype nTailBytes)
{
    if (m_scaler.Scale(frame, source, pDest, nStride, size, nTailBytes))
        return true;
    if (!m_pConverter || !gst_video_info_is_equal(&m_in, &frame.info) || m_source != source || m_size != size) {
        if (m_pConverter)
            gst_video_converter_free(m_pConverter);
        m_pConverter = nullptr;
        GstVideoInfo out;
        gst_video_info_set_interlaced_format(&out, GST_VIDEO_FORMAT_BGRA, GST_VIDEO_INFO_INTERLACE_MODE(&frame.info),
            guint(size.width()), guint(size.height()));
        // The converter changes pictures, never timing.
        GST_VIDEO_INFO_FPS_N(&out) = GST_VIDEO_INFO_FPS_N(&frame.info);
        GST_VIDEO_INFO_FPS_D(&out) = GST_VIDEO_INFO_FPS_D(&frame.info);
        // Linear scaling is plenty for a picture on screen and costs far less
        // than the default; the alpha byte is written opaque.
        GstStructure* pConfig = gst_structure_new("GstVideoConverter", GST_VIDEO_CONVERTER_OPT_SRC_X, G_TYPE_INT,
            source.x(), GST_VIDEO_CONVERTER_OPT_SRC_Y, G_TYPE_INT, source.y(), GST_VIDEO_CONVERTER_OPT_SRC_WIDTH,
            G_TYPE_INT, source.width(), GST_VIDEO_CONVERTER_OPT_SRC_HEIGHT, G_TYPE_INT, source.height(),
            GST_VIDEO_CONVERTER_OPT_RESAMPLER_METHOD, GST_TYPE_VIDEO_RESAMPLER_METHOD,
            GST_VIDEO_RESAMPLER_METHOD_LINEAR, GST_VIDEO_CONVERTER_OPT_CHROMA_RESAMPLER_METHOD,
            GST_TYPE_VIDEO_RESAMPLER_METHOD, GST_VIDEO_RESAMPLER_METHOD_LINEAR, GST_VIDEO_CONVERTER_OPT_FILL_BORDER,
            G_TYPE_BOOLEAN, FALSE, nullptr);
        GstVideoInfo in = frame.info;
        m_pConverter = gst_video_converter_new(&in, &out, pConfig);
        if (!m_pConverter)
            return false;
        m_in = frame.info;
        m_source = source;
        m_size = size;
    }

    // The destination rows, wherever they live, seen as a frame.
    GstVideoInfo out = *gst_video_converter_get_out_info(m_pConverter);
    out.stride[0] = nStride;
    out.size = gsize(nStride) * gsize(size.height() - 1) + gsize(size.width()) * 4;
    GstBuffer* pBuffer = gst_buffer_new_wrapped_full(GstMemoryFlags(0), pDest, out.size, 0, out.size, nullptr, nullptr);
    GstVideoFrame dest;
    const bool bMapped = gst_video_frame_map(&dest, &out, pBuffer, GST_MAP_WRITE);
    if (bMapped) {
        gst_video_converter_frame(m_pConverter, &frame, &dest);
        gst_video_frame_unmap(&dest);
    }
    gst_buffer_unref(pBuffer);
    return bMapped;
}

bool CGstFramePainter::PaintInPlace(
    QPainter& painter, const GstVideoFrame& frame, const QRect& source, const QRect& target)
{
    QPaintEngine* pEngine = painter.paintEngine();
    if (!pEngine || pEngine->type() != QPaintEngine::Raster || painter.hasClipping())
        return false;
    QPaintDevice* pDevice = pEngine->paintDevice();
    if (!pDevice || pDevice->devType() != QInternal::Image)
        return false;
    QImage& image = *static_cast<QImage*>(pDevice);
    const QTransform transform = painter.deviceTransform();
    if (!IsBgraImage(image) || transform.type() > QTransform::TxScale)
        return false;
    const QRect device = transform.mapRect(QRectF(target)).toAlignedRect();
    // Only pixels this paint owns: none outside the image, none of a child
    // window lying over the picture.
    const QRegion owned = pEngine->systemClip();
    if (device.isEmpty() || !image.rect().contains(device) || (!owned.isEmpty() && !(QRegion(device) - owned).isEmpty()))
        return false;
    // The raster engine draws through the same bits, so this detaches nothing.
    uchar* pTopLeft = image.bits() + qsizetype(device.y()) * image.bytesPerLine() + qsizetype(device.x()) * 4;
    // What the image holds past the picture's last pixel.
    const qsizetype nTail = image.sizeInBytes() - qsizetype(device.bottom()) * image.bytesPerLine()
        - qsizetype(device.right() + 1) * 4;
    return Convert(frame, source, pTopLeft, int(image.bytesPerLine()), device.size(), nTail);
}

void CGstFramePainter::Paint(QPainter& painter, const GstVideoFrame& frame, const QRect& source, const QRect& target)
{
    const QRect within = source & QRect(0, 0, GST_VIDEO_FRAME_WIDTH(&frame), GST_VIDEO_FRAME_HEIGHT(&frame));
    if (within.isEmpty() || target.isEmpty() || PaintInPlace(painter, frame, within, target))
        return;
    if (m_picture.size() != target.size())
        m_picture = QImage(target.size(), QImage::Format_RGB32);
    if (Convert(frame, within, m_picture.bits(), int(m_picture.bytesPerLine()), target.size()))
        painter.drawImage(target.topLeft(), m_picture);
    else
        painter.fillRect(target, Qt::black);
}

QImage CGstFramePainter::ToImage(const GstVideoFrame& frame)
{
    const QSize size(GST_VIDEO_FRAME_WIDTH(&frame), GST_VIDEO_FRAME_HEIGHT(&frame));
    QImage image(size, QImage::Format_RGB32);
    CGstFramePainter once;
    if (size.isEmpty() || image.isNull()
        || !once.Convert(frame, QRect(QPoint(0, 0), size), image.bits(), int(image.bytesPerLine()), size))
        return QImage();
    return image;
}
