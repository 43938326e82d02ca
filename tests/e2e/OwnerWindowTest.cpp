// The owner-window renderer on a real X display: with the Video Mixing
// Renderer setting off, the picture goes to an overlay sink drawing into a
// native child window of the view.

#include "FrameExactness.h"
#include "GstTestSupport.h"
#include "TestMedia.h"

#include "filters/FilterNameList.h"
#include "player/DShowPlayer.h"
#include "player/graph/GstGraph.h"
#include "player/graph/GstOwnerWindowRenderer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QThread>
#include <QWidget>

#include <gst/video/video.h>

namespace {
// The picture size the overlay sink was given; empty before it negotiates.
QSize SinkPictureSize(CGstGraph& graph)
{
    std::vector<IGraphFilter*> filters;
    graph.EnumFilters(&filters);
    for (IGraphFilter* pFilter : filters) {
        auto* pRenderer = dynamic_cast<CGstOwnerWindowRenderer*>(pFilter);
        if (!pRenderer)
            continue;
        GstPad* pPad = gst_element_get_static_pad(pRenderer->Sink(), "sink");
        GstCaps* pCaps = gst_pad_get_current_caps(pPad);
        gst_object_unref(pPad);
        GstVideoInfo info;
        const bool bKnown = pCaps && gst_video_info_from_caps(&info, pCaps);
        if (pCaps)
            gst_caps_unref(pCaps);
        return bKnown ? QSize(info.width, info.height) : QSize();
    }
    return {};
}

bool SinkReachesSize(CGstGraph& graph, QSize size)
{
    const QDeadlineTimer deadline(5000);
    while (SinkPictureSize(graph) != size && !deadline.hasExpired()) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    return SinkPictureSize(graph) == size;
}

class OwnerWindow : public QuietGstTest {
protected:
    void SetUp() override
    {
        QuietGstTest::SetUp();
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs an X display";
        view.resize(320, 240);
        view.show();
    }
    QWidget view;
};

TEST_F(OwnerWindow, ThePositionIsThePictureOnScreen)
{
    FilterNameList blackList;
    FilterNameList firstUse;
    CDShowPlayer player(TestMediaPath(TestClip::AviFrameCounter), TRUE, TRUE, FALSE, &blackList, &firstUse, &view);
    ASSERT_TRUE(player.IsOwnerWindowMode());
    player.FitVideoToView();
    FrameExactness check(player);
    check.PausedFrameIsShownFrame();
    check.StepAndBackReturnsTheSameFrame(37);
    check.SeekPastTheEndShowsTheLastFrame();
}

TEST_F(OwnerWindow, BeforeThePlayerPlacesItThePictureKeepsItsOwnSize)
{
    // Not the size of the window the sink happens to draw into yet, which
    // the player changes a moment later, as playback starts.
    CGstGraph graph;
    ASSERT_EQ(graph.CanUseOwnerWindow(), S_OK);
    ASSERT_EQ(graph.RenderFile(TestMediaPath(TestClip::AviMjpegPcm)), S_OK);
    ASSERT_TRUE(SUCCEEDED(graph.Pause()));
    long lState = 0;
    graph.GetState(5000, &lState);
    EXPECT_EQ(SinkPictureSize(graph), QSize(160, 120));
}

TEST_F(OwnerWindow, WhilePlayingThePictureFollowsTheWindowSize)
{
    CGstGraph graph;
    ASSERT_EQ(graph.CanUseOwnerWindow(), S_OK);
    ASSERT_EQ(graph.RenderFile(TestMediaPath(TestClip::AviMjpegPcm)), S_OK);
    IVideoWindow* pWindow = nullptr;
    ASSERT_EQ(graph.QueryVideoWindow(&pWindow), S_OK);
    ASSERT_EQ(pWindow->put_Owner(&view), S_OK);
    ASSERT_EQ(pWindow->put_Visible(OATRUE), S_OK);
    ASSERT_EQ(pWindow->SetWindowPosition(0, 0, 320, 240), S_OK);
    ASSERT_TRUE(SUCCEEDED(graph.Run()));
    EXPECT_TRUE(SinkReachesSize(graph, QSize(320, 240)));
    ASSERT_EQ(pWindow->SetWindowPosition(0, 0, 200, 100), S_OK);
    EXPECT_TRUE(SinkReachesSize(graph, QSize(200, 100)));
    graph.Stop();
}

}
