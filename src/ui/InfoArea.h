#pragma once
// The two text rows at the bottom of the main window: the A and B points,
// the playlist size and the time and frame counters. The cells follow the
// font and the window's width, so they are worked out again for every paint.

#include "platform/WinTypes.h"
#include "ui/PlaybackMarks.h"

#include <QRect>
#include <QString>

class QFont;
class QFontMetrics;
class QPainter;

// Times are in 100-ns units. Hours are not wrapped at 24: 100 hours read
// "100:00:00".
QString FormatHms(LONGLONG llTime);
// Blank when the point is not set (-1); a seven-digit frame number when the
// media seeks by frames, else a time.
QString FormatPointValue(LONGLONG llPoint, BOOL bFrameCounter);
// "position / duration"; blank while the duration is unknown (-1).
QString FormatTimeCounter(LONGLONG llPosition, LONGLONG llDuration);
// "frame / total"; blank while the total is unknown (-1).
QString FormatFrameCounter(LONGLONG llFrame, LONGLONG llTotalFrames);

// The font of every text in the area: a small sans-serif face whose lines
// are at most ten pixels high.
QFont InfoFont();

struct CInfoCells {
    QRect rcALabel, rcAValue, rcTimeLabel, rcTimeCounter; // row 1
    QRect rcBLabel, rcBValue, rcPlayListLabel, rcPlayListCount, rcFrameLabel, rcFrameCounter; // row 2
};

// Cells for rows starting at nInfoTop in a client area whose right edge is
// nRight; the counters keep to the right edge, the points to the left.
CInfoCells CalcInfoCells(const QFontMetrics& fm, int nInfoTop, int nRight);

// What the area shows.
struct CInfoValues {
    // The points and the counters.
    CPlaybackMarks marks;
    int nPlayListCount = 0;
};

// Grid, labels and values, in the painter's font. Values are drawn on a
// black fill, so painting them again never leaves old digits behind.
void PaintInfoArea(QPainter& painter, const CInfoCells& cells, int nRight, const CInfoValues& values);
