#include "player/graph/GstWarmUp.h"

#include "platform/RegularFile.h"
#include "player/graph/GstFilters.h"

#include <QFile>

#include <gst/gst.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace {
// The elements every graph makes: the decoder bin and its source, the
// windowless renderer and the sound chain.
constexpr const char* kAlwaysUsed[] = { "uridecodebin", "filesrc", "typefind", "deinterlace", "videoconvert",
    "appsink", "audioconvert", "audioresample", "volume" };
// Long enough for any demuxer to find its streams; the warm-up never
// decodes, so it normally ends within milliseconds of the last decoder.
constexpr GstClockTime kDiscoveryLimit = 3 * GST_SECOND;
constexpr GstClockTime kCancelCheck = 20 * GST_MSECOND;

// Never destroyed: the thread may still be running when statics go.
struct WarmUpState {
    std::mutex mutex;
    std::condition_variable changed;
    bool bRunning = false;
    // GStreamer is initialized (or cannot be) and the common plugins are in.
    bool bReady = true;
    // The file whose decoders to load, once known.
    std::optional<std::string> firstFile;
    std::atomic<bool> bCancelled = false;
};

WarmUpState& State()
{
    static auto* pState = new WarmUpState;
    return *pState;
}

void LoadFactory(GstElementFactory* pFactory)
{
    if (GstPluginFeature* pLoaded = gst_plugin_feature_load(GST_PLUGIN_FEATURE(pFactory)))
        gst_object_unref(pLoaded);
}

void LoadAlwaysUsed()
{
    for (const char* pszName : kAlwaysUsed) {
        if (GstElementFactory* pFactory = gst_element_factory_find(pszName)) {
            LoadFactory(pFactory);
            gst_object_unref(pFactory);
        }
    }
}

// Demuxers and parsers are plugged as usual, so the streams come to light;
// of the decoders offered for a stream the first one's plugin is loaded, and
// none is plugged, so nothing is decoded.
gint OnAutoplugSelect(GstElement*, GstPad* pPad, GstCaps*, GstElementFactory* pFactory, gpointer)
{
    const char* pszClass = gst_element_factory_get_metadata(pFactory, GST_ELEMENT_METADATA_KLASS);
    if (!pszClass || !g_strrstr(pszClass, "Decoder"))
        return kAutoplugTry;
    static const char kLoadedKey[] = "orv-warm-up-loaded";
    if (!State().bCancelled && !g_object_get_data(G_OBJECT(pPad), kLoadedKey)) {
        g_object_set_data(G_OBJECT(pPad), kLoadedKey, GINT_TO_POINTER(1));
        LoadFactory(pFactory);
    }
    return kAutoplugSkip;
}

void DiscoverDecoders(const std::string& path)
{
    gchar* pszUri = gst_filename_to_uri(path.c_str(), nullptr);
    GstElement* pDecoder = pszUri ? gst_element_factory_make("uridecodebin", nullptr) : nullptr;
    if (!pDecoder) {
        g_free(pszUri);
        return;
    }
    GstElement* pPipeline = gst_pipeline_new(nullptr);
    g_object_set(pDecoder, "uri", pszUri, nullptr);
    g_free(pszUri);
    g_signal_connect(pDecoder, "autoplug-select", G_CALLBACK(&OnAutoplugSelect), nullptr);
    gst_bin_add(GST_BIN(pPipeline), pDecoder);

    // With every decoder skipped the bin ends in an error (or a raw stream
    // nobody takes); either way the plugins are in by then.
    GstBus* pBus = gst_element_get_bus(pPipeline);
    if (gst_element_set_state(pPipeline, GST_STATE_PAUSED) != GST_STATE_CHANGE_FAILURE) {
        const auto stopOn = GstMessageType(GST_MESSAGE_ERROR | GST_MESSAGE_EOS | GST_MESSAGE_ASYNC_DONE);
        for (GstClockTime waited = 0; waited < kDiscoveryLimit && !State().bCancelled; waited += kCancelCheck) {
            if (GstMessage* pMessage = gst_bus_timed_pop_filtered(pBus, kCancelCheck, stopOn)) {
                gst_message_unref(pMessage);
                break;
            }
        }
    }
    gst_element_set_state(pPipeline, GST_STATE_NULL);
    gst_object_unref(pBus);
    gst_object_unref(pPipeline);
}

template <typename Change> void Signal(Change change)
{
    WarmUpState& state = State();
    std::lock_guard lock(state.mutex);
    change(state);
    state.changed.notify_all();
}

template <typename Done> void Await(Done done)
{
    WarmUpState& state = State();
    std::unique_lock lock(state.mutex);
    state.changed.wait(lock, [&] { return done(state); });
}

// The file named by WarmUpDecodersFor; "" once the warm-up is stopped.
std::string AwaitFirstFile()
{
    WarmUpState& state = State();
    std::unique_lock lock(state.mutex);
    state.changed.wait(lock, [&state] { return state.firstFile || state.bCancelled; });
    return state.bCancelled ? std::string() : state.firstFile.value_or(std::string());
}

void WarmUp()
{
    const bool bInitialized = gst_init_check(nullptr, nullptr, nullptr);
    if (bInitialized)
        LoadAlwaysUsed();
    // The first graph may be built from here on; it waits for a decoder
    // plugin only while this thread is still loading that very plugin.
    Signal([](WarmUpState& state) { state.bReady = true; });
    const std::string file = AwaitFirstFile();
    if (bInitialized && !file.empty())
        DiscoverDecoders(file);
    Signal([](WarmUpState& state) { state.bRunning = false; });
}
}

void StartGstWarmUp()
{
    WarmUpState& state = State();
    std::lock_guard lock(state.mutex);
    if (state.bRunning)
        return;
    state.bRunning = true;
    state.bReady = false;
    state.firstFile.reset();
    state.bCancelled = false;
    std::thread(&WarmUp).detach();
}

void WarmUpDecodersFor(const QString& strFile)
{
    // A pipe would hold the thread, and with it the end of the program.
    const std::string file = CheckFileKind(strFile) == FileKind::Regular ? QFile::encodeName(strFile).toStdString()
                                                                         : std::string();
    Signal([&file](WarmUpState& state) { state.firstFile = file; });
}

bool WaitGstReady()
{
    Await([](const WarmUpState& state) { return state.bReady; });
    return gst_is_initialized() || gst_init_check(nullptr, nullptr, nullptr);
}

void CancelGstWarmUp()
{
    Signal([](WarmUpState& state) { state.bCancelled = true; });
}

void FinishGstWarmUp()
{
    Signal([](WarmUpState& state) { state.bCancelled = true; });
    Await([](const WarmUpState& state) { return !state.bRunning; });
}
