#include "platform/DialogUnits.h"

#include <QFontMetrics>

#include <algorithm>

CDialogUnits::CDialogUnits(const QFont& font)
{
    const QFontMetrics fm(font);
    m_nBaseX = std::max(1, fm.horizontalAdvance(QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ")) / 52);
    m_nBaseY = std::max(1, fm.height());
}

QRect CDialogUnits::Rect(int x, int y, int cx, int cy) const
{
    return QRect(x * m_nBaseX / 4, y * m_nBaseY / 8, cx * m_nBaseX / 4, cy * m_nBaseY / 8);
}
