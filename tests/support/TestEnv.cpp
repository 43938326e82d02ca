#include "TestEnv.h"

#include <QFile>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <cstdlib>

ScopedEnv::ScopedEnv(const char* name, const QString& value)
    : m_name(name)
{
    if (const char* old = std::getenv(name))
        m_old = QByteArray(old);
    ::setenv(name, value.toLocal8Bit().constData(), 1);
}

ScopedEnv::~ScopedEnv()
{
    if (m_old)
        ::setenv(m_name.constData(), m_old->constData(), 1);
    else
        ::unsetenv(m_name.constData());
}

TempHome::TempHome()
    : m_env("ORV_HOME", m_dir.path())
{
}

QByteArray ReadFileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteFileBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

ProgramRun RunProgram(const QString& program, const QStringList& args, const QProcessEnvironment& env)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, args);
    ProgramRun run;
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

bool WaitForSignalHandler(qint64 pid, int signal, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs) {
        QFile f(QStringLiteral("/proc/%1/status").arg(pid));
        if (f.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : f.readAll().split('\n')) {
                if (line.startsWith("SigCgt:")) {
                    const quint64 mask = line.mid(7).trimmed().toULongLong(nullptr, 16);
                    if (mask & (quint64(1) << (signal - 1)))
                        return true;
                }
            }
        }
        QThread::msleep(20);
    }
    return false;
}
