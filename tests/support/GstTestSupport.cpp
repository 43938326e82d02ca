#include "GstTestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QThread>

#include <cstdio>
#include <unistd.h>

void QuietGstTest::SetUp()
{
    ASSERT_TRUE(m_capture.open());
    std::fflush(stderr);
    m_nSavedStderr = ::dup(STDERR_FILENO);
    ::dup2(m_capture.handle(), STDERR_FILENO);
}

void QuietGstTest::TearDown()
{
    if (m_nSavedStderr < 0)
        return;
    std::fflush(stderr);
    ::dup2(m_nSavedStderr, STDERR_FILENO);
    ::close(m_nSavedStderr);
    m_nSavedStderr = -1;
    m_capture.seek(0);
    const QByteArray printed = m_capture.readAll();
    if (!printed.isEmpty())
        std::fwrite(printed.constData(), 1, size_t(printed.size()), stderr);
    static const QRegularExpression warning(QStringLiteral("(WARNING|CRITICAL) \\*\\*|\\bWARN\\b"));
    EXPECT_FALSE(QString::fromUtf8(printed).contains(warning)) << "a warning was printed";
}

long ProcessStatusField(const char* pszField)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(pszField))
            return line.mid(int(qstrlen(pszField))).trimmed().split(' ').value(0).toLong();
    return -1;
}

bool ProcessEventsUntil(const std::function<bool()>& condition, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}
