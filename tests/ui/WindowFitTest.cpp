// Sizing the window around a video inside the work area: the picture gives
// way with its aspect kept, the controls never do, and the window moves the
// least distance into the work area.

#include "ui/WindowFit.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// Decoration 2 + view border 4 across; decoration 25, menu bar 25, view
// border 4 and a control area of 106 down.
const QSize kAround(6, 160);
const int kMinWidth = 330;

std::string Text(const QRect& rc)
{
    return std::to_string(rc.x()) + "," + std::to_string(rc.y()) + " " + std::to_string(rc.width()) + "x"
        + std::to_string(rc.height());
}

TEST(WindowFit, ALargeVideoShrinksWithItsAspectUntilTheWholeWindowFits)
{
    struct Case {
        QSize video;
        QRect work;
    };
    const Case cases[] = {
        { { 1920, 1080 }, { 0, 0, 1600, 1000 } },
        { { 3840, 2160 }, { 0, 32, 1280, 768 } }, // 200 %, under a top panel
        { { 1920, 1080 }, { 1920, 0, 1366, 728 } }, // a second screen on the right
        { { 2560, 720 }, { 0, 0, 1600, 1000 } }, // wide: the width is the limit
        { { 1080, 1920 }, { 0, 0, 1920, 1040 } }, // portrait
        { { 720, 576 }, { 0, 0, 800, 600 } },
    };
    for (const Case& c : cases) {
        const CWindowFit fit = FitWindowToWorkArea({ 300, 200 }, c.video, kAround, kMinWidth, c.work);
        const QSize v = fit.sizeVideo;
        SCOPED_TRACE(Text(QRect(QPoint(), c.video)) + " in " + Text(c.work) + " gives " + Text(fit.rcWindow));
        EXPECT_TRUE(c.work.contains(fit.rcWindow));
        EXPECT_EQ(fit.rcWindow.size(), v + kAround);
        EXPECT_LT(v.width(), c.video.width());
        // The aspect to a pixel of height...
        EXPECT_LE(std::abs(v.height() * c.video.width() - v.width() * c.video.height()), c.video.width());
        // ...and no smaller than need be: across or down, it fills the work area.
        EXPECT_TRUE(fit.rcWindow.width() == c.work.width() || fit.rcWindow.height() == c.work.height());
    }
}

TEST(WindowFit, TheSizesComeOutTruncatedAndATallNarrowVideoKeepsTheLeastWidth)
{
    // 840 pixels of height are left for the picture: 1920 × 840 / 1080 wide;
    // moved up only as far as it must.
    CWindowFit fit = FitWindowToWorkArea({ 100, 50 }, { 1920, 1080 }, kAround, kMinWidth, { 0, 0, 1600, 1000 });
    EXPECT_EQ(fit.sizeVideo, QSize(1493, 840));
    EXPECT_EQ(fit.rcWindow, QRect(100, 0, 1499, 1000));

    fit = FitWindowToWorkArea({ 0, 0 }, { 480, 1920 }, kAround, kMinWidth, { 0, 0, 1280, 800 });
    EXPECT_EQ(fit.sizeVideo, QSize(160, 640));
    EXPECT_EQ(fit.rcWindow, QRect(0, 0, kMinWidth, 800));
}

TEST(WindowFit, AWindowThatFitsKeepsItsVideoAndIsOnlyMovedIn)
{
    const QRect work(0, 0, 1280, 800);
    // Past the bottom right: up and left until its edges are the work area's.
    CWindowFit fit = FitWindowToWorkArea({ 1000, 700 }, { 640, 480 }, kAround, kMinWidth, work);
    EXPECT_EQ(fit.sizeVideo, QSize(640, 480));
    EXPECT_EQ(fit.rcWindow, QRect(634, 160, 646, 640));

    // Inside already: where it is.
    fit = FitWindowToWorkArea({ 20, 30 }, { 640, 480 }, kAround, kMinWidth, work);
    EXPECT_EQ(fit.rcWindow, QRect(20, 30, 646, 640));

    // Above a top panel or off the left edge: down and right, so the title
    // bar can be reached.
    fit = FitWindowToWorkArea({ -50, 10 }, { 640, 480 }, kAround, kMinWidth, { 0, 32, 1280, 768 });
    EXPECT_EQ(fit.rcWindow.topLeft(), QPoint(0, 32));
}

TEST(WindowFit, AWorkAreaTooSmallForTheControlsLeavesNoPictureAndTheTopInReach)
{
    const CWindowFit fit = FitWindowToWorkArea({ 200, 100 }, { 640, 480 }, kAround, kMinWidth, { 0, 0, 300, 120 });
    EXPECT_EQ(fit.sizeVideo, QSize(0, 0));
    EXPECT_EQ(fit.rcWindow, QRect(0, 0, kMinWidth, kAround.height()));
}

} // namespace
