#include "app/TerminationSignals.h"

#include "platform/Termination.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace {

int g_pipe[2] = { -1, -1 };
std::function<void(int)> g_callback;

extern "C" void OnSignal(int sig)
{
    const int saved = errno;
    NoteTerminationRequested();
    const unsigned char b = static_cast<unsigned char>(sig);
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &b, 1);
    errno = saved;
}

} // namespace

void InstallTerminationHandler(std::function<void(int)> onSignal)
{
    g_callback = std::move(onSignal);
    if (g_pipe[0] >= 0)
        return;
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read);
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        unsigned char b = 0;
        while (::read(g_pipe[0], &b, 1) == 1) {
            if (g_callback)
                g_callback(b);
        }
    });
    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : { SIGTERM, SIGHUP, SIGINT })
        ::sigaction(sig, &sa, nullptr);
}
