#include "app/HandoffBlock.h"

#include <gtest/gtest.h>

#include <QByteArray>

#include <climits>
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

QByteArray Bytes(const HandoffBlock& block)
{
    return QByteArray(reinterpret_cast<const char*>(&block), sizeof block);
}

qint32 Int32At(const QByteArray& bytes, int offset)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData() + offset);
    return static_cast<qint32>(p[0] | (p[1] << 8) | (p[2] << 16) | (quint32(p[3]) << 24));
}

// The UTF-16LE units at `offset` up to the first zero unit.
QString StringAt(const QByteArray& bytes, int offset)
{
    QString s;
    for (int i = offset; i + 1 < bytes.size(); i += 2) {
        const char16_t u = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8));
        if (u == 0)
            break;
        s.append(QChar(u));
    }
    return s;
}

void SetInt32At(HandoffBlock& block, int offset, qint32 value)
{
    auto* p = reinterpret_cast<unsigned char*>(&block) + offset;
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<unsigned char>(static_cast<quint32>(value) >> (8 * i));
}

TEST(HandoffBlock, BytesSitAtTheirFixedOffsetsInLittleEndian)
{
    const QStringList files { "/media/a.mp4", "/media/日本語.mkv", "/media/c.ogg" };
    const auto block = Encode(files, 1, "/lists/Party.ORVL");
    const QByteArray b = Bytes(*block);

    ASSERT_EQ(b.size(), 535060);
    EXPECT_EQ(StringAt(b, 0), files[0]);
    EXPECT_EQ(StringAt(b, 522), files[1]);
    EXPECT_EQ(StringAt(b, 2 * 522), files[2]);
    EXPECT_EQ(b[522 + 0], '/'); // low byte first
    EXPECT_EQ(b[522 + 1], '\0');
    EXPECT_EQ(StringAt(b, 534528), "/lists/Party.ORVL");
    EXPECT_EQ(b.mid(535050, 2), QByteArray(2, '\0'));
    EXPECT_EQ(Int32At(b, 535052), 3);
    EXPECT_EQ(Int32At(b, 535056), 1);
    // Unused slots are zero, not left as they were.
    EXPECT_EQ(b.mid(3 * 522, 534528 - 3 * 522).count('\0'), 534528 - 3 * 522);
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
        const QByteArray b = Bytes(*Encode({ "/m/x.mp4" }, c.nParamCount, c.first));
        EXPECT_EQ(Int32At(b, 535056), c.bPlaylistArg) << c.nParamCount << " " << qPrintable(c.first);
        EXPECT_EQ(StringAt(b, 534528), c.szPlaylist) << c.nParamCount << " " << qPrintable(c.first);
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
    EXPECT_EQ(Int32At(Bytes(*block), 535052), 3);

    // A save target too long for its slot travels as none; the files still go.
    const QString longList = "/" + QString(300, 'l') + ".orvl";
    const CHandoffContent c = DecodeHandoffBlock(*Encode({ "/m/x.mp4" }, 1, longList));
    EXPECT_EQ(c.m_files, QStringList { "/m/x.mp4" });
    EXPECT_EQ(c.m_strPlaylist, QString());
}

TEST(HandoffBlock, MoreThan1024PathsFillEverySlotAndNoMore)
{
    QStringList files;
    for (int i = 0; i < 1100; ++i)
        files << QString("/m/%1.mp3").arg(i);
    int nLeftOut = 0;
    const auto block = Encode(files, 1100, "", &nLeftOut);
    EXPECT_EQ(nLeftOut, 76);
    const CHandoffContent c = DecodeHandoffBlock(*block);
    EXPECT_EQ(c.m_files, files.mid(0, 1024));
}

TEST(HandoffBlock, HostileCountsAreClamped)
{
    auto block = std::make_unique<HandoffBlock>();
    std::memset(block.get(), 0, sizeof(HandoffBlock));
    for (int i = 0; i < HANDOFF_MAX_FILES; ++i) {
        const QString p = QString("/f%1").arg(i);
        for (int j = 0; j < p.size(); ++j)
            block->szFiles[i][j] = p[j].unicode();
    }
    // The padding and the flag carry junk a reader must cope with.
    block->wPadding = 0xFFFF;
    SetInt32At(*block, 535056, -7);

    for (const qint32 n : { -1, INT_MIN, 0 }) {
        SetInt32At(*block, 535052, n);
        EXPECT_TRUE(DecodeHandoffBlock(*block).m_files.isEmpty()) << n;
    }
    for (const qint32 n : { 1025, INT_MAX }) {
        SetInt32At(*block, 535052, n);
        const CHandoffContent c = DecodeHandoffBlock(*block);
        ASSERT_EQ(c.m_files.size(), 1024) << n;
        EXPECT_TRUE(c.m_bPlaylistArg);
    }
    SetInt32At(*block, 535052, 2);
    EXPECT_EQ(DecodeHandoffBlock(*block).m_files, (QStringList { "/f0", "/f1" }));
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
            SetInt32At(*block, 535052, std::uniform_int_distribution<int>(-2000, 2000)(rng));

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
