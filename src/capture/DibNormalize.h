#pragma once
// Any packed DIB as a fresh 24-bit bottom-up one: the form the JPEG writer
// encodes. Reads 1, 4 and 8 bits with their colour tables, run-length 8 and
// 4 bits, 16 bits (5-5-5), 24 and 32 bits.

#include <QByteArray>

#include <cstddef>
#include <cstdint>

// The largest picture taken, in pixels: a 16K video frame fits. A header
// that claims more fails instead of asking for gigabytes.
constexpr std::uint64_t DIB_MAX_PIXELS = std::uint64_t(1) << 27;

// The picture as a 40-byte header (the input's, with biSize 40, 24 bits,
// no compression, no colour table, a positive height and the new
// biSizeImage) followed by rows of blue, green, red bytes padded to whole
// words, bottom row first. Empty when the bytes are no image this reads, or
// memory runs out. Whatever the bytes, nothing outside them is read.
QByteArray NormalizeDibTo24(const std::uint8_t* pData, std::size_t cbData);
QByteArray NormalizeDibTo24(const QByteArray& dib);
