#include "shell/SendToShortcut.h"

#include "platform/Paths.h"
#include "shell/DesktopEntry.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

QString SendToShortcutPath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
    if (folder.isEmpty())
        return {};
    return PathAppend(folder, QStringLiteral("orvで再生.desktop"));
}

BOOL CreateSendToShortcut(const QString& shortcutPath, const QString& exePath)
{
    if (shortcutPath.isEmpty() || exePath.isEmpty())
        return FALSE;
    if (!QDir().mkpath(PathRemoveFileSpec(shortcutPath)))
        return FALSE;
    QSaveFile file(shortcutPath);
    if (!file.open(QIODevice::WriteOnly))
        return FALSE;
    const QByteArray text = SendToEntryText(exePath);
    if (file.write(text) != text.size()) {
        file.cancelWriting();
        return FALSE;
    }
    return file.commit();
}

BOOL DeleteSendToShortcut(const QString& shortcutPath)
{
    return !shortcutPath.isEmpty() && QFile::remove(shortcutPath);
}
