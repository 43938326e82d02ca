#pragma once
// A window that streaming threads post to and that the UI thread may take
// away at any moment. Taking it away and posting share one lock, so once it
// has been cleared nothing more is posted to it, whatever the order in which
// the window, the player and the graph are destroyed.
//
// Who clears it: the graph's user with SetNotifyWindow(nullptr) or
// SetVideoClippingWindow(nullptr) (the player does the first as it releases
// the graph); and the window itself, from its destructor: Set() connects to
// its destroyed(), which runs on the UI thread before the window's memory
// goes. The graph's own destruction ends the posting as well.

#include <QMetaObject>
#include <QObject>

#include <mutex>
#include <utility>

class QEvent;

class CPostTarget {
public:
    CPostTarget() = default;
    ~CPostTarget();
    CPostTarget(const CPostTarget&) = delete;
    CPostTarget& operator=(const CPostTarget&) = delete;

    // UI thread (the receiver's). Null clears it.
    void Set(QObject* pReceiver);

    // Any thread. Posts the event to the receiver, which takes it; without
    // one the event is deleted.
    void PostEvent(QEvent* pEvent);

    // Any thread. Queues fn(receiver) to run on the receiver's thread; Qt
    // drops the call should the receiver go before it runs. False, and
    // nothing queued, when there is no receiver.
    template <class Fn>
    bool PostCall(Fn fn)
    {
        std::lock_guard lock(m_mutex);
        QObject* pReceiver = m_pReceiver;
        if (!pReceiver)
            return false;
        QMetaObject::invokeMethod(
            pReceiver, [pReceiver, fn = std::move(fn)] { fn(pReceiver); }, Qt::QueuedConnection);
        return true;
    }

private:
    void Clear(QObject* pReceiver);

    std::mutex m_mutex; // m_pReceiver, against the posting threads
    QObject* m_pReceiver = nullptr;
    QMetaObject::Connection m_destroyed; // UI thread only
};
