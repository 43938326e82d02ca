// The filter categories on this machine's GStreamer registry: each finds the
// splitters or decoders it is named for, by the long-names graph building
// compares, and nothing that would take any input at all.

#include "filters/FilterCategories.h"
#include "player/graph/MediaGraph.h"

#include <gtest/gtest.h>
#include <gst/gst.h>

#include <QStringList>

namespace {

// The long-name of an installed factory; empty when it is not installed.
QString LongName(const char* pszFactory)
{
    GstElementFactory* pFactory = gst_element_factory_find(pszFactory);
    if (!pFactory)
        return QString();
    const QString name = QString::fromUtf8(gst_element_factory_get_metadata(pFactory, GST_ELEMENT_METADATA_LONGNAME));
    gst_object_unref(pFactory);
    return name;
}

QStringList Find(int nCategory)
{
    QStringList names;
    EXPECT_EQ(FindCategoryFilters(DefaultGraphFactory(), nCategory, &names), 0) << nCategory;
    return names;
}

// True when the category lists at least one of the factories.
::testing::AssertionResult ListsOneOf(int nCategory, std::initializer_list<const char*> factories)
{
    const QStringList names = Find(nCategory);
    for (const char* pszFactory : factories) {
        const QString name = LongName(pszFactory);
        if (!name.isEmpty() && names.contains(name))
            return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << GetFilterCategory(nCategory).pszName << " lists "
                                         << qPrintable(names.join(QStringLiteral(", ")));
}

TEST(FilterCategories, EachCategoryFindsItsSplittersAndDecoders)
{
    EXPECT_TRUE(ListsOneOf(0, { "mpegpsdemux" }));                        // MPEG-1 Splitter
    EXPECT_TRUE(ListsOneOf(1, { "mpegvideoparse" }));                     //   and its video
    EXPECT_TRUE(ListsOneOf(2, { "tsdemux" }));                            // MPEG-2 Demultiplexer
    EXPECT_TRUE(ListsOneOf(3, { "mpeg2dec", "avdec_mpegvideo" }));        // MPEG-1 Video Decoder
    EXPECT_TRUE(ListsOneOf(4, { "mpg123audiodec" }));                     // MPEG-1 Audio Decoder
    EXPECT_TRUE(ListsOneOf(5, { "mpeg2dec", "avdec_mpeg2video" }));       // MPEG-2 Video Decoder
    EXPECT_TRUE(ListsOneOf(6, { "avdec_mp2float", "mpg123audiodec" }));   // MPEG-2 Audio Decoder
    EXPECT_TRUE(ListsOneOf(6, { "a52dec", "avdec_ac3" }));                //   and AC-3
}

TEST(FilterCategories, CategoriesKeepToTheirTypes)
{
    // A decoder of one kind is not one of another.
    EXPECT_FALSE(Find(4).contains(LongName("mpeg2dec")));
    EXPECT_FALSE(Find(0).contains(LongName("tsdemux")));
    // Nor is what takes any input, or a muxer's inputs made on request.
    for (int nCategory = 0; nCategory < FILTER_CATEGORY_COUNT - 1; ++nCategory) {
        const QStringList names = Find(nCategory);
        for (const char* pszFactory : { "queue", "identity", "decodebin", "matroskamux", "mpegpsmux" })
            EXPECT_FALSE(names.contains(LongName(pszFactory))) << nCategory << " " << pszFactory;
    }
}

} // namespace
