#include "XWindows.h"

#include "GstTestSupport.h"
#include "TestEnv.h"

#include <QRegularExpression>
#include <QTest>

namespace {

// The numbers of an xprop line "NAME(CARDINAL) = 1, 2, 3"; none when unset.
QList<int> PropertyNumbers(const QStringList& target, const QString& property)
{
    const QString line = ToolOutput(QStringLiteral("xprop"), target + QStringList { property });
    const qsizetype eq = line.indexOf(QLatin1String(" = "));
    QList<int> numbers;
    if (eq < 0)
        return numbers;
    for (const QString& part : line.mid(eq + 3).split(QLatin1Char(','))) {
        bool bOk = false;
        const int n = part.trimmed().toInt(&bOk);
        if (!bOk)
            return {};
        numbers << n;
    }
    return numbers;
}

int WinInfoField(const QString& info, const char* pszName)
{
    const QRegularExpression re(QStringLiteral("%1:\\s*(-?\\d+)").arg(QLatin1String(pszName)));
    const QRegularExpressionMatch match = re.match(info);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

} // namespace

QString ToolOutput(const QString& program, const QStringList& args)
{
    return RunProgram(program, args).out.trimmed();
}

QStringList VisibleWindows(qint64 pid)
{
    return ToolOutput(QStringLiteral("xdotool"),
        { QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
            QString::number(pid) })
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString WindowTitle(const QString& window)
{
    return ToolOutput(QStringLiteral("xdotool"), { QStringLiteral("getwindowname"), window });
}

bool IsTransient(const QString& window)
{
    return ToolOutput(QStringLiteral("xprop"), { QStringLiteral("-id"), window, QStringLiteral("WM_TRANSIENT_FOR") })
        .contains(QLatin1String("window id"));
}

bool WindowManagerRunning()
{
    return ToolOutput(QStringLiteral("xprop"), { QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK") })
        .contains(QLatin1String("window id"));
}

QRect WorkArea()
{
    // x, y, width, height for each desktop; the first is the one in use.
    const QList<int> n = PropertyNumbers({ QStringLiteral("-root") }, QStringLiteral("_NET_WORKAREA"));
    return n.size() >= 4 ? QRect(n[0], n[1], n[2], n[3]) : QRect();
}

QRect FrameGeometry(const QString& window)
{
    // left, right, top, bottom
    const QList<int> extents = PropertyNumbers({ QStringLiteral("-id"), window }, QStringLiteral("_NET_FRAME_EXTENTS"));
    if (extents.size() != 4)
        return {};
    const QString info = ToolOutput(QStringLiteral("xwininfo"), { QStringLiteral("-id"), window });
    const QRect client(WinInfoField(info, "Absolute upper-left X"), WinInfoField(info, "Absolute upper-left Y"),
        WinInfoField(info, "Width"), WinInfoField(info, "Height"));
    return client.marginsAdded(QMargins(extents[0], extents[2], extents[1], extents[3]));
}

QRect SettledFrameGeometry(const QString& window, int timeoutMs)
{
    QRect last;
    int nSame = 0;
    const bool bSettled = ProcessEventsUntil(
        [&] {
            QTest::qWait(100);
            const QRect now = FrameGeometry(window);
            nSame = now.isValid() && now == last ? nSame + 1 : 0;
            last = now;
            return nSame >= 3;
        },
        timeoutMs);
    return bSettled ? last : QRect();
}
