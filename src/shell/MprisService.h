#pragma once
// The player on the session bus as an MPRIS 2 media player: the two
// interfaces at /org/mpris/MediaPlayer2, the bus name, and the change
// signals clients follow. UI thread only; calls from the bus arrive there.
//
// Nothing here waits on another program: the connection is to the local
// bus daemon, and the name is asked for without waiting for the answer.

#include "shell/MprisHost.h"

#include <QBasicTimer>
#include <QDBusConnection>
#include <QDBusContext>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <cstdint>
#include <memory>

class CMprisPlayerAdaptor;

// "org.mpris.MediaPlayer2.orv", with ".instance<pid>" for a window that is
// not the primary one.
QString MprisBusName(bool bPrimary);

// Where the session bus listens: $DBUS_SESSION_BUS_ADDRESS, else the
// user's bus socket in $XDG_RUNTIME_DIR when there is one; empty when there
// is no session bus. The bus is never started on the player's behalf.
QString SessionBusAddress();

// The adaptors' calls run with this object's D-Bus context.
class CMprisService : public QObject, public QDBusContext {
    Q_OBJECT
public:
    CMprisService(std::unique_ptr<IMprisHost> host, QString busName);
    ~CMprisService() override;

    // Connects and offers the player; false when there is no session bus to
    // offer it on.
    bool Start();

    // ---- for the adaptors ----
    IMprisHost& Host() { return *m_pHost; }
    // The host's state as it is now; while a box of the program is open,
    // as last read (the code under the box may be changing it).
    const CMprisState& Current();
    // The current track's object path; the "no track" path when there is none.
    QString TrackId();
    QVariantMap Metadata();
    // Microseconds; 0 when nothing is started.
    std::int64_t Position();
    // The seek a client asked for; Seeked follows once it was made.
    void Seek(std::int64_t llUs, bool bRelative);

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    // Reads the host and gives a new load of an entry a new track number.
    void Refresh();
    // Sends what changed since the last look, and Seeked after a jump.
    void Poll();
    void OnClientSeeked();
    void SendPropertiesChanged(const QVariantMap& changed);
    // The player properties that change signals cover, from one fresh look.
    QVariantMap ChangingProperties();
    void RequestName(const QString& name);
    void OnNameReply(const QString& name, std::uint32_t nReply);

    std::unique_ptr<IMprisHost> m_pHost;
    QString m_strBusName;
    QDBusConnection m_connection;
    bool m_bRegistered = false;
    CMprisPlayerAdaptor* m_pPlayer = nullptr;
    QBasicTimer m_pollTimer;

    CMprisState m_state;
    // Set while ChangingProperties reads what its look found.
    bool m_bOneLook = false;
    std::uint64_t m_nTrack = 0;
    // The length last known for this track: a stopped file has none.
    std::int64_t m_llKnownLengthUs = -1;

    // What clients were last told.
    QVariantMap m_sent;
    // The position at the last look, for telling a jump from playback.
    std::int64_t m_llLastPositionUs = -1;
    std::uint64_t m_nLastTrack = 0;
    MprisStatus m_lastStatus = MprisStatus::Stopped;
    QElapsedTimer m_sinceLastLook;
    // A client's seek was made whose place was not yet known: the next look
    // tells it.
    bool m_bClientSeek = false;
};
