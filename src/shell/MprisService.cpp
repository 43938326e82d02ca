#include "shell/MprisService.h"

#include "platform/ModalSeam.h"
#include "shell/MprisPlayer.h"
#include "shell/MprisRoot.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTimerEvent>
#include <QUrl>

#include <algorithm>
#include <cstdio>

#include <sys/stat.h>

namespace {

const QString kBusNameBase = QStringLiteral("org.mpris.MediaPlayer2.orv");
const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString kConnectionName = QStringLiteral("orv-mpris");
// Tracks live outside /org/mpris, which MPRIS keeps for itself.
const QString kTrackPathBase = QStringLiteral("/org/orvalo/orv/track/");
const QString kNoTrack = QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");

// The player properties whose changes are signalled; Position is read when
// asked, and a jump in it is told by Seeked.
const char* const kChangingProperties[] = { "PlaybackStatus", "Metadata", "Volume", "CanGoNext", "CanGoPrevious",
    "CanPlay", "CanPause", "CanSeek" };

// RequestName: fail rather than wait in the queue; the answers.
constexpr std::uint32_t kNameDoNotQueue = 4;
constexpr std::uint32_t kNameReplyPrimaryOwner = 1;
constexpr std::uint32_t kNameReplyExists = 3;
constexpr std::uint32_t kNameReplyAlreadyOwner = 4;

// Playback and the poll's timing differ by less than this; a jump by more
// is a seek (the user's, a client's, or the A-B repeat's).
constexpr std::int64_t kSeekJumpUs = 1000000;

QString InstanceBusName()
{
    return kBusNameBase + QStringLiteral(".instance") + QString::number(QCoreApplication::applicationPid());
}

} // namespace

QString MprisBusName(bool bPrimary) { return bPrimary ? kBusNameBase : InstanceBusName(); }

QString SessionBusAddress()
{
    const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    if (!address.isEmpty())
        return address;
    const QString runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtimeDir.isEmpty())
        return QString();
    const QString socket = runtimeDir + QStringLiteral("/bus");
    struct stat st {};
    if (::stat(QFile::encodeName(socket).constData(), &st) != 0 || !S_ISSOCK(st.st_mode))
        return QString();
    return QStringLiteral("unix:path=") + socket;
}

CMprisService::CMprisService(std::unique_ptr<IMprisHost> host, QString busName)
    : m_pHost(std::move(host))
    , m_strBusName(std::move(busName))
    , m_connection(QString())
{
}

CMprisService::~CMprisService()
{
    m_pollTimer.stop();
    if (m_bRegistered)
        m_connection.unregisterObject(kObjectPath);
    // The bus lets the name go with the connection.
    QDBusConnection::disconnectFromBus(kConnectionName);
}

bool CMprisService::Start()
{
    const QString address = SessionBusAddress();
    if (address.isEmpty())
        return false;
    m_connection = QDBusConnection::connectToBus(address, kConnectionName);
    if (!m_connection.isConnected())
        return false;
    new CMprisRootAdaptor(*this);
    m_pPlayer = new CMprisPlayerAdaptor(*this);
    m_bRegistered = m_connection.registerObject(kObjectPath, this, QDBusConnection::ExportAdaptors);
    if (!m_bRegistered)
        return false;
    m_sent = ChangingProperties();
    m_llLastPositionUs = m_pHost->PositionUs();
    m_sinceLastLook.start();
    RequestName(m_strBusName);
    m_pollTimer.start(m_pHost->PollIntervalMs(), this);
    return true;
}

void CMprisService::RequestName(const QString& name)
{
    QDBusMessage request = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
        QStringLiteral("/org/freedesktop/DBus"), QStringLiteral("org.freedesktop.DBus"), QStringLiteral("RequestName"));
    request << name << kNameDoNotQueue;
    auto* watcher = new QDBusPendingCallWatcher(m_connection.asyncCall(request), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, name](QDBusPendingCallWatcher* w) {
        const QDBusPendingReply<std::uint32_t> reply = *w;
        w->deleteLater();
        OnNameReply(name, reply.isError() ? 0 : reply.value());
    });
}

void CMprisService::OnNameReply(const QString& name, std::uint32_t nReply)
{
    if (nReply == kNameReplyPrimaryOwner || nReply == kNameReplyAlreadyOwner)
        return;
    // Another player of this user holds the plain name (one started with
    // other settings folders): this one is told apart by its process.
    if (nReply == kNameReplyExists && name == kBusNameBase) {
        RequestName(InstanceBusName());
        return;
    }
    std::fprintf(stderr, "orv: media player controls are not offered: the bus refused the name %s\n",
        qPrintable(name));
}

const CMprisState& CMprisService::Current()
{
    if (!m_bOneLook && !IsModalOpen())
        Refresh();
    return m_state;
}

void CMprisService::Refresh()
{
    CMprisState state = m_pHost->State();
    if (state.strPath != m_state.strPath || state.nEntry != m_state.nEntry) {
        ++m_nTrack;
        m_llKnownLengthUs = -1;
    }
    if (state.llLengthUs >= 0)
        m_llKnownLengthUs = state.llLengthUs;
    state.llLengthUs = m_llKnownLengthUs;
    m_state = std::move(state);
}

QString CMprisService::TrackId()
{
    return Current().strPath.isEmpty() ? kNoTrack : kTrackPathBase + QString::number(m_nTrack);
}

QVariantMap CMprisService::Metadata()
{
    const CMprisState& s = Current();
    if (s.strPath.isEmpty())
        return {};
    QVariantMap map;
    map.insert(QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(TrackId())));
    if (s.llLengthUs >= 0)
        map.insert(QStringLiteral("mpris:length"), qlonglong(s.llLengthUs));
    // Untagged, the track is called what the window's title calls it.
    map.insert(QStringLiteral("xesam:title"), s.strTitle.isEmpty() ? QFileInfo(s.strPath).fileName() : s.strTitle);
    map.insert(QStringLiteral("xesam:url"), QString::fromUtf8(QUrl::fromLocalFile(s.strPath).toEncoded()));
    if (!s.strArtist.isEmpty())
        map.insert(QStringLiteral("xesam:artist"), QStringList { s.strArtist });
    if (!s.strAlbum.isEmpty())
        map.insert(QStringLiteral("xesam:album"), s.strAlbum);
    return map;
}

std::int64_t CMprisService::Position()
{
    if (IsModalOpen())
        return std::max<std::int64_t>(m_llLastPositionUs, 0);
    return std::max<std::int64_t>(m_pHost->PositionUs(), 0);
}

void CMprisService::Seek(std::int64_t llUs, bool bRelative)
{
    const QPointer<CMprisService> self = this;
    m_pHost->Seek(llUs, bRelative, [self] {
        if (self)
            self->OnClientSeeked();
    });
}

// Told at once, so that seeks coming faster than the looks are each told.
void CMprisService::OnClientSeeked()
{
    const std::int64_t llPosition = m_pHost->PositionUs();
    if (llPosition < 0) {
        m_bClientSeek = true;
        return;
    }
    Q_EMIT m_pPlayer->Seeked(llPosition);
    m_llLastPositionUs = llPosition;
    m_sinceLastLook.restart();
}

void CMprisService::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_pollTimer.timerId())
        Poll();
    else
        QObject::timerEvent(event);
}

QVariantMap CMprisService::ChangingProperties()
{
    // One look at the window for all of them, not one per property.
    Refresh();
    m_bOneLook = true;
    QVariantMap map;
    for (const char* name : kChangingProperties)
        map.insert(QString::fromLatin1(name), m_pPlayer->property(name));
    m_bOneLook = false;
    return map;
}

void CMprisService::Poll()
{
    // Under a box the window's state may be half changed; its own poll
    // waits too.
    if (IsModalOpen())
        return;
    const QVariantMap now = ChangingProperties();
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it)
        if (m_sent.value(it.key()) != it.value())
            changed.insert(it.key(), it.value());
    m_sent = now;
    if (!changed.isEmpty())
        SendPropertiesChanged(changed);

    const std::int64_t llPosition = m_pHost->PositionUs();
    // Right after a seek the position may be unknown for a moment: the
    // next look compares with the last one known.
    if (llPosition < 0 && m_state.status != MprisStatus::Stopped)
        return;
    bool bJumped = m_bClientSeek;
    if (!bJumped && llPosition >= 0 && m_llLastPositionUs >= 0 && m_nTrack == m_nLastTrack) {
        const bool bRan = m_state.status == MprisStatus::Playing || m_lastStatus == MprisStatus::Playing;
        const std::int64_t llRanUs = bRan ? m_sinceLastLook.elapsed() * 1000 : 0;
        bJumped = llPosition < m_llLastPositionUs - kSeekJumpUs
            || llPosition > m_llLastPositionUs + llRanUs + kSeekJumpUs;
    }
    if (bJumped && llPosition >= 0)
        Q_EMIT m_pPlayer->Seeked(llPosition);
    m_bClientSeek = false;
    m_llLastPositionUs = llPosition;
    m_nLastTrack = m_nTrack;
    m_lastStatus = m_state.status;
    m_sinceLastLook.restart();
}

void CMprisService::SendPropertiesChanged(const QVariantMap& changed)
{
    QDBusMessage signal = QDBusMessage::createSignal(
        kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"));
    signal << kPlayerInterface << changed << QStringList();
    m_connection.send(signal);
}
