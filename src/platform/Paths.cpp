#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <unistd.h>

QString PathFindFileName(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? path : path.mid(slash + 1);
}

QString PathFindExtension(const QString& path)
{
    const QString name = PathFindFileName(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

QString PathRemoveFileSpec(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return QString();
    if (slash == 0)
        return QStringLiteral("/");
    return path.left(slash);
}

QString PathAppend(const QString& dir, const QString& name)
{
    if (dir.isEmpty())
        return name;
    if (dir.endsWith(QLatin1Char('/')))
        return dir + name;
    return dir + QLatin1Char('/') + name;
}

QString ExecutablePath()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

namespace {

QString XdgDir(const char* var, const char* fallbackUnderHome)
{
    const QString v = qEnvironmentVariable(var);
    // Relative values are invalid by the XDG rules and are ignored.
    if (!v.isEmpty() && v.startsWith(QLatin1Char('/')))
        return v;
    return PathAppend(QDir::homePath(), QString::fromLatin1(fallbackUnderHome));
}

enum class Place { Home, Portable, Xdg };

Place DataPlace(QString* folder)
{
    const QString home = qEnvironmentVariable("ORV_HOME");
    if (!home.isEmpty()) {
        *folder = home;
        return Place::Home;
    }
    const QString exeDir = PathRemoveFileSpec(ExecutablePath());
    if (!exeDir.isEmpty() && QFileInfo::exists(PathAppend(exeDir, QStringLiteral("orv.ini")))
        && ::access(QFile::encodeName(exeDir).constData(), W_OK) == 0) {
        *folder = exeDir;
        return Place::Portable;
    }
    return Place::Xdg;
}

} // namespace

QString SettingsFilePath()
{
    QString folder;
    if (DataPlace(&folder) == Place::Xdg)
        folder = PathAppend(XdgDir("XDG_CONFIG_HOME", ".config"), QStringLiteral("orv"));
    return PathAppend(folder, QStringLiteral("orv.ini"));
}

QString VolumeDbFilePath()
{
    QString folder;
    if (DataPlace(&folder) == Place::Xdg)
        folder = PathAppend(XdgDir("XDG_STATE_HOME", ".local/state"), QStringLiteral("orv"));
    return PathAppend(folder, QStringLiteral("orvvol.db"));
}
