#include "shell/SendToShortcut.h"

#include "platform/Paths.h"

#include <QStandardPaths>

QString SendToShortcutPath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
    if (folder.isEmpty())
        return {};
    return PathAppend(folder, QStringLiteral("orvで再生.desktop"));
}
