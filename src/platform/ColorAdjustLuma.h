#pragma once
// Lighter and darker shades of a colour, for 3-D edges.

#include "platform/WinTypes.h"

#include <QColor>

// Changes the colour's luminance in HLS space by n thousandths. With fScale
// the change is relative: +n moves the luminance n/1000 of the way towards
// white, -n moves it n/1000 of the way towards black. Without fScale, n/1000
// of full luminance is added. Hue and saturation stay.
QColor ColorAdjustLuma(const QColor& clr, int n, BOOL fScale);
