// Seeking set-up: which time format positions use, the durations, the seek
// mode and the media's own stop position.

#include "player/DShowPlayer.h"

void CDShowPlayer::ReadSeekingCapabilities()
{
    const HRESULT hr = m_pMediaSeeking->GetCapabilities(&m_dwSeekCaps);
    if (FAILED(hr))
        Fail(ERR_GET_CAPABILITIES, hr);
}

void CDShowPlayer::SetupSeeking()
{
    ReadSeekingCapabilities();
    m_llDurationTime = 0;
    m_llDurationFrames = 0;

    if (m_dwSeekCaps & AM_SEEKING_CanGetDuration) {
        m_timeFormat = TimeFormat::MediaTime;
        HRESULT hr = m_pMediaSeeking->IsFormatSupported(m_timeFormat);
        if (hr == S_OK) {
            hr = m_pMediaSeeking->SetTimeFormat(m_timeFormat);
            if (FAILED(hr))
                Fail(ERR_SET_TIME_FORMAT, hr);
            hr = m_pMediaSeeking->GetDuration(&m_llDurationTime);
            if (FAILED(hr))
                Fail(ERR_GET_DURATION, hr);
        } else if (FAILED(hr)) {
            Fail(ERR_FORMAT_NOT_SUPPORTED, hr);
        }

        // Frames win when both formats work.
        m_timeFormat = TimeFormat::Frame;
        hr = m_pMediaSeeking->IsFormatSupported(m_timeFormat);
        if (hr == S_OK) {
            hr = m_pMediaSeeking->SetTimeFormat(m_timeFormat);
            if (FAILED(hr))
                Fail(ERR_SET_TIME_FORMAT, hr);
            hr = m_pMediaSeeking->GetDuration(&m_llDurationFrames);
            if (FAILED(hr))
                Fail(ERR_GET_DURATION, hr);
        } else if (FAILED(hr) && hr != E_NOTIMPL) {
            Fail(ERR_FORMAT_NOT_SUPPORTED, hr);
        }
    }

    HRESULT hr = m_pMediaSeeking->GetTimeFormat(&m_timeFormat);
    if (FAILED(hr))
        Fail(ERR_GET_TIME_FORMAT, hr);

    constexpr DWORD kCanSeek = AM_SEEKING_CanSeekAbsolute | AM_SEEKING_CanSeekForwards | AM_SEEKING_CanSeekBackwards;
    SeekMode = SEEKMODE_NONE;
    if ((m_dwSeekCaps & kCanSeek) == kCanSeek) {
        if (m_llDurationFrames != 0)
            SeekMode = SEEKMODE_FRAME;
        else if (m_llDurationTime != 0)
            SeekMode = SEEKMODE_TIME;
    }

    if (SeekMode != SEEKMODE_NONE) {
        hr = m_pMediaSeeking->GetStopPosition(&m_llStopPosition);
        if (FAILED(hr))
            Fail(ERR_GET_STOP_POSITION, hr);
    }
}

void CDShowPlayer::UpdateLength()
{
    SetupSeeking();
    // The graph's stop is B while a segment plays; the end is the length.
    if (m_bSegment)
        m_llStopPosition = SeekMode == SEEKMODE_FRAME ? m_llDurationFrames : m_llDurationTime;
}
