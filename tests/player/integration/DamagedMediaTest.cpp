// Damaged copies of the generated clips: cut inside the header and inside
// the data, bits flipped, and noise under a media name. Each
// must either play or fail to load with the load-failure message, within the
// preroll bound, and playing it for a moment must not hang or crash.

#include "PlayerFixture.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <vector>

namespace {

struct Damaged {
    QString path;
    QString how;
};

// The ways a file gets damaged, each applied to a copy of the clip's bytes.
std::vector<Damaged> DamagedCopies(const QString& source, const QString& folder)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = in.readAll();
    const QString suffix = QLatin1Char('.') + QFileInfo(source).suffix();
    // The same damage every run, so a failure can be found again.
    QRandomGenerator random(static_cast<quint32>(bytes.size()));
    auto flipped = [&](qsizetype from, int nFlips) {
        QByteArray out = bytes;
        for (int i = 0; i < nFlips; ++i) {
            const qsizetype at = from + random.bounded(static_cast<int>(out.size() - from));
            out[at] = static_cast<char>(out[at] ^ (1 << random.bounded(8)));
        }
        return out;
    };
    QByteArray noise(8192, Qt::Uninitialized);
    for (char& c : noise)
        c = static_cast<char>(random.bounded(256));

    const std::pair<const char*, QByteArray> variants[] = {
        { "cut in the header", bytes.left(std::min<qsizetype>(200, bytes.size() / 2)) },
        { "cut in the data", bytes.left(bytes.size() * 6 / 10) },
        { "bits flipped in the data", flipped(bytes.size() / 4, 40) },
        { "noise", noise },
    };
    std::vector<Damaged> out;
    int n = 0;
    for (const auto& [how, content] : variants) {
        Damaged d { QStringLiteral("%1/%2-%3%4").arg(folder, QFileInfo(source).completeBaseName()).arg(n++).arg(suffix),
            QString::fromLatin1(how) };
        QFile file(d.path);
        if (file.open(QIODevice::WriteOnly) && file.write(content) == content.size())
            out.push_back(d);
    }
    return out;
}

class DamagedMedia : public PlayerFixture, public ::testing::WithParamInterface<TestClip> {
protected:
    QTemporaryDir dir;
};

TEST_P(DamagedMedia, PlaysOrFailsToLoadWithinTheBound)
{
    const std::vector<Damaged> copies = DamagedCopies(TestMediaPath(GetParam()), dir.path());
    ASSERT_EQ(copies.size(), 4u);
    for (const Damaged& d : copies) {
        SCOPED_TRACE(qPrintable(d.how));
        QElapsedTimer timer;
        timer.start();
        try {
            TryLoad(d.path);
        } catch (const CDirectShowErrMessage& e) {
            EXPECT_FALSE(e.m_strDetail.isEmpty());
        }
        // Ten seconds is the wait for preroll; a little more for a slow machine.
        EXPECT_LT(timer.elapsed(), 11000);
        if (!player)
            continue;
        player->Run();
        // Whatever the stream holds, the events keep coming and the player
        // stops when asked.
        WaitForEvent(EC_COMPLETE, 1000);
        timer.restart();
        player->Stop();
        player.reset();
        EXPECT_LT(timer.elapsed(), 2000);
    }
}

std::string ClipName(const ::testing::TestParamInfo<TestClip>& info)
{
    static const char* const names[] = { "Wav", "Mp3", "Aiff", "Avi", "Ogg", "Mp4", "Mkv", "Webm", "Ts", "Wmv", "Flac" };
    return names[info.index];
}

INSTANTIATE_TEST_SUITE_P(Clips, DamagedMedia,
    ::testing::Values(TestClip::Wav, TestClip::Mp3, TestClip::Aiff, TestClip::AviMjpegPcm, TestClip::OggTagged,
        TestClip::Mp4, TestClip::Mkv, TestClip::Webm, TestClip::Ts, TestClip::Wmv, TestClip::Flac),
    ClipName);

} // namespace
