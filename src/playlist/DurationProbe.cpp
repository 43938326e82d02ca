#include "playlist/DurationProbe.h"

#include "platform/RegularFile.h"
#include "player/graph/GstWarmUp.h"

#include <QMetaObject>
#include <QUrl>

#include <gst/gst.h>
#include <gst/pbutils/pbutils.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

// Shared by the owner and the worker thread; the last of them frees it.
struct CDurationProbe::Shared {
    std::mutex mutex;
    std::condition_variable wake;
    // Guarded by mutex.
    std::deque<QString> queue;
    // Null once the owner is gone; while the mutex is held it stays alive,
    // so a result posted under the mutex always has a live receiver.
    CDurationProbe* pOwner = nullptr;
    bool bRunning = false;
};

namespace {

LONGLONG Discover(GstDiscoverer* pDiscoverer, const QString& path)
{
    if (!pDiscoverer || CheckFileKind(path) != FileKind::Regular)
        return -1;
    const QByteArray uri = QUrl::fromLocalFile(path).toEncoded();
    GError* pError = nullptr;
    GstDiscovererInfo* pInfo = gst_discoverer_discover_uri(pDiscoverer, uri.constData(), &pError);
    LONGLONG llDuration = -1;
    if (pInfo) {
        const GstClockTime duration = gst_discoverer_info_get_duration(pInfo);
        if (gst_discoverer_info_get_result(pInfo) == GST_DISCOVERER_OK && GST_CLOCK_TIME_IS_VALID(duration))
            llDuration = static_cast<LONGLONG>(duration / 100);
        g_object_unref(pInfo);
    }
    if (pError)
        g_error_free(pError);
    return llDuration;
}

void Run(std::shared_ptr<CDurationProbe::Shared> pShared)
{
    GstDiscoverer* pDiscoverer = nullptr;
    if (WaitGstReady())
        pDiscoverer = gst_discoverer_new(static_cast<GstClockTime>(CDurationProbe::kTimeoutMs) * GST_MSECOND, nullptr);
    for (;;) {
        QString path;
        {
            std::unique_lock lock(pShared->mutex);
            pShared->wake.wait(lock, [&] { return !pShared->queue.empty() || !pShared->pOwner; });
            if (!pShared->pOwner)
                break;
            path = pShared->queue.front();
            pShared->queue.pop_front();
        }
        const LONGLONG llDuration = Discover(pDiscoverer, path);
        std::lock_guard lock(pShared->mutex);
        if (CDurationProbe* pOwner = pShared->pOwner) {
            QMetaObject::invokeMethod(
                pOwner, [pOwner, path, llDuration] { Q_EMIT pOwner->Found(path, llDuration); }, Qt::QueuedConnection);
        }
    }
    if (pDiscoverer)
        g_object_unref(pDiscoverer);
}

} // namespace

CDurationProbe::CDurationProbe(QObject* parent)
    : QObject(parent)
    , m_shared(std::make_shared<Shared>())
{
    m_shared->pOwner = this;
}

CDurationProbe::~CDurationProbe()
{
    std::lock_guard lock(m_shared->mutex);
    m_shared->pOwner = nullptr;
    m_shared->queue.clear();
    m_shared->wake.notify_all();
}

void CDurationProbe::Request(const QStringList& paths)
{
    if (paths.isEmpty())
        return;
    std::lock_guard lock(m_shared->mutex);
    m_shared->queue.insert(m_shared->queue.end(), paths.begin(), paths.end());
    if (!m_shared->bRunning) {
        // Started on first use: a window never opened costs no thread.
        m_shared->bRunning = true;
        std::thread(Run, m_shared).detach();
    }
    m_shared->wake.notify_all();
}
