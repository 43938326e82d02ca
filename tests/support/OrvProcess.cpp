#include "OrvProcess.h"

#include "TestEnv.h"

#include <csignal>

OrvProcess::OrvProcess(const QStringList& args, std::function<void()> childSetup)
{
    m_process.setProcessChannelMode(childSetup ? QProcess::ForwardedOutputChannel : QProcess::ForwardedChannels);
    if (childSetup)
        m_process.setChildProcessModifier(std::move(childSetup));
    m_process.start(QStringLiteral(ORV_BINARY), args);
    m_process.waitForStarted();
}

OrvProcess::~OrvProcess()
{
    if (IsRunning()) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

bool OrvProcess::Signal(int signal)
{
    if (!IsRunning() || !WaitForSignalHandler(Pid(), signal))
        return false;
    return ::kill(static_cast<pid_t>(Pid()), signal) == 0;
}

void OrvProcess::Kill()
{
    ::kill(static_cast<pid_t>(Pid()), SIGKILL);
    m_process.waitForFinished();
}

int OrvProcess::Finish(int timeoutMs)
{
    if (IsRunning() && !m_process.waitForFinished(timeoutMs))
        return -1;
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}
