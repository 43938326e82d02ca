#include "shell/MprisPlayer.h"

#include "shell/MprisService.h"

#include <QDBusError>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kVolumeMax = 100.0;

} // namespace

CMprisPlayerAdaptor::CMprisPlayerAdaptor(CMprisService& service)
    : QDBusAbstractAdaptor(&service)
    , m_service(service)
{
}

QString CMprisPlayerAdaptor::PlaybackStatus()
{
    switch (m_service.Current().status) {
    case MprisStatus::Playing: return QStringLiteral("Playing");
    case MprisStatus::Paused: return QStringLiteral("Paused");
    case MprisStatus::Stopped: break;
    }
    return QStringLiteral("Stopped");
}

QVariantMap CMprisPlayerAdaptor::Metadata() { return m_service.Metadata(); }

double CMprisPlayerAdaptor::Volume() { return m_service.Current().nVolume / kVolumeMax; }

void CMprisPlayerAdaptor::SetVolume(double dVolume)
{
    if (std::isnan(dVolume))
        return;
    m_service.Host().SetVolume(static_cast<int>(std::lround(std::clamp(dVolume, 0.0, 1.0) * kVolumeMax)));
}

qlonglong CMprisPlayerAdaptor::Position() { return m_service.Position(); }

bool CMprisPlayerAdaptor::CanGoNext() { return m_service.Current().bCanGoNext; }
bool CMprisPlayerAdaptor::CanGoPrevious() { return m_service.Current().bCanGoPrevious; }
bool CMprisPlayerAdaptor::CanPlay() { return m_service.Current().bCanPlay; }
bool CMprisPlayerAdaptor::CanPause() { return m_service.Current().bCanPause; }
bool CMprisPlayerAdaptor::CanSeek() { return m_service.Current().bCanSeek; }

void CMprisPlayerAdaptor::Play() { m_service.Host().Command(MprisCommand::Play); }
void CMprisPlayerAdaptor::Pause() { m_service.Host().Command(MprisCommand::Pause); }
void CMprisPlayerAdaptor::PlayPause() { m_service.Host().Command(MprisCommand::PlayPause); }
void CMprisPlayerAdaptor::Stop() { m_service.Host().Command(MprisCommand::Stop); }
void CMprisPlayerAdaptor::Next() { m_service.Host().Command(MprisCommand::Next); }
void CMprisPlayerAdaptor::Previous() { m_service.Host().Command(MprisCommand::Previous); }

void CMprisPlayerAdaptor::Seek(qlonglong Offset) { m_service.Seek(Offset, true); }

void CMprisPlayerAdaptor::SetPosition(const QDBusObjectPath& TrackId, qlonglong Position)
{
    // A client that read another track, or a place outside this one.
    if (TrackId.path() != m_service.TrackId() || Position < 0)
        return;
    const std::int64_t llLength = m_service.Current().llLengthUs;
    if (llLength >= 0 && Position > llLength)
        return;
    m_service.Seek(Position, false);
}

void CMprisPlayerAdaptor::OpenUri(const QString& Uri)
{
    const QUrl url(Uri);
    if (!url.isLocalFile()) {
        // The call's context is the object's the adaptors belong to.
        if (m_service.calledFromDBus())
            m_service.sendErrorReply(QDBusError::NotSupported, QStringLiteral("only file:// URIs can be opened"));
        return;
    }
    m_service.Host().OpenFiles({ url.toLocalFile() });
}
