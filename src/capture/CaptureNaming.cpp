#include "capture/CaptureNaming.h"

#include "platform/Paths.h"
#include "platform/WinTypes.h"

#include <QFile>

#include <sys/stat.h>

namespace {

bool IsTaken(const QString& path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

// The folder without trailing separators; the root stays "/".
QString TrimFolder(const QString& strFolder)
{
    QString folder = strFolder;
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

} // namespace

QString MakeCaptureFilePath(const QString& strSourcePath, const QString& strFolder, int nFormat)
{
    QString base = PathFindFileName(strSourcePath);
    base.chop(PathFindExtension(base).size());
    const QString ext = nFormat == SAVE_FORMAT_JPEG ? QStringLiteral(".jpg") : QStringLiteral(".bmp");
    const QString folder = TrimFolder(strFolder);
    for (int n = 0; n <= CAPTURE_MAX_NUMBER; ++n) {
        // Built by joining: a "%1" in the media file's name stays as it is.
        const QString name = base + QLatin1Char('_') + QStringLiteral("%1").arg(n, 5, 10, QLatin1Char('0')) + ext;
        const QString path = PathAppend(folder, name);
        // Every number gives a path of the same length.
        if (path.size() > MAX_PATH)
            return QString();
        if (!IsTaken(path))
            return path;
    }
    return QString();
}
