#pragma once
// Checks that what the player reports is the picture on screen, on the 25 fps
// time-code clip (TestClip::AviFrameCounter), whose every frame looks
// different: each picture is told by comparing it with the pictures of all
// frames, taken once by seeking to each.

#include "GstTestSupport.h"

#include "player/DShowPlayer.h"

#include <gtest/gtest.h>

#include <vector>

class FrameExactness {
public:
    explicit FrameExactness(CDShowPlayer& player)
        : m_player(player)
    {
        LONGLONG llMedia = 0, llSeek = 0, llFrames = 0;
        EXPECT_EQ(m_player.GetDurations(&llMedia, &llSeek, &llFrames), SEEKMODE_FRAME);
        m_player.Pause();
        for (LONGLONG f = 0; f < llFrames; ++f) {
            m_player.SetPosition(f);
            m_pictures.push_back(m_player.GetCurrentImage());
        }
    }

    // The frame whose picture this is; -1 when none.
    int FrameOf(const QByteArray& dib) const
    {
        for (std::size_t i = 0; i < m_pictures.size(); ++i)
            if (m_pictures[i] == dib)
                return int(i);
        return -1;
    }
    int ShownFrame() { return FrameOf(m_player.GetCurrentImage()); }

    // Pauses playback at several moments: each time the frame reported is
    // the one shown.
    void PausedFrameIsShownFrame()
    {
        for (int nPause = 0; nPause < 6; ++nPause) {
            m_player.SetPosition(0);
            m_player.Run();
            ProcessEventsUntil([] { return false; }, 90 + 73 * nPause);
            m_player.Pause();
            ASSERT_TRUE(ProcessEventsUntil([&] {
                Drain();
                return m_player.GetState() == State_Paused;
            }));
            const LONGLONG llFrame = m_player.GetCurrentPosition();
            EXPECT_GT(llFrame, 0) << "pause " << nPause;
            EXPECT_EQ(ShownFrame(), llFrame) << "pause " << nPause;
        }
    }

    // A step forward and one back come back to the same picture and number.
    void StepAndBackReturnsTheSameFrame(LONGLONG llAt)
    {
        m_player.Pause();
        m_player.SetPosition(llAt);
        const QByteArray before = m_player.GetCurrentImage();
        ASSERT_EQ(m_player.GetCurrentPosition(), llAt);
        ASSERT_EQ(m_player.FrameStep(1), STEP_MOVED);
        ASSERT_TRUE(ProcessEventsUntil([&] { return Drain(); }));
        EXPECT_EQ(m_player.GetCurrentPosition(), llAt + 1);
        EXPECT_EQ(ShownFrame(), llAt + 1);
        ASSERT_EQ(m_player.Skip(FALSE, 1), STEP_MOVED);
        EXPECT_EQ(m_player.GetCurrentImage(), before);
        EXPECT_EQ(m_player.GetCurrentPosition(), llAt);
    }

    // A paused seek past the last frame shows the last frame and says so.
    void SeekPastTheEndShowsTheLastFrame()
    {
        const LONGLONG llLast = LONGLONG(m_pictures.size()) - 1;
        for (LONGLONG llPast : { llLast + 1, llLast + 9 }) {
            m_player.Pause();
            m_player.SetPosition(10);
            m_player.SetPosition(llPast);
            EXPECT_EQ(ShownFrame(), llLast) << llPast;
            EXPECT_EQ(m_player.GetCurrentPosition(), llLast) << llPast;
        }
    }

private:
    // Reads the player's events, as the main frame does; true when a step
    // completed among them.
    bool Drain()
    {
        bool bStepDone = false;
        long lCode = 0;
        qintptr l1 = 0;
        qintptr l2 = 0;
        while (m_player.GetMediaEvent()->GetEvent(&lCode, &l1, &l2, 0) == S_OK)
            bStepDone = bStepDone || lCode == EC_STEP_COMPLETE;
        return bStepDone;
    }

    CDShowPlayer& m_player;
    std::vector<QByteArray> m_pictures;
};
