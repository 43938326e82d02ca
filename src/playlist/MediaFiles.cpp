#include "playlist/MediaFiles.h"

#include "app/AppSettings.h"
#include "platform/Paths.h"

#include <QFileInfo>
#include <QStringList>

// The first eighteen of each table are the formats the program began with;
// today's containers and codecs follow them.
const std::array<const char*, 39> kMediaExts = { ".wav", ".mp3", ".mpa", ".wma", ".au", ".snd", ".aiff",
    ".aif", ".aifc", ".avi", ".wmv", ".asf", ".mpg", ".mpeg", ".mpe", ".mid", ".midi", ".rmi",
    // video
    ".mp4", ".m4v", ".mkv", ".webm", ".ogv", ".ts", ".m2ts", ".mts", ".mov", ".3gp", ".flv", ".vob",
    // audio
    ".m4a", ".aac", ".flac", ".ogg", ".oga", ".opus", ".mka", ".ac3", ".wv" };
const std::array<const char*, 2> kPlayListExts = { ".orvl", ".m3u" };
const std::array<const char*, 18> kVideoExts = { ".avi", ".wmv", ".asf", ".mpg", ".mpeg", ".mpe", ".mp4",
    ".m4v", ".mkv", ".webm", ".ogv", ".ts", ".m2ts", ".mts", ".mov", ".3gp", ".flv", ".vob" };
const std::array<const char*, 18> kAudioExts = { ".wav", ".mp3", ".mpa", ".wma", ".au", ".snd", ".aiff",
    ".aif", ".aifc", ".m4a", ".aac", ".flac", ".ogg", ".oga", ".opus", ".mka", ".ac3", ".wv" };
const std::array<const char*, 3> kMidiExts = { ".mid", ".midi", ".rmi" };

namespace {

bool SameExt(const QString& ext, const QString& other)
{
    return ext.compare(other, Qt::CaseInsensitive) == 0;
}

template <size_t N>
bool InTable(const QString& ext, const std::array<const char*, N>& table)
{
    for (const char* e : table)
        if (SameExt(ext, QLatin1String(e)))
            return true;
    return false;
}

template <size_t N>
bool InUserList(const QString& ext, const std::array<QString, N>& list, int count)
{
    for (int i = 0; i < count && i < static_cast<int>(N); ++i)
        if (SameExt(ext, list[static_cast<size_t>(i)]))
            return true;
    return false;
}

// "*.a;*.b;..." for a table.
template <size_t N>
QString Patterns(const std::array<const char*, N>& table)
{
    QString out;
    for (const char* e : table) {
        if (!out.isEmpty())
            out += QLatin1Char(';');
        out += QLatin1Char('*') + QLatin1String(e);
    }
    return out;
}

// ";*.x" for each user extension.
template <size_t N>
QString UserPatterns(const std::array<QString, N>& list, int count)
{
    QString out;
    for (int i = 0; i < count && i < static_cast<int>(N); ++i)
        out += QStringLiteral(";*") + list[static_cast<size_t>(i)];
    return out;
}

} // namespace

BOOL IsMediaFile(const QString& path)
{
    const QString ext = PathFindExtension(path);
    if (ext.isEmpty())
        return FALSE;
    const CAppSettings& app = TheAppSettings();
    return InTable(ext, kMediaExts) || InUserList(ext, app.m_strVideoExt, app.m_nVideoExtNum)
        || InUserList(ext, app.m_strAudioExt, app.m_nAudioExtNum);
}

BOOL IsPlayListFile(const QString& path)
{
    return InTable(PathFindExtension(path), kPlayListExts);
}

BOOL IsOwnPlayListFile(const QString& path)
{
    return SameExt(PathFindExtension(path), QLatin1String(kPlayListExts[0]));
}

BOOL IsFolder(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

QString BuildMediaFilter()
{
    const CAppSettings& app = TheAppSettings();
    const QString video = UserPatterns(app.m_strVideoExt, app.m_nVideoExtNum);
    const QString audio = UserPatterns(app.m_strAudioExt, app.m_nAudioExtNum);
    return QStringLiteral("全てのメディアファイル |") + Patterns(kMediaExts) + video + audio
        + QStringLiteral("|ビデオファイル |") + Patterns(kVideoExts) + video
        + QStringLiteral("|オーディオファイル |") + Patterns(kAudioExts) + audio
        + QStringLiteral("|MIDIファイル |") + Patterns(kMidiExts)
        + QStringLiteral("|すべてのﾌｧｲﾙ (*.*)|*.*||");
}

QString BuiltInMediaExtList()
{
    QStringList exts;
    for (const char* e : kMediaExts)
        exts << QLatin1String(e);
    return exts.join(QLatin1Char(' '));
}
