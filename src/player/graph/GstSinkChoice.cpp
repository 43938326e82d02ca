#include "player/graph/GstSinkChoice.h"

#include "player/graph/GstFilters.h"

#include <QByteArray>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {
constexpr GstElementFactoryListType kAudioSinks = GST_ELEMENT_FACTORY_TYPE_SINK | GST_ELEMENT_FACTORY_TYPE_MEDIA_AUDIO;
constexpr GstElementFactoryListType kVideoSinks = GST_ELEMENT_FACTORY_TYPE_SINK | GST_ELEMENT_FACTORY_TYPE_MEDIA_VIDEO;

const char* EnvName(SinkKind kind) { return kind == SinkKind::Audio ? "ORV_AUDIO_SINK" : "ORV_VIDEO_SINK"; }

bool Fits(SinkKind kind, GstElementFactory* pFactory)
{
    if (kind == SinkKind::Audio)
        return gst_element_factory_list_is_type(pFactory, kAudioSinks);
    return gst_element_factory_list_is_type(pFactory, kVideoSinks)
        && gst_element_factory_has_interface(pFactory, "GstVideoOverlay");
}

// Sinks never tried on their own: OpenAL only wraps the sound servers tried
// before it (and prints to the terminal when they are missing); KMS draws to
// the console, not into a window.
bool SkippedByDefault(const char* pszFactory)
{
    return g_str_equal(pszFactory, "openalsink") || g_str_equal(pszFactory, "kmssink");
}

bool IsGlSink(GstElementFactory* pFactory)
{
    return g_str_has_prefix(gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(pFactory)), "gl");
}

// A sink of the factory in READY, or null.
GstElement* OpenSink(GstElementFactory* pFactory)
{
    GstElement* pSink = gst_element_factory_create(pFactory, nullptr);
    if (!pSink)
        return nullptr;
    gst_object_ref_sink(pSink);
    GObjectClass* pClass = G_OBJECT_GET_CLASS(pSink);
    // The view gets mouse and keys, and the player places the picture itself.
    if (g_object_class_find_property(pClass, "handle-events"))
        g_object_set(pSink, "handle-events", FALSE, nullptr);
    if (g_object_class_find_property(pClass, "force-aspect-ratio"))
        g_object_set(pSink, "force-aspect-ratio", FALSE, nullptr);
    if (gst_element_set_state(pSink, GST_STATE_READY) == GST_STATE_CHANGE_SUCCESS)
        return pSink;
    gst_element_set_state(pSink, GST_STATE_NULL);
    gst_object_unref(pSink);
    return nullptr;
}

GstElement* NamedSink(SinkKind kind, const QByteArray& name, FilterMoniker* pChosen)
{
    GstElementFactory* pFactory = gst_element_factory_find(name.constData());
    GstElement* pSink = nullptr;
    if (pFactory && Fits(kind, pFactory))
        pSink = OpenSink(pFactory);
    if (pSink)
        *pChosen = MonikerOfFactory(pFactory);
    else
        std::fprintf(stderr, "orv: %s=%s is not a usable %s sink; choosing one automatically\n", EnvName(kind),
            name.constData(), kind == SinkKind::Audio ? "audio" : "video overlay");
    if (pFactory)
        gst_object_unref(pFactory);
    return pSink;
}
}

GstElement* ChooseSink(SinkKind kind, const SinkChoiceRules& rules, FilterMoniker* pChosen)
{
    const QByteArray named = qgetenv(EnvName(kind));
    if (!named.isEmpty())
        if (GstElement* pSink = NamedSink(kind, named, pChosen))
            return pSink;

    GList* pList = gst_element_factory_list_get_elements(
        kind == SinkKind::Audio ? kAudioSinks : kVideoSinks,
        GST_RANK_MARGINAL);
    std::vector<GstElementFactory*> candidates;
    for (GList* l = pList; l; l = l->next) {
        auto* pFactory = GST_ELEMENT_FACTORY(l->data);
        const char* pszName = gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(pFactory));
        if (!Fits(kind, pFactory) || SkippedByDefault(pszName))
            continue;
        candidates.push_back(pFactory);
    }
    // Best rank first; among equals, GL sinks last (on a software renderer
    // they cost many times the decoding). Then the preferred ones go first.
    std::stable_sort(candidates.begin(), candidates.end(), [](GstElementFactory* a, GstElementFactory* b) {
        const guint ra = gst_plugin_feature_get_rank(GST_PLUGIN_FEATURE(a));
        const guint rb = gst_plugin_feature_get_rank(GST_PLUGIN_FEATURE(b));
        if (ra != rb)
            return ra > rb;
        if (IsGlSink(a) != IsGlSink(b))
            return !IsGlSink(a);
        return g_strcmp0(gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(a)),
                   gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(b)))
            < 0;
    });
    std::stable_partition(candidates.begin(), candidates.end(), [&rules](GstElementFactory* p) {
        return rules.isPreferred && rules.isPreferred(MonikerOfFactory(p).strFactory);
    });

    GstElement* pSink = nullptr;
    for (GstElementFactory* pFactory : candidates) {
        const FilterMoniker moniker = MonikerOfFactory(pFactory);
        if (rules.isRefused && rules.isRefused(moniker))
            continue;
        pSink = OpenSink(pFactory);
        if (pSink) {
            *pChosen = moniker;
            break;
        }
    }
    gst_plugin_feature_list_free(pList);
    return pSink;
}

GstElement* MakeSilentAudioSink(FilterMoniker* pChosen)
{
    GstElement* pSink = gst_element_factory_make("fakeaudiosink", nullptr);
    if (!pSink)
        pSink = gst_element_factory_make("fakesink", nullptr);
    if (!pSink)
        return nullptr;
    gst_object_ref_sink(pSink);
    g_object_set(pSink, "sync", TRUE, nullptr);
    *pChosen = MonikerOfFactory(gst_element_get_factory(pSink));
    return pSink;
}
