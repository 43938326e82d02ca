// The capture thread outlives no worker: going, the worker waits for it, and
// its file and report are there all the same.

#include "DibBuilder.h"

#include "capture/CaptureNaming.h"
#include "capture/CaptureWorker.h"
#include "platform/WindowMessages.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include <utility>
#include <vector>

namespace {

// Stands in for the main frame.
class ReportSink : public QObject {
public:
    std::vector<std::pair<quintptr, qintptr>> reports;

    // Delivers the reports posted so far.
    void Deliver() { QCoreApplication::sendPostedEvents(this, MessageEventType(WM_CAPTURE_DONE)); }

protected:
    void customEvent(QEvent* event) override
    {
        if (event->type() == MessageEventType(WM_CAPTURE_DONE)) {
            const auto* message = static_cast<CMessageEvent*>(event);
            reports.emplace_back(message->m_wParam, message->m_lParam);
        }
    }
};

class CaptureWorker : public ::testing::Test {
protected:
    CCaptureJob Job(int nFormat = SAVE_FORMAT_BMP)
    {
        CCaptureJob job;
        job.pNotifyWnd = &m_sink;
        job.strSourcePath = QStringLiteral("/media/clip.avi");
        job.strFolder = m_dir.path();
        job.image = MakeDib(2, 2, 24, {}, QByteArray(16, '\x40'));
        job.nFormat = nFormat;
        job.nQuality = 75;
        return job;
    }
    bool Saved(const char* name) const { return QFileInfo::exists(m_dir.filePath(name)); }

    QTemporaryDir m_dir;
    ReportSink m_sink;
};

TEST_F(CaptureWorker, TheWorkerWaitsForItsThreadWhenItGoes)
{
    {
        CCaptureWorker worker;
        ASSERT_TRUE(worker.Start(Job()));
    }
    EXPECT_TRUE(Saved("clip_00000.bmp"));
    m_sink.Deliver();
    EXPECT_EQ(m_sink.reports.size(), 1u);

    // Waiting without a thread returns at once.
    CCaptureWorker idle;
    idle.Wait();
}

} // namespace
