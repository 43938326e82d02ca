#pragma once
// The real program, started the way a user starts it, with this process's
// environment (so TempHome and TempRuntimeDir apply to it). Killed at the end
// of the scope if it still runs.

#include <QProcess>
#include <QStringList>

#include <functional>

class OrvProcess {
public:
    // Given a childSetup, runs it in the new process before the program
    // starts, and keeps its standard error for Errors() instead of passing it on.
    explicit OrvProcess(const QStringList& args = {}, std::function<void()> childSetup = {});
    ~OrvProcess();
    OrvProcess(const OrvProcess&) = delete;
    OrvProcess& operator=(const OrvProcess&) = delete;

    qint64 Pid() const { return m_process.processId(); }
    bool IsRunning() const { return m_process.state() != QProcess::NotRunning; }
    // Sends the signal once the program has its handler for it.
    bool Signal(int signal);
    // SIGKILL, and waits until the process is gone.
    void Kill();
    // Waits for the end: the exit code of a normal exit, -1 after a crash or
    // when it still runs at the timeout.
    int Finish(int timeoutMs = 30000);
    QByteArray Errors() { return m_process.readAllStandardError(); }

private:
    QProcess m_process;
};
