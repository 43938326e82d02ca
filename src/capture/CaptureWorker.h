#pragma once
// The thread that saves a still image. It runs one job, posts its report
// (WM_CAPTURE_DONE) to the job's window and ends; it never waits for the UI
// thread, so the UI thread may wait for it. Start and Wait are UI-thread
// calls; one job runs at a time.

#include "capture/CaptureJob.h"

#include <thread>

class CCaptureWorker {
public:
    CCaptureWorker() = default;
    // Waits for a job under way, so the worker never outlives its owner.
    ~CCaptureWorker();
    CCaptureWorker(const CCaptureWorker&) = delete;
    CCaptureWorker& operator=(const CCaptureWorker&) = delete;

    // Starts the job on a new thread, after the previous thread has ended.
    // False when the system gives no thread; the job, image included, is
    // then let go and no report comes.
    bool Start(CCaptureJob job);
    // Returns once the thread has ended; at once when none was started.
    void Wait();

private:
    std::thread m_thread;
};
