// What the player learns about the media while the graph is built: picture
// size, frame rate and interlacing, the audio format and the text properties.

#include "player/DShowPlayer.h"

namespace {
InterlaceKind KindOfFlags(DWORD dwFlags)
{
    switch (dwFlags) {
    case 0x00: return INTERLACE_PROGRESSIVE;
    case 0x01: return INTERLACE_INTERLEAVED_BOB;
    case 0x03: return INTERLACE_NONINTERLEAVED_BOB;
    case 0x61: return INTERLACE_WEAVE;
    case 0x81: return INTERLACE_BOB_OR_WEAVE;
    default: return INTERLACE_OTHER;
    }
}
}

QString CDShowPlayer::GetFilterName(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nFilterCount)
        return QString();
    return m_szFilterNames[static_cast<std::size_t>(nIndex)];
}

BOOL CDShowPlayer::GetFrameCounts(LONGLONG* pllDrawn, LONGLONG* pllDropped) const
{
    *pllDrawn = 0;
    *pllDropped = 0;
    IQualProp* pQuality = nullptr;
    if (!m_pGraph || FAILED(m_pGraph->QueryQualProp(&pQuality)) || !pQuality)
        return FALSE;
    return SUCCEEDED(pQuality->get_FramesDrawn(pllDrawn)) && SUCCEEDED(pQuality->get_FramesDropped(pllDropped));
}

void CDShowPlayer::ReadVideoInfo()
{
    if (m_pBasicVideo) {
        long lWidth = 0;
        long lHeight = 0;
        m_nVideoWidth = SUCCEEDED(m_pBasicVideo->get_VideoWidth(&lWidth)) ? static_cast<int>(lWidth) : 0;
        m_nVideoHeight = SUCCEEDED(m_pBasicVideo->get_VideoHeight(&lHeight)) ? static_cast<int>(lHeight) : 0;
        double dSecondsPerFrame = 0;
        if (SUCCEEDED(m_pBasicVideo->get_AvgTimePerFrame(&dSecondsPerFrame)) && dSecondsPerFrame > 0)
            m_nFps = static_cast<int>(100.0 / dSecondsPerFrame);
        else
            m_nFps = 0;
        return;
    }
    if (m_bOwnerWindowMode) {
        m_nVideoWidth = m_nVideoHeight = m_nFps = 0;
        return;
    }

    const GraphMediaType& mt = m_videoMediaType;
    if (mt.cbFormat == 0 || (mt.formattype != FormatType::VideoInfo && mt.formattype != FormatType::VideoInfo2))
        return;
    m_nVideoWidth = mt.video.bmiHeader.biWidth;
    m_nVideoHeight = mt.video.bmiHeader.biHeight;
    m_nFps = mt.video.AvgTimePerFrame != 0 ? static_cast<int>(1000000000LL / mt.video.AvgTimePerFrame) : 0;
    if (mt.formattype == FormatType::VideoInfo2) {
        m_dwInterlaceFlags = mt.video.dwInterlaceFlags;
        m_nInterlaceKind = KindOfFlags(m_dwInterlaceFlags);
    } else {
        m_nInterlaceKind = INTERLACE_NOT_REPORTED;
    }

    IVMRDeinterlaceControl9* pDeinterlace = nullptr;
    if (m_pVMR9 && SUCCEEDED(m_pVMR9->QueryDeinterlaceControl(&pDeinterlace))) {
        bool bDeinterlacing = false;
        if (SUCCEEDED(pDeinterlace->GetActualDeinterlaceMode(0, &bDeinterlacing)))
            m_nDeinterlaceStatus = bDeinterlacing ? DEINTERLACE_ON : DEINTERLACE_OFF;
    }
}

void CDShowPlayer::ReadMediaText(IGraphFilter* pFilter)
{
    IAMMediaContent* pContent = nullptr;
    if (FAILED(pFilter->QueryMediaContent(&pContent)) || !pContent)
        return;
    // A later filter overwrites what an earlier one set.
    QString str;
    if (SUCCEEDED(pContent->get_AuthorName(&str)))
        m_strAuthor = str;
    if (SUCCEEDED(pContent->get_Title(&str)))
        m_strTitle = str;
    if (SUCCEEDED(pContent->get_Rating(&str)))
        m_strRating = str;
    if (SUCCEEDED(pContent->get_Description(&str)))
        m_strDescription = str;
    if (SUCCEEDED(pContent->get_Copyright(&str)))
        m_strCopyright = str;
    if (SUCCEEDED(pContent->get_Album(&str)))
        m_strAlbum = str;
}

void CDShowPlayer::ReadAudioFormat(IGraphFilter* pFilter)
{
    std::vector<GraphPin> pins;
    if (FAILED(pFilter->EnumPins(&pins)))
        return;
    for (std::size_t i = 0; i < pins.size(); ++i) {
        if (pins[i].direction != PinDirection::Input || !pins[i].bConnected)
            continue;
        GraphMediaType mt;
        if (SUCCEEDED(pFilter->ConnectionMediaType(i, &mt)) && mt.cbFormat != 0
            && mt.formattype == FormatType::WaveFormatEx) {
            m_nAudioChannels = mt.audio.nChannels;
            m_nAudioSampleRate = static_cast<int>(mt.audio.nSamplesPerSec);
            m_nAudioBitsPerSample = mt.audio.wBitsPerSample;
        }
        return;
    }
}
