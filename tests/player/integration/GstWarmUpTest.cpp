// GStreamer's warm-up at start-up: it loads the decoders of the file it is
// given without playing anything, and never holds up the end of the program.

#include "GstTestSupport.h"
#include "TestMedia.h"

#include "player/graph/GstWarmUp.h"

#include <gst/gst.h>

#include <chrono>
#include <thread>

namespace {
bool PluginLoaded(const char* pszName)
{
    GstPlugin* pPlugin = gst_registry_find_plugin(gst_registry_get(), pszName);
    const bool bLoaded = pPlugin && gst_plugin_is_loaded(pPlugin);
    if (pPlugin)
        gst_object_unref(pPlugin);
    return bLoaded;
}

class GstWarmUp : public QuietGstTest {
protected:
    void TearDown() override
    {
        FinishGstWarmUp();
        QuietGstTest::TearDown();
    }
};

TEST_F(GstWarmUp, LoadsTheFirstFilesDecodersAndEndsByItself)
{
    const QString path = TestMediaPath(TestClip::OggTagged);
    ASSERT_FALSE(path.isEmpty());
    StartGstWarmUp();
    ASSERT_TRUE(WaitGstReady());
    WarmUpDecodersFor(path);
    EXPECT_TRUE(ProcessEventsUntil([] { return PluginLoaded("theora") && PluginLoaded("vorbis"); }));
}

TEST_F(GstWarmUp, EndsAtOnceForNoFileAndForFilesThatAreNotMedia)
{
    // Each must return rather than wait out the discovery limit or hang.
    StartGstWarmUp();
    FinishGstWarmUp();

    StartGstWarmUp();
    WarmUpDecodersFor(QString());
    FinishGstWarmUp();

    for (const QString& path : { TestMediaPath(TestClip::TextAsAvi), TestMediaPath(TestClip::ZeroByte),
             MissingMediaPath() }) {
        StartGstWarmUp();
        WarmUpDecodersFor(path);
        // Time for the discovery to meet the file.
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        FinishGstWarmUp();
    }
    EXPECT_TRUE(WaitGstReady());
}
}
