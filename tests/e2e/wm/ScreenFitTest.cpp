// Real windows under a window manager, on a screen smaller than a 1080p
// video: the main window keeps all of itself in the work area, and a box
// opened at start-up is centred on it. Geometry is read as the window
// manager reports it, frames included.

#include "FrameFixture.h"
#include "GstTestSupport.h"
#include "OrvProcess.h"
#include "TempRuntimeDir.h"
#include "TestMedia.h"
#include "XWindows.h"

#include <QGuiApplication>
#include <QScreen>

#include <cstdlib>
#include <string>

namespace {

std::string Text(const QRect& rc)
{
    return QStringLiteral("%1,%2 %3x%4").arg(rc.x()).arg(rc.y()).arg(rc.width()).arg(rc.height()).toStdString();
}

// Twice the centre, so that odd sizes compare exactly.
QPoint DoubleCentre(const QRect& rc) { return rc.topLeft() * 2 + QPoint(rc.width(), rc.height()); }

bool UnderWindowManager()
{
    return QGuiApplication::platformName() == QLatin1String("xcb") && WindowManagerRunning();
}

constexpr const char* kNoWindowManager = "needs an X display with a window manager "
                                         "(scripts/with-xvfb.sh --wm openbox)";

class ScreenFit : public FrameFixture {
protected:
    bool UsesScriptedView() const override { return false; }
    void SetUp() override
    {
        if (!UnderWindowManager())
            GTEST_SKIP() << kNoWindowManager;
        FrameFixture::SetUp();
    }
};

TEST_F(ScreenFit, A1080pVideoKeepsTheWholeWindowInTheWorkAreaAndThePictureItsAspect)
{
    const QRect work = WorkArea();
    ASSERT_TRUE(work.isValid());
    ASSERT_LT(work.height(), 1080) << "the screen must be smaller than the video";

    CMainFrame& f = Frame();
    f.OnCommand(ID_ONE_LOOP); // still playing however long the checks take
    StartList({ TestMediaPath(TestClip::AviHd1080) });
    // As at start-up: the file loads right after the window is shown, before
    // the window manager has framed it.
    f.show();
    f.PlayListFromTop();
    ASSERT_TRUE(f.OwnView().IsStarted());

    const QRect frame = SettledFrameGeometry(QString::number(f.winId()));
    ASSERT_TRUE(frame.isValid());
    EXPECT_TRUE(work.contains(frame)) << Text(frame) << " in " << Text(work);
    // No smaller than it has to be: it reaches across or down the work area.
    EXPECT_TRUE(frame.width() == work.width() || frame.height() == work.height()) << Text(frame);

    const QSize video = f.OwnView().contentsRect().size();
    EXPECT_LT(video.height(), 1080);
    EXPECT_NEAR(video.height(), video.width() * 1080 / 1920, 1) << video.width() << "x" << video.height();
    EXPECT_EQ(f.ClientArea()->height() - f.OwnView().height(), f.ControlHeight());
    EXPECT_TRUE(m_responder.boxes.empty());
}

class StartupBox : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!UnderWindowManager())
            GTEST_SKIP() << kNoWindowManager;
    }
    TempHome m_home;
    TempRuntimeDir m_runtime;
};

TEST_F(StartupBox, AFileThatFailsToLoadAtStartUpShowsItsBoxCentredOnTheWindow)
{
    // New windows open under the pointer: away from the screen's centre, so
    // that a box centred on the screen is not centred on the window.
    ToolOutput(QStringLiteral("xdotool"), { QStringLiteral("mousemove"), QStringLiteral("480"), QStringLiteral("360") });
    OrvProcess orv({ MissingMediaPath() });
    QString window;
    QString box;
    ASSERT_TRUE(ProcessEventsUntil(
        [&] {
            const QStringList windows = VisibleWindows(orv.Pid());
            if (windows.size() != 2)
                return false;
            const bool bFirstIsBox = IsTransient(windows[0]);
            box = windows[bFirstIsBox ? 0 : 1];
            window = windows[bFirstIsBox ? 1 : 0];
            return IsTransient(box) && !IsTransient(window);
        },
        30000));

    const QRect rcWindow = SettledFrameGeometry(window);
    const QRect rcBox = SettledFrameGeometry(box);
    ASSERT_TRUE(rcWindow.isValid() && rcBox.isValid());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    ASSERT_GT((DoubleCentre(rcWindow) - DoubleCentre(screen)).manhattanLength(), 100)
        << "the window opened in the screen's centre: " << Text(rcWindow);
    const QPoint offset = DoubleCentre(rcBox) - DoubleCentre(rcWindow);
    EXPECT_LE(std::abs(offset.x()), 2) << Text(rcBox) << " on " << Text(rcWindow);
    EXPECT_LE(std::abs(offset.y()), 2) << Text(rcBox) << " on " << Text(rcWindow);
}

} // namespace
