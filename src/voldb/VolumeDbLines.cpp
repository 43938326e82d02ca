#include "voldb/VolumeDbLines.h"

#include "platform/ProfileFile.h"

#include <QStringView>

#include <algorithm>

namespace {

constexpr int VOLUME_DIGITS = 3;

// Unit for unit, so that offsets in the file and in the text agree even
// where the file holds something that is not valid UTF-16.
QByteArray ToUtf16Le(QStringView text)
{
    QByteArray out;
    out.reserve(text.size() * 2);
    for (const QChar c : text) {
        out.append(static_cast<char>(c.unicode() & 0xFF));
        out.append(static_cast<char>(c.unicode() >> 8));
    }
    return out;
}

QString FromUtf16Le(const QByteArray& bytes, qsizetype from)
{
    QString text;
    const qsizetype units = (bytes.size() - from) / 2;
    text.resize(units);
    for (qsizetype i = 0; i < units; ++i) {
        const auto lo = static_cast<unsigned char>(bytes[from + 2 * i]);
        const auto hi = static_cast<unsigned char>(bytes[from + 2 * i + 1]);
        text[i] = QChar(static_cast<char16_t>(lo | (hi << 8)));
    }
    return text;
}

char16_t UnitAt(const QByteArray& bytes, qsizetype at)
{
    return static_cast<char16_t>(static_cast<unsigned char>(bytes[at])
        | (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

int ClampVolume(int nVolume) { return std::clamp(nVolume, 0, 100); }

} // namespace

QByteArray VolumeDbLine(const QString& path, int nVolume)
{
    return ToUtf16Le(path + QLatin1Char('|')
        + QString::asprintf("%03d", ClampVolume(nVolume)) + QLatin1String("\r\n"));
}

bool FindVolumeDbLine(const QByteArray& file, const QString& path, VolumeDbFound* pFound)
{
    *pFound = VolumeDbFound();
    if (!file.startsWith(VOLDB_BOM))
        return false;
    const QString text = FromUtf16Le(file, VOLDB_BOM_BYTES);
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype eol = text.indexOf(QLatin1Char('\n'), pos);
        if (eol < 0)
            eol = text.size();
        qsizetype end = eol;
        if (end > pos && text[end - 1] == QLatin1Char('\r'))
            --end;
        const qsizetype bar = text.indexOf(QLatin1Char('|'), pos);
        if (bar >= 0 && bar < end && QStringView(text).sliced(pos, bar - pos) == path
            && end - (bar + 1) >= VOLUME_DIGITS) {
            pFound->nVolume = ClampVolume(ProfileTextToInt(text.sliced(bar + 1, VOLUME_DIGITS)));
            pFound->llOffset = VOLDB_BOM_BYTES + 2 * pos;
            return true;
        }
        pos = eol + 1;
    }
    return false;
}

bool IsVolumeDbLineAt(const QByteArray& around, qint64 llOffset, const QString& path)
{
    if (llOffset < VOLDB_BOM_BYTES || llOffset % 2 != 0)
        return false;
    const QByteArray head = ToUtf16Le(QString(path + QLatin1Char('|')));
    const qsizetype lineBytes = head.size() + 2 * (VOLUME_DIGITS + 2);
    if (around.size() != 2 + lineBytes)
        return false;
    // The unit before is the mark (the first line) or the end of a line.
    if (llOffset == VOLDB_BOM_BYTES ? !around.startsWith(VOLDB_BOM) : UnitAt(around, 0) != u'\n')
        return false;
    if (around.mid(2, head.size()) != head)
        return false;
    for (int i = 0; i < VOLUME_DIGITS; ++i) {
        const char16_t c = UnitAt(around, 2 + head.size() + 2 * i);
        if (c == u'\r' || c == u'\n')
            return false;
    }
    const qsizetype eol = 2 + head.size() + 2 * VOLUME_DIGITS;
    return UnitAt(around, eol) == u'\r' && UnitAt(around, eol + 2) == u'\n';
}
