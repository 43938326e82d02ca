// The GStreamer graph on its own: its event queue and notifications, state
// reports, the windowless renderer's picture, the registry queries.

#include "GstTestSupport.h"
#include "TestMedia.h"

#include "platform/Dib.h"
#include "platform/WindowMessages.h"
#include "player/graph/GstGraph.h"
#include "player/graph/GstRegistry.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <algorithm>

namespace {
// Counts the graph notifications posted to it.
class NotifyTarget : public QObject {
public:
    int nNotified = 0;
    bool event(QEvent* e) override
    {
        if (e->type() == MessageEventType(WM_GRAPHNOTIFY)) {
            ++nNotified;
            return true;
        }
        return QObject::event(e);
    }
};

class GstGraphTest : public QuietGstTest {
protected:
    // Renders the file, with a windowless renderer when asked.
    void Render(const QString& strFile, bool bWindowless = false)
    {
        if (bWindowless) {
            ASSERT_EQ(graph.CreateWindowlessRenderer(&pRenderer), S_OK);
            ASSERT_EQ(graph.AddFilter(pRenderer, kWindowlessRendererName), S_OK);
        }
        ASSERT_EQ(graph.RenderFile(strFile), S_OK);
        graph.SetNotifyWindow(&target, WM_GRAPHNOTIFY, 0);
    }

    // Drains the queue as the main frame does; the event codes seen.
    std::vector<long> Drain(std::vector<qintptr>* pParams = nullptr)
    {
        std::vector<long> codes;
        long lCode = 0;
        qintptr l1 = 0;
        qintptr l2 = 0;
        while (graph.GetEvent(&lCode, &l1, &l2, 0) == S_OK) {
            codes.push_back(lCode);
            if (pParams)
                pParams->push_back(l1);
        }
        return codes;
    }

    GstElement* SourceElement()
    {
        std::vector<IGraphFilter*> filters;
        graph.EnumFilters(&filters);
        for (IGraphFilter* p : filters)
            if (p->GetRole() == FilterRole::Source)
                return static_cast<CGstElementFilter*>(p)->Element();
        return nullptr;
    }

    CGstGraph graph;
    NotifyTarget target;
    IGraphFilter* pRenderer = nullptr;
};

TEST_F(GstGraphTest, EndOfMediaIsNotifiedAndQueuedAsComplete)
{
    Render(TestMediaPath(TestClip::Wav));
    long lState = -1;
    EXPECT_EQ(graph.GetState(100, &lState), S_OK);
    EXPECT_EQ(lState, State_Stopped);

    ASSERT_TRUE(SUCCEEDED(graph.Run()));
    // As the main frame does: drain when notified.
    ASSERT_TRUE(ProcessEventsUntil([&] { return target.nNotified > 0; }));
    EXPECT_EQ(Drain(), std::vector<long>({ EC_COMPLETE }));
    EXPECT_EQ(graph.GetState(1000, &lState), S_OK);
    EXPECT_EQ(lState, State_Running);
}

TEST_F(GstGraphTest, AnErrorDuringPlaybackBecomesOneErrorAbortEvent)
{
    Render(TestMediaPath(TestClip::AviFrameCounter), true);
    ASSERT_TRUE(SUCCEEDED(graph.Run()));
    GstElement* pSource = SourceElement();
    ASSERT_NE(pSource, nullptr);

    // As an element reports a failure while the file plays (twice).
    for (int i = 0; i < 2; ++i) {
        GError* pError = g_error_new_literal(GST_STREAM_ERROR, GST_STREAM_ERROR_DECODE, "Broken frame data");
        gst_element_post_message(pSource, gst_message_new_error(GST_OBJECT(pSource), pError, "test"));
        g_error_free(pError);
    }

    std::vector<long> codes;
    std::vector<qintptr> params;
    ASSERT_TRUE(ProcessEventsUntil([&] {
        const std::vector<long> more = Drain(&params);
        codes.insert(codes.end(), more.begin(), more.end());
        return target.nNotified >= 2 && !codes.empty();
    }));
    Drain(&params);
    ASSERT_EQ(codes, std::vector<long>({ EC_ERRORABORT }));
    EXPECT_EQ(HRESULT(params[0]), VFW_E_INVALID_FILE_FORMAT);
    EXPECT_TRUE(graph.GetErrorDetail().contains(QStringLiteral("Broken frame data")));
}

TEST_F(GstGraphTest, NotificationsStopWhenTheWindowIsCleared)
{
    Render(TestMediaPath(TestClip::Wav));
    graph.SetNotifyWindow(nullptr, 0, 0);
    ASSERT_TRUE(SUCCEEDED(graph.Run()));
    long lCode = 0;
    qintptr l1 = 0;
    qintptr l2 = 0;
    // Waiting on the queue itself still sees the end.
    EXPECT_EQ(graph.GetEvent(&lCode, &l1, &l2, 10000), S_OK);
    EXPECT_EQ(lCode, EC_COMPLETE);
    QCoreApplication::processEvents();
    EXPECT_EQ(target.nNotified, 0);
}

TEST_F(GstGraphTest, StoppedStaysPrerolledAndReportsStopped)
{
    Render(TestMediaPath(TestClip::AviMjpegPcm), true);
    ASSERT_TRUE(SUCCEEDED(graph.Pause()));
    long lState = -1;
    EXPECT_EQ(graph.GetState(1000, &lState), S_OK);
    EXPECT_EQ(lState, State_Paused);
    ASSERT_TRUE(SUCCEEDED(graph.Stop()));
    EXPECT_EQ(graph.GetState(1000, &lState), S_OK);
    EXPECT_EQ(lState, State_Stopped);
    // Still seekable and answering while stopped.
    LONGLONG llFrame = 10;
    EXPECT_EQ(graph.SetTimeFormat(TimeFormat::Frame), S_OK);
    EXPECT_EQ(graph.SetPositions(&llFrame, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning), S_OK);
    LONGLONG llCurrent = -1;
    EXPECT_EQ(graph.GetCurrentPosition(&llCurrent), S_OK);
    EXPECT_EQ(llCurrent, 10);
}

TEST_F(GstGraphTest, WindowlessRendererKeepsTheFrameAndPaintsItLetterBoxed)
{
    QWidget window;
    window.resize(320, 120);
    Render(TestMediaPath(TestClip::AviMjpegPcm), true);
    IVMRWindowlessControl9* pControl = nullptr;
    ASSERT_EQ(pRenderer->QueryWindowlessControl(&pControl), S_OK);
    pControl->SetVideoClippingWindow(&window);

    long lWidth = 0;
    long lHeight = 0;
    long lARWidth = 0;
    long lARHeight = 0;
    EXPECT_EQ(pControl->GetNativeVideoSize(&lWidth, &lHeight, &lARWidth, &lARHeight), S_OK);
    EXPECT_EQ(lWidth, 160);
    EXPECT_EQ(lHeight, 120);
    EXPECT_EQ(lARWidth, 4);
    EXPECT_EQ(lARHeight, 3);

    QByteArray dib;
    ASSERT_EQ(pControl->GetCurrentImage(&dib), S_OK);
    const QImage frame = PackedDibToImage(dib);
    EXPECT_EQ(frame.size(), QSize(160, 120));

    // A wide destination gets bands left and right in letter-box mode.
    QImage canvas(320, 120, QImage::Format_RGB32);
    canvas.fill(Qt::red);
    const QRect destination(0, 0, 320, 120);
    pControl->SetVideoPosition(nullptr, &destination);
    pControl->SetAspectRatioMode(VMR9ARMode_LetterBox);
    {
        QPainter painter(&canvas);
        EXPECT_EQ(pControl->RepaintVideo(&window, &painter), S_OK);
    }
    EXPECT_EQ(canvas.pixel(5, 60), qRgb(0, 0, 0));
    EXPECT_EQ(canvas.pixel(315, 60), qRgb(0, 0, 0));
    EXPECT_EQ(canvas.pixel(120, 60), frame.pixel(40, 60));

    pControl->SetAspectRatioMode(VMR9ARMode_None);
    {
        QPainter painter(&canvas);
        pControl->RepaintVideo(&window, &painter);
    }
    EXPECT_NE(canvas.pixel(5, 60), qRgb(0, 0, 0));
}

TEST_F(GstGraphTest, VolumeNeedsSoundAndStaysInRange)
{
    Render(TestMediaPath(TestClip::Wav));
    EXPECT_EQ(graph.put_Volume(-600), S_OK);
    long lVolume = 0;
    EXPECT_EQ(graph.get_Volume(&lVolume), S_OK);
    EXPECT_EQ(lVolume, -600);
    EXPECT_EQ(graph.put_Volume(1), E_INVALIDARG);
    EXPECT_EQ(graph.put_Volume(-10001), E_INVALIDARG);
}

TEST_F(GstGraphTest, SilentVideoHasNoVolume)
{
    Render(TestMediaPath(TestClip::AviMjpegOnly), true);
    EXPECT_EQ(graph.put_Volume(0), E_NOTIMPL);
    EXPECT_EQ(graph.CanStep(0), S_OK);
    IBasicVideo2* pBasicVideo = nullptr;
    EXPECT_EQ(graph.QueryBasicVideo(&pBasicVideo), E_NOINTERFACE);
}

TEST(GstRegistry, ListsEveryFilterAndThoseThatTakeAType)
{
    CGstFilterRegistry registry;
    std::vector<FilterMoniker> all;
    ASSERT_EQ(registry.EnumAllFilters(&all), S_OK);
    auto has = [](const std::vector<FilterMoniker>& list, const char* name) {
        return std::any_of(list.begin(), list.end(),
            [&](const FilterMoniker& m) { return m.strFriendlyName == QLatin1String(name); });
    };
    EXPECT_TRUE(has(all, "JPEG image decoder"));
    EXPECT_TRUE(has(all, "Avi demuxer"));

    std::vector<FilterMoniker> jpeg;
    ASSERT_EQ(registry.EnumMatchingFilters({ QStringLiteral("image/jpeg") }, &jpeg), S_OK);
    EXPECT_TRUE(has(jpeg, "JPEG image decoder"));
    EXPECT_TRUE(has(jpeg, "libav MJPEG (Motion JPEG) decoder"));
    EXPECT_FALSE(has(jpeg, "Avi demuxer"));
    // Sinks have no output and are not offered.
    std::vector<FilterMoniker> raw;
    ASSERT_EQ(registry.EnumMatchingFilters({ QStringLiteral("audio/x-raw") }, &raw), S_OK);
    EXPECT_FALSE(has(raw, "Fake Audio Sink"));
    EXPECT_EQ(registry.EnumMatchingFilters({ QStringLiteral("not caps ((") }, &raw), E_INVALIDARG);
}
}
