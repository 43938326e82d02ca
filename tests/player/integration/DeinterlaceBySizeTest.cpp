// The windowless renderer's deinterlacer against the size the picture is
// painted at: one picture per frame while a field holds every row shown, one
// per field again once the picture is shown larger, while it plays.

#include "GstTestSupport.h"

#include "player/graph/GstWindowlessRenderer.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <gst/video/video.h>

#include <memory>

namespace {
constexpr int kWidth = 64;
constexpr int kHeight = 48;

class DeinterlaceBySize : public QuietGstTest {
protected:
    void SetUp() override
    {
        QuietGstTest::SetUp();
        QString strError;
        renderer = CGstWindowlessRenderer::Create(&strError);
        ASSERT_TRUE(renderer) << strError.toStdString();
        pipeline = gst_pipeline_new(nullptr);
        GstElement* pSource = gst_element_factory_make("videotestsrc", nullptr);
        GstElement* pFilter = gst_element_factory_make("capsfilter", nullptr);
        GstCaps* pCaps = gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, "I420", "width", G_TYPE_INT,
            kWidth, "height", G_TYPE_INT, kHeight, "framerate", GST_TYPE_FRACTION, 30, 1, "interlace-mode",
            G_TYPE_STRING, "interleaved", "field-order", G_TYPE_STRING, "top-field-first", nullptr);
        g_object_set(pFilter, "caps", pCaps, nullptr);
        gst_caps_unref(pCaps);
        gst_bin_add_many(GST_BIN(pipeline), pSource, pFilter, renderer->Bin(), nullptr);
        ASSERT_TRUE(gst_element_link_many(pSource, pFilter, renderer->Bin(), nullptr));
    }

    void TearDown() override
    {
        if (pipeline) {
            gst_element_set_state(pipeline, GST_STATE_NULL);
            gst_bin_remove(GST_BIN(pipeline), renderer->Bin());
            gst_object_unref(pipeline);
        }
        renderer.reset();
        QuietGstTest::TearDown();
    }

    // Paints the latest picture shown `rows` rows tall.
    void Paint(int nRows)
    {
        QImage canvas(kWidth, kHeight, QImage::Format_RGB32);
        const QRect destination(0, 0, kWidth, nRows);
        renderer->SetVideoPosition(nullptr, &destination);
        QPainter painter(&canvas);
        renderer->RepaintVideo(nullptr, &painter);
    }

    // Pictures a second reaching the sink, painting each at that size; 0 before the first.
    int PicturesPerSecond()
    {
        GstSample* pSample = renderer->ShownSample();
        if (!pSample)
            return 0;
        GstVideoInfo info;
        const bool bKnown = gst_video_info_from_caps(&info, gst_sample_get_caps(pSample));
        gst_sample_unref(pSample);
        return bKnown && info.fps_d > 0 ? info.fps_n / info.fps_d : 0;
    }

    bool ReachesRateWhenPainted(int nRows, int nRate)
    {
        return ProcessEventsUntil([&] {
            Paint(nRows);
            return PicturesPerSecond() == nRate;
        });
    }

    std::unique_ptr<CGstWindowlessRenderer> renderer;
    GstElement* pipeline = nullptr;
};

TEST_F(DeinterlaceBySize, OneFieldPerFrameAtHalfHeightOrLessEveryFieldAbove)
{
    ASSERT_NE(gst_element_set_state(pipeline, GST_STATE_PLAYING), GST_STATE_CHANGE_FAILURE);
    EXPECT_TRUE(ReachesRateWhenPainted(kHeight, 60)) << "every field, at the picture's own size";
    EXPECT_TRUE(ReachesRateWhenPainted(kHeight / 2, 30)) << "one picture per frame at half height";
    EXPECT_TRUE(ReachesRateWhenPainted(kHeight / 2 + 1, 60)) << "every field again just above half";
    EXPECT_TRUE(ReachesRateWhenPainted(kHeight / 4, 30));

    // Fields the picture still needs are not lost by the switches: it plays on.
    GstSample* pBefore = renderer->ShownSample();
    ASSERT_TRUE(pBefore);
    const GstClockTime before = GST_BUFFER_PTS(gst_sample_get_buffer(pBefore));
    gst_sample_unref(pBefore);
    EXPECT_TRUE(ProcessEventsUntil([&] {
        GstSample* pNow = renderer->ShownSample();
        const GstClockTime now = GST_BUFFER_PTS(gst_sample_get_buffer(pNow));
        gst_sample_unref(pNow);
        return now > before;
    }));
}
}
