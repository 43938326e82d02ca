#include "shell/DesktopEntry.h"

namespace {

// Characters that the Exec key's own quoting escapes with a backslash.
bool EscapedInQuotes(QChar c)
{
    return c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\');
}

// The value escapes of the file format, applied after the Exec quoting.
QString EscapeValue(const QString& value)
{
    QString out;
    out.reserve(value.size() + 8);
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\t': out += QLatin1String("\\t"); break;
        case '\r': out += QLatin1String("\\r"); break;
        default: out += c;
        }
    }
    return out;
}

} // namespace

const QStringList& PlayableMimeTypes()
{
    static const QStringList types = {
        // Sound
        QStringLiteral("audio/x-wav"), QStringLiteral("audio/wav"), QStringLiteral("audio/mpeg"),
        QStringLiteral("audio/x-ms-wma"), QStringLiteral("audio/basic"), QStringLiteral("audio/x-aiff"),
        QStringLiteral("audio/x-aifc"), QStringLiteral("audio/midi"), QStringLiteral("audio/mp4"),
        QStringLiteral("audio/x-m4a"), QStringLiteral("audio/aac"), QStringLiteral("audio/flac"),
        QStringLiteral("audio/x-flac"), QStringLiteral("audio/ogg"), QStringLiteral("audio/x-vorbis+ogg"),
        QStringLiteral("audio/x-opus+ogg"), QStringLiteral("audio/x-matroska"), QStringLiteral("audio/ac3"),
        QStringLiteral("audio/x-wavpack"),
        // Pictures with or without sound
        QStringLiteral("video/x-msvideo"), QStringLiteral("video/x-ms-wmv"), QStringLiteral("video/x-ms-asf"),
        QStringLiteral("application/vnd.ms-asf"), QStringLiteral("video/mpeg"), QStringLiteral("video/mp4"),
        QStringLiteral("video/x-m4v"), QStringLiteral("video/x-matroska"), QStringLiteral("video/webm"),
        QStringLiteral("video/ogg"), QStringLiteral("video/mp2t"), QStringLiteral("video/quicktime"),
        QStringLiteral("video/3gpp"), QStringLiteral("video/x-flv"), QStringLiteral("application/ogg"),
        // Playlists
        QStringLiteral("audio/x-mpegurl"),
    };
    return types;
}

QString DesktopExecProgram(const QString& exePath)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : exePath) {
        if (EscapedInQuotes(c))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted += QLatin1Char('"');
    // A "%" left single would be read as a field code.
    quoted.replace(QLatin1Char('%'), QLatin1String("%%"));
    return EscapeValue(quoted);
}

QByteArray SendToEntryText(const QString& exePath)
{
    QString text = QStringLiteral("[Desktop Entry]\n"
                                  "Type=Application\n"
                                  "Name=orvで再生\n"
                                  "Icon=orv\n");
    text += QStringLiteral("Exec=") + DesktopExecProgram(exePath) + QStringLiteral(" %F\n");
    text += QStringLiteral("MimeType=") + PlayableMimeTypes().join(QLatin1Char(';')) + QStringLiteral(";\n");
    text += QStringLiteral("NoDisplay=true\n"
                           "Terminal=false\n");
    return text.toUtf8();
}
