#include "player/graph/PostTarget.h"

#include <QCoreApplication>
#include <QEvent>

CPostTarget::~CPostTarget() { QObject::disconnect(m_destroyed); }

void CPostTarget::Set(QObject* pReceiver)
{
    QObject::disconnect(m_destroyed);
    m_destroyed = {};
    if (pReceiver) {
        // Direct: the receiver's destructor waits for a post under way and
        // leaves no window for another.
        m_destroyed = QObject::connect(pReceiver, &QObject::destroyed, [this, pReceiver] { Clear(pReceiver); });
    }
    std::lock_guard lock(m_mutex);
    m_pReceiver = pReceiver;
}

void CPostTarget::Clear(QObject* pReceiver)
{
    std::lock_guard lock(m_mutex);
    if (m_pReceiver == pReceiver)
        m_pReceiver = nullptr;
}

void CPostTarget::PostEvent(QEvent* pEvent)
{
    std::lock_guard lock(m_mutex);
    if (m_pReceiver)
        QCoreApplication::postEvent(m_pReceiver, pEvent);
    else
        delete pEvent;
}
