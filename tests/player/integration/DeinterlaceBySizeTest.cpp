// The windowless renderer's deinterlacer against the size the picture is
// painted at, while it plays: one picture per frame while a field holds every
// row shown, one per field once the picture is shown larger.

#include "GstTestSupport.h"

#include "player/graph/GstWindowlessRenderer.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <gst/video/video.h>

namespace {
constexpr int kHeight = 48;

class DeinterlaceBySize : public QuietGstTest {
protected:
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

    // Paints the latest picture nRows rows tall until the pictures reaching
    // the sink come at nRate a second.
    bool ReachesRateWhenPainted(int nRows, int nRate)
    {
        const QRect destination(0, 0, 64, nRows);
        renderer->SetVideoPosition(nullptr, &destination);
        return ProcessEventsUntil([&] {
            QImage canvas(64, kHeight, QImage::Format_RGB32);
            QPainter painter(&canvas);
            renderer->RepaintVideo(nullptr, &painter);
            GstSample* pSample = renderer->ShownSample();
            GstVideoInfo info;
            const bool bKnown = pSample && gst_video_info_from_caps(&info, gst_sample_get_caps(pSample));
            if (pSample)
                gst_sample_unref(pSample);
            return bKnown && info.fps_d > 0 && info.fps_n / info.fps_d == nRate;
        });
    }

    std::unique_ptr<CGstWindowlessRenderer> renderer;
    GstElement* pipeline = nullptr;
};

TEST_F(DeinterlaceBySize, OneFieldPerFrameAtHalfHeightOrLessEveryFieldAbove)
{
    QString strError;
    renderer = CGstWindowlessRenderer::Create(&strError);
    ASSERT_TRUE(renderer) << strError.toStdString();
    GstElement* pSource = gst_parse_bin_from_description(
        "videotestsrc ! capsfilter caps=video/x-raw,format=I420,width=64,height=48,framerate=30/1,interlace-mode=interleaved,"
        "field-order=top-field-first",
        TRUE, nullptr);
    ASSERT_TRUE(pSource);
    pipeline = gst_pipeline_new(nullptr);
    gst_bin_add_many(GST_BIN(pipeline), pSource, renderer->Bin(), nullptr);
    ASSERT_TRUE(gst_element_link(pSource, renderer->Bin()));
    ASSERT_NE(gst_element_set_state(pipeline, GST_STATE_PLAYING), GST_STATE_CHANGE_FAILURE);

    EXPECT_TRUE(ReachesRateWhenPainted(kHeight, 60)) << "every field, at the picture's own size";
    EXPECT_TRUE(ReachesRateWhenPainted(kHeight / 2, 30)) << "one picture per frame at half height";
    EXPECT_TRUE(ReachesRateWhenPainted(kHeight / 2 + 1, 60)) << "every field again just above half";
    EXPECT_TRUE(ReachesRateWhenPainted(kHeight / 4, 30));
}
}
