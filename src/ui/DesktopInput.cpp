#include "ui/DesktopInput.h"

#include "ui/CommandTable.h"

#include <QKeyEvent>
#include <QRegularExpression>
#include <QWheelEvent>
#include <QWidget>

namespace {

// One notch of a common mouse wheel.
constexpr int kWheelStepAngle = 120;

// The keys a jump slider handles itself when it has the focus.
bool IsBarKey(int nKey)
{
    switch (nKey) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return true;
    default:
        return false;
    }
}

} // namespace

CDesktopInput::CDesktopInput(QObject* parent, Dispatcher dispatch)
    : QObject(parent)
    , m_dispatch(std::move(dispatch))
{
}

void CDesktopInput::WatchBar(QWidget& bar, int nUpID, int nDownID)
{
    m_bars.insert(&bar, Bar { nUpID, nDownID, 0 });
    bar.installEventFilter(this);
}

bool CDesktopInput::eventFilter(QObject* watched, QEvent* event)
{
    const auto it = m_bars.find(watched);
    if (it == m_bars.end())
        return false;
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Claimed here, the key skips the window's shortcuts and reaches
        // the bar.
        if (key->modifiers() == Qt::NoModifier && IsBarKey(key->key())
            && static_cast<QWidget*>(watched)->isEnabled())
            event->accept();
        return false;
    }
    if (event->type() != QEvent::Wheel)
        return false;
    auto* wheel = static_cast<QWheelEvent*>(event);
    const QPoint angle = wheel->angleDelta();
    Bar& bar = it.value();
    bar.nPendingAngle += angle.y() != 0 ? angle.y() : -angle.x();
    const int nSteps = bar.nPendingAngle / kWheelStepAngle;
    bar.nPendingAngle %= kWheelStepAngle;
    const int nID = nSteps > 0 ? bar.nUpID : bar.nDownID;
    for (int i = 0; i < std::abs(nSteps); ++i)
        m_dispatch(nID);
    wheel->accept();
    return true;
}

QString CommandToolTip(int nID)
{
    const CCommandDef* def = CCommandTable::Find(nID);
    if (!def || !def->pszLabel)
        return {};
    const QString label = QString::fromUtf8(def->pszLabel);
    QString text = label.section(QLatin1Char('\t'), 0, 0);
    // "再生/一時停止(&P)" reads "再生/一時停止" outside a menu.
    static const QRegularExpression mnemonic(QStringLiteral("\\(&.\\)"));
    text.remove(mnemonic);
    text.remove(QLatin1Char('&'));
    QString key = LabelKeyText(label);
    if (key.isEmpty() && !def->keys.isEmpty())
        key = def->keys.first().toString(QKeySequence::NativeText);
    return key.isEmpty() ? text : QStringLiteral("%1 (%2)").arg(text, key);
}
