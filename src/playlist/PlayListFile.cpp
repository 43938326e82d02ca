// The playlist file formats of CPlayList: one path per line, CR LF line ends,
// read as UTF-8 when the bytes are valid UTF-8 and as CP932 otherwise,
// written as CP932 when every path has a CP932 form and as UTF-8 with a
// byte-order mark when one has not.

#include "playlist/PlayList.h"

#include "platform/Cp932Codec.h"
#include "platform/FileWait.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QUrl>

namespace {

const char kUtf8Bom[] = "\xEF\xBB\xBF";

QString DecodePlayListText(const QByteArray& bytes)
{
    if (bytes.startsWith(kUtf8Bom))
        return QString::fromUtf8(bytes.mid(3));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return DecodeCp932(bytes);
}

QStringList SplitLines(const QString& text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    // A last line end closes the last line; it does not start another.
    if (lines.back().isEmpty())
        lines.removeLast();
    for (QString& line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    return lines;
}

// An .m3u line as a full path: a relative line is taken from the playlist's
// folder; "." and ".." parts are folded, and ".." above the root stays at
// the root.
QString M3uFullPath(const QString& folder, const QString& line)
{
    QString path = QDir::cleanPath(line.startsWith(QLatin1Char('/')) ? line : folder + QLatin1Char('/') + line);
    while (path.startsWith(QLatin1String("/.."))) {
        if (path.size() == 3)
            path = QStringLiteral("/");
        else if (path[3] == QLatin1Char('/'))
            path = path.mid(3);
        else
            break;
    }
    return path;
}

// The M3U format's comments and directives (#EXTM3U, #EXTINF) and its blank
// lines name no file.
bool M3uNonEntry(const QString& line)
{
    return line.startsWith(QLatin1Char('#')) || line.trimmed().isEmpty();
}

// "scheme://..." or "file:...": a URL rather than a path.
bool IsUrlLine(const QString& line)
{
    static const QRegularExpression kScheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    return line.startsWith(QLatin1String("file:"), Qt::CaseInsensitive) || kScheme.match(line).hasMatch();
}

// The path a URL line names on this machine: file URLs as Linux players
// write them (percent-encoded, with no host or "localhost"). Empty for
// anything else, such as a stream over http.
QString LocalPathOfUrl(const QString& line)
{
    const QUrl url(line, QUrl::TolerantMode);
    if (!url.isValid() || url.scheme().compare(QLatin1String("file"), Qt::CaseInsensitive) != 0)
        return QString();
    const QString host = url.host();
    if (!host.isEmpty() && host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) != 0)
        return QString();
    const QString path = url.path(QUrl::FullyDecoded);
    return path.startsWith(QLatin1Char('/')) ? path : QString();
}

} // namespace

int CPlayList::Load(const QString& path)
{
    const int nBefore = m_nCount;
    const int nResult = ReadFile(path);
    if (m_nCount != nBefore)
        Notify(PlayListChange::Entries);
    return nResult;
}

int CPlayList::ReadFile(const QString& path)
{
    const bool bResolve = PathFindExtension(path).compare(QLatin1String(".m3u"), Qt::CaseInsensitive) == 0;
    QFile file;
    const FileWaitResult opened = OpenFileWait(file, path, "r");
    if (opened != FileWaitResult::Done)
        return opened == FileWaitResult::TimedOut ? PLAYLIST_LOAD_IN_USE : PLAYLIST_LOAD_FAILED;
    // No list of 1024 paths comes near this; a file that does is not a list.
    constexpr qint64 kMaxPlayListBytes = 16 * 1024 * 1024;
    const qint64 llSize = file.size();
    if (llSize > kMaxPlayListBytes)
        return PLAYLIST_LOAD_FAILED;
    // What it held when looked at; anything written since is not read.
    const QByteArray bytes = file.read(llSize);
    file.close();

    const QString folder = QFileInfo(path).absolutePath();
    for (QString line : SplitLines(DecodePlayListText(bytes))) {
        if (m_nCount >= PLAYLIST_MAX)
            return PLAYLIST_LOAD_AT_LIMIT;
        if (bResolve) {
            if (M3uNonEntry(line))
                continue;
            // A URL is measured by the path it names: its encoded form is
            // often far longer.
            if (IsUrlLine(line)) {
                line = LocalPathOfUrl(line);
                if (line.isEmpty())
                    continue;
            } else if (line.size() > MAX_PATH) {
                continue;
            }
            line = M3uFullPath(folder, line);
        }
        // No path is this long; a line that is cannot be an entry.
        if (line.size() > MAX_PATH)
            continue;
        Store(line);
    }
    return PLAYLIST_LOAD_DONE;
}

FileWaitResult CPlayList::Save(const QString& path)
{
    QString text;
    for (int i = 0; i < m_nCount; ++i)
        text += m_strEntries[static_cast<size_t>(i)] + QLatin1String("\r\n");
    QByteArray bytes;
    if (const std::optional<QByteArray> cp932 = EncodeCp932(text))
        bytes = *cp932;
    else
        bytes = QByteArray(kUtf8Bom) + text.toUtf8();
    // Written beside the file and renamed over it: a full disk or a broken
    // write leaves the old list whole instead of a cut one.
    const FileWaitResult result = ReplaceFileWait(path, bytes);
    if (result == FileWaitResult::Done)
        m_bModified = FALSE;
    return result;
}
