#pragma once
// What the MPRIS service reads from the player window and asks of it. The
// window answers as its menu would: an action its command rule refuses now
// does nothing. Everything runs on the UI thread.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

enum class MprisStatus { Stopped, Playing, Paused };

// Commands a client may give, each standing for the frame command of the
// same name.
enum class MprisCommand { Play, Pause, PlayPause, Stop, Next, Previous, Quit, Raise };

// The window as a client sees it, read in one go.
struct CMprisState {
    MprisStatus status = MprisStatus::Stopped;
    // The file the window names: the one playing or paused, else the list
    // entry a start plays; empty when none.
    QString strPath;
    // Its place in the list (-1: none), so that the same file twice in the
    // list makes two tracks.
    int nEntry = -1;
    // Tags of the loaded file; empty when it has none or is not loaded.
    QString strTitle;
    QString strArtist;
    QString strAlbum;
    // Microseconds; -1 while unknown (also while stopped).
    std::int64_t llLengthUs = -1;
    // The volume bar, 0..100.
    int nVolume = 0;
    bool bCanGoNext = false;
    bool bCanGoPrevious = false;
    bool bCanPlay = false;
    bool bCanPause = false;
    bool bCanSeek = false;
};

class IMprisHost {
public:
    virtual ~IMprisHost() = default;

    virtual CMprisState State() = 0;
    // The started file's position in microseconds; -1 when there is none.
    virtual std::int64_t PositionUs() = 0;
    // How often the window itself looks at the position; the service looks
    // for changes no more often.
    virtual int PollIntervalMs() const = 0;

    // The work below waits while a box of the program is open and runs from
    // the event loop, so a client's call is answered at once.
    virtual void Command(MprisCommand command) = 0;
    // To llUs (bRelative: by llUs) within the file, as the seek keys do and
    // only when they may; `seeked` runs when the seek was made.
    virtual void Seek(std::int64_t llUs, bool bRelative, std::function<void()> seeked) = 0;
    // 0..100, as the volume keys move the bar.
    virtual void SetVolume(int nVolume) = 0;
    // Local files and playlists, taken as a drop on the window takes them.
    virtual void OpenFiles(const QStringList& paths) = 0;
};
