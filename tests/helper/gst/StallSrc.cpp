// A "file" source that opens and then never delivers, as a stalled network
// mount does. Loaded through GST_PLUGIN_PATH, it outranks filesrc, so a test
// can hold the real program in its wait for the first picture.

#define PACKAGE "orv-tests"

#include <gst/base/gstbasesrc.h>
#include <gst/gst.h>

struct OrvStallSrc {
    GstBaseSrc parent;
    GMutex lock;
    GCond cond;
    gboolean bUnlocked;
    gchar* pszUri;
};

struct OrvStallSrcClass {
    GstBaseSrcClass parent_class;
};

static void orv_stall_src_uri_init(gpointer iface, gpointer);

G_DEFINE_TYPE_WITH_CODE(OrvStallSrc, orv_stall_src, GST_TYPE_BASE_SRC,
    G_IMPLEMENT_INTERFACE(GST_TYPE_URI_HANDLER, orv_stall_src_uri_init))

static GstStaticPadTemplate g_srcTemplate = GST_STATIC_PAD_TEMPLATE("src", GST_PAD_SRC, GST_PAD_ALWAYS, GST_STATIC_CAPS_ANY);

static OrvStallSrc* Self(gpointer p) { return reinterpret_cast<OrvStallSrc*>(p); }

static GstFlowReturn Create(GstBaseSrc* src, guint64, guint, GstBuffer**)
{
    OrvStallSrc* self = Self(src);
    g_mutex_lock(&self->lock);
    while (!self->bUnlocked)
        g_cond_wait(&self->cond, &self->lock);
    g_mutex_unlock(&self->lock);
    return GST_FLOW_FLUSHING;
}

static gboolean Unlock(GstBaseSrc* src)
{
    OrvStallSrc* self = Self(src);
    g_mutex_lock(&self->lock);
    self->bUnlocked = TRUE;
    g_cond_broadcast(&self->cond);
    g_mutex_unlock(&self->lock);
    return TRUE;
}

static gboolean UnlockStop(GstBaseSrc* src)
{
    OrvStallSrc* self = Self(src);
    g_mutex_lock(&self->lock);
    self->bUnlocked = FALSE;
    g_mutex_unlock(&self->lock);
    return TRUE;
}

static void Finalize(GObject* object)
{
    OrvStallSrc* self = Self(object);
    g_free(self->pszUri);
    g_mutex_clear(&self->lock);
    g_cond_clear(&self->cond);
    G_OBJECT_CLASS(orv_stall_src_parent_class)->finalize(object);
}

static void orv_stall_src_class_init(OrvStallSrcClass* klass)
{
    G_OBJECT_CLASS(klass)->finalize = Finalize;
    GstElementClass* element = GST_ELEMENT_CLASS(klass);
    gst_element_class_add_static_pad_template(element, &g_srcTemplate);
    gst_element_class_set_static_metadata(element, "Stalled file source", "Source/File",
        "Opens a file and never delivers", "orv tests");
    GstBaseSrcClass* base = GST_BASE_SRC_CLASS(klass);
    base->create = Create;
    base->unlock = Unlock;
    base->unlock_stop = UnlockStop;
}

static void orv_stall_src_init(OrvStallSrc* self)
{
    g_mutex_init(&self->lock);
    g_cond_init(&self->cond);
}

static GstURIType UriType(GType) { return GST_URI_SRC; }

static const gchar* const* Protocols(GType)
{
    static const gchar* const protocols[] = { "file", nullptr };
    return protocols;
}

static gchar* GetUri(GstURIHandler* handler) { return g_strdup(Self(handler)->pszUri); }

static gboolean SetUri(GstURIHandler* handler, const gchar* uri, GError**)
{
    OrvStallSrc* self = Self(handler);
    g_free(self->pszUri);
    self->pszUri = g_strdup(uri);
    return TRUE;
}

static void orv_stall_src_uri_init(gpointer iface, gpointer)
{
    auto* uri = static_cast<GstURIHandlerInterface*>(iface);
    uri->get_type = UriType;
    uri->get_protocols = Protocols;
    uri->get_uri = GetUri;
    uri->set_uri = SetUri;
}

static gboolean PluginInit(GstPlugin* plugin)
{
    return gst_element_register(plugin, "orvstallsrc", GST_RANK_PRIMARY + 1, orv_stall_src_get_type());
}

GST_PLUGIN_DEFINE(GST_VERSION_MAJOR, GST_VERSION_MINOR, orvteststall, "A file source that never delivers",
    PluginInit, "1.0", "LGPL", "orv", "local")
