#pragma once
// Code page 932, the Japanese Shift-JIS of Windows: playlist files made there
// are in it, and ours are too whenever their names allow.

#include <QByteArray>
#include <QString>

#include <optional>

// The CP932 bytes of the text, or nothing when some character has no CP932
// form or would not read back as the same character (the wave dash and the
// yen sign, for instance, read back as different characters).
std::optional<QByteArray> EncodeCp932(const QString& text);

// The text of CP932 bytes; a byte sequence that is not CP932 becomes U+FFFD.
QString DecodeCp932(const QByteArray& bytes);
