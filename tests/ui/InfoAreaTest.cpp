#include "ui/InfoArea.h"
#include "ui/Rects.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace {

constexpr LONGLONG kSecond = 10000000;

TEST(InfoText, CountersAreBlankUntilTheLengthIsKnown)
{
    EXPECT_EQ(FormatTimeCounter(5 * kSecond, -1), QString());
    EXPECT_EQ(FormatFrameCounter(12, -1), QString());
    EXPECT_EQ(FormatPointValue(-1, TRUE), QString());
    // Zero is a real position, not an unknown one.
    EXPECT_EQ(FormatTimeCounter(0, 0), QStringLiteral("00:00:00 / 00:00:00"));
}

TEST(InfoText, TimesSplitIntoHoursMinutesSecondsWithoutWrappingHours)
{
    EXPECT_EQ(FormatTimeCounter(0, 3600 * kSecond), QStringLiteral("00:00:00 / 01:00:00"));
    EXPECT_EQ(FormatTimeCounter(0, 100 * 3600 * kSecond), QStringLiteral("00:00:00 / 100:00:00"));
    // Fractions of a second are cut, not rounded.
    EXPECT_EQ(FormatHms(3723 * kSecond + kSecond - 1), QStringLiteral("01:02:03"));
}

TEST(InfoText, FramesAndPointsHaveSevenDigits)
{
    EXPECT_EQ(FormatFrameCounter(12, 1500), QStringLiteral("0000012 / 0001500"));
    EXPECT_EQ(FormatFrameCounter(0, 12345678), QStringLiteral("0000000 / 12345678"));
    EXPECT_EQ(FormatPointValue(65 * kSecond, FALSE), QStringLiteral("00:01:05"));
    EXPECT_EQ(FormatPointValue(1234, TRUE), QStringLiteral("0001234"));
}

struct Painted {
    QImage img;
    CInfoCells cells;
};

Painted Paint(const CInfoValues& values, int width = 400)
{
    const QFont font = InfoFont();
    Painted out;
    out.cells = CalcInfoCells(QFontMetrics(font), 2, width);
    out.img = QImage(width, BottomOf(out.cells.rcBLabel) + 2, QImage::Format_RGB32);
    out.img.fill(Qt::black);
    QPainter p(&out.img);
    p.setFont(font);
    PaintInfoArea(p, out.cells, width, values);
    return out;
}

int BrightPixels(const QImage& img, const QRect& rc)
{
    int n = 0;
    for (int y = rc.top(); y <= rc.bottom(); ++y)
        for (int x = rc.left(); x <= rc.right(); ++x)
            if (qGray(img.pixel(x, y)) > 160)
                ++n;
    return n;
}

TEST(InfoPaint, UnknownValuesStayBlankAndKnownOnesAreDrawn)
{
    const Painted blank = Paint(CInfoValues {});
    EXPECT_EQ(BrightPixels(blank.img, blank.cells.rcAValue), 0);
    EXPECT_EQ(BrightPixels(blank.img, blank.cells.rcTimeCounter), 0);
    EXPECT_EQ(BrightPixels(blank.img, blank.cells.rcFrameCounter), 0);
    // The labels and the playlist count are always there.
    EXPECT_GT(BrightPixels(blank.img, blank.cells.rcFrameLabel), 0);
    EXPECT_GT(BrightPixels(blank.img, blank.cells.rcPlayListCount), 0);

    CInfoValues v;
    v.llPointA = 65 * kSecond;
    v.llPointB = 70 * kSecond;
    v.llDuration = 3600 * kSecond;
    v.llTotalFrames = 1500;
    const Painted full = Paint(v);
    EXPECT_GT(BrightPixels(full.img, full.cells.rcAValue), 0);
    EXPECT_GT(BrightPixels(full.img, full.cells.rcTimeCounter), 0);
    EXPECT_GT(BrightPixels(full.img, full.cells.rcFrameCounter), 0);
}

TEST(InfoPaint, ValuesSitAtTheRightOfTheirCellsAndTheGridSurvivesTheCount)
{
    CInfoValues v;
    v.llDuration = 3600 * kSecond;
    v.nPlayListCount = 7;
    const Painted out = Paint(v);
    const QRect& count = out.cells.rcPlayListCount;
    // A single digit: its ink is in the right half of the cell.
    EXPECT_EQ(BrightPixels(out.img, QRect(count.x(), count.y(), count.width() / 2, count.height())), 0);
    EXPECT_GT(BrightPixels(out.img, QRect(count.x() + count.width() / 2, count.y(), count.width() / 2, count.height())), 0);

    const QColor grid(128, 128, 128);
    // The line along the top of row 2 runs on over the count cell.
    EXPECT_EQ(QColor(out.img.pixel(count.x() + 1, count.y())), grid);
    // The divider after the A value runs over both rows and ends there.
    const int aDivider = RightOf(out.cells.rcAValue) + 1;
    EXPECT_EQ(QColor(out.img.pixel(aDivider, BottomOf(out.cells.rcBLabel) - 1)), grid);
    EXPECT_EQ(QColor(out.img.pixel(aDivider, BottomOf(out.cells.rcBLabel))), QColor(Qt::black));
}

} // namespace
