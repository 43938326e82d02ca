// The seek-bar drag the program makes on itself for measuring: it reaches
// the bar as a hand's press, moves and release from one end to the other,
// and its line counts only the pictures painted while the bar was held.
// No time is held to a limit a slow machine could miss.

#include "controls/JumpSlider.h"
#include "platform/RunStats.h"
#include "ui/StatsSeekBarDrag.h"

#include <gtest/gtest.h>

#include <QPointer>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QTest>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kRange = 1000;
constexpr int kDragMs = 200;
const QString kFile = QStringLiteral("/media/a clip.mp4");

// The figures switched on and standard error kept, for the line the drag writes.
class StatsCapture {
public:
    StatsCapture()
    {
        EXPECT_TRUE(m_file.open());
        std::fflush(stderr);
        m_nSaved = ::dup(STDERR_FILENO);
        ::dup2(m_file.handle(), STDERR_FILENO);
        g_bRunStats = true;
    }
    ~StatsCapture() { Restore(); }
    StatsCapture(const StatsCapture&) = delete;
    StatsCapture& operator=(const StatsCapture&) = delete;

    QStringList Lines()
    {
        Restore();
        m_file.seek(0);
        return QString::fromUtf8(m_file.readAll()).split('\n', Qt::SkipEmptyParts);
    }

private:
    void Restore()
    {
        g_bRunStats = false;
        if (m_nSaved < 0)
            return;
        ::dup2(m_nSaved, STDERR_FILENO);
        ::close(m_nSaved);
        m_nSaved = -1;
    }

    QTemporaryFile m_file;
    int m_nSaved = -1;
};

class StatsSeekBarDrag : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_host.resize(400, 40);
        m_pBar = new CJumpSlider;
        ASSERT_TRUE(m_pBar->Create(FALSE, QRect(0, 0, 300, 20), &m_host, 1));
        m_pBar->SetRange(kRange);
        QObject::connect(m_pBar, &CJumpSlider::JumpSliderNotify, [this](int, int code, CJumpSlider* pBar) {
            m_codes.push_back(code);
            m_positions.push_back(pBar->GetPos());
            // Stands in for the view painting the picture each move seeks to.
            if (code == SB_THUMBTRACK && m_pDrag)
                m_pDrag->PicturePainted();
        });
        m_host.show();
    }

    // Starts a drag and waits until it has written its line and gone.
    void Drag(bool bCountsPictures)
    {
        m_pDrag = new CStatsSeekBarDrag(*m_pBar, kDragMs, bCountsPictures, kFile);
        // Before the press nothing counts.
        m_pDrag->PicturePainted();
        m_pDrag->Start();
        ASSERT_TRUE(QTest::qWaitFor([this] { return m_pDrag.isNull(); }, 10000));
    }

    int Count(int code) const { return int(std::count(m_codes.begin(), m_codes.end(), code)); }

    QWidget m_host;
    CJumpSlider* m_pBar = nullptr;
    QPointer<CStatsSeekBarDrag> m_pDrag;
    std::vector<int> m_codes;
    std::vector<int> m_positions;
};

TEST_F(StatsSeekBarDrag, GoesFromOneEndToTheOtherAsAHandWould)
{
    Drag(true);
    ASSERT_GE(m_codes.size(), 5u) << "a press, at least one move and a release";
    const std::size_t n = m_codes.size();
    // The press at the start of the bar.
    EXPECT_EQ(m_codes[0], SB_THUMBPOSITION);
    EXPECT_EQ(m_codes[1], SB_THUMBTRACK);
    EXPECT_EQ(m_positions[0], 0);
    // Moves only forwards, never past the end.
    for (std::size_t i = 2; i < n - 2; ++i) {
        EXPECT_EQ(m_codes[i], SB_THUMBTRACK) << i;
        EXPECT_GE(m_positions[i], m_positions[i - 1]) << i;
        EXPECT_LE(m_positions[i], kRange) << i;
    }
    // The release at its end.
    EXPECT_EQ(m_codes[n - 2], SB_THUMBPOSITION);
    EXPECT_EQ(m_codes[n - 1], SB_ENDSCROLL);
    EXPECT_EQ(m_positions[n - 1], kRange);
    EXPECT_FALSE(m_pBar->IsPressed());
}

TEST_F(StatsSeekBarDrag, LineCountsThePicturesPaintedWhileTheBarWasHeld)
{
    StatsCapture capture;
    Drag(true);
    const QStringList lines = capture.Lines();
    ASSERT_EQ(lines.size(), 1) << lines.join('\n').toStdString();
    const QRegularExpression shape(QStringLiteral(R"(^orv-stats: drag_ms=(\d+\.\d) stall_max_ms=\d+\.\d )"
                                                  R"(pictures=(\d+) file=(.*)$)"));
    const QRegularExpressionMatch m = shape.match(lines[0]);
    ASSERT_TRUE(m.hasMatch()) << lines[0].toStdString();
    // The release waits for the whole drag, however fast the machine.
    EXPECT_GE(m.captured(1).toDouble(), kDragMs);
    EXPECT_EQ(m.captured(2).toInt(), Count(SB_THUMBTRACK));
    EXPECT_EQ(m.captured(3), kFile);
}

TEST_F(StatsSeekBarDrag, PicturesOutOfTheViewsSightAreNotGuessed)
{
    StatsCapture capture;
    Drag(false);
    const QStringList lines = capture.Lines();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].contains(QStringLiteral(" pictures=-1 file="))) << lines[0].toStdString();
}

TEST_F(StatsSeekBarDrag, DisabledBarIsLeftAloneAndNothingIsWritten)
{
    m_pBar->setEnabled(false);
    StatsCapture capture;
    Drag(true);
    EXPECT_TRUE(m_codes.empty());
    EXPECT_TRUE(capture.Lines().isEmpty());
}

}
