#pragma once
// Dialog units, the measure of the dialog layouts: a quarter of the average
// character width and an eighth of the character height of the dialog's
// font, so a layout grows with the font.

#include <QFont>
#include <QFontMetrics>
#include <QRect>

#include <algorithm>

class CDialogUnits {
public:
    explicit CDialogUnits(const QFont& font)
    {
        const QFontMetrics fm(font);
        m_nBaseX = std::max(1, fm.horizontalAdvance(QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ")) / 52);
        m_nBaseY = std::max(1, fm.height());
    }

    // A rectangle given in dialog units, in pixels.
    QRect Rect(int x, int y, int cx, int cy) const
    {
        return QRect(x * m_nBaseX / 4, y * m_nBaseY / 8, cx * m_nBaseX / 4, cy * m_nBaseY / 8);
    }

private:
    int m_nBaseX = 6;
    int m_nBaseY = 13;
};
