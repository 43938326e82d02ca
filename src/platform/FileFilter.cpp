#include "platform/FileFilter.h"

#include <QStringList>

#include <algorithm>

namespace {

// The characters Qt accepts inside a filter's parentheses, less the blank
// and ";" that separate patterns. A pattern with any other character would
// make Qt read the whole filter as one pattern that matches nothing.
bool QtPatternChar(QChar c)
{
    static const QString kOthers = QStringLiteral("_.,*?+#-[]@{}/!<>$%&=^~:");
    if (c.unicode() >= 0x80)
        return false;
    return c.isLetterOrNumber() || kOthers.contains(c);
}

QString CaseFreePattern(const QString& pattern)
{
    if (pattern == QLatin1String("*.*"))
        return QStringLiteral("*");
    QString out;
    for (const QChar c : pattern) {
        const QChar lower = c.toLower();
        const QChar upper = c.toUpper();
        if (lower != upper)
            out += QLatin1Char('[') + lower + upper + QLatin1Char(']');
        else
            out += c;
    }
    return out;
}

} // namespace

QString MfcFilterToQt(const QString& mfcFilter)
{
    const QStringList parts = mfcFilter.split(QLatin1Char('|'));
    QStringList filters;
    // Pairs of display text and patterns; an empty display text ends the list.
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString text = parts[i].trimmed();
        if (text.isEmpty())
            break;
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString pattern = p.trimmed();
            if (!pattern.isEmpty() && std::all_of(pattern.begin(), pattern.end(), QtPatternChar))
                patterns << CaseFreePattern(pattern);
        }
        if (patterns.isEmpty())
            continue;
        filters << text + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}
