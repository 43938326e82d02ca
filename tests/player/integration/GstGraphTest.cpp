// The GStreamer graph on its own: the windowless renderer's picture and the
// volume.

#include "GstTestSupport.h"
#include "TestMedia.h"

#include "platform/Dib.h"
#include "platform/WindowMessages.h"
#include "player/Volume.h"
#include "player/graph/GstAudioRenderer.h"
#include "player/graph/GstGraph.h"
#include "player/graph/GstWindowlessRenderer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QWidget>

#include <algorithm>
#include <atomic>

namespace {
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

    CGstGraph graph;
    GraphNotifyTarget target;
    IGraphFilter* pRenderer = nullptr;
};

TEST_F(GstGraphTest, WindowlessRendererKeepsTheFrameAndPaintsItLetterBoxed)
{
    QWidget window;
    window.resize(320, 120);
    Render(TestMediaPath(TestClip::AviMjpegPcm), true);
    IVMRWindowlessControl9* pControl = nullptr;
    ASSERT_EQ(pRenderer->QueryWindowlessControl(&pControl), S_OK);
    pControl->SetVideoClippingWindow(&window);

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

TEST_F(GstGraphTest, VolumeReachesTheAudioBranchAsALinearFactor)
{
    Render(TestMediaPath(TestClip::Wav));
    std::vector<IGraphFilter*> filters;
    graph.EnumFilters(&filters);
    auto it = std::find_if(filters.begin(), filters.end(),
        [](IGraphFilter* p) { return p->GetRole() == FilterRole::AudioRenderer; });
    ASSERT_NE(it, filters.end());
    GstIterator* pFound = gst_bin_iterate_all_by_element_factory_name(
        GST_BIN(static_cast<CGstAudioRenderer*>(*it)->Bin()), "volume");
    GValue volume = G_VALUE_INIT;
    ASSERT_EQ(gst_iterator_next(pFound, &volume), GST_ITERATOR_OK);
    gst_iterator_free(pFound);
    auto linear = [&] {
        gdouble d = -1;
        g_object_get(g_value_get_object(&volume), "volume", &d, nullptr);
        return d;
    };

    ASSERT_TRUE(SUCCEEDED(graph.Run()));
    ASSERT_EQ(graph.put_Volume(VolumeToLevel(50)), S_OK);
    EXPECT_NEAR(linear(), 0.501187, 1e-6); // -6 dB
    ASSERT_EQ(graph.put_Volume(VolumeToLevel(10)), S_OK);
    EXPECT_NEAR(linear(), 0.1, 1e-6); // -20 dB
    ASSERT_EQ(graph.put_Volume(VolumeToLevel(0)), S_OK);
    EXPECT_EQ(linear(), 0.0);
    EXPECT_EQ(graph.put_Volume(1), E_INVALIDARG);
    g_value_unset(&volume);
}

}

// The stop of a stretch is reached and, before the window reads that end, a
// seek moves on past it (an A-B repeat ended): the file plays on, and only
// its own end is reported.
TEST_F(GstGraphTest, AnEndLeftBehindByASeekIsNotReported)
{
    Render(TestMediaPath(TestClip::AviMjpegPcm));
    auto events = [&](long msTimeout) {
        std::vector<long> codes;
        long lCode = 0;
        qintptr l1 = 0, l2 = 0;
        while (graph.GetEvent(&lCode, &l1, &l2, codes.empty() ? msTimeout : 0) == S_OK)
            codes.push_back(lCode);
        return codes;
    };
    LONGLONG llStart = 0;
    LONGLONG llStop = 2000000; // 0.2 s
    ASSERT_EQ(graph.SetPositions(&llStart, AM_SEEKING_AbsolutePositioning, &llStop, AM_SEEKING_AbsolutePositioning),
        S_OK);
    ASSERT_EQ(graph.WaitForPosition(5000), S_OK);
    QCoreApplication::processEvents();
    target.nNotified = 0;
    ASSERT_EQ(graph.Run(), S_OK);
    // The end of the stretch waits in the queue, unread: it is posted as the
    // last picture and sound reach the stop.
    ASSERT_TRUE(ProcessEventsUntil([&] {
        LONGLONG llNow = 0;
        return target.nNotified > 0 && graph.GetCurrentPosition(&llNow) == S_OK && llNow >= llStop;
    }));
    QTest::qWait(100);

    llStart = 1000000;
    llStop = 20000000; // the clip's length
    ASSERT_EQ(graph.SetPositions(&llStart, AM_SEEKING_AbsolutePositioning, &llStop, AM_SEEKING_AbsolutePositioning),
        S_OK);
    const std::vector<long> before = events(0);
    EXPECT_EQ(std::count(before.begin(), before.end(), EC_COMPLETE), 0);
    EXPECT_EQ(events(10000), std::vector<long> { EC_COMPLETE });
}

// A demuxer carries a seek out once for each renderer that passed it on. The
// second renderer's seek is held here until the first round has cued: only the
// second round is the seek's, so a paused seek past the end still goes back to
// the last picture.
TEST_F(GstGraphTest, ASeekCuesOnlyAfterItsLastRound)
{
    Render(TestMediaPath(TestClip::AviMjpegPcm), true);
    ASSERT_EQ(graph.WaitForPosition(5000), S_OK);
    std::atomic<int> nSeeks { 0 };
    std::vector<IGraphFilter*> filters;
    graph.EnumFilters(&filters);
    for (IGraphFilter* pFilter : filters) {
        GstElement* pBin = nullptr;
        if (auto* pAudio = dynamic_cast<CGstAudioRenderer*>(pFilter))
            pBin = pAudio->Bin();
        else if (auto* pVideo = dynamic_cast<CGstWindowlessRenderer*>(pFilter))
            pBin = pVideo->Bin();
        if (!pBin)
            continue;
        GstPad* pPad = gst_element_get_static_pad(pBin, "sink");
        gst_pad_add_probe(pPad, GST_PAD_PROBE_TYPE_EVENT_UPSTREAM,
            [](GstPad*, GstPadProbeInfo* pInfo, gpointer pData) {
                if (GST_EVENT_TYPE(GST_PAD_PROBE_INFO_EVENT(pInfo)) == GST_EVENT_SEEK
                    && ++*static_cast<std::atomic<int>*>(pData) == 2)
                    g_usleep(300 * 1000);
                return GST_PAD_PROBE_OK;
            },
            &nSeeks, nullptr);
        gst_object_unref(pPad);
    }

    LONGLONG llPast = 30000000; // the clip is 2 s long
    ASSERT_EQ(graph.SetPositions(&llPast, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning), S_OK);
    ASSERT_EQ(nSeeks, 2);
    ASSERT_EQ(graph.WaitForPosition(5000), S_OK);
    LONGLONG llNow = 0;
    ASSERT_EQ(graph.GetCurrentPosition(&llNow), S_OK);
    // Within the last of the 50 pictures, 25 a second.
    EXPECT_GE(llNow, 19600000);
    EXPECT_LT(llNow, 20000000);
}
