#pragma once
// The main frame as MPRIS clients see it: its state read the way its menu
// reads it, and their calls carried out through its commands.

#include "shell/MprisHost.h"

#include <memory>

class CMainFrame;
class CMprisService;

class CMprisFrameHost : public IMprisHost {
public:
    explicit CMprisFrameHost(CMainFrame& frame)
        : m_frame(frame)
    {
    }

    CMprisState State() override;
    std::int64_t PositionUs() override;
    int PollIntervalMs() const override;
    void Command(MprisCommand command) override;
    void Seek(std::int64_t llUs, bool bRelative, std::function<void()> seeked) override;
    void SetVolume(int nVolume) override;
    void OpenFiles(const QStringList& paths) override;

private:
    CMainFrame& m_frame;
};

// The frame offered on the session bus, under the primary's name or one of
// its own; null when there is no session bus (the player goes on without).
std::unique_ptr<CMprisService> StartMpris(CMainFrame& frame, bool bPrimary);
