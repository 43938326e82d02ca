// Skipping by seeking, frame steps and the A-B segment.

#include "player/DShowPlayer.h"

#include "player/ErrMessage.h"

#include <algorithm>

namespace {
// One frame when the picture's format gives no frame time (about 29.97 fps).
constexpr LONGLONG kDefaultFrameTime = 333666;
}

bool CDShowPlayer::PauseForStepping(LONGLONG* pllCurrent, LONGLONG* pllStop)
{
    if (SeekMode == SEEKMODE_NONE)
        return false;
    if (GetState() != State_Paused)
        Pause();
    const HRESULT hr = m_pMediaSeeking->GetPositions(pllCurrent, pllStop);
    if (FAILED(hr))
        Throw(ERR_GET_POSITIONS, hr);
    return true;
}

// The position paused is the picture on screen, so the end is reached with
// the last picture, one frame before the stop.
bool CDShowPlayer::IsAtLastPicture(LONGLONG llCurrent, LONGLONG llStop)
{
    if (SeekMode == SEEKMODE_FRAME)
        return llCurrent >= llStop - 1;
    bool bFormat = false;
    LONGLONG llFrameTime = FrameTime(&bFormat);
    if (llFrameTime <= 0)
        llFrameTime = kDefaultFrameTime;
    return llCurrent + llFrameTime >= llStop;
}

int CDShowPlayer::Skip(BOOL bForward, LONGLONG llCount)
{
    LONGLONG llCurrent = 0;
    LONGLONG llStop = 0;
    if (!PauseForStepping(&llCurrent, &llStop))
        return STEP_IMPOSSIBLE;
    if (bForward && IsAtLastPicture(llCurrent, llStop))
        return STEP_AT_LIMIT;
    if (!bForward && (m_bSegment ? m_llSegmentStart >= llCurrent : llCurrent <= 0))
        return STEP_AT_LIMIT;

    LONGLONG llDistance = llCount;
    if (SeekMode == SEEKMODE_TIME) {
        bool bFormat = false;
        LONGLONG llFrameTime = FrameTime(&bFormat);
        if (!bFormat)
            return STEP_IMPOSSIBLE; // no picture to count frames of
        if (llFrameTime <= 0) {
            // The owner-window renderer must know its frame time; a picture
            // format without one is taken as about 29.97 fps.
            if (m_bOwnerWindowMode)
                return STEP_IMPOSSIBLE;
            llFrameTime = kDefaultFrameTime;
        }
        llDistance = llCount * llFrameTime;
    }

    LONGLONG llTarget = bForward ? llCurrent + llDistance : llCurrent - llDistance;
    llTarget = std::min(llTarget, llStop);
    if (m_bSegment && llTarget < m_llSegmentStart)
        llTarget = m_llSegmentStart;
    else if (!m_bSegment && llTarget < 0)
        llTarget = 0;
    SetPositionsOrThrow(llTarget, nullptr);
    return STEP_MOVED;
}

int CDShowPlayer::FrameStep(LONGLONG llCount)
{
    LONGLONG llCurrent = 0;
    LONGLONG llStop = 0;
    if (!PauseForStepping(&llCurrent, &llStop))
        return STEP_IMPOSSIBLE;
    if (IsAtLastPicture(llCurrent, llStop))
        return STEP_AT_LIMIT;

    IVideoFrameStep* pFrameStep = nullptr;
    if (FAILED(m_pGraph->QueryVideoFrameStep(&pFrameStep)) || !pFrameStep)
        return STEP_UNAVAILABLE;
    // A count that is not a positive number of frames steps one frame.
    const DWORD dwFrames = llCount > 0 ? static_cast<DWORD>(std::min<LONGLONG>(llCount, 0x7fffffff)) : 1;
    if (pFrameStep->CanStep(static_cast<long>(dwFrames)) != S_OK)
        return STEP_UNAVAILABLE;
    const HRESULT hr = pFrameStep->Step(dwFrames);
    if (FAILED(hr))
        Throw(ERR_STEP, hr);
    return STEP_MOVED;
}

int CDShowPlayer::SetSegment(LONGLONG llPointA, LONGLONG llPointB)
{
    if (SeekMode == SEEKMODE_NONE)
        return 0;
    const long lState = GetState();
    if (lState == State_Stopped)
        return 0;
    Pause();
    if (llPointA < 0 || llPointA > m_llStopPosition)
        return 0;
    SetPositionsOrThrow(llPointA, &llPointB);
    m_llSegmentStart = llPointA;
    m_llSegmentEnd = llPointB;
    m_bSegment = TRUE;
    if (lState == State_Running)
        Run();
    return 1;
}

int CDShowPlayer::ClearSegment()
{
    if (SeekMode == SEEKMODE_NONE || !m_bSegment)
        return 0;
    const long lState = GetState();
    if (lState == State_Stopped)
        return 0;
    Pause();
    const LONGLONG llCurrent = GetCurrentPosition();
    // The media's own end, as read at set-up, ends playback again.
    SetPositionsOrThrow(llCurrent, &m_llStopPosition);
    m_bSegment = FALSE;
    if (lState == State_Running)
        Run();
    return 1;
}

int CDShowPlayer::IsBeforeSegmentEnd()
{
    if (!m_bSegment)
        return 1;
    return GetCurrentPosition() < m_llSegmentEnd ? 1 : 0;
}
