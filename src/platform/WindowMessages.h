#pragma once
// The program's private window messages, carried as Qt events.

#include <QEvent>

constexpr int WM_USER = 0x0400;
constexpr int WM_APP = 0x8000;

constexpr int WM_GRAPHNOTIFY = WM_USER + 21;        // graph events wait in the player's queue
constexpr int WM_INSTANCE_HANDOFF = WM_USER + 22;   // a second start's files wait in the hand-off block
constexpr int WM_JUMPSLIDER_HSCROLL = WM_USER + 23; // a seek or volume bar moved
constexpr int WM_JUMPSLIDER_VSCROLL = WM_USER + 24; // the same from an upright bar
constexpr int WM_CAPTURE_DONE = WM_APP + 2;         // a still image was saved or failed

// The Qt event type that stands for a message.
constexpr QEvent::Type MessageEventType(int message)
{
    return static_cast<QEvent::Type>(QEvent::User + message);
}

// A message with its two parameters, posted with QCoreApplication::postEvent
// (safe from any thread).
class CMessageEvent : public QEvent {
public:
    explicit CMessageEvent(int message, quintptr wParam = 0, qintptr lParam = 0)
        : QEvent(MessageEventType(message))
        , m_nMessage(message)
        , m_wParam(wParam)
        , m_lParam(lParam)
    {
    }
    int m_nMessage;
    quintptr m_wParam;
    qintptr m_lParam;
};
