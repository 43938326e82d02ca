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

    // Runs orv on the file until it has written the figure `until`, ends it
    // with SIGTERM and gives the lines it wrote on standard error.
    QStringList Run(const QString& file, const QByteArray& until = "first_frame_ms=")
    {
        const ScopedEnv env("ORV_STATS", QStringLiteral("1"));
        QProcess orv;
        orv.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        orv.start(QStringLiteral(ORV_BINARY), { file });
        EXPECT_TRUE(orv.waitForStarted());
        QByteArray err;
        const QDeadlineTimer deadline(30000);
        while (!deadline.hasExpired() && !err.contains(until)) {
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

void ExpectLines(const QStringList& lines, const QList<QRegularExpression>& expected)
{
    const QStringList stats = lines.filter(QRegularExpression("^orv-stats: "));
    ASSERT_EQ(stats.size(), expected.size()) << stats.join('\n').toStdString();
    for (qsizetype i = 0; i < stats.size(); ++i)
        EXPECT_TRUE(expected[i].match(stats[i]).hasMatch()) << stats[i].toStdString();
}

const QString kMs = R"(\d+\.\d)";

// Every figure in its order; the default renderer's pictures are counted,
// never left unknown.
TEST_F(RunStats, LinesNameTheirFiguresInOrderAndTheDragComesAfterTheFirstPicture)
{
    const ScopedEnv drag("ORV_STATS_DRAG", QStringLiteral("300"));
    const QString file = TestMediaPath(TestClip::AviMjpegPcm);
    const QString path = QRegularExpression::escape(file);
    ExpectLines(Run(file, "drag_ms="), {
        QRegularExpression("^orv-stats: window_shown_ms=" + kMs + "$"),
        QRegularExpression("^orv-stats: first_frame_ms=" + kMs + " file=" + path + "$"),
        QRegularExpression("^orv-stats: drag_ms=" + kMs + " stall_max_ms=" + kMs + " pictures=\\d+ file=" + path + "$"),
        QRegularExpression("^orv-stats: frames_rendered=[1-9]\\d* frames_dropped=\\d+ file=" + path + "$"),
        QRegularExpression("^orv-stats: peak_rss_kb=[1-9]\\d*$"),
    });
}

}
