// The capture thread: it writes the file, posts its report without waiting
// for anyone, and Wait returns only once it has ended.

#include "DibBuilder.h"

#include "capture/CaptureNaming.h"
#include "capture/CaptureWorker.h"
#include "platform/WindowMessages.h"
#include "res/StringIds.h"

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

TEST_F(CaptureWorker, ThreadSavesAndPostsItsReport)
{
    CCaptureWorker worker;
    ASSERT_TRUE(worker.Start(Job()));
    worker.Wait();
    // Written by the time Wait returns; the report waits in the queue for
    // the UI thread, which the worker never waited for.
    EXPECT_TRUE(Saved("clip_00000.bmp"));
    EXPECT_TRUE(m_sink.reports.empty());
    m_sink.Deliver();
    ASSERT_EQ(m_sink.reports.size(), 1u);
    EXPECT_EQ(m_sink.reports[0], (std::pair<quintptr, qintptr>(1, 0)));

    // The next capture takes the next number; a JPEG one its own.
    ASSERT_TRUE(worker.Start(Job()));
    worker.Wait();
    ASSERT_TRUE(worker.Start(Job(SAVE_FORMAT_JPEG)));
    worker.Wait();
    EXPECT_TRUE(Saved("clip_00001.bmp"));
    EXPECT_TRUE(Saved("clip_00000.jpg"));
    m_sink.Deliver();
    EXPECT_EQ(m_sink.reports.size(), 3u);
}

TEST_F(CaptureWorker, FailuresAreReportedWithTheirCodes)
{
    CCaptureWorker worker;
    CCaptureJob bmp = Job();
    bmp.image.truncate(30);
    ASSERT_TRUE(worker.Start(bmp));
    worker.Wait();
    CCaptureJob jpeg = Job(SAVE_FORMAT_JPEG);
    jpeg.strFolder = m_dir.filePath("missing");
    ASSERT_TRUE(worker.Start(jpeg));
    worker.Wait();
    m_sink.Deliver();
    ASSERT_EQ(m_sink.reports.size(), 2u);
    EXPECT_EQ(m_sink.reports[0], (std::pair<quintptr, qintptr>(0, CAPTURE_ERR_BMP)));
    EXPECT_EQ(m_sink.reports[1], (std::pair<quintptr, qintptr>(0, CAPTURE_ERR_JPEG)));

    // Every failure has a message, a failed JPEG included.
    EXPECT_EQ(CaptureFailureStringId(CAPTURE_ERR_FILENAME), IDS_STILL_NAME_FAILED);
    EXPECT_EQ(CaptureFailureStringId(CAPTURE_ERR_BMP), IDS_BMP_SAVE_FAILED);
    EXPECT_EQ(CaptureFailureStringId(CAPTURE_ERR_JPEG), IDS_JPEG_SAVE_FAILED);
    EXPECT_EQ(CaptureFailureStringId(CAPTURE_OK), 0);
}

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
