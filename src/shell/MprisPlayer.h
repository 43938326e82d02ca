#pragma once
// org.mpris.MediaPlayer2.Player: the transport, the track and the volume.
// Every call stands for a command of the window and does nothing when that
// command may not act now.

#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>
#include <QString>
#include <QVariantMap>

class CMprisService;

class CMprisPlayerAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ PlaybackStatus)
    Q_PROPERTY(double Rate READ Rate WRITE SetRate)
    Q_PROPERTY(double MinimumRate READ Rate)
    Q_PROPERTY(double MaximumRate READ Rate)
    Q_PROPERTY(QVariantMap Metadata READ Metadata)
    Q_PROPERTY(double Volume READ Volume WRITE SetVolume)
    Q_PROPERTY(qlonglong Position READ Position)
    Q_PROPERTY(bool CanGoNext READ CanGoNext)
    Q_PROPERTY(bool CanGoPrevious READ CanGoPrevious)
    Q_PROPERTY(bool CanPlay READ CanPlay)
    Q_PROPERTY(bool CanPause READ CanPause)
    Q_PROPERTY(bool CanSeek READ CanSeek)
    Q_PROPERTY(bool CanControl READ CanControl)

public:
    explicit CMprisPlayerAdaptor(CMprisService& service);

    QString PlaybackStatus();
    // Only the normal rate is offered; asking for another does nothing.
    double Rate() const { return 1.0; }
    void SetRate(double) {}
    QVariantMap Metadata();
    // The volume bar's 0..100 as 0..1.
    double Volume();
    void SetVolume(double dVolume);
    qlonglong Position();
    bool CanGoNext();
    bool CanGoPrevious();
    bool CanPlay();
    bool CanPause();
    bool CanSeek();
    bool CanControl() const { return true; }

public Q_SLOTS:
    void Play();
    void Pause();
    void PlayPause();
    void Stop();
    void Next();
    void Previous();
    void Seek(qlonglong Offset);
    // Ignored unless TrackId is the current track and Position lies in it.
    void SetPosition(const QDBusObjectPath& TrackId, qlonglong Position);
    // A file:// URI of a media file or playlist, taken as a drop.
    void OpenUri(const QString& Uri);

Q_SIGNALS:
    void Seeked(qlonglong Position);

private:
    CMprisService& m_service;
};
