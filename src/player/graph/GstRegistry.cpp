#include "player/graph/GstRegistry.h"

#include "player/graph/GstFilters.h"

#include <gst/gst.h>

namespace {
// Every element factory, best rank first (the order autoplugging tries
// them). The factory-type lists would leave out those whose class names no
// known type, queues and effects among them.
GList* AllFactories()
{
    GList* pList = gst_registry_get_feature_list(gst_registry_get(), GST_TYPE_ELEMENT_FACTORY);
    return g_list_sort(pList, gst_plugin_feature_rank_compare_func);
}

bool HasSrcTemplate(GstElementFactory* pFactory)
{
    for (const GList* l = gst_element_factory_get_static_pad_templates(pFactory); l; l = l->next)
        if (static_cast<const GstStaticPadTemplate*>(l->data)->direction == GST_PAD_SRC)
            return true;
    return false;
}

// An input that is always there and names the type: a sink that takes
// anything (queues, tags, bins) is no match for a type, nor is a muxer's
// input, made only on request.
bool InputAccepts(GstElementFactory* pFactory, GstCaps* pCaps)
{
    for (const GList* l = gst_element_factory_get_static_pad_templates(pFactory); l; l = l->next) {
        auto* pTemplate = static_cast<GstStaticPadTemplate*>(l->data);
        if (pTemplate->direction != GST_PAD_SINK || pTemplate->presence != GST_PAD_ALWAYS)
            continue;
        GstCaps* pTemplateCaps = gst_static_pad_template_get_caps(pTemplate);
        const bool bAccepts = !gst_caps_is_any(pTemplateCaps) && gst_caps_can_intersect(pTemplateCaps, pCaps);
        gst_caps_unref(pTemplateCaps);
        if (bAccepts)
            return true;
    }
    return false;
}
}

HRESULT CGstFilterRegistry::EnumAllFilters(std::vector<FilterMoniker>* pFilters)
{
    if (!pFilters)
        return E_POINTER;
    pFilters->clear();
    GList* pList = AllFactories();
    for (GList* l = pList; l; l = l->next)
        pFilters->push_back(MonikerOfFactory(GST_ELEMENT_FACTORY(l->data)));
    gst_plugin_feature_list_free(pList);
    return pFilters->empty() ? S_FALSE : S_OK;
}

HRESULT CGstFilterRegistry::EnumMatchingFilters(const QStringList& inputTypes, std::vector<FilterMoniker>* pFilters)
{
    if (!pFilters)
        return E_POINTER;
    pFilters->clear();
    std::vector<GstCaps*> caps;
    for (const QString& strType : inputTypes) {
        GstCaps* pCaps = gst_caps_from_string(strType.toUtf8().constData());
        if (!pCaps) {
            for (GstCaps* p : caps)
                gst_caps_unref(p);
            return E_INVALIDARG;
        }
        caps.push_back(pCaps);
    }
    GList* pList = AllFactories();
    for (GList* l = pList; l; l = l->next) {
        auto* pFactory = GST_ELEMENT_FACTORY(l->data);
        if (!HasSrcTemplate(pFactory))
            continue;
        for (GstCaps* pCaps : caps) {
            if (InputAccepts(pFactory, pCaps)) {
                pFilters->push_back(MonikerOfFactory(pFactory));
                break;
            }
        }
    }
    gst_plugin_feature_list_free(pList);
    for (GstCaps* p : caps)
        gst_caps_unref(p);
    return S_OK;
}
