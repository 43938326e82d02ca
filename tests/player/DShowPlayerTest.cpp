// The player's construction on a fake graph: every failure's code and
// result, what is dropped quietly, and what it learns about the media.

#include "FakePlayerFixture.h"

#include "platform/WindowMessages.h"

namespace {
const QString kFile = kFakeFile;
const QString kVMR9 = kWindowlessRendererName;

struct FailureCase {
    const char* call;
    int nCode;
    bool bOwnerWindow;
};

class ConstructionFailure : public PlayerTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ConstructionFailure, ThrowsItsCodeWithTheCallsResultAndHoldsNothing)
{
    const FailureCase& c = GetParam();
    if (c.bOwnerWindow)
        OwnerWindowVideo(*fake.state, options);
    const HRESULT hr = MakeHr(0x80041234);
    fake.state->SetResult(QString::fromLatin1(c.call), hr);

    const CDirectShowErrMessage e = BuildFailure();

    EXPECT_EQ(e.m_nCode, c.nCode);
    EXPECT_EQ(e.m_hr, hr);
    EXPECT_EQ(e.m_nKind, ERRKIND_GENERAL);
    EXPECT_EQ(fake.state->nGraphsAlive, 0);
    EXPECT_EQ(fake.state->pSite, nullptr);
    EXPECT_EQ(fake.state->pNotifyWindow, nullptr);
}

INSTANTIATE_TEST_SUITE_P(EveryStep, ConstructionFailure,
    ::testing::Values(FailureCase { "CreateGraph", ERR_CREATE_GRAPH, false }, FailureCase { "QueryObjectWithSite", ERR_QUERY_OBJECT_WITH_SITE, false },
        FailureCase { "SetSite", ERR_SET_SITE, false }, FailureCase { "RenderFile", ERR_RENDER_FILE, false },
        FailureCase { "QueryMediaControl", ERR_QUERY_MEDIA_CONTROL, false }, FailureCase { "QueryMediaEvent", ERR_QUERY_MEDIA_EVENT, false },
        FailureCase { "QueryMediaSeeking", ERR_QUERY_MEDIA_SEEKING, false }, FailureCase { "QueryBasicAudio", ERR_QUERY_BASIC_AUDIO, false },
        FailureCase { "Windowless Video Renderer::EnumPins", ERR_ENUM_PINS, false },
        FailureCase { "Windowless Video Renderer::ConnectionMediaType", ERR_CONNECTION_MEDIA_TYPE, false },
        FailureCase { "GetCapabilities", ERR_GET_CAPABILITIES, false }, FailureCase { "GetTimeFormat", ERR_GET_TIME_FORMAT, false },
        FailureCase { "QueryBasicVideo", ERR_QUERY_BASIC_VIDEO, true }, FailureCase { "QueryVideoWindow", ERR_QUERY_VIDEO_WINDOW, true },
        FailureCase { "put_Owner", ERR_PUT_OWNER, true }, FailureCase { "put_WindowStyle", ERR_PUT_WINDOW_STYLE, true },
        FailureCase { "put_MessageDrain", ERR_PUT_MESSAGE_DRAIN, true }));

TEST_F(PlayerTest, RenderFailureKeepsTheFrameworksDetail)
{
    fake.state->SetResult(QStringLiteral("RenderFile"), VFW_E_UNKNOWN_FILE_TYPE);
    const CDirectShowErrMessage e = BuildFailure();
    EXPECT_EQ(e.m_nCode, ERR_RENDER_FILE);
    EXPECT_EQ(e.m_strDetail, QStringLiteral("fake detail"));
}

TEST_F(PlayerTest, BuildsAStoppedGraphWhoseNoticesGoToTheTargetItWasGiven)
{
    auto player = Build();

    EXPECT_FALSE(fake.state->Called(QStringLiteral("Run")));
    EXPECT_EQ(fake.state->pNotifyWindow, &notifyTarget);
    EXPECT_EQ(fake.state->CallsNamed(QStringLiteral("SetNotifyWindow")).value(0),
        QStringLiteral("SetNotifyWindow(window,%1,%2)").arg(WM_GRAPHNOTIFY).arg(player->GetNotifyData()));
    EXPECT_EQ(fake.state->CallsNamed(QStringLiteral("RenderFile")).value(0), QStringLiteral("RenderFile(%1)").arg(kFile));
    EXPECT_EQ(fake.state->pClippingWindow, &view);
    EXPECT_EQ(fake.state->dwAspectRatioMode, VMR9ARMode_LetterBox);
    EXPECT_FALSE(player->IsOwnerWindowMode());

    const qintptr lNotifyData = player->GetNotifyData();
    player.reset();
    EXPECT_EQ(fake.state->pNotifyWindow, nullptr);
    EXPECT_EQ(fake.state->nGraphsAlive, 0);
    // The next player's notices are told apart from this one's.
    EXPECT_NE(Build()->GetNotifyData(), lNotifyData);
}

TEST_F(PlayerTest, AWindowlessRendererThatCannotBeSetUpIsRemovedQuietly)
{
    fake.state->SetResult(kVMR9 + QStringLiteral("::SetVideoClippingWindow"), E_FAIL);
    auto player = Build();
    EXPECT_FALSE(player->HasWindowlessControl());
    // Removed before rendering, so the file is rendered without it.
    EXPECT_LT(fake.state->calls.indexOf(QStringLiteral("RemoveFilter(%1)").arg(kVMR9)),
        fake.state->calls.indexOf(QStringLiteral("RenderFile(%1)").arg(kFile)));
}

TEST_F(PlayerTest, DeinterlacingOffNeedsTheDeinterlaceControl)
{
    options.bDisableDeinterlace = TRUE;
    {
        auto player = Build();
        EXPECT_TRUE(fake.state->Called(QStringLiteral("%1::SetDeinterlaceMode(0,0)").arg(kVMR9)));
        EXPECT_TRUE(player->HasWindowlessControl());
    }
    FakeGraphSetup without;
    VideoAndAudio(*without.state);
    without.state->SetResult(kVMR9 + QStringLiteral("::QueryDeinterlaceControl"), E_NOINTERFACE);
    CDShowPlayer player(kFile, TRUE, FALSE, TRUE, &options.blackList, &options.firstUse, &view, nullptr, without.factory);
    EXPECT_TRUE(without.state->Called(QStringLiteral("RemoveFilter(%1)").arg(kVMR9)));
    EXPECT_FALSE(player.HasWindowlessControl());
    EXPECT_TRUE(without.state->Called(QStringLiteral("RenderFile")));
}

TEST_F(PlayerTest, AudioOnlyHasNeitherWindowlessControlNorOwnerWindow)
{
    fake.state->bVideoToWindowless = false;
    auto player = Build();
    EXPECT_TRUE(fake.state->Called(QStringLiteral("RemoveFilter(%1)").arg(kVMR9)));
    EXPECT_FALSE(player->HasWindowlessControl());
    EXPECT_FALSE(player->IsOwnerWindowMode());
    EXPECT_EQ(player->GetVideoWidth(), 0);
    EXPECT_EQ(player->GetAudioBitsPerSample(), 16);
}

TEST_F(PlayerTest, OwnerWindowModeWhenTheClassicRendererShowsTheVideo)
{
    OwnerWindowVideo(*fake.state, options);
    fake.state->lVideoWidth = 720;
    fake.state->lVideoHeight = 480;
    fake.state->dAvgTimePerFrame = 1001.0 / 30000.0;
    auto player = Build();
    EXPECT_FALSE(fake.state->Called(QStringLiteral("CreateWindowlessRenderer")));
    EXPECT_TRUE(player->IsOwnerWindowMode());
    EXPECT_EQ(fake.state->pVideoOwner, &view);
    EXPECT_TRUE(fake.state->Called(QStringLiteral("put_WindowStyle(0x44000000)")));
    EXPECT_EQ(player->GetVideoWidth(), 720);
    EXPECT_EQ(player->GetFramesPerSecond(), 2997);
}

TEST_F(PlayerTest, FirstUseFiltersAreAddedByNameAndDroppedWhenUnused)
{
    fake.state->registry = { { QStringLiteral("JPEG image decoder"), QStringLiteral("jpegdec") },
        { QStringLiteral("Fast decoder"), QStringLiteral("fast1") },
        { QStringLiteral("Avi demuxer"), QStringLiteral("avidemux") },
        { QStringLiteral("Fast decoder"), QStringLiteral("fast2") } };
    options.firstUse.Add(QStringLiteral("No such filter"));
    {
        auto player = Build();
        EXPECT_FALSE(fake.state->Called(QStringLiteral("CreateFilter")));
        EXPECT_FALSE(fake.state->Called(QStringLiteral("AddFilter(No such filter)")));
    }

    fake.state->calls.clear();
    options.firstUse.Add(QStringLiteral("Fast decoder"));
    options.firstUse.Add(QStringLiteral("Avi demuxer"));
    fake.state->usedPreferred = { QStringLiteral("Avi demuxer") };
    auto player = Build();
    // Registry order, every filter of a listed name.
    EXPECT_EQ(fake.state->CallsNamed(QStringLiteral("AddFilter")),
        QStringList({ QStringLiteral("AddFilter(Fast decoder)"), QStringLiteral("AddFilter(Avi demuxer)"), QStringLiteral("AddFilter(Fast decoder)"),
            QStringLiteral("AddFilter(%1)").arg(kVMR9) }));
    // The unused ones leave the graph again after rendering.
    EXPECT_EQ(fake.state->CountCalls(QStringLiteral("RemoveFilter(Fast decoder)")), 2);
    EXPECT_FALSE(fake.state->Called(QStringLiteral("RemoveFilter(Avi demuxer)")));
}

TEST_F(PlayerTest, FirstUseStepEndsQuietlyWhenTheRegistryFails)
{
    options.firstUse.Add(QStringLiteral("Avi demuxer"));
    fake.state->registry = { { QStringLiteral("Avi demuxer"), QStringLiteral("avidemux") } };
    fake.state->SetResult(QStringLiteral("CreateFilterRegistry"), E_FAIL);
    EXPECT_NO_THROW(Build());
    fake.state->SetResult(QStringLiteral("CreateFilterRegistry"), S_OK);
    fake.state->SetResult(QStringLiteral("EnumAllFilters"), S_FALSE);
    EXPECT_NO_THROW(Build());
    EXPECT_FALSE(fake.state->Called(QStringLiteral("CreateFilter")));
}

TEST_F(PlayerTest, OggSplitterIsListedButNeverAskedForText)
{
    FakeFilterSpec ogg = FakeFilterSpec::Connected(kOggSplitterName);
    ogg.bMediaContent = true;
    ogg.strTitle = QStringLiteral("from the splitter");
    FakeFilterSpec decoder = FakeFilterSpec::Connected(QStringLiteral("Vorbis audio decoder"));
    decoder.bMediaContent = true;
    decoder.strAuthor = QStringLiteral("Artist");
    fake.state->rendered.insert(fake.state->rendered.begin() + 1, ogg);
    fake.state->rendered.push_back(decoder);
    auto player = Build();

    EXPECT_FALSE(fake.state->Called(kOggSplitterName + QStringLiteral("::QueryMediaContent")));
    EXPECT_EQ(player->GetFilterName(1), kOggSplitterName);
    EXPECT_EQ(player->GetTitle(), QStringLiteral("Title"));
    EXPECT_EQ(player->GetAuthor(), QStringLiteral("Artist"));
}

TEST_F(PlayerTest, FilterTableHoldsAtMostAHundredNamesOf127Characters)
{
    const QString strLong(200, QLatin1Char('n'));
    fake.state->rendered.clear();
    for (int i = 0; i < 120; ++i)
        fake.state->rendered.push_back(FakeFilterSpec::Connected(i == 0 ? strLong : QStringLiteral("f%1").arg(i)));
    auto player = Build();
    EXPECT_EQ(player->GetFilterCount(), CDShowPlayer::MAX_FILTERS);
    EXPECT_EQ(player->GetFilterName(0), strLong.left(127));
    EXPECT_EQ(player->GetFilterName(99), QStringLiteral("f99"));
    EXPECT_EQ(player->GetFilterName(100), QString());

    fake.state->SetResult(QStringLiteral("EnumFilters"), E_FAIL);
    EXPECT_EQ(Build()->GetFilterCount(), 0);
}

struct VideoCase {
    FormatType format;
    DWORD dwFlags;
    REFERENCE_TIME avgTimePerFrame;
    int nKind;
    int nFps;
};

class VideoInfo : public PlayerTest, public ::testing::WithParamInterface<VideoCase> {};

TEST_P(VideoInfo, ComesFromTheWindowlessRenderersInput)
{
    const VideoCase& c = GetParam();
    fake.state->videoType = FakeVideoType(720, 480, c.avgTimePerFrame, c.format, c.dwFlags);
    auto player = Build();
    EXPECT_EQ(player->GetVideoHeight(), 480);
    EXPECT_EQ(player->GetInterlaceKind(), c.nKind);
    EXPECT_EQ(player->GetFramesPerSecond(), c.nFps);
    EXPECT_EQ(player->GetInterlaceFlags(), c.format == FormatType::VideoInfo2 ? c.dwFlags : 0u);
}

INSTANTIATE_TEST_SUITE_P(Formats, VideoInfo,
    ::testing::Values(VideoCase { FormatType::VideoInfo, 0x81, 417083, 0, 2397 },
        VideoCase { FormatType::VideoInfo2, 0x00, 333666, 1, 2997 },
        VideoCase { FormatType::VideoInfo2, 0x01, 400000, 3, 2500 },
        VideoCase { FormatType::VideoInfo2, 0x03, 400000, 2, 2500 },
        VideoCase { FormatType::VideoInfo2, 0x61, 400000, 4, 2500 },
        VideoCase { FormatType::VideoInfo2, 0x81, 0, 5, 0 },
        VideoCase { FormatType::VideoInfo2, 0x21, 400000, 6, 2500 }));

TEST_F(PlayerTest, DeinterlaceStatusIsOffWhenTheRendererCannotTell)
{
    fake.state->bActuallyDeinterlacing = true;
    fake.state->SetResult(kVMR9 + QStringLiteral("::GetActualDeinterlaceMode"), E_FAIL);
    EXPECT_EQ(Build()->GetDeinterlaceStatus(), DEINTERLACE_OFF);
}

TEST_F(PlayerTest, AudioFormatIsReadOnlyFromTheAudioRenderer)
{
    FakeFilterSpec other = FakeFilterSpec::Connected(QStringLiteral("Some audio filter"));
    other.connectionType = FakeAudioType(6, 96000, 24);
    fake.state->rendered.push_back(other);
    auto player = Build();
    EXPECT_EQ(player->GetAudioChannels(), 2);
    EXPECT_EQ(player->GetAudioSampleRate(), 48000);
}

TEST_F(PlayerTest, FrameFormatWinsNotImplementedIsAcceptedOtherFailuresAreNot)
{
    {
        auto player = Build();
        EXPECT_EQ(player->GetSeekMode(), SEEKMODE_FRAME);
        EXPECT_EQ(player->GetStopPosition(), fake.state->llDurationFrames);
    }
    fake.state->SetResult(QStringLiteral("IsFormatSupported(Frame)"), E_NOTIMPL);
    {
        auto player = Build();
        EXPECT_EQ(player->GetSeekMode(), SEEKMODE_TIME);
        EXPECT_EQ(player->GetTimeFormat(), TimeFormat::MediaTime);
    }

    fake.state->SetResult(QStringLiteral("IsFormatSupported(Frame)"), E_FAIL);
    const CDirectShowErrMessage e = BuildFailure();
    EXPECT_EQ(e.m_nCode, ERR_FORMAT_NOT_SUPPORTED);
    EXPECT_EQ(fake.state->nGraphsAlive, 0);
}

TEST_F(PlayerTest, WithoutDurationNothingIsSeekable)
{
    fake.state->dwSeekCaps &= ~AM_SEEKING_CanGetDuration;
    auto player = Build();
    EXPECT_EQ(player->GetSeekMode(), SEEKMODE_NONE);
    LONGLONG llMedia = 0, llSeek = 1, llFrames = 0;
    EXPECT_EQ(player->GetDurations(&llMedia, &llSeek, &llFrames), SEEKMODE_NONE);
    EXPECT_EQ(QList<LONGLONG>({ llMedia, llSeek, llFrames }), QList<LONGLONG>({ -1, 0, -1 }));

    // Positioning does nothing at all.
    fake.state->lState = State_Running;
    fake.state->calls.clear();
    player->SetPosition(10);
    EXPECT_EQ(player->SeekPlaying(10), 0);
    EXPECT_EQ(player->Skip(TRUE, 1), STEP_IMPOSSIBLE);
    EXPECT_EQ(player->FrameStep(1), STEP_IMPOSSIBLE);
    EXPECT_EQ(player->SetSegment(1, 2), 0);
    EXPECT_TRUE(fake.state->calls.isEmpty());
}
}
