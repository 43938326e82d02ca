#pragma once
// Dialog units, in which the dialogs' layouts are given: a quarter of the
// font's average character width across, an eighth of its height down.

#include <QRect>

class QFont;

class CDialogUnits {
public:
    explicit CDialogUnits(const QFont& font);
    QRect Rect(int x, int y, int cx, int cy) const;

private:
    int m_nBaseX = 6;
    int m_nBaseY = 13;
};
