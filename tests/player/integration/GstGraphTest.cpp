// The GStreamer graph on its own: the windowless renderer's picture and the
// volume.

#include "GstTestSupport.h"
#include "TestMedia.h"

#include "platform/Dib.h"
#include "platform/WindowMessages.h"
#include "player/Volume.h"
#include "player/graph/GstAudioRenderer.h"
#include "player/graph/GstGraph.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <algorithm>

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
