#include "capture/CaptureWorker.h"

#include "platform/WindowMessages.h"

#include <QCoreApplication>

#include <exception>

namespace {

void RunAndReport(CCaptureJob job)
{
    const CaptureResult result = RunCaptureJob(job);
    if (job.pNotifyWnd)
        QCoreApplication::postEvent(job.pNotifyWnd,
            new CMessageEvent(WM_CAPTURE_DONE, result == CAPTURE_OK ? 1 : 0, result));
}

} // namespace

CCaptureWorker::~CCaptureWorker() { Wait(); }

bool CCaptureWorker::Start(CCaptureJob job)
{
    // A caller that waited for the report finds the previous thread at
    // most returning.
    Wait();
    try {
        m_thread = std::thread(RunAndReport, std::move(job));
    } catch (const std::exception&) {
        // No thread (system_error), or no memory for the job's copy.
        return false;
    }
    return true;
}

void CCaptureWorker::Wait()
{
    if (m_thread.joinable())
        m_thread.join();
}
