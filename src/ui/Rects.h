#pragma once
// Rectangles given by their edges, right and bottom exclusive, the way the
// layout rules are written; QRect's own right() and bottom() are inclusive.

#include <QRect>

inline QRect RectLTRB(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}
inline int RightOf(const QRect& rc) { return rc.x() + rc.width(); }
inline int BottomOf(const QRect& rc) { return rc.y() + rc.height(); }
