// The picture's size, its place in the view, painting and grabbing it.
//
// The view's client area is its contents rectangle (inside any frame edge);
// client coordinates start at its top-left corner.

#include "player/DShowPlayer.h"

#include "player/ErrMessage.h"

#include <QThread>
#include <QWidget>

namespace {
// How long the image grab waits for a running graph to pause.
constexpr int kPausePolls = 10;
constexpr int kPausePollMs = 100;

// The display width of a picture lHeight high in the aspect X:Y; the native
// width when the aspect is unknown.
int DisplayWidth(long lWidth, long lHeight, long lAspectX, long lAspectY)
{
    if (lAspectX <= 0 || lAspectY <= 0)
        return static_cast<int>(lWidth);
    return static_cast<int>(static_cast<qint64>(lHeight) * lAspectX / lAspectY);
}
}

QRect CDShowPlayer::ClientRect() const { return m_pView ? m_pView->contentsRect() : QRect(); }

int CDShowPlayer::GetNativeDisplaySize(int* pnWidth, int* pnHeight)
{
    long lWidth = 0;
    long lHeight = 0;
    long lAspectX = 0;
    long lAspectY = 0;
    if (m_bOwnerWindowMode) {
        if (!m_pBasicVideo)
            Throw(ERR_QUERY_BASIC_VIDEO, E_FAIL);
        HRESULT hr = m_pBasicVideo->get_VideoWidth(&lWidth);
        if (FAILED(hr))
            Throw(ERR_GET_VIDEO_WIDTH, hr);
        hr = m_pBasicVideo->get_VideoHeight(&lHeight);
        if (FAILED(hr))
            Throw(ERR_GET_VIDEO_HEIGHT, hr);
        hr = m_pBasicVideo->GetPreferredAspectRatio(&lAspectX, &lAspectY);
        if (FAILED(hr))
            Throw(ERR_GET_ASPECT_RATIO, hr);
        if (lWidth == 0 || lHeight == 0)
            Throw(ERR_GET_NATIVE_SIZE, E_FAIL, ERRKIND_VIDEO);
    } else {
        if (!m_pWindowlessControl)
            return 0;
        const HRESULT hr = m_pWindowlessControl->GetNativeVideoSize(&lWidth, &lHeight, &lAspectX, &lAspectY);
        if (FAILED(hr) || lWidth == 0 || lHeight == 0) {
            DropWindowlessControl();
            Throw(ERR_GET_NATIVE_SIZE, FAILED(hr) ? hr : E_FAIL, ERRKIND_VIDEO);
        }
    }
    // Only the height is taken as it is; the width follows from the aspect.
    *pnWidth = DisplayWidth(lWidth, lHeight, lAspectX, lAspectY);
    *pnHeight = static_cast<int>(lHeight);
    return 1;
}

void CDShowPlayer::FitVideoToView()
{
    const QRect client = ClientRect();
    SetVideoSize(client.width(), client.height());
}

void CDShowPlayer::SetVideoSize(int nWidth, int nHeight)
{
    if (m_bOwnerWindowMode)
        PlaceOwnerWindow(nWidth, nHeight);
    else if (m_pWindowlessControl)
        PlaceWindowless(nWidth, nHeight);
}

void CDShowPlayer::PlaceOwnerWindow(int nWidth, int nHeight)
{
    if (!m_pVideoWindow)
        Throw(ERR_QUERY_VIDEO_WINDOW, E_FAIL);
    if (!m_pBasicVideo)
        Throw(ERR_QUERY_BASIC_VIDEO, E_FAIL);
    const QPoint origin = ClientRect().topLeft();
    HRESULT hr = m_pVideoWindow->SetWindowPosition(origin.x(), origin.y(), nWidth, nHeight);
    if (FAILED(hr))
        Throw(ERR_SET_WINDOW_POSITION, hr);

    if (!m_bAspectFix) {
        // The picture is stretched over the whole window.
        hr = m_pBasicVideo->SetDefaultDestinationPosition();
        if (FAILED(hr))
            Throw(ERR_SET_DEFAULT_DESTINATION, hr);
        return;
    }
    long lAspectX = 0;
    long lAspectY = 0;
    hr = m_pBasicVideo->GetPreferredAspectRatio(&lAspectX, &lAspectY);
    if (FAILED(hr))
        Throw(ERR_GET_ASPECT_RATIO, hr);
    if (nWidth == 0 || nHeight == 0 || lAspectX == 0 || lAspectY == 0)
        return;
    const qint64 llW = nWidth;
    const qint64 llH = nHeight;
    const qint64 llFittedWidth = llH * lAspectX / lAspectY;
    if (llW < llFittedWidth) {
        // Too wide at full height: bands above and below.
        const qint64 llFittedHeight = llW * lAspectY / lAspectX;
        hr = m_pBasicVideo->SetDestinationPosition(
            0, static_cast<long>((llH - llFittedHeight) / 2), nWidth, static_cast<long>(llFittedHeight));
    } else {
        hr = m_pBasicVideo->SetDestinationPosition(
            static_cast<long>((llW - llFittedWidth) / 2), 0, static_cast<long>(llFittedWidth), nHeight);
    }
    if (FAILED(hr))
        Throw(ERR_SET_DESTINATION, hr);
}

void CDShowPlayer::PlaceWindowless(int nWidth, int nHeight)
{
    long lWidth = 0;
    long lHeight = 0;
    HRESULT hr = m_pWindowlessControl->GetNativeVideoSize(&lWidth, &lHeight, nullptr, nullptr);
    if (FAILED(hr)) {
        DropWindowlessControl();
        Throw(ERR_GET_NATIVE_SIZE, hr, ERRKIND_VIDEO);
    }
    if (lWidth == 0 || lHeight == 0) {
        // Nothing to show: the picture is given up without a word.
        DropWindowlessControl();
        return;
    }
    // The renderer letter-boxes inside the destination when the aspect is kept.
    const QRect source(0, 0, static_cast<int>(lWidth), static_cast<int>(lHeight));
    const QRect destination(ClientRect().topLeft(), QSize(nWidth, nHeight));
    hr = m_pWindowlessControl->SetVideoPosition(&source, &destination);
    if (FAILED(hr))
        Throw(ERR_SET_VIDEO_POSITION, hr, ERRKIND_VIDEO);
}

BOOL CDShowPlayer::RepaintVideo(QPainter* pPainter)
{
    if (!m_pWindowlessControl)
        return FALSE;
    const HRESULT hr = m_pWindowlessControl->RepaintVideo(m_pView, pPainter);
    if (FAILED(hr)) {
        DropWindowlessControl();
        Throw(ERR_REPAINT, hr, ERRKIND_VIDEO);
    }
    return hr == S_OK;
}

void CDShowPlayer::SetAspectFix(BOOL bAspectFix)
{
    m_bAspectFix = bAspectFix;
    if (m_bOwnerWindowMode) {
        FitVideoToView();
    } else if (m_pWindowlessControl) {
        const HRESULT hr = m_pWindowlessControl->SetAspectRatioMode(bAspectFix ? VMR9ARMode_LetterBox : VMR9ARMode_None);
        if (FAILED(hr))
            Throw(ERR_SET_ASPECT_MODE, hr, ERRKIND_VIDEO);
    }
}

QByteArray CDShowPlayer::GetCurrentImage()
{
    // The picture of the position set last, not the one before it.
    if (m_pMediaSeeking)
        m_pMediaSeeking->WaitForPosition(kPositionWaitMs);
    if (m_pWindowlessControl) {
        QByteArray dib;
        const HRESULT hr = m_pWindowlessControl->GetCurrentImage(&dib);
        if (FAILED(hr))
            Throw(ERR_GET_CURRENT_IMAGE, hr, ERRKIND_VIDEO);
        return dib;
    }
    if (m_bOwnerWindowMode && m_pBasicVideo)
        return GrabOwnerWindowImage();
    return QByteArray();
}

QByteArray CDShowPlayer::GrabOwnerWindowImage()
{
    // Never throws: a picture that cannot be had is simply none.
    long lState = State_Stopped;
    if (FAILED(m_pMediaControl->GetState(kStateTimeoutMs, &lState)) || lState == State_Stopped)
        return QByteArray();

    const bool bResume = lState == State_Running;
    auto resume = [&] {
        if (!bResume)
            return;
        try {
            Run();
        } catch (const CDirectShowErrMessage&) {
            // The grab reports no failures; the next command will meet it.
        }
    };
    if (bResume) {
        // The renderer hands out its picture only while paused.
        bool bPaused = false;
        if (SUCCEEDED(m_pMediaControl->Pause())) {
            for (int i = 0; i < kPausePolls && !bPaused; ++i) {
                const HRESULT hr = m_pMediaControl->GetState(kStateTimeoutMs, &lState);
                if (FAILED(hr))
                    break;
                bPaused = hr == S_OK && lState == State_Paused;
                if (!bPaused)
                    QThread::msleep(kPausePollMs);
            }
        }
        if (!bPaused) {
            resume();
            return QByteArray();
        }
    }

    long lSize = 0;
    if (FAILED(m_pBasicVideo->GetCurrentImage(&lSize, nullptr)) || lSize <= 0) {
        resume();
        return QByteArray();
    }
    QByteArray dib(lSize, Qt::Uninitialized);
    if (FAILED(m_pBasicVideo->GetCurrentImage(&lSize, reinterpret_cast<std::uint8_t*>(dib.data())))) {
        resume();
        return QByteArray();
    }
    dib.truncate(lSize);
    resume();
    return dib;
}
