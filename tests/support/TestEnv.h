#pragma once
// Temporary folders, environment overrides and process checks for tests.

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

// Sets an environment variable for the life of the object, then restores it.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QString& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    QByteArray m_name;
    std::optional<QByteArray> m_old;
};

// A temporary folder that is also $ORV_HOME while the object lives.
class TempHome {
public:
    TempHome();
    QString Path() const { return m_dir.path(); }
    QString File(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    ScopedEnv m_env;
};

QByteArray ReadFileBytes(const QString& path);
void WriteFileBytes(const QString& path, const QByteArray& bytes);

// A program run to its end: the exit code of a normal exit (-1 after a crash
// or a timeout) and what it printed.
struct ProgramRun {
    int exitCode = -1;
    QString out;
    QString err;
};
ProgramRun RunProgram(const QString& program, const QStringList& args,
    const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment());

// Waits until the process has a handler for the signal (read from /proc), so
// that a test never kills a program that has not yet set up its handlers.
bool WaitForSignalHandler(qint64 pid, int signal, int timeoutMs = 20000);
