// The real program, with no settings yet, plays today's formats named on
// its command line one after the other, each to its end, with nothing to
// report.

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

TEST(CommandLineFormats, EachFilePlaysInTurnWithNoSettings)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X display";
    TempHome home;
    TempRuntimeDir runtime;
    QStringList files;
    for (TestClip clip : { TestClip::Mp4, TestClip::Mkv, TestClip::Webm, TestClip::Ts, TestClip::Flac,
             TestClip::Opus, TestClip::Mp3, TestClip::Wma, TestClip::Wmv, TestClip::Aiff })
        files << TestMediaPath(clip);
    ASSERT_FALSE(files.contains(QString()));

    const ScopedEnv stats("ORV_STATS", QStringLiteral("1"));
    QProcess orv;
    orv.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
    orv.start(QStringLiteral(ORV_BINARY), files);
    ASSERT_TRUE(orv.waitForStarted());
    // A file's figures are written when the next one takes its place; the
    // last file's when the program ends.
    static const QRegularExpression played(QStringLiteral("^orv-stats: frames_rendered=(\\d+) .* file=(.*)$"),
        QRegularExpression::MultilineOption);
    QString err;
    const QDeadlineTimer deadline(60000);
    while (!deadline.hasExpired() && err.count(played) < files.size() - 1) {
        orv.waitForReadyRead(100);
        err += QString::fromUtf8(orv.readAllStandardError());
    }
    // The last one is short too.
    orv.waitForReadyRead(1500);
    EXPECT_TRUE(WaitForSignalHandler(orv.processId(), SIGTERM));
    ::kill(pid_t(orv.processId()), SIGTERM);
    EXPECT_TRUE(orv.waitForFinished(30000));
    err += QString::fromUtf8(orv.readAllStandardError());

    QStringList playedFiles;
    for (auto it = played.globalMatch(err); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        playedFiles << m.captured(2);
        static const QRegularExpression picture(QStringLiteral("\\.(mp4|mkv|webm|ts|wmv)$"));
        if (picture.match(m.captured(2)).hasMatch()) {
            EXPECT_GT(m.captured(1).toInt(), 0) << qPrintable(m.captured(2));
        }
    }
    EXPECT_EQ(playedFiles, files);
    // Failures are reported on standard error as "orv: ...".
    EXPECT_FALSE(err.contains(QRegularExpression(QStringLiteral("^orv: "), QRegularExpression::MultilineOption)))
        << qPrintable(err);
}

} // namespace
