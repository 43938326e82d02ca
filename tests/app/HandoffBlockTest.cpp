#include "app/HandoffBlock.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>

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

TEST(HandoffBlock, RandomBlocksDecodeToWellFormedPaths)
{
    std::mt19937 rng(20240611);
    auto block = std::make_unique<HandoffBlock>();
    auto* units = reinterpret_cast<char16_t*>(block.get());
    constexpr size_t kUnits = sizeof(HandoffBlock) / sizeof(char16_t);
    for (int round = 0; round < 16; ++round) {
        // From all non-zero units (nothing terminated) to mostly zeros.
        std::bernoulli_distribution zero(round / 16.0);
        std::uniform_int_distribution<int> unit(1, 0xFFFF);
        for (size_t i = 0; i < kUnits; ++i)
            units[i] = zero(rng) ? 0 : static_cast<char16_t>(unit(rng));
        if (round % 2)
            block->nCount = std::uniform_int_distribution<int>(-2000, 2000)(rng);

        const CHandoffContent c = DecodeHandoffBlock(*block);
        ASSERT_LE(c.m_files.size(), HANDOFF_MAX_FILES);
        for (const QString& f : c.m_files) {
            ASSERT_FALSE(f.isEmpty());
            ASSERT_LE(f.size(), MAX_PATH);
            ASSERT_FALSE(f.contains(QChar(0)));
        }
        ASSERT_LE(c.m_strPlaylist.size(), MAX_PATH);
        if (round == 0) {
            EXPECT_TRUE(c.m_files.isEmpty()); // no slot has an end
        }
    }
}

} // namespace
