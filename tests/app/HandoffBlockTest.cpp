#include "app/HandoffBlock.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

using BlockPtr = std::unique_ptr<HandoffBlock>;

BlockPtr Encode(const QStringList& files, int nParamCount = 0, const QString& firstPlaylist = QString(), int* pLeftOut = nullptr)
{
    auto block = std::make_unique<HandoffBlock>();
    std::memset(block.get(), 0xAB, sizeof(HandoffBlock)); // every byte must be written
    const int nLeftOut = EncodeHandoffBlock(*block, files, nParamCount, firstPlaylist);
    if (pLeftOut)
        *pLeftOut = nLeftOut;
    return block;
}

TEST(HandoffBlock, PlaylistFlagAndSaveTargetFollowTheCommandLine)
{
    struct Case {
        int nParamCount;
        QString first;
        int bPlaylistArg;
        QString szPlaylist;
    } cases[] = {
        { 1, "/l/a.OrvL", 1, "/l/a.OrvL" },
        { 1, "/l/a.m3u", 1, "" }, // replaces the list, keeps the save target
        { 2, "/l/a.orvl", 0, "" }, // more than one parameter
        { 1, "", 0, "" },          // one media file
    };
    for (const Case& c : cases) {
        const auto block = Encode({ "/m/x.mp4" }, c.nParamCount, c.first);
        SCOPED_TRACE(testing::Message() << c.nParamCount << " " << qPrintable(c.first));
        EXPECT_EQ(block->bPlaylistArg, c.bPlaylistArg);
        EXPECT_EQ(DecodeHandoffBlock(*block).m_strPlaylist, c.szPlaylist);
    }
}

TEST(HandoffBlock, PathsThatDoNotFitAreLeftOutNotCut)
{
    const QString fits = "/" + QString(259, 'a');     // 260 units
    const QString tooLong = "/" + QString(260, 'b');  // 261 units
    const QString clefs = QString("𝄞").repeated(130); // 260 units in surrogate pairs
    const QString clefsTooLong = clefs + "x";
    int nLeftOut = 0;
    const auto block = Encode({ "/one", tooLong, fits, clefsTooLong, clefs, QString("/nul") + QChar(0) + "x", "" }, 7, "", &nLeftOut);

    EXPECT_EQ(nLeftOut, 4);
    EXPECT_EQ(DecodeHandoffBlock(*block).m_files, (QStringList { "/one", fits, clefs }));
    EXPECT_EQ(block->nCount, 3);

    // A save target too long for its slot travels as none; the files still go.
    const QString longList = "/" + QString(300, 'l') + ".orvl";
    const CHandoffContent c = DecodeHandoffBlock(*Encode({ "/m/x.mp4" }, 1, longList));
    EXPECT_EQ(c.m_files, QStringList { "/m/x.mp4" });
    EXPECT_EQ(c.m_strPlaylist, QString());

    // Beyond 1024 paths every slot is filled and no more.
    QStringList files;
    for (int i = 0; i < 1100; ++i)
        files << QString("/m/%1.mp3").arg(i);
    const auto full = Encode(files, 1100, "", &nLeftOut);
    EXPECT_EQ(nLeftOut, 76);
    EXPECT_EQ(DecodeHandoffBlock(*full).m_files, files.mid(0, 1024));
}

} // namespace
