// Every kind of DIB the JPEG writer may be handed, made by hand, and the
// run-length data and headers a broken or hostile source could send.

#include "DibBuilder.h"

#include "capture/DibNormalize.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

constexpr std::uint32_t A = 0x102030, B = 0x405060, C = 0x708090, D = 0xA0B0C0;
const Bgr kBlack { 0, 0, 0 };

TEST(DibNormalize, PaletteImagesLookUpTheirColourTable)
{
    // 1 bit, 10 wide: pixel i is bit 7 - i % 8 of byte i / 8.
    const QByteArray one = NormalizeDibTo24(MakeDib(10, 2, 1, { A, B },
        Bytes({ 0b10110000, 0b01000000, 0, 0, /* top: */ 0xFF, 0xC0, 0, 0 })));
    ASSERT_EQ(one.size(), 40 + 64);
    const Bgr bottom[10] = { Rgb(B), Rgb(A), Rgb(B), Rgb(B), Rgb(A), Rgb(A), Rgb(A), Rgb(A), Rgb(A), Rgb(B) };
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(Pixel24(one, x, 1), bottom[x]) << x;
        EXPECT_EQ(Pixel24(one, x, 0), Rgb(B)) << x;
    }
    // Row padding is zero.
    EXPECT_EQ(one.mid(40 + 30, 2), Bytes({ 0, 0 }));

    // 8 bits with a short table: an index past it is black, not what lies
    // behind the table.
    const QByteArray eight = NormalizeDibTo24(MakeDib(2, 1, 8, { A, B }, Bytes({ 1, 7, 0, 0 })));
    ASSERT_FALSE(eight.isEmpty());
    EXPECT_EQ(Pixel24(eight, 0, 0), Rgb(B));
    EXPECT_EQ(Pixel24(eight, 1, 0), kBlack);

    // biClrUsed 0: the full 2^bits table, with the rows right after it.
    QByteArray full = MakeDib(1, 1, 1, { A, B }, Bytes({ 0x80, 0, 0, 0 }));
    BITMAPINFOHEADER h = HeaderOf(full);
    h.biClrUsed = 0;
    std::memcpy(full.data(), &h, sizeof h);
    EXPECT_EQ(Pixel24(NormalizeDibTo24(full), 0, 0), Rgb(B));
}

TEST(DibNormalize, DirectColourImages)
{
    // 16 bits, 5-5-5: full components stay full, the top bit is ignored.
    const QByteArray sixteen = NormalizeDibTo24(
        MakeDib(4, 1, 16, {}, Bytes({ 0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x80, 0x10, 0x00 })));
    ASSERT_FALSE(sixteen.isEmpty());
    EXPECT_EQ(Pixel24(sixteen, 0, 0), (Bgr { 0, 0, 255 }));
    EXPECT_EQ(Pixel24(sixteen, 1, 0), (Bgr { 0, 255, 0 }));
    EXPECT_EQ(Pixel24(sixteen, 2, 0), (Bgr { 255, 0, 0 }));
    EXPECT_EQ(Pixel24(sixteen, 3, 0), (Bgr { 132, 0, 0 }));

    // 24 bits come back as they were; biBitCount 0 is read as 24.
    const QByteArray rgb24 = MakeDib(1, 2, 24, {}, Bytes({ 1, 2, 3, 0, 4, 5, 6, 0 }));
    EXPECT_EQ(NormalizeDibTo24(rgb24), rgb24);
    EXPECT_EQ(NormalizeDibTo24(MakeDib(1, 2, 0, {}, Bytes({ 1, 2, 3, 0, 4, 5, 6, 0 }))).mid(40), rgb24.mid(40));

    // A top-down image comes out bottom-up.
    const QByteArray topDown = NormalizeDibTo24(MakeDib(1, -2, 24, {}, Bytes({ 4, 5, 6, 0, 1, 2, 3, 0 })));
    EXPECT_EQ(HeaderOf(topDown).biHeight, 2);
    EXPECT_EQ(topDown.mid(40), rgb24.mid(40));
}

// 4 × 3, RLE8: encoded and absolute runs, a delta, end of line and of bitmap.
QByteArray Rle8Sample(std::int64_t cbSizeImage = -1)
{
    return MakeDib(4, 3, 8, { A, B, C, D },
        Bytes({ 3, 1, 0, 0, /* row 1 */ 0, 3, 2, 3, 1, 0, 1, 2, 0, 0, /* row 2 */ 0, 2, 1, 0, 1, 3, 0, 1 }),
        BI_RLE8, cbSizeImage);
}

TEST(DibNormalize, RunLengthImagesFollowThePublishedRules)
{
    const QByteArray rle8 = NormalizeDibTo24(Rle8Sample());
    ASSERT_FALSE(rle8.isEmpty());
    const std::uint32_t expected8[3][4] = { { A, D, A, A }, { C, D, B, C }, { B, B, B, A } };
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(Pixel24(rle8, x, y), Rgb(expected8[y][x])) << x << "," << y;
}

TEST(DibNormalize, RunLengthDataIsReadNoFurtherThanBiSizeImage)
{
    const QByteArray whole = Rle8Sample();
    // Cut before the end-of-bitmap code: refused, though the bytes are there.
    EXPECT_TRUE(NormalizeDibTo24(Rle8Sample(HeaderOf(whole).biSizeImage - 2)).isEmpty());
    // A biSizeImage beyond the buffer reads to the buffer's end only.
    EXPECT_EQ(NormalizeDibTo24(Rle8Sample(0x7FFFFFFF)).mid(40), NormalizeDibTo24(whole).mid(40));
    // Whatever follows the end-of-bitmap code is not looked at.
    QByteArray trailing = whole + Bytes({ 0, 5, 1 });
    EXPECT_EQ(NormalizeDibTo24(trailing).mid(40), NormalizeDibTo24(whole).mid(40));
}

TEST(DibNormalize, HostileRunLengthData)
{
    auto rle8 = [](int w, int h, const QByteArray& data) {
        return NormalizeDibTo24(MakeDib(w, h, 8, { A, B, C, D }, data, BI_RLE8));
    };
    // A run past the end of its row is cut there, not carried into the next.
    const QByteArray pastRow = rle8(2, 2, Bytes({ 5, 1, 0, 0, 1, 2, 0, 1 }));
    ASSERT_FALSE(pastRow.isEmpty());
    EXPECT_EQ(Pixel24(pastRow, 0, 1), Rgb(B));
    EXPECT_EQ(Pixel24(pastRow, 1, 1), Rgb(B));
    EXPECT_EQ(Pixel24(pastRow, 0, 0), Rgb(C));
    EXPECT_EQ(Pixel24(pastRow, 1, 0), Rgb(A));
    // An absolute run past the row, in 4 bits too.
    EXPECT_FALSE(rle8(1, 1, Bytes({ 0, 4, 1, 2, 3, 3, 0, 1 })).isEmpty());
    EXPECT_FALSE(NormalizeDibTo24(MakeDib(1, 1, 4, { A, B }, Bytes({ 9, 0x11, 0, 7, 1, 2, 3, 4, 0, 1 }), BI_RLE4)).isEmpty());

    // Codes past the last row, and deltas out of the picture, draw nothing.
    const QByteArray pastImage = rle8(1, 1,
        Bytes({ 0, 0, 0, 0, 255, 1, 0, 3, 1, 1, 1, 0, 0, 2, 255, 255, 0, 2, 255, 255, 200, 3, 0, 1 }));
    ASSERT_FALSE(pastImage.isEmpty());
    EXPECT_EQ(Pixel24(pastImage, 0, 0), Rgb(A));

    // Data that ends before its end-of-bitmap code, or inside a code.
    for (const QByteArray& cut : { Bytes({}), Bytes({ 3 }), Bytes({ 3, 1 }), Bytes({ 3, 1, 0 }),
             Bytes({ 0, 0, 0, 0 }), Bytes({ 0, 5, 1, 2 }), Bytes({ 0, 3, 1, 2, 3 }), Bytes({ 0, 2, 1 }) })
        EXPECT_TRUE(rle8(4, 4, cut).isEmpty()) << cut.toHex().constData();
    EXPECT_TRUE(NormalizeDibTo24(MakeDib(4, 1, 4, { A }, Bytes({ 0, 5, 0x12, 0x34 }), BI_RLE4)).isEmpty());
}

TEST(DibNormalize, HeadersThatLieAreRefused)
{
    const QByteArray pixels = Bytes({ 1, 2, 3, 0 });
    auto withHeader = [&](auto change, const QByteArray& dib) {
        QByteArray out = dib;
        BITMAPINFOHEADER bih = HeaderOf(out);
        change(bih);
        std::memcpy(out.data(), &bih, sizeof bih);
        return NormalizeDibTo24(out);
    };
    const QByteArray good = MakeDib(1, 1, 24, {}, pixels);
    ASSERT_FALSE(NormalizeDibTo24(good).isEmpty());
    // Sizes no buffer could hold, and sizes that overflow 32-bit sums.
    EXPECT_TRUE(withHeader([](auto& h) { h.biWidth = INT_MAX; h.biHeight = INT_MAX; }, good).isEmpty());
    EXPECT_TRUE(withHeader([](auto& h) { h.biWidth = 2; }, good).isEmpty());
    EXPECT_TRUE(withHeader([](auto& h) { h.biHeight = INT_MIN; }, good).isEmpty());
    EXPECT_TRUE(withHeader([](auto& h) { h.biSize = 0xFFFFFFFF; }, good).isEmpty());
    EXPECT_TRUE(withHeader([](auto& h) { h.biClrUsed = 0xFFFFFFFF; }, good).isEmpty());
    // Kinds this does not read.
    EXPECT_TRUE(withHeader([](auto& h) { h.biBitCount = 2; }, good).isEmpty());
    EXPECT_TRUE(withHeader([](auto& h) { h.biCompression = 3; }, good).isEmpty());
    EXPECT_TRUE(withHeader([](auto& h) { h.biBitCount = 4; }, Rle8Sample()).isEmpty());
    EXPECT_TRUE(withHeader([](auto& h) { h.biHeight = -h.biHeight; }, Rle8Sample()).isEmpty());
    EXPECT_TRUE(NormalizeDibTo24(good.left(39)).isEmpty());
    EXPECT_TRUE(NormalizeDibTo24(good.left(43)).isEmpty());
    EXPECT_TRUE(NormalizeDibTo24(nullptr, 0).isEmpty());

    // A few bytes of run-length data claiming a picture of billions of
    // pixels fail before anything is allocated for it.
    EXPECT_TRUE(withHeader([](auto& h) { h.biWidth = 65536; h.biHeight = 65536; }, Rle8Sample()).isEmpty());
    EXPECT_TRUE(withHeader([](auto& h) { h.biWidth = INT_MAX; h.biHeight = 1; }, Rle8Sample()).isEmpty());
}

} // namespace
