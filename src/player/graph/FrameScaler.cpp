#include "player/graph/FrameScaler.h"

#include <algorithm>
#include <cstring>
#include <utility>

extern "C" {
#include <libswscale/swscale.h>
}

namespace {
// libswscale's SIMD writers fill rows in blocks of up to this many pixels:
// a row of another width is written past its end where the stride leaves
// room, and short where it does not.
constexpr int kWriteBlock = 16;

struct Layout {
    GstVideoFormat gst;
    AVPixelFormat av;
    bool bSwapChroma; // V's plane comes before U's
};

// The formats the windowless renderer's sink accepts. Alpha is left out: the
// picture is painted opaque.
constexpr Layout kLayouts[] = {
    { GST_VIDEO_FORMAT_I420, AV_PIX_FMT_YUV420P, false },
    { GST_VIDEO_FORMAT_YV12, AV_PIX_FMT_YUV420P, true },
    { GST_VIDEO_FORMAT_NV12, AV_PIX_FMT_NV12, false },
    { GST_VIDEO_FORMAT_NV21, AV_PIX_FMT_NV21, false },
    { GST_VIDEO_FORMAT_Y42B, AV_PIX_FMT_YUV422P, false },
    { GST_VIDEO_FORMAT_Y444, AV_PIX_FMT_YUV444P, false },
    { GST_VIDEO_FORMAT_YUY2, AV_PIX_FMT_YUYV422, false },
    { GST_VIDEO_FORMAT_UYVY, AV_PIX_FMT_UYVY422, false },
    { GST_VIDEO_FORMAT_BGRx, AV_PIX_FMT_BGR0, false },
    { GST_VIDEO_FORMAT_BGRA, AV_PIX_FMT_BGR0, false },
};

const Layout* LayoutOf(GstVideoFormat format)
{
    for (const Layout& layout : kLayouts) {
        if (layout.gst == format)
            return &layout;
    }
    return nullptr;
}

int SwsColorspace(GstVideoColorMatrix matrix)
{
    switch (matrix) {
    case GST_VIDEO_COLOR_MATRIX_BT709:
        return SWS_CS_ITU709;
    case GST_VIDEO_COLOR_MATRIX_SMPTE240M:
        return SWS_CS_SMPTE240M;
    case GST_VIDEO_COLOR_MATRIX_BT2020:
        return SWS_CS_BT2020;
    case GST_VIDEO_COLOR_MATRIX_FCC:
        return SWS_CS_FCC;
    default:
        return SWS_CS_ITU601;
    }
}

// Whether the source's corner falls on a sample of every component.
bool OnChromaSites(const GstVideoFormatInfo* pFormat, const QRect& source)
{
    for (guint c = 0; c < GST_VIDEO_FORMAT_INFO_N_COMPONENTS(pFormat); ++c) {
        const int nXStep = 1 << GST_VIDEO_FORMAT_INFO_W_SUB(pFormat, c);
        const int nYStep = 1 << GST_VIDEO_FORMAT_INFO_H_SUB(pFormat, c);
        if (source.x() % nXStep || source.y() % nYStep)
            return false;
    }
    return true;
}
}

CFrameScaler::~CFrameScaler() { sws_freeContext(m_pContext); }

bool CFrameScaler::Prepare(const Setup& setup)
{
    if (m_pContext && setup == m_setup)
        return true;
    sws_freeContext(m_pContext);
    m_pContext = nullptr;
    const Layout* pLayout = LayoutOf(setup.format);
    // Bilinear widens its taps when shrinking, so a picture at half size is
    // averaged rather than sampled: no moiré on fine detail.
    m_pContext = sws_getContext(setup.source.width(), setup.source.height(), pLayout->av, setup.output.width(),
        setup.output.height(), AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!m_pContext)
        return false;
    if (GST_VIDEO_FORMAT_INFO_IS_YUV(gst_video_format_get_info(setup.format))) {
        const bool bFullRange = setup.range == GST_VIDEO_COLOR_RANGE_0_255;
        sws_setColorspaceDetails(m_pContext, sws_getCoefficients(SwsColorspace(setup.matrix)), bFullRange,
            sws_getCoefficients(SWS_CS_DEFAULT), 1, 0, 1 << 16, 1 << 16);
    }
    m_setup = setup;
    return true;
}

bool CFrameScaler::Scale(const GstVideoFrame& frame, const QRect& source, uchar* pDest, int nStride, const QSize& size,
    qsizetype nTailBytes)
{
    const GstVideoInfo& info = frame.info;
    const Layout* pLayout = LayoutOf(GST_VIDEO_INFO_FORMAT(&info));
    if (!pLayout || GST_VIDEO_INFO_IS_INTERLACED(&info) || source.isEmpty() || size.isEmpty()
        || !QRect(0, 0, GST_VIDEO_INFO_WIDTH(&info), GST_VIDEO_INFO_HEIGHT(&info)).contains(source)
        || !OnChromaSites(info.finfo, source))
        return false;

    // An odd width would send the scaler down its slow path (full chroma, in
    // C): it scales one pixel wider, and the last column is left out.
    const int nOutWidth = size.width() + size.width() % 2;
    const Setup setup { pLayout->gst, source.size(), QSize(nOutWidth, size.height()),
        info.colorimetry.matrix, info.colorimetry.range };
    if (!Prepare(setup))
        return false;

    // Each plane from the source's corner, found through a component it holds.
    const uint8_t* planes[4] = {};
    int strides[4] = {};
    for (guint c = 0; c < GST_VIDEO_INFO_N_COMPONENTS(&info); ++c) {
        const guint p = GST_VIDEO_FORMAT_INFO_PLANE(info.finfo, c);
        if (planes[p])
            continue;
        strides[p] = GST_VIDEO_FRAME_PLANE_STRIDE(&frame, p);
        planes[p] = static_cast<const uint8_t*>(GST_VIDEO_FRAME_PLANE_DATA(&frame, p))
            + qsizetype(source.y() >> GST_VIDEO_FORMAT_INFO_H_SUB(info.finfo, c)) * strides[p]
            + qsizetype(source.x() >> GST_VIDEO_FORMAT_INFO_W_SUB(info.finfo, c))
                * GST_VIDEO_FORMAT_INFO_PSTRIDE(info.finfo, c);
    }
    if (pLayout->bSwapChroma) {
        std::swap(planes[1], planes[2]);
        std::swap(strides[1], strides[2]);
    }

    // Straight into pDest when the bytes past each row take the scaler's
    // blocks without reaching the next row's picture or the end of the
    // buffer (what they cover there is put back); else into rows of our
    // own, then copied. Its RGB to RGB copy writes as far as the shorter of
    // the two strides, so RGB frames always take our rows.
    const int nBlockWidth = (nOutWidth + kWriteBlock - 1) / kWriteBlock * kWriteBlock;
    const qsizetype nRowBytes = qsizetype(size.width()) * 4;
    const qsizetype nSpillBytes = qsizetype(nBlockWidth) * 4 - nRowBytes;
    const bool bDirect = GST_VIDEO_INFO_IS_YUV(&info) && nBlockWidth * 4 <= nStride && nSpillBytes <= nTailBytes;
    const qsizetype nKeptBytes = bDirect ? nSpillBytes : 0;
    const int nOutStride = bDirect ? nStride : nBlockWidth * 4;
    if (!bDirect)
        m_ownRows.resize(std::size_t(nOutStride) * std::size_t(size.height()));
    m_kept.resize(std::size_t(nKeptBytes) * std::size_t(size.height()));
    for (int y = 0; y < size.height() && nKeptBytes; ++y)
        std::memcpy(m_kept.data() + y * nKeptBytes, pDest + y * qsizetype(nStride) + nRowBytes, nKeptBytes);
    uint8_t* outPlanes[4] = { bDirect ? pDest : m_ownRows.data() };
    const int outStrides[4] = { nOutStride };
    sws_scale(m_pContext, planes, strides, 0, source.height(), outPlanes, outStrides);
    for (int y = 0; y < size.height(); ++y) {
        uchar* pRow = pDest + y * qsizetype(nStride);
        if (!bDirect)
            std::memcpy(pRow, m_ownRows.data() + y * qsizetype(nOutStride), nRowBytes);
        else if (nKeptBytes)
            std::memcpy(pRow + nRowBytes, m_kept.data() + y * nKeptBytes, nKeptBytes);
    }
    return true;
}
