#include "player/graph/GstRegistry.h"

#include "player/graph/GstFilters.h"

#include <gst/gst.h>

namespace {
// Every element factory, best rank first (the order autoplugging tries them).
GList* AllFactories()
{
    return gst_element_factory_list_get_elements(GST_ELEMENT_FACTORY_TYPE_ANY, GST_RANK_NONE);
}

bool HasSrcTemplate(GstElementFactory* pFactory)
{
    for (const GList* l = gst_element_factory_get_static_pad_templates(pFactory); l; l = l->next)
        if (static_cast<const GstStaticPadTemplate*>(l->data)->direction == GST_PAD_SRC)
            return true;
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
            if (gst_element_factory_can_sink_any_caps(pFactory, pCaps)) {
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
