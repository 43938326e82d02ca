// The information dialogs' texts for players built on real graphs: the
// filter list shows the decoder used in place of a black-listed one, and the
// media information the format of a clip made at test time.

#include "PlayerFixture.h"

#include "player/InfoTexts.h"

#include <gtest/gtest.h>

namespace {

class InfoFromPlayer : public PlayerFixture {};

TEST_F(InfoFromPlayer, FilterInformationNamesTheDecoderUsedInsteadOfABlackListedOne)
{
    blackList.Add(QStringLiteral("JPEG image decoder"));
    const QString strFile = TestMediaPath(TestClip::AviMjpegPcm);
    Load(strFile);
    const DShowInfoTexts texts = MakeDShowInfoTexts(DShowInfoValuesOf(*player, true));

    EXPECT_EQ(texts.strSource, strFile);
    const QStringList filters = texts.strFilters.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_TRUE(filters.contains(QStringLiteral("libav MJPEG (Motion JPEG) decoder"))) << qPrintable(texts.strFilters);
    EXPECT_FALSE(filters.contains(QStringLiteral("JPEG image decoder")));
    EXPECT_EQ(filters.size(), player->GetFilterCount() - 1);
}

TEST_F(InfoFromPlayer, MediaInformationGivesTheClipsFormat)
{
    Load(TestClip::AviMjpegPcm);
    int nWidth = 0;
    int nHeight = 0;
    ASSERT_EQ(player->GetNativeDisplaySize(&nWidth, &nHeight), 1);
    const MediaInfoTexts texts = MakeMediaInfoTexts(MediaInfoValuesOf(*player, true, true, QSize(nWidth, nHeight)));
    EXPECT_EQ(texts.strNativeSize, QStringLiteral("160 × 120"));
    EXPECT_EQ(texts.strDisplaySize, QStringLiteral("160 × 120"));
    EXPECT_EQ(texts.strFrameRate, QStringLiteral("25.00"));
    EXPECT_EQ(texts.strSampleRate, QStringLiteral("44100Hz"));
    EXPECT_EQ(texts.strBitsPerSample, QStringLiteral("16ビット"));
    EXPECT_EQ(texts.strChannels, QStringLiteral("ステレオ"));
}

} // namespace
