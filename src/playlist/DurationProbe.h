#pragma once
// Lengths of media files, found on a thread of its own with GStreamer's
// discoverer so that a slow or broken file never holds up the window.
// Only ordinary files are opened: a pipe or a device would block the
// thread or consume someone else's data.

#include "platform/WinTypes.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class CDurationProbe : public QObject {
    Q_OBJECT
public:
    explicit CDurationProbe(QObject* parent = nullptr);
    // Does not wait for a file being read: the thread finishes it alone and
    // reports nothing more.
    ~CDurationProbe() override;

    // Queues the files, in order. UI thread only.
    void Request(const QStringList& paths);

    // Discoverer timeout per file, in milliseconds.
    static constexpr int kTimeoutMs = 5000;
    // What the probing thread shares with the owner.
    struct Shared;

Q_SIGNALS:
    // On the UI thread, once per requested file. llDuration is in 100-ns
    // units; -1 when the file has no length to tell (not media, not an
    // ordinary file, or no answer in time).
    void Found(const QString& path, LONGLONG llDuration);

private:
    std::shared_ptr<Shared> m_shared;
};
