// The figures the real program writes on standard error with ORV_STATS=1:
// their format and order, never their values' size.

#include "TempRuntimeDir.h"
#include "TestEnv.h"
#include "TestMedia.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>

#include <csignal>

namespace {
class RunStats : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs an X display";
    }

    // Runs orv on the file until it has painted its first picture, ends it
    // with SIGTERM and gives the lines it wrote on standard error.
    QStringList Run(const QString& file)
    {
        const ScopedEnv env("ORV_STATS", QStringLiteral("1"));
        QProcess orv;
        orv.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        orv.start(QStringLiteral(ORV_BINARY), { file });
        EXPECT_TRUE(orv.waitForStarted());
        QByteArray err;
        const QDeadlineTimer deadline(30000);
        while (!deadline.hasExpired() && !err.contains("first_frame_ms=")) {
            orv.waitForReadyRead(100);
            err += orv.readAllStandardError();
        }
        EXPECT_TRUE(WaitForSignalHandler(orv.processId(), SIGTERM));
        ::kill(pid_t(orv.processId()), SIGTERM);
        EXPECT_TRUE(orv.waitForFinished(30000));
        err += orv.readAllStandardError();
        return QString::fromUtf8(err).split('\n', Qt::SkipEmptyParts);
    }

    TempHome m_home;
    TempRuntimeDir m_runtime;
};

TEST_F(RunStats, LinesNameTheirFiguresInOrder)
{
    const QString file = TestMediaPath(TestClip::AviMjpegPcm);
    QStringList stats = Run(file).filter(QRegularExpression("^orv-stats: "));
    const QString ms = R"(\d+\.\d)";
    const QString path = QRegularExpression::escape(file);
    const QList<QRegularExpression> expected {
        QRegularExpression("^orv-stats: window_shown_ms=" + ms + "$"),
        QRegularExpression("^orv-stats: first_frame_ms=" + ms + " file=" + path + "$"),
        QRegularExpression("^orv-stats: frames_rendered=[1-9]\\d* frames_dropped=\\d+ file=" + path + "$"),
        QRegularExpression("^orv-stats: peak_rss_kb=[1-9]\\d*$"),
    };
    ASSERT_EQ(stats.size(), expected.size()) << stats.join('\n').toStdString();
    for (qsizetype i = 0; i < stats.size(); ++i)
        EXPECT_TRUE(expected[i].match(stats[i]).hasMatch()) << stats[i].toStdString();
}

}
