#include "ui/InfoArea.h"

#include "ui/Rects.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

const QColor kGridColor(128, 128, 128);

int WiderOf(const QFontMetrics& fm, const QString& a, const QString& b)
{
    return std::max(fm.horizontalAdvance(a), fm.horizontalAdvance(b));
}

// A line one pixel wide that leaves out its end point.
void HLine(QPainter& p, int x0, int x1, int y)
{
    if (x1 > x0)
        p.drawLine(x0, y, x1 - 1, y);
}

void VLine(QPainter& p, int x, int y0, int y1)
{
    if (y1 > y0)
        p.drawLine(x, y0, x, y1 - 1);
}

void DrawLabel(QPainter& p, const QRect& rc, const QString& text)
{
    p.drawText(rc, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

void DrawValue(QPainter& p, const QRect& rcFill, const QRect& rcText, const QString& text)
{
    p.fillRect(rcFill, Qt::black);
    p.drawText(rcText, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

void DrawValue(QPainter& p, const QRect& rc, const QString& text) { DrawValue(p, rc, rc, text); }

} // namespace

QString FormatHms(LONGLONG llTime)
{
    const long long s = llTime / 10000000;
    return QString::asprintf("%02lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
}

QString FormatPointValue(LONGLONG llPoint, BOOL bFrameCounter)
{
    if (llPoint == -1)
        return {};
    if (bFrameCounter)
        return QString::asprintf("%07lld", static_cast<long long>(llPoint));
    return FormatHms(llPoint);
}

QString FormatTimeCounter(LONGLONG llPosition, LONGLONG llDuration)
{
    if (llDuration == -1)
        return {};
    return FormatHms(llPosition) + QStringLiteral(" / ") + FormatHms(llDuration);
}

QString FormatFrameCounter(LONGLONG llFrame, LONGLONG llTotalFrames)
{
    if (llTotalFrames == -1)
        return {};
    return QString::asprintf("%07lld / %07lld", static_cast<long long>(llFrame), static_cast<long long>(llTotalFrames));
}

QFont InfoFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Medium);
    // The rows are ten pixels high: take the largest size that fits them,
    // whichever face the system substitutes.
    for (int px = 10; px > 6; --px) {
        font.setPixelSize(px);
        if (QFontMetrics(font).height() <= 10)
            break;
    }
    return font;
}

CInfoCells CalcInfoCells(const QFontMetrics& fm, int nInfoTop, int nRight)
{
    const int hA = fm.height();
    const int hB = fm.height();
    const int wAB = WiderOf(fm, QStringLiteral("A-Point"), QStringLiteral("B-Point"));
    const int wVal = WiderOf(fm, QStringLiteral("00:00:00"), QStringLiteral("0000000"));
    const int wCnt = WiderOf(fm, QStringLiteral("00:00:00 / 00:00:00"), QStringLiteral("0000000 / 0000000"));
    const int wMode = WiderOf(fm, QStringLiteral("Time"), QStringLiteral("Frame"));

    const int t1 = nInfoTop;
    const int t2 = t1 + hA;
    const int b2 = t2 + hB;

    CInfoCells c;
    c.rcALabel = RectLTRB(0, t1, wAB + 6, t2);
    c.rcAValue = RectLTRB(RightOf(c.rcALabel), t1, RightOf(c.rcALabel) + wVal, t2);
    c.rcTimeCounter = RectLTRB(nRight - wCnt, t1, nRight, t2);
    c.rcTimeLabel = RectLTRB(c.rcTimeCounter.x() - wMode - 6, t1, c.rcTimeCounter.x(), t2);

    c.rcBLabel = RectLTRB(0, t2, wAB + 6, b2);
    c.rcBValue = RectLTRB(RightOf(c.rcBLabel), t2, RightOf(c.rcBLabel) + wVal, b2);
    c.rcFrameCounter = RectLTRB(nRight - wCnt, t2, nRight, b2);
    c.rcFrameLabel = RectLTRB(c.rcFrameCounter.x() - wMode - 6, t2, c.rcFrameCounter.x(), b2);
    const int timeLeft = c.rcTimeLabel.x();
    c.rcPlayListCount = RectLTRB(timeLeft - fm.horizontalAdvance(QStringLiteral("0000")) - 8, t2, timeLeft - 2, b2);
    c.rcPlayListLabel = RectLTRB(c.rcPlayListCount.x() - fm.horizontalAdvance(QStringLiteral("PlayList")) - 6, t2,
        c.rcPlayListCount.x(), b2);
    return c;
}

void PaintInfoArea(QPainter& p, const CInfoCells& c, int nRight, const CInfoValues& v)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kGridColor, 1));

    const int t1 = c.rcALabel.y();
    const int t2 = c.rcBLabel.y();
    const int b2 = BottomOf(c.rcBLabel);
    const int aValueRight = RightOf(c.rcAValue);
    HLine(p, 0, aValueRight + 1, t1);
    HLine(p, c.rcTimeLabel.x() - 1, nRight, t1);
    HLine(p, 0, aValueRight + 1, t2);
    HLine(p, c.rcPlayListLabel.x() - 1, nRight, t2);
    VLine(p, aValueRight + 1, t1, b2);
    VLine(p, RightOf(c.rcALabel) - 3, t1, b2);
    VLine(p, c.rcTimeLabel.x() - 1, t1, b2);
    VLine(p, RightOf(c.rcTimeLabel) - 3, t1, b2);
    VLine(p, c.rcPlayListLabel.x() - 1, t2, b2);
    VLine(p, RightOf(c.rcPlayListLabel) - 3, t2, b2);

    p.setPen(Qt::white);
    DrawLabel(p, c.rcALabel, QStringLiteral("A-Point"));
    DrawLabel(p, c.rcBLabel, QStringLiteral("B-Point"));
    DrawLabel(p, c.rcTimeLabel, QStringLiteral("Time"));
    DrawLabel(p, c.rcFrameLabel, QStringLiteral("Frame"));
    DrawLabel(p, c.rcPlayListLabel, QStringLiteral("PlayList"));

    DrawValue(p, c.rcAValue, FormatPointValue(v.marks.llPointA, v.marks.bFrameCounter));
    DrawValue(p, c.rcBValue, FormatPointValue(v.marks.llPointB, v.marks.bFrameCounter));
    DrawValue(p, c.rcTimeCounter, FormatTimeCounter(v.marks.llPosition, v.marks.llDuration));
    DrawValue(p, c.rcFrameCounter, FormatFrameCounter(v.marks.llFrame, v.marks.llTotalFrames));
    // The count's fill keeps the grid line along its top.
    DrawValue(p, c.rcPlayListCount.adjusted(0, 1, 0, -1), c.rcPlayListCount, QString::number(v.nPlayListCount));
    p.restore();
}
