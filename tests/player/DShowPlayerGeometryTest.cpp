// Picture size, placement, painting and grabbing on a fake graph, for both
// video outputs.

#include "FakePlayerFixture.h"

#include <QFrame>
#include <QPainter>

namespace {
const QString kVMR9 = kWindowlessRendererName;

class Geometry : public PlayerTest {
protected:
    std::unique_ptr<CDShowPlayer> Ready()
    {
        auto player = Build();
        fake.state->calls.clear();
        return player;
    }
    static QSize DisplaySize(CDShowPlayer& player)
    {
        int nWidth = 0;
        int nHeight = 0;
        EXPECT_EQ(player.GetNativeDisplaySize(&nWidth, &nHeight), 1);
        return QSize(nWidth, nHeight);
    }
};

TEST_F(Geometry, DisplaySizeTakesTheHeightAndTheAspect)
{
    fake.state->lNativeWidth = fake.state->lVideoWidth = 720;
    fake.state->lNativeHeight = fake.state->lVideoHeight = 480;
    auto player = Ready();
    EXPECT_EQ(DisplaySize(*player), QSize(640, 480));
    fake.state->lARWidth = 16;
    fake.state->lARHeight = 9;
    EXPECT_EQ(DisplaySize(*player), QSize(853, 480));

    OwnerWindowVideo(*fake.state, options);
    auto owner = Ready();
    EXPECT_EQ(DisplaySize(*owner), QSize(640, 480));
    fake.state->lAspectX = 16;
    fake.state->lAspectY = 9;
    EXPECT_EQ(DisplaySize(*owner), QSize(853, 480));
}

TEST_F(Geometry, AWindowlessPictureOfNoSizeIsDropped)
{
    view.resize(400, 300);
    fake.state->lNativeWidth = 0;
    auto player = Ready();
    // Quietly while fitting ...
    EXPECT_NO_THROW(player->FitVideoToView());
    EXPECT_FALSE(player->HasWindowlessControl());

    // ... and as a kind-1 failure when its size is asked for.
    player = Ready();
    int nWidth = 0;
    int nHeight = 0;
    const CDirectShowErrMessage e = Failure([&] { player->GetNativeDisplaySize(&nWidth, &nHeight); });
    EXPECT_EQ(e.m_nCode, ERR_GET_NATIVE_SIZE);
    EXPECT_EQ(e.m_nKind, ERRKIND_VIDEO);
}

TEST_F(Geometry, WindowlessFitFillsTheClientAreaInsideTheViewsEdge)
{
    QFrame frame;
    frame.setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame.setLineWidth(2);
    frame.resize(404, 304);
    CDShowPlayer player(kFakeFile, TRUE, FALSE, FALSE, &options.blackList, &options.firstUse, &frame, nullptr, fake.factory);
    player.FitVideoToView();
    EXPECT_EQ(fake.state->videoSource, QRect(0, 0, 320, 240));
    EXPECT_EQ(fake.state->videoDestination, QRect(2, 2, 400, 300));
}

TEST_F(Geometry, WindowlessFailuresAreKindOneAndAFailedRepaintDropsThePicture)
{
    auto player = Ready();
    const std::pair<const char*, int> calls[] = { { "SetVideoPosition", ERR_SET_VIDEO_POSITION }, { "SetAspectRatioMode", ERR_SET_ASPECT_MODE },
        { "GetCurrentImage", ERR_GET_CURRENT_IMAGE }, { "RepaintVideo", ERR_REPAINT } };
    QImage canvas(8, 8, QImage::Format_RGB32);
    QPainter painter(&canvas);
    for (const auto& [call, nCode] : calls) {
        fake.state->SetResult(kVMR9 + QStringLiteral("::") + QLatin1String(call), E_FAIL);
        const CDirectShowErrMessage e = Failure([&] {
            player->SetVideoSize(100, 100);
            player->SetAspectFix(FALSE);
            player->GetCurrentImage();
            player->RepaintVideo(&painter);
        });
        EXPECT_EQ(e.m_nCode, nCode);
        EXPECT_EQ(e.m_nKind, ERRKIND_VIDEO);
        EXPECT_EQ(player->HasWindowlessControl(), nCode != ERR_REPAINT) << nCode;
        fake.state->SetResult(kVMR9 + QStringLiteral("::") + QLatin1String(call), S_OK);
    }
    EXPECT_NO_THROW(player->RepaintVideo(&painter));
    EXPECT_TRUE(player->GetCurrentImage().isNull());
}

struct LetterBoxCase {
    int nWidth;
    int nHeight;
    long lAspectX;
    long lAspectY;
    QRect destination;
};

class OwnerWindowLetterBox : public Geometry, public ::testing::WithParamInterface<LetterBoxCase> {};

TEST_P(OwnerWindowLetterBox, PlacesThePictureInsideTheWindow)
{
    const LetterBoxCase& c = GetParam();
    OwnerWindowVideo(*fake.state, options);
    fake.state->lAspectX = c.lAspectX;
    fake.state->lAspectY = c.lAspectY;
    Ready()->SetVideoSize(c.nWidth, c.nHeight);
    EXPECT_EQ(fake.state->videoWindowRect, QRect(0, 0, c.nWidth, c.nHeight));
    EXPECT_EQ(fake.state->destinationRect, c.destination);
}

INSTANTIATE_TEST_SUITE_P(Sizes, OwnerWindowLetterBox,
    ::testing::Values(LetterBoxCase { 800, 600, 16, 9, QRect(0, 75, 800, 450) },
        LetterBoxCase { 800, 300, 4, 3, QRect(200, 0, 400, 300) },
        // Products beyond 32 bits.
        LetterBoxCase { 3000, 2000, 2000000, 1000000, QRect(0, 250, 3000, 1500) }));

TEST_F(Geometry, OwnerWindowWithoutAspectFixStretchesAndAZeroHeightLeavesTheDestination)
{
    OwnerWindowVideo(*fake.state, options);
    options.bAspectFix = FALSE;
    view.resize(640, 480);
    auto player = Ready();
    player->FitVideoToView();
    EXPECT_TRUE(fake.state->Called(QStringLiteral("SetDefaultDestinationPosition")));
    player->SetAspectFix(TRUE); // fits again
    EXPECT_EQ(fake.state->destinationRect, QRect(0, 0, 640, 480));
    fake.state->calls.clear();
    player->SetVideoSize(640, 0);
    EXPECT_EQ(fake.state->calls, QStringList({ QStringLiteral("SetWindowPosition(0,0,640,0)"),
                                     QStringLiteral("GetPreferredAspectRatio") }));
}

class OwnerWindowCapture : public Geometry {
protected:
    void SetUp() override
    {
        Geometry::SetUp();
        OwnerWindowVideo(*fake.state, options);
        fake.state->currentImage = QByteArray(64, 'x');
    }
};

TEST_F(OwnerWindowCapture, RunningPausesGrabsAndRunsPausedStaysStoppedGivesNothing)
{
    auto player = Ready();
    fake.state->lState = State_Running;
    EXPECT_EQ(player->GetCurrentImage(), fake.state->currentImage);
    EXPECT_EQ(fake.state->calls,
        QStringList({ QStringLiteral("GetState(100)"), QStringLiteral("Pause"), QStringLiteral("GetState(100)"),
            QStringLiteral("GetCurrentImage(null)"), QStringLiteral("GetCurrentImage(buffer)"),
            QStringLiteral("put_Visible(-1)"), QStringLiteral("Run") }));

    fake.state->lState = State_Paused;
    fake.state->calls.clear();
    EXPECT_EQ(player->GetCurrentImage(), fake.state->currentImage);
    EXPECT_FALSE(fake.state->Called(QStringLiteral("Run")));

    fake.state->lState = State_Stopped;
    fake.state->calls.clear();
    EXPECT_TRUE(player->GetCurrentImage().isNull());
    EXPECT_EQ(fake.state->calls, QStringList({ QStringLiteral("GetState(100)") }));
}

TEST_F(OwnerWindowCapture, NeverThrowsAndResumesWhateverFails)
{
    auto player = Ready();
    for (const char* call : { "GetCurrentImage", "Pause", "Run" }) {
        fake.state->SetResult(QString::fromLatin1(call), E_FAIL);
        fake.state->lState = State_Running;
        fake.state->calls.clear();
        EXPECT_NO_THROW(player->GetCurrentImage()) << call;
        EXPECT_EQ(fake.state->CountCalls(QStringLiteral("Run")), 1) << call;
        fake.state->SetResult(QString::fromLatin1(call), S_OK);
    }
}
}
