// Run, pause and stop, positions, durations and the volume.

#include "player/DShowPlayer.h"

#include "player/ErrMessage.h"

namespace {
constexpr LONGLONG kUnitsPerSecond = 10000000;
}

void CDShowPlayer::Throw(int nCode, HRESULT hr, int nKind) const { throw CDirectShowErrMessage(nCode, hr, nKind); }

long CDShowPlayer::GetState()
{
    long lState = State_Stopped;
    const HRESULT hr = m_pMediaControl->GetState(kStateTimeoutMs, &lState);
    if (FAILED(hr))
        Throw(ERR_GET_STATE, hr);
    return lState;
}

void CDShowPlayer::Run()
{
    HRESULT hr;
    if (m_bOwnerWindowMode && m_pVideoWindow) {
        hr = m_pVideoWindow->put_Visible(OATRUE);
        if (FAILED(hr))
            Throw(ERR_PUT_VISIBLE, hr);
    }
    hr = m_pMediaControl->Run();
    if (FAILED(hr))
        Throw(ERR_RUN, hr);
}

void CDShowPlayer::Pause()
{
    const HRESULT hr = m_pMediaControl->Pause();
    if (FAILED(hr))
        Throw(ERR_PAUSE, hr);
}

void CDShowPlayer::Stop()
{
    HRESULT hr = m_pMediaControl->Stop();
    if (FAILED(hr))
        Throw(ERR_STOP, hr);
    if (m_bOwnerWindowMode && m_pVideoWindow) {
        hr = m_pVideoWindow->put_Visible(OAFALSE);
        if (FAILED(hr))
            Throw(ERR_PUT_VISIBLE, hr);
    }
}

void CDShowPlayer::Restart()
{
    Pause();
    SetPosition(m_bSegment ? m_llSegmentStart : 0);
    Run();
}

void CDShowPlayer::SetPositionsOrThrow(LONGLONG llCurrent, const LONGLONG* pllStop)
{
    LONGLONG llStop = pllStop ? *pllStop : 0;
    const HRESULT hr = m_pMediaSeeking->SetPositions(&llCurrent, AM_SEEKING_AbsolutePositioning,
        pllStop ? &llStop : nullptr, pllStop ? AM_SEEKING_AbsolutePositioning : AM_SEEKING_NoPositioning);
    if (FAILED(hr))
        Throw(ERR_SET_POSITIONS, hr);
}

void CDShowPlayer::SetPosition(LONGLONG llPosition)
{
    if (SeekMode == SEEKMODE_NONE)
        return;
    LONGLONG llTarget = llPosition;
    if (m_bSegment) {
        if (llPosition > m_llSegmentEnd)
            llTarget = m_llSegmentEnd;
        if (llPosition < m_llSegmentStart)
            llTarget = m_llSegmentStart;
    }
    SetPositionsOrThrow(llTarget, nullptr);
}

int CDShowPlayer::SeekPlaying(LONGLONG llPosition)
{
    if (SeekMode == SEEKMODE_NONE || llPosition < 0 || llPosition > m_llStopPosition)
        return 0;
    const long lState = GetState();
    if (lState == State_Stopped)
        return 0;
    Pause();
    SetPositionsOrThrow(llPosition, nullptr);
    if (lState == State_Running)
        Run();
    return 1;
}

LONGLONG CDShowPlayer::GetCurrentPosition()
{
    LONGLONG llCurrent = 0;
    const HRESULT hr = m_pMediaSeeking->GetCurrentPosition(&llCurrent);
    if (FAILED(hr))
        Throw(ERR_GET_CURRENT_POSITION, hr);
    return llCurrent;
}

LONGLONG CDShowPlayer::FrameTime(bool* pbFormat)
{
    if (m_bOwnerWindowMode && m_pBasicVideo) {
        if (pbFormat)
            *pbFormat = true;
        double dSeconds = 0;
        if (FAILED(m_pBasicVideo->get_AvgTimePerFrame(&dSeconds)))
            return 0;
        return static_cast<LONGLONG>(dSeconds * double(kUnitsPerSecond));
    }
    const GraphMediaType& mt = m_videoMediaType;
    const bool bFormat
        = mt.cbFormat != 0 && (mt.formattype == FormatType::VideoInfo || mt.formattype == FormatType::VideoInfo2);
    if (pbFormat)
        *pbFormat = bFormat;
    return bFormat ? mt.video.AvgTimePerFrame : 0;
}

int CDShowPlayer::GetDurations(LONGLONG* pllMediaTime, LONGLONG* pllSeekUnit, LONGLONG* pllFrames)
{
    switch (SeekMode) {
    case 1: {
        *pllMediaTime = m_llDurationTime;
        *pllSeekUnit = m_llDurationTime;
        const LONGLONG llFrameTime = FrameTime();
        *pllFrames = llFrameTime > 0 ? m_llDurationTime / llFrameTime : -1;
        break;
    }
    case 2:
        *pllMediaTime = m_llDurationTime;
        *pllSeekUnit = m_llDurationFrames;
        *pllFrames = m_llDurationFrames;
        break;
    default:
        *pllMediaTime = -1;
        *pllSeekUnit = 0;
        *pllFrames = -1;
        break;
    }
    return SeekMode;
}

LONGLONG CDShowPlayer::GetAvgFrameTime()
{
    const LONGLONG llFrameTime = FrameTime();
    return llFrameTime > 0 ? llFrameTime : 0;
}

void CDShowPlayer::SetVolume(long lLevel)
{
    const HRESULT hr = m_pBasicAudio->put_Volume(lLevel);
    if (FAILED(hr))
        Throw(ERR_PUT_VOLUME, hr, ERRKIND_VOLUME);
}
