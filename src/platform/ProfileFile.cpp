#include "platform/ProfileFile.h"

#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <map>
#include <optional>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Line {
    enum Kind { Other, Section, Key };
    QString text;
    Kind kind = Other;
    QString name; // section or key name, trimmed
    QString value; // for keys: trimmed, one pair of quotes removed
};

bool SameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

QString Unquote(QString v)
{
    v = v.trimmed();
    if (v.size() >= 2 && (v.front() == QLatin1Char('"') || v.front() == QLatin1Char('\''))
        && v.back() == v.front())
        return v.mid(1, v.size() - 2);
    return v;
}

// A value the reader would alter (surrounding blanks, surrounding quotes) is
// written in quotes so that it reads back as it was. A line break cannot be
// stored in a line-based file; the value is cut there rather than letting it
// inject lines.
QString EncodeValue(const QString& value)
{
    QString v = value;
    const qsizetype brk = v.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    if (brk >= 0)
        v.truncate(brk);
    if (v.isEmpty())
        return v;
    const bool blanks = v.front().isSpace() || v.back().isSpace();
    const bool quoted = v.size() >= 2 && (v.front() == QLatin1Char('"') || v.front() == QLatin1Char('\''))
        && v.back() == v.front();
    return (blanks || quoted) ? QLatin1Char('"') + v + QLatin1Char('"') : v;
}

class Document {
public:
    void Parse(const QByteArray& bytes)
    {
        m_lines.clear();
        m_crlf = false;
        QString text;
        if (bytes.startsWith("\xFF\xFE"))
            text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2),
                (bytes.size() - 2) / 2);
        else if (bytes.startsWith("\xEF\xBB\xBF"))
            text = QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
        else
            text = QString::fromUtf8(bytes);
        QStringList raw = text.split(QLatin1Char('\n'));
        if (!raw.isEmpty() && raw.back().isEmpty())
            raw.removeLast();
        for (QString& r : raw) {
            if (r.endsWith(QLatin1Char('\r'))) {
                r.chop(1);
                m_crlf = true;
            }
            m_lines.push_back(Classify(r));
        }
    }

    QByteArray Serialize() const
    {
        const QString eol = m_crlf ? QStringLiteral("\r\n") : QStringLiteral("\n");
        QString out;
        for (const Line& l : m_lines) {
            out += l.text;
            out += eol;
        }
        return out.toUtf8();
    }

    std::optional<QString> Find(const QString& section, const QString& key) const
    {
        const auto [begin, end] = SectionRange(section);
        for (size_t i = begin; i < end; ++i)
            if (m_lines[i].kind == Line::Key && SameName(m_lines[i].name, key))
                return m_lines[i].value;
        return std::nullopt;
    }

    void Set(const QString& section, const QString& key, const QString& value)
    {
        const QString encoded = EncodeValue(value);
        auto [begin, end] = SectionRange(section);
        if (begin == npos) {
            if (!m_lines.empty() && !m_lines.back().text.trimmed().isEmpty())
                m_lines.push_back(Classify(QString()));
            m_lines.push_back(Classify(QLatin1Char('[') + section + QLatin1Char(']')));
            m_lines.push_back(Classify(key + QLatin1Char('=') + encoded));
            return;
        }
        size_t lastContent = begin - 1; // the header line
        for (size_t i = begin; i < end; ++i) {
            if (m_lines[i].kind == Line::Key && SameName(m_lines[i].name, key)) {
                m_lines[i] = Classify(m_lines[i].name + QLatin1Char('=') + encoded);
                return;
            }
            if (!m_lines[i].text.trimmed().isEmpty())
                lastContent = i;
        }
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(lastContent + 1),
            Classify(key + QLatin1Char('=') + encoded));
    }

private:
    static constexpr size_t npos = static_cast<size_t>(-1);

    static Line Classify(const QString& text)
    {
        Line l;
        l.text = text;
        const QString t = text.trimmed();
        if (t.startsWith(QLatin1Char('[')) && t.contains(QLatin1Char(']'))) {
            l.kind = Line::Section;
            l.name = t.mid(1, t.indexOf(QLatin1Char(']')) - 1).trimmed();
        } else if (!t.startsWith(QLatin1Char(';')) && t.contains(QLatin1Char('='))) {
            const qsizetype eq = t.indexOf(QLatin1Char('='));
            l.kind = Line::Key;
            l.name = t.left(eq).trimmed();
            l.value = Unquote(t.mid(eq + 1));
        }
        return l;
    }

    // Lines after the header of the first section of that name, up to the next header.
    std::pair<size_t, size_t> SectionRange(const QString& section) const
    {
        for (size_t i = 0; i < m_lines.size(); ++i) {
            if (m_lines[i].kind == Line::Section && SameName(m_lines[i].name, section)) {
                size_t end = i + 1;
                while (end < m_lines.size() && m_lines[end].kind != Line::Section)
                    ++end;
                return { i + 1, end };
            }
        }
        return { npos, npos };
    }

    std::vector<Line> m_lines;
    bool m_crlf = false;
};

struct Identity {
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = -1;
    timespec mtime {};
    bool operator==(const Identity& o) const
    {
        return dev == o.dev && ino == o.ino && size == o.size && mtime.tv_sec == o.mtime.tv_sec
            && mtime.tv_nsec == o.mtime.tv_nsec;
    }
};

Identity IdentityOf(const QByteArray& nativePath)
{
    Identity id;
    struct stat st {};
    if (::stat(nativePath.constData(), &st) == 0) {
        id.dev = st.st_dev;
        id.ino = st.st_ino;
        id.size = st.st_size;
        id.mtime = st.st_mtim;
    }
    return id;
}

// No settings file comes near this; anything larger is not one.
constexpr qint64 kMaxSettingsBytes = 1024 * 1024;

// The file's bytes; empty when there is no file. Nothing when something is
// there that is not a settings file: a pipe, a device, a folder, a file too
// large, or one we may not read. It is opened without waiting, so a pipe
// or /dev/zero in its place cannot hang or swamp the program.
std::optional<QByteArray> ReadAll(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? std::optional<QByteArray>(QByteArray()) : std::nullopt;
    struct stat st {};
    std::optional<QByteArray> bytes;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= kMaxSettingsBytes) {
        QByteArray buffer(static_cast<qsizetype>(kMaxSettingsBytes + 1), Qt::Uninitialized);
        qsizetype done = 0;
        for (;;) {
            const ssize_t n = ::read(fd, buffer.data() + done, static_cast<size_t>(buffer.size() - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            done += n;
            if (done == buffer.size())
                break;
        }
        // Grown past the limit since the look: not a settings file either.
        if (done <= kMaxSettingsBytes) {
            buffer.truncate(done);
            bytes = std::move(buffer);
        }
    }
    ::close(fd);
    return bytes;
}

// Reads are served from a parsed copy while the file is unchanged on disk,
// so loading a hundred keys does not parse the file a hundred times.
struct Cached {
    Identity id;
    Document doc;
};
QMutex g_cacheLock;
std::map<QString, Cached> g_cache;

std::optional<QString> Lookup(const QString& section, const QString& key, const QString& path)
{
    const Identity id = IdentityOf(QFile::encodeName(path));
    QMutexLocker lock(&g_cacheLock);
    auto it = g_cache.find(path);
    if (it == g_cache.end() || !(it->second.id == id)) {
        Cached c;
        c.id = id;
        c.doc.Parse(ReadAll(path).value_or(QByteArray()));
        it = g_cache.insert_or_assign(path, std::move(c)).first;
    }
    return it->second.doc.Find(section, key);
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    const QByteArray target = QFile::encodeName(path);
    mode_t mode = 0644;
    struct stat st {};
    if (::stat(target.constData(), &st) == 0)
        mode = st.st_mode & 07777;
    const QByteArray tmp = target + ".tmp-" + QByteArray::number(::getpid());
    const int fd = ::open(tmp.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0)
        return false;
    bool ok = true;
    qsizetype done = 0;
    while (ok && done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        done += n > 0 ? n : 0;
    }
    // The settings must survive a crash right after the save.
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(tmp.constData(), target.constData()) == 0;
    if (!ok)
        ::unlink(tmp.constData());
    return ok;
}

class FileLock {
public:
    explicit FileLock(const QByteArray& lockPath)
    {
        m_fd = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_fd >= 0) {
            while (::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
            }
        }
    }
    ~FileLock()
    {
        if (m_fd >= 0)
            ::close(m_fd); // releases the lock
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool Held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

} // namespace

int ProfileTextToInt(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    long long v = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
        v = v * 10 + (text[i].unicode() - '0');
        if (v > static_cast<long long>(INT_MAX) + 1)
            v = static_cast<long long>(INT_MAX) + 1; // saturate instead of wrapping
    }
    if (negative)
        return static_cast<int>(-v);
    return static_cast<int>(std::min<long long>(v, INT_MAX));
}

QString GetPrivateProfileString(const QString& section, const QString& key,
    const QString& defaultValue, const QString& path, int nSize)
{
    QString v = Lookup(section, key, path).value_or(defaultValue);
    const int limit = std::max(nSize - 1, 0);
    if (v.size() > limit) {
        v.truncate(limit);
        // Never leave half of a surrogate pair behind.
        if (!v.isEmpty() && v.back().isHighSurrogate())
            v.chop(1);
    }
    return v;
}

int GetPrivateProfileInt(const QString& section, const QString& key, int defaultValue,
    const QString& path)
{
    const std::optional<QString> v = Lookup(section, key, path);
    return v ? ProfileTextToInt(*v) : defaultValue;
}

bool WritePrivateProfileString(const QString& section, const QString& key,
    const QString& value, const QString& path)
{
    ProfileWriteBatch batch(path);
    batch.Set(section, key, value);
    return batch.Commit();
}

ProfileWriteBatch::ProfileWriteBatch(QString path)
    : m_path(std::move(path))
{
}

void ProfileWriteBatch::Set(const QString& section, const QString& key, const QString& value)
{
    m_entries.push_back({ section, key, value });
}

bool ProfileWriteBatch::Commit()
{
    if (m_entries.empty())
        return true;
    // Write through a symbolic link instead of replacing it.
    QString path = m_path;
    const QFileInfo info(path);
    if (info.isSymLink() && !info.canonicalFilePath().isEmpty())
        path = info.canonicalFilePath();
    const QString folder = PathRemoveFileSpec(path);
    if (!folder.isEmpty() && !QDir().mkpath(folder))
        return false;

    FileLock lock(QFile::encodeName(PathAppend(folder, QLatin1Char('.') + PathFindFileName(path) + QStringLiteral(".lock"))));
    if (!lock.Held())
        return false;
    // A file we cannot read as settings, or one the user made read-only,
    // stays as it is: replacing it would throw away what they keep there.
    const std::optional<QByteArray> read = ReadAll(path);
    struct stat st {};
    const bool bReadOnly = ::stat(QFile::encodeName(path).constData(), &st) == 0
        && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    if (!read || bReadOnly)
        return false;
    const QByteArray& before = *read;
    Document doc;
    doc.Parse(before);
    for (const Entry& e : m_entries)
        doc.Set(e.section, e.key, e.value);
    const QByteArray after = doc.Serialize();
    const bool exists = QFileInfo::exists(path);
    const bool ok = (exists && after == before) || WriteFileAtomically(path, after);
    if (ok)
        m_entries.clear();
    QMutexLocker cacheLock(&g_cacheLock);
    g_cache.erase(m_path);
    g_cache.erase(path);
    return ok;
}
