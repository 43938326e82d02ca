// The player on real GStreamer graphs built for media made at test time:
// which filters are used, what the black and first-use lists change, what
// it learns about the media, and how failures are reported.

#include "PlayerFixture.h"

#include <gtest/gtest.h>

namespace {
const QString kJpegDec = QStringLiteral("JPEG image decoder");
const QString kLibavMjpeg = QStringLiteral("libav MJPEG (Motion JPEG) decoder");

class GraphBuild : public PlayerFixture {
protected:
    QStringList Filters() const
    {
        QStringList names;
        for (int i = 0; i < player->GetFilterCount(); ++i)
            names << player->GetFilterName(i);
        return names;
    }
};

TEST_F(GraphBuild, WithEveryDecoderRefusedVideoCannotBeRendered)
{
    blackList.Add(kJpegDec);
    blackList.Add(kLibavMjpeg);
    const CDirectShowErrMessage e = LoadFailure(TestMediaPath(TestClip::AviMjpegOnly));
    EXPECT_EQ(e.m_nCode, ERR_RENDER_FILE);
    EXPECT_TRUE(FAILED(e.m_hr));
    EXPECT_FALSE(e.m_strDetail.isEmpty());

    // With sound beside it the file still plays, without picture.
    Load(TestMediaPath(TestClip::AviMjpegPcm));
    EXPECT_FALSE(player->HasWindowlessControl());
    EXPECT_EQ(player->GetAudioSampleRate(), 44100);
}

TEST_F(GraphBuild, FirstUseDecoderIsChosenOverABetterRankedOneAndTheBlackListComparesExactCase)
{
    blackList.Add(QStringLiteral("jpeg image decoder"));
    Load(TestMediaPath(TestClip::AviMjpegPcm));
    EXPECT_TRUE(Filters().contains(kJpegDec));

    firstUse.Add(kLibavMjpeg);
    Load(TestMediaPath(TestClip::AviMjpegPcm));
    const QStringList names = Filters();
    EXPECT_TRUE(names.contains(kLibavMjpeg)) << qPrintable(names.join(QLatin1Char('|')));
    EXPECT_FALSE(names.contains(kJpegDec));
}

TEST_F(GraphBuild, OggTagsArriveAsTitleAuthorAndAlbumAndAnNtscRateAsHundredthsTruncated)
{
    Load(TestMediaPath(TestClip::OggTagged));
    EXPECT_EQ(player->GetTitle(), QString::fromLatin1(kTestTitle));
    EXPECT_EQ(player->GetAuthor(), QString::fromLatin1(kTestArtist));
    EXPECT_EQ(player->GetAlbum(), QString::fromLatin1(kTestAlbum));
    EXPECT_TRUE(Filters().contains(kOggSplitterName));

    Load(TestMediaPath(TestClip::AviNtsc));
    EXPECT_EQ(player->GetFramesPerSecond(), 2997);
}

TEST_F(GraphBuild, InterlacedClipReportsItsKindAndDeinterlacing)
{
    Load(TestMediaPath(TestClip::Interlaced));
    EXPECT_EQ(player->GetInterlaceKind(), INTERLACE_BOB_OR_WEAVE);
    EXPECT_EQ(player->GetInterlaceFlags(), 0x81u);
    EXPECT_EQ(player->GetDeinterlaceStatus(), DEINTERLACE_ON);
    bDisableDeinterlace = TRUE;
    Load(TestMediaPath(TestClip::Interlaced));
    EXPECT_EQ(player->GetInterlaceKind(), INTERLACE_BOB_OR_WEAVE);
    EXPECT_EQ(player->GetDeinterlaceStatus(), DEINTERLACE_OFF);
}

TEST_F(GraphBuild, WithoutAnOverlayDisplayTheWindowlessRendererStaysInUse)
{
    bDisableVMR9 = TRUE;
    Load(TestMediaPath(TestClip::AviMjpegPcm));
    EXPECT_TRUE(player->HasWindowlessControl());
    EXPECT_FALSE(player->IsOwnerWindowMode());
}

struct BadFileCase {
    const char* name;
    QString (*path)();
    HRESULT hr;
};

class BadFile : public GraphBuild, public ::testing::WithParamInterface<BadFileCase> {};

TEST_P(BadFile, FailsToRenderWithAFormatCode)
{
    const CDirectShowErrMessage e = LoadFailure(GetParam().path());
    EXPECT_EQ(e.m_nCode, ERR_RENDER_FILE);
    EXPECT_EQ(e.m_hr, GetParam().hr) << std::hex << e.m_hr;
    EXPECT_FALSE(e.m_strDetail.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Files, BadFile,
    ::testing::Values(BadFileCase { "missing", &MissingMediaPath, E_FILE_NOT_FOUND },
        BadFileCase { "text", [] { return TestMediaPath(TestClip::TextAsAvi); }, VFW_E_UNKNOWN_FILE_TYPE },
        BadFileCase { "empty", [] { return TestMediaPath(TestClip::ZeroByte); }, VFW_E_UNKNOWN_FILE_TYPE }),
    [](const auto& info) { return std::string(info.param.name); });
}
