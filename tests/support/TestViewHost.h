#pragma once
// Hosts a video view alone: records what the view asks of its window and
// gives it a seek bar and settings to read.

#include "app/FrameSettings.h"
#include "controls/JumpSlider.h"
#include "ui/CommandIds.h"
#include "ui/ViewHost.h"

#include <QSize>
#include <QWidget>

#include <utility>
#include <vector>

class TestViewHost : public IViewHost {
public:
    TestViewHost()
    {
        m_pSeekBar = new CJumpSlider;
        m_pSeekBar->Create(FALSE, QRect(0, 0, 320, 20), &m_window, IDC_SEEKBAR);
    }

    CFrameSettings settings;
    // Sizes the view asked the window for, as asked.
    std::vector<QSize> fitVideo;
    int nFitControls = 0;
    // What the poll handed over: (time, frame).
    std::vector<std::pair<LONGLONG, LONGLONG>> positions;

    CJumpSlider& Bar() { return *m_pSeekBar; }

    void FitWindowToVideo(int& nWidth, int& nHeight, BOOL) override { fitVideo.emplace_back(nWidth, nHeight); }
    void FitWindowToControls() override { ++nFitControls; }
    CJumpSlider* SeekBar() override { return m_pSeekBar; }
    void SetPlayPosition(LONGLONG llPosition, LONGLONG llFrame) override { positions.emplace_back(llPosition, llFrame); }
    void RedrawCounters() override {}
    const CFrameSettings& ViewSettings() const override { return settings; }
    void OnCommand(int) override {}

private:
    QWidget m_window;
    CJumpSlider* m_pSeekBar; // owned by m_window
};
