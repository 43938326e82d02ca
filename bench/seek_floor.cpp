// GStreamer's own paused-seek time: the floor a player's seek-to-painted-frame
// time is measured against.
//
//   seek_floor [--key-unit] FILE POS_MS...
//
// Prerolls FILE paused, every decoded stream ending in a fakesink (as the
// playback floor does), then for each position makes a flushing seek and times
// it until the pipeline has prerolled again (ASYNC_DONE). One line per seek:
//   seek pos_ms=<position> ms=<elapsed>
// Seeks are accurate unless --key-unit is given.

#include <gst/gst.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr GstClockTime kTimeout = 30 * GST_SECOND;

void LinkToFakesink(GstElement*, GstPad* pad, gpointer pipeline)
{
    GstElement* sink = gst_element_factory_make("fakesink", nullptr);
    g_object_set(sink, "sync", TRUE, nullptr);
    gst_bin_add(GST_BIN(pipeline), sink);
    GstPad* sinkPad = gst_element_get_static_pad(sink, "sink");
    if (gst_pad_link(pad, sinkPad) != GST_PAD_LINK_OK)
        std::fprintf(stderr, "seek_floor: cannot link a decoded stream\n");
    gst_object_unref(sinkPad);
    gst_element_sync_state_with_parent(sink);
}

// Waits for the pipeline to finish prerolling; false on error or timeout.
bool WaitPrerolled(GstElement* pipeline)
{
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* msg = gst_bus_timed_pop_filtered(bus, kTimeout,
        static_cast<GstMessageType>(GST_MESSAGE_ASYNC_DONE | GST_MESSAGE_ERROR));
    gst_object_unref(bus);
    if (!msg) {
        std::fprintf(stderr, "seek_floor: no preroll within 30 s\n");
        return false;
    }
    bool ok = GST_MESSAGE_TYPE(msg) == GST_MESSAGE_ASYNC_DONE;
    if (!ok) {
        GError* err = nullptr;
        gst_message_parse_error(msg, &err, nullptr);
        std::fprintf(stderr, "seek_floor: %s\n", err->message);
        g_error_free(err);
    }
    gst_message_unref(msg);
    return ok;
}

int Run(const char* file, const std::vector<long>& positions, GstSeekFlags mode)
{
    gchar* uri = gst_filename_to_uri(file, nullptr);
    if (!uri) {
        std::fprintf(stderr, "seek_floor: bad file name %s\n", file);
        return 1;
    }
    GstElement* pipeline = gst_pipeline_new("floor");
    GstElement* decoder = gst_element_factory_make("uridecodebin", nullptr);
    g_object_set(decoder, "uri", uri, nullptr);
    g_free(uri);
    gst_bin_add(GST_BIN(pipeline), decoder);
    g_signal_connect(decoder, "pad-added", G_CALLBACK(LinkToFakesink), pipeline);

    int status = 0;
    gst_element_set_state(pipeline, GST_STATE_PAUSED);
    if (!WaitPrerolled(pipeline))
        status = 1;
    const auto flags = static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | mode);
    for (size_t i = 0; status == 0 && i < positions.size(); ++i) {
        const auto start = std::chrono::steady_clock::now();
        if (!gst_element_seek_simple(pipeline, GST_FORMAT_TIME, flags,
                positions[i] * GST_MSECOND)) {
            std::fprintf(stderr, "seek_floor: seek to %ld ms refused\n", positions[i]);
            status = 1;
        } else if (!WaitPrerolled(pipeline)) {
            status = 1;
        } else {
            const std::chrono::duration<double, std::milli> elapsed =
                std::chrono::steady_clock::now() - start;
            std::printf("seek pos_ms=%ld ms=%.2f\n", positions[i], elapsed.count());
            std::fflush(stdout);
        }
    }
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    gst_init(&argc, &argv);
    int arg = 1;
    GstSeekFlags mode = GST_SEEK_FLAG_ACCURATE;
    if (arg < argc && std::strcmp(argv[arg], "--key-unit") == 0) {
        mode = GST_SEEK_FLAG_KEY_UNIT;
        ++arg;
    }
    if (argc - arg < 2) {
        std::fprintf(stderr, "usage: seek_floor [--key-unit] FILE POS_MS...\n");
        return 2;
    }
    const char* file = argv[arg++];
    std::vector<long> positions;
    for (; arg < argc; ++arg) {
        char* end = nullptr;
        const long ms = std::strtol(argv[arg], &end, 10);
        if (end == argv[arg] || *end != '\0' || ms < 0) {
            std::fprintf(stderr, "seek_floor: bad position %s\n", argv[arg]);
            return 2;
        }
        positions.push_back(ms);
    }
    return Run(file, positions, mode);
}
