// The idle rules of full screen: when the panel and the cursor go and what
// brings them back.

#include "ui/FullScreenIdle.h"

#include <gtest/gtest.h>

namespace {

constexpr BOOL kFull = TRUE;
constexpr BOOL kActive = TRUE;

void Ticks(CFullScreenIdle& idle, int n, BOOL bActive = kActive)
{
    for (int i = 0; i < n; ++i)
        idle.OnTick(bActive);
}

TEST(FullScreenIdle, AMoveReportedAtTheSamePlaceDoesNotBringThePanelBack)
{
    CFullScreenIdle idle;
    idle.Enter();
    idle.OnMouseMove({ 40, 30 }, kFull);
    Ticks(idle, 3);
    ASSERT_FALSE(idle.IsPanelShown());
    idle.OnMouseMove({ 40, 30 }, kFull);
    EXPECT_FALSE(idle.IsPanelShown());
    EXPECT_EQ(idle.IdleTicks(), 3);
    // But it still says the pointer is over the video.
    idle.OnPanelMouseMove(kFull);
    idle.OnMouseMove({ 40, 30 }, kFull);
    EXPECT_TRUE(idle.IsPointerOnVideo());
}

TEST(FullScreenIdle, TicksWhilePlaybackIsHeldOrStoppedDoNotCount)
{
    CFullScreenIdle idle;
    idle.Enter();
    Ticks(idle, 10, FALSE);
    EXPECT_EQ(idle.IdleTicks(), 0);
    EXPECT_TRUE(idle.IsPanelShown());
}

} // namespace
