// The player on real GStreamer graphs built for media made at test time:
// which filters are used, what the black and first-use lists change, what
// it learns about the media, and how failures are reported.

#include "GstTestSupport.h"
#include "TestMedia.h"

#include "filters/FilterNameList.h"
#include "player/DShowPlayer.h"
#include "player/ErrMessage.h"

#include <gtest/gtest.h>

#include <QWidget>

namespace {
const QString kJpegDec = QStringLiteral("JPEG image decoder");
const QString kLibavMjpeg = QStringLiteral("libav MJPEG (Motion JPEG) decoder");

class GraphBuild : public QuietGstTest {
protected:
    std::unique_ptr<CDShowPlayer> Build(const QString& strFile)
    {
        return std::make_unique<CDShowPlayer>(strFile, aspectFix, disableVMR9, disableDeinterlace, &blackList,
            &firstUse, &view);
    }

    CDirectShowErrMessage BuildFailure(const QString& strFile)
    {
        try {
            Build(strFile);
        } catch (const CDirectShowErrMessage& e) {
            return e;
        }
        ADD_FAILURE() << "the player was built for " << qPrintable(strFile);
        return CDirectShowErrMessage();
    }

    static QStringList Filters(const CDShowPlayer& player)
    {
        QStringList names;
        for (int i = 0; i < player.GetFilterCount(); ++i)
            names << player.GetFilterName(i);
        return names;
    }

    BOOL aspectFix = TRUE;
    BOOL disableVMR9 = FALSE;
    BOOL disableDeinterlace = FALSE;
    FilterNameList blackList;
    FilterNameList firstUse;
    QWidget view;
};

TEST_F(GraphBuild, AviListsItsSourceDemuxerDecoderAndRenderers)
{
    const QString strFile = TestMediaPath(TestClip::AviMjpegPcm);
    auto player = Build(strFile);
    const QStringList names = Filters(*player);

    EXPECT_EQ(names.value(0), strFile);
    EXPECT_TRUE(names.contains(QStringLiteral("Avi demuxer"))) << qPrintable(names.join(QLatin1Char('|')));
    EXPECT_TRUE(names.contains(kJpegDec));
    EXPECT_TRUE(names.contains(kWindowlessRendererName));
    EXPECT_TRUE(player->HasWindowlessControl());
    EXPECT_FALSE(player->IsOwnerWindowMode());

    EXPECT_EQ(player->GetVideoWidth(), 160);
    EXPECT_EQ(player->GetVideoHeight(), 120);
    EXPECT_EQ(player->GetFramesPerSecond(), 2500);
    EXPECT_EQ(player->GetAudioChannels(), 2);
    EXPECT_EQ(player->GetAudioSampleRate(), 44100);
    EXPECT_EQ(player->GetAudioBitsPerSample(), 16);
    EXPECT_EQ(player->GetSeekMode(), SEEKMODE_FRAME);
}

TEST_F(GraphBuild, BlackListedDecoderGivesWayToTheNextOne)
{
    blackList.Add(kJpegDec);
    auto player = Build(TestMediaPath(TestClip::AviMjpegPcm));
    const QStringList names = Filters(*player);
    EXPECT_FALSE(names.contains(kJpegDec));
    EXPECT_TRUE(names.contains(kLibavMjpeg)) << qPrintable(names.join(QLatin1Char('|')));
    EXPECT_TRUE(player->HasWindowlessControl());
}

TEST_F(GraphBuild, BlackListComparesExactCase)
{
    blackList.Add(QStringLiteral("jpeg image decoder"));
    auto player = Build(TestMediaPath(TestClip::AviMjpegPcm));
    EXPECT_TRUE(Filters(*player).contains(kJpegDec));
}

TEST_F(GraphBuild, WithEveryDecoderRefusedVideoCannotBeRendered)
{
    blackList.Add(kJpegDec);
    blackList.Add(kLibavMjpeg);
    const CDirectShowErrMessage e = BuildFailure(TestMediaPath(TestClip::AviMjpegOnly));
    EXPECT_EQ(e.m_nCode, ERR_RENDER_FILE);
    EXPECT_TRUE(FAILED(e.m_hr));
    EXPECT_FALSE(e.m_strDetail.isEmpty());

    // With sound beside it the file still plays, without picture.
    auto player = Build(TestMediaPath(TestClip::AviMjpegPcm));
    EXPECT_FALSE(player->HasWindowlessControl());
    EXPECT_EQ(player->GetAudioSampleRate(), 44100);
}

TEST_F(GraphBuild, FirstUseDecoderIsChosenOverABetterRankedOne)
{
    firstUse.Add(kLibavMjpeg);
    auto player = Build(TestMediaPath(TestClip::AviMjpegPcm));
    const QStringList names = Filters(*player);
    EXPECT_TRUE(names.contains(kLibavMjpeg)) << qPrintable(names.join(QLatin1Char('|')));
    EXPECT_FALSE(names.contains(kJpegDec));
}

TEST_F(GraphBuild, OggTagsArriveAsTitleAndAuthor)
{
    auto player = Build(TestMediaPath(TestClip::OggTagged));
    EXPECT_EQ(player->GetTitle(), QString::fromLatin1(kTestTitle));
    EXPECT_EQ(player->GetAuthor(), QString::fromLatin1(kTestArtist));
    EXPECT_TRUE(Filters(*player).contains(kOggSplitterName));
}

TEST_F(GraphBuild, NtscRateGivesHundredthsTruncated)
{
    auto player = Build(TestMediaPath(TestClip::AviNtsc));
    EXPECT_EQ(player->GetFramesPerSecond(), 2997);
}

TEST_F(GraphBuild, InterlacedClipReportsItsKindAndDeinterlacing)
{
    {
        auto player = Build(TestMediaPath(TestClip::Interlaced));
        EXPECT_EQ(player->GetInterlaceKind(), INTERLACE_BOB_OR_WEAVE);
        EXPECT_EQ(player->GetInterlaceFlags(), 0x81u);
        EXPECT_EQ(player->GetDeinterlaceStatus(), DEINTERLACE_ON);
    }
    disableDeinterlace = TRUE;
    auto player = Build(TestMediaPath(TestClip::Interlaced));
    EXPECT_EQ(player->GetInterlaceKind(), INTERLACE_BOB_OR_WEAVE);
    EXPECT_EQ(player->GetDeinterlaceStatus(), DEINTERLACE_OFF);
}

TEST_F(GraphBuild, WithoutAnOverlayDisplayTheWindowlessRendererStaysInUse)
{
    disableVMR9 = TRUE;
    auto player = Build(TestMediaPath(TestClip::AviMjpegPcm));
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
    const CDirectShowErrMessage e = BuildFailure(GetParam().path());
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
