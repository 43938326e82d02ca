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
    QSize DisplaySize(CDShowPlayer& player)
    {
        int nWidth = 0;
        int nHeight = 0;
        EXPECT_EQ(player.GetNativeDisplaySize(&nWidth, &nHeight), 1);
        return QSize(nWidth, nHeight);
    }
};

TEST_F(Geometry, DisplaySizeTakesTheHeightAndTheAspect)
{
    fake.state->lNativeWidth = 720;
    fake.state->lNativeHeight = 480;
    auto player = Ready();
    EXPECT_EQ(DisplaySize(*player), QSize(640, 480));
    fake.state->lARWidth = 16;
    fake.state->lARHeight = 9;
    EXPECT_EQ(DisplaySize(*player), QSize(853, 480));
    // An unknown aspect leaves the native width.
    fake.state->lARHeight = 0;
    EXPECT_EQ(DisplaySize(*player), QSize(720, 480));

    OwnerWindowVideo(*fake.state, options);
    fake.state->lVideoWidth = 720;
    fake.state->lVideoHeight = 480;
    auto owner = Ready();
    EXPECT_EQ(DisplaySize(*owner), QSize(640, 480));
    fake.state->lAspectX = 16;
    fake.state->lAspectY = 9;
    EXPECT_EQ(DisplaySize(*owner), QSize(853, 480));
}

TEST_F(Geometry, WithoutVideoThereIsNoDisplaySizeAndNothingToPlace)
{
    fake.state->bVideoToWindowless = false;
    auto player = Ready();
    int nWidth = -1;
    int nHeight = -1;
    EXPECT_EQ(player->GetNativeDisplaySize(&nWidth, &nHeight), 0);
    player->FitVideoToView();
    player->SetAspectFix(FALSE);
    QImage canvas(8, 8, QImage::Format_RGB32);
    QPainter painter(&canvas);
    player->RepaintVideo(&painter);
    EXPECT_TRUE(player->GetCurrentImage().isNull());
    EXPECT_TRUE(fake.state->calls.isEmpty()) << qPrintable(fake.state->calls.join(QLatin1Char(' ')));
}

TEST_F(Geometry, AWindowlessPictureOfNoSizeIsDroppedAndReported)
{
    fake.state->lNativeHeight = 0;
    auto player = Ready();
    int nWidth = 0;
    int nHeight = 0;
    const CDirectShowErrMessage e = Failure([&] { player->GetNativeDisplaySize(&nWidth, &nHeight); });
    EXPECT_EQ(e.m_nCode, 1029);
    EXPECT_EQ(e.m_hr, E_FAIL);
    EXPECT_EQ(e.m_nKind, ERRKIND_VIDEO);
    EXPECT_FALSE(player->HasWindowlessControl());
    EXPECT_EQ(player->GetNativeDisplaySize(&nWidth, &nHeight), 0);
}

TEST_F(Geometry, FittingAWindowlessPictureOfNoSizeDropsItQuietly)
{
    view.resize(400, 300);
    fake.state->lNativeWidth = 0;
    auto player = Ready();
    EXPECT_NO_THROW(player->FitVideoToView());
    EXPECT_FALSE(player->HasWindowlessControl());
    EXPECT_FALSE(fake.state->Called(kVMR9 + QStringLiteral("::SetVideoPosition")));
}

TEST_F(Geometry, WindowlessFitFillsTheClientAreaAndLeavesLetterBoxingToTheRenderer)
{
    QFrame frame;
    frame.setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame.setLineWidth(2);
    frame.resize(404, 304);
    auto player = std::make_unique<CDShowPlayer>(kFakeFile, TRUE, FALSE, FALSE, &options.blackList,
        &options.firstUse, &frame, fake.factory);
    player->FitVideoToView();
    // Client coordinates start inside the frame's edge.
    EXPECT_EQ(fake.state->videoSource, QRect(0, 0, 320, 240));
    EXPECT_EQ(fake.state->videoDestination, QRect(2, 2, 400, 300));
    player->SetVideoSize(640, 360);
    EXPECT_EQ(fake.state->videoDestination, QRect(2, 2, 640, 360));
}

TEST_F(Geometry, WindowlessFailuresAreKindOne)
{
    auto player = Ready();
    fake.state->SetResult(kVMR9 + QStringLiteral("::SetVideoPosition"), E_INVALIDARG);
    CDirectShowErrMessage e = Failure([&] { player->SetVideoSize(100, 100); });
    EXPECT_EQ(e.m_nCode, 1031);
    EXPECT_EQ(e.m_nKind, ERRKIND_VIDEO);

    fake.state->SetResult(kVMR9 + QStringLiteral("::SetAspectRatioMode"), E_FAIL);
    e = Failure([&] { player->SetAspectFix(FALSE); });
    EXPECT_EQ(e.m_nCode, 1035);
    EXPECT_EQ(e.m_nKind, ERRKIND_VIDEO);
    EXPECT_FALSE(player->GetAspectFix());

    fake.state->SetResult(kVMR9 + QStringLiteral("::GetCurrentImage"), E_FAIL);
    e = Failure([&] { player->GetCurrentImage(); });
    EXPECT_EQ(e.m_nCode, 1036);
    EXPECT_EQ(e.m_nKind, ERRKIND_VIDEO);
    EXPECT_TRUE(player->HasWindowlessControl());

    // A failed repaint or size query gives the picture up for good.
    fake.state->SetResult(kVMR9 + QStringLiteral("::RepaintVideo"), E_FAIL);
    QImage canvas(8, 8, QImage::Format_RGB32);
    QPainter painter(&canvas);
    e = Failure([&] { player->RepaintVideo(&painter); });
    EXPECT_EQ(e.m_nCode, 1030);
    EXPECT_EQ(e.m_nKind, ERRKIND_VIDEO);
    EXPECT_FALSE(player->HasWindowlessControl());
    EXPECT_NO_THROW(player->RepaintVideo(&painter));

    auto other = Ready();
    fake.state->SetResult(kVMR9 + QStringLiteral("::GetNativeVideoSize"), E_UNEXPECTED);
    e = Failure([&] { other->FitVideoToView(); });
    EXPECT_EQ(e.m_nCode, 1029);
    EXPECT_EQ(e.m_hr, E_UNEXPECTED);
    EXPECT_FALSE(other->HasWindowlessControl());
}

TEST_F(Geometry, WindowlessAspectAndImage)
{
    fake.state->currentImage = QByteArray("dib bytes");
    auto player = Ready();
    player->SetAspectFix(FALSE);
    EXPECT_EQ(fake.state->dwAspectRatioMode, VMR9ARMode_None);
    player->SetAspectFix(TRUE);
    EXPECT_EQ(fake.state->dwAspectRatioMode, VMR9ARMode_LetterBox);
    EXPECT_EQ(player->GetCurrentImage(), QByteArray("dib bytes"));
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
    auto player = Ready();
    player->SetVideoSize(c.nWidth, c.nHeight);
    EXPECT_EQ(fake.state->videoWindowRect, QRect(0, 0, c.nWidth, c.nHeight));
    EXPECT_EQ(fake.state->destinationRect, c.destination);
}

INSTANTIATE_TEST_SUITE_P(Sizes, OwnerWindowLetterBox,
    ::testing::Values(LetterBoxCase { 800, 600, 16, 9, QRect(0, 75, 800, 450) },
        LetterBoxCase { 800, 300, 4, 3, QRect(200, 0, 400, 300) },
        LetterBoxCase { 801, 601, 4, 3, QRect(0, 0, 801, 601) },
        // Products beyond 32 bits.
        LetterBoxCase { 3000, 2000, 2000000, 1000000, QRect(0, 250, 3000, 1500) }));

TEST_F(Geometry, OwnerWindowWithoutAspectFixStretchesAndAZeroHeightLeavesTheDestination)
{
    OwnerWindowVideo(*fake.state, options);
    options.bAspectFix = FALSE;
    view.resize(640, 480);
    auto player = Ready();
    player->FitVideoToView();
    EXPECT_EQ(fake.state->videoWindowRect, QRect(0, 0, 640, 480));
    EXPECT_TRUE(fake.state->Called(QStringLiteral("SetDefaultDestinationPosition")));

    // Turning the aspect fix on fits the picture again.
    player->SetAspectFix(TRUE);
    EXPECT_EQ(fake.state->destinationRect, QRect(0, 0, 640, 480));
    fake.state->calls.clear();
    player->SetVideoSize(640, 0);
    EXPECT_TRUE(fake.state->Called(QStringLiteral("SetWindowPosition(0,0,640,0)")));
    EXPECT_FALSE(fake.state->Called(QStringLiteral("SetDestinationPosition")));
}

struct OwnerFailure {
    const char* call;
    int nCode;
    bool bAspectFix;
};

class OwnerWindowFailure : public Geometry, public ::testing::WithParamInterface<OwnerFailure> {};

TEST_P(OwnerWindowFailure, IsKindZero)
{
    const OwnerFailure& c = GetParam();
    OwnerWindowVideo(*fake.state, options);
    options.bAspectFix = c.bAspectFix;
    auto player = Ready();
    fake.state->SetResult(QString::fromLatin1(c.call), MakeHr(0x80040bbb));
    const CDirectShowErrMessage e = Failure([&] {
        int nWidth = 0;
        int nHeight = 0;
        player->GetNativeDisplaySize(&nWidth, &nHeight);
        player->SetVideoSize(640, 480);
    });
    EXPECT_EQ(e.m_nCode, c.nCode);
    EXPECT_EQ(e.m_hr, MakeHr(0x80040bbb));
    EXPECT_EQ(e.m_nKind, ERRKIND_GENERAL);
}

INSTANTIATE_TEST_SUITE_P(EveryCall, OwnerWindowFailure,
    ::testing::Values(OwnerFailure { "get_VideoWidth", 1015, true }, OwnerFailure { "get_VideoHeight", 1014, true },
        OwnerFailure { "GetPreferredAspectRatio", 1016, true }, OwnerFailure { "SetWindowPosition", 1011, true },
        OwnerFailure { "SetDestinationPosition", 1045, true },
        OwnerFailure { "SetDefaultDestinationPosition", 1046, false }));

TEST_F(Geometry, OwnerWindowPictureOfNoSizeIsKindOne)
{
    OwnerWindowVideo(*fake.state, options);
    fake.state->lVideoHeight = 0;
    auto player = Ready();
    int nWidth = 0;
    int nHeight = 0;
    const CDirectShowErrMessage e = Failure([&] { player->GetNativeDisplaySize(&nWidth, &nHeight); });
    EXPECT_EQ(e.m_nCode, 1029);
    EXPECT_EQ(e.m_hr, E_FAIL);
    EXPECT_EQ(e.m_nKind, ERRKIND_VIDEO);
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

TEST_F(OwnerWindowCapture, WhileRunningPausesGrabsAndRunsAgain)
{
    auto player = Ready();
    fake.state->lState = State_Running;
    EXPECT_EQ(player->GetCurrentImage(), fake.state->currentImage);
    EXPECT_EQ(fake.state->calls,
        QStringList({ QStringLiteral("GetState(100)"), QStringLiteral("Pause"), QStringLiteral("GetState(100)"),
            QStringLiteral("GetCurrentImage(null)"), QStringLiteral("GetCurrentImage(buffer)"),
            QStringLiteral("put_Visible(-1)"), QStringLiteral("Run") }));
    EXPECT_EQ(fake.state->lState, State_Running);
}

TEST_F(OwnerWindowCapture, WhilePausedStaysPausedAndWhileStoppedGivesNothing)
{
    auto player = Ready();
    fake.state->lState = State_Paused;
    EXPECT_EQ(player->GetCurrentImage(), fake.state->currentImage);
    EXPECT_FALSE(fake.state->Called(QStringLiteral("Pause")));
    EXPECT_FALSE(fake.state->Called(QStringLiteral("Run")));

    fake.state->lState = State_Stopped;
    fake.state->calls.clear();
    EXPECT_TRUE(player->GetCurrentImage().isNull());
    EXPECT_EQ(fake.state->calls, QStringList({ QStringLiteral("GetState(100)") }));
}

TEST_F(OwnerWindowCapture, NeverThrowsAndResumesWhateverFails)
{
    auto player = Ready();
    for (const char* call : { "GetCurrentImage", "Pause" }) {
        fake.state->SetResult(QString::fromLatin1(call), E_FAIL);
        fake.state->lState = State_Running;
        fake.state->calls.clear();
        QByteArray image;
        EXPECT_NO_THROW(image = player->GetCurrentImage()) << call;
        EXPECT_TRUE(image.isNull()) << call;
        EXPECT_EQ(fake.state->CountCalls(QStringLiteral("Run")), 1) << call;
        fake.state->SetResult(QString::fromLatin1(call), S_OK);
    }
    // A resume that fails is not reported either.
    fake.state->SetResult(QStringLiteral("Run"), E_FAIL);
    fake.state->lState = State_Running;
    EXPECT_NO_THROW(EXPECT_EQ(player->GetCurrentImage(), fake.state->currentImage));

    fake.state->SetResult(QStringLiteral("GetState"), E_FAIL);
    EXPECT_NO_THROW(EXPECT_TRUE(player->GetCurrentImage().isNull()));
}
}
