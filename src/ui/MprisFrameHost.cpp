#include "ui/MprisFrameHost.h"

#include "player/PlayerCodes.h"
#include "shell/MprisService.h"
#include "ui/ChildView.h"
#include "ui/CommandIds.h"
#include "ui/CommandTable.h"
#include "ui/MainFrame.h"
#include "ui/VideoView.h"

#include <algorithm>

namespace {

constexpr LONGLONG kUnitsPerUs = 10; // 100-ns units

// The started file's position in 100-ns units; -1 when it has none (not
// started, or media that cannot be positioned).
LONGLONG PositionTime(IVideoView& view)
{
    LONGLONG llDuration = -1;
    LONGLONG llFrames = -1;
    const int nMode = view.GetDurations(&llDuration, &llFrames);
    const LONGLONG llNow = view.GetCurrentPosition();
    if (llNow < 0)
        return -1;
    if (nMode == SEEKMODE_TIME)
        return llNow;
    if (nMode == SEEKMODE_FRAME && llFrames > 0 && llDuration > 0)
        return llNow * llDuration / llFrames;
    return -1;
}

int CommandId(MprisCommand command)
{
    switch (command) {
    case MprisCommand::Play: return ID_PLAY;
    case MprisCommand::Pause: return ID_PAUSE;
    case MprisCommand::PlayPause: return ID_PLAY_PAUSE;
    case MprisCommand::Stop: return ID_STOP;
    case MprisCommand::Next: return ID_NEXT;
    case MprisCommand::Previous: return ID_PREV;
    case MprisCommand::Quit: return ID_APP_EXIT;
    case MprisCommand::Raise: break;
    }
    return 0;
}

} // namespace

CMprisState CMprisFrameHost::State()
{
    CMainFrame& f = m_frame;
    IVideoView& view = f.View();
    const CCommandState cs = f.CommandState();

    CMprisState s;
    if (cs.bStarted)
        s.status = cs.bPaused ? MprisStatus::Paused : MprisStatus::Playing;
    // Stopped, the window names the entry a start plays.
    s.nEntry = f.PlayList().m_nCurrent;
    s.strPath = cs.bStarted ? f.LoadedFile() : f.PlayList().GetAt(s.nEntry);
    if (s.strPath.isEmpty())
        s.strPath = f.LoadedFile();
    if (!s.strPath.isEmpty() && s.strPath == f.LoadedFile()) {
        s.strTitle = view.GetTitle();
        s.strArtist = view.GetAuthor();
        s.strAlbum = view.GetAlbum();
    }
    LONGLONG llDuration = -1;
    LONGLONG llFrames = -1;
    view.GetDurations(&llDuration, &llFrames);
    if (llDuration > 0)
        s.llLengthUs = llDuration / kUnitsPerUs;
    s.nVolume = f.ViewSettings().m_nVolume;
    s.bCanGoNext = CCommandTable::IsEnabled(ID_NEXT, cs);
    s.bCanGoPrevious = CCommandTable::IsEnabled(ID_PREV, cs);
    // Whether the current track can be played and paused, not whether it
    // is paused now.
    s.bCanPlay = CCommandTable::IsEnabled(ID_PLAY_PAUSE, cs);
    s.bCanPause = s.bCanPlay;
    s.bCanSeek = cs.bSeekable;
    return s;
}

std::int64_t CMprisFrameHost::PositionUs()
{
    const LONGLONG llTime = PositionTime(m_frame.View());
    return llTime < 0 ? -1 : llTime / kUnitsPerUs;
}

int CMprisFrameHost::PollIntervalMs() const { return CChildView::kPositionPollMs; }

// The work captures the frame only: it may run after the service has gone,
// never after the frame has.
void CMprisFrameHost::Command(MprisCommand command)
{
    CMainFrame& f = m_frame;
    if (command == MprisCommand::Raise) {
        f.PostFrameWork([&f] {
            if (f.isMinimized())
                f.showNormal();
            // In full screen the view is the window in front.
            QWidget& front = f.OwnView().isWindow() ? static_cast<QWidget&>(f.OwnView()) : f;
            front.raise();
            front.activateWindow();
        });
        return;
    }
    const int nID = CommandId(command);
    f.PostFrameWork([&f, nID] { f.OnCommand(nID); });
}

void CMprisFrameHost::Seek(std::int64_t llUs, bool bRelative, std::function<void()> seeked)
{
    CMainFrame& f = m_frame;
    f.PostFrameWork([&f, llUs, bRelative, seeked = std::move(seeked)] {
        IVideoView& view = f.View();
        LONGLONG llDuration = -1;
        LONGLONG llFrames = -1;
        view.GetDurations(&llDuration, &llFrames);
        const LONGLONG llNow = PositionTime(view);
        if (llNow < 0 || llDuration <= 0)
            return;
        // A client may send any number: past an end is that end.
        const LONGLONG llMaxUs = llDuration / kUnitsPerUs;
        const LONGLONG llTarget = bRelative ? llNow + std::clamp<LONGLONG>(llUs, -llMaxUs, llMaxUs) * kUnitsPerUs
                                            : std::clamp<LONGLONG>(llUs, 0, llMaxUs) * kUnitsPerUs;
        const LONGLONG llDelta = llTarget - llNow;
        if (!f.Commands().IsEnabled(llDelta < 0 ? ID_SEEK_BACK : ID_SEEK_FORWARD))
            return;
        f.SeekByTime(llDelta);
        seeked();
    });
}

void CMprisFrameHost::SetVolume(int nVolume)
{
    CMainFrame& f = m_frame;
    f.PostFrameWork([&f, nVolume] {
        const int nDelta = nVolume - f.ViewSettings().m_nVolume;
        if (nDelta != 0 && f.Commands().IsEnabled(nDelta < 0 ? ID_VOLUME_DOWN : ID_VOLUME_UP))
            f.ChangeVolumeBy(nDelta);
    });
}

void CMprisFrameHost::OpenFiles(const QStringList& paths)
{
    CMainFrame& f = m_frame;
    f.PostFrameWork([&f, paths] { f.OnDropFiles(paths); });
}

std::unique_ptr<CMprisService> StartMpris(CMainFrame& frame, bool bPrimary)
{
    auto service = std::make_unique<CMprisService>(std::make_unique<CMprisFrameHost>(frame), MprisBusName(bPrimary));
    if (!service->Start())
        return nullptr;
    return service;
}
