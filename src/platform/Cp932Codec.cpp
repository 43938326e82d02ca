#include "platform/Cp932Codec.h"

#include <cerrno>

#include <iconv.h>

namespace {

// One conversion with glibc's iconv. With bReplace, a byte sequence the
// source code page cannot hold becomes U+FFFD and the conversion goes on;
// without it the conversion fails there.
std::optional<QByteArray> Convert(const char* to, const char* from, const QByteArray& in, bool bReplace)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;

    QByteArray out;
    out.reserve(in.size() * 2 + 16);
    char buf[4096];
    char* src = const_cast<char*>(in.constData());
    size_t srcLeft = static_cast<size_t>(in.size());
    bool ok = true;
    while (srcLeft > 0) {
        char* dst = buf;
        size_t dstLeft = sizeof buf;
        const size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf, static_cast<qsizetype>(dst - buf));
        if (rc != static_cast<size_t>(-1))
            continue;
        if (errno == E2BIG)
            continue;
        if (!bReplace) {
            ok = false;
            break;
        }
        out.append("\xEF\xBF\xBD"); // U+FFFD in UTF-8
        if (errno == EINVAL) // cut off at the end
            break;
        ++src;
        --srcLeft;
    }
    iconv_close(cd);
    if (!ok)
        return std::nullopt;
    return out;
}

} // namespace

std::optional<QByteArray> EncodeCp932(const QString& text)
{
    std::optional<QByteArray> bytes = Convert("CP932", "UTF-8", text.toUtf8(), false);
    if (!bytes || DecodeCp932(*bytes) != text)
        return std::nullopt;
    return bytes;
}

QString DecodeCp932(const QByteArray& bytes)
{
    const std::optional<QByteArray> utf8 = Convert("UTF-8", "CP932", bytes, true);
    return utf8 ? QString::fromUtf8(*utf8) : QString();
}
