#include "reports/MetafileWriter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace vitalog {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A picture whose every byte is different, so a swapped or misplaced byte shows.
RtfPicture Counting(std::int32_t width, std::int32_t height) {
    RtfPicture picture{width, height, Bytes(static_cast<std::size_t>(width * height * 3))};
    for (std::size_t i = 0; i < picture.rgb.size(); ++i)
        picture.rgb[i] = static_cast<std::uint8_t>(i + 1);
    return picture;
}

std::uint32_t U16(const Bytes& b, std::size_t at) {
    return b.at(at) | b.at(at + 1) << 8;
}
std::uint32_t U32(const Bytes& b, std::size_t at) {
    return U16(b, at) | U16(b, at + 2) << 16;
}
std::int16_t I16(const Bytes& b, std::size_t at) {
    return static_cast<std::int16_t>(U16(b, at));
}

// The whole metafile of a 3 x 2 picture drawn into 30 x 20, byte by byte.
TEST(MetafileWriter, SmallPictureByteForByte) {
    const RtfPicture picture{3, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}};
    const Bytes expected{
        // Header: memory metafile, 9 words, version 3.0, 71 words in all, no objects,
        // largest record 45 words, no members.
        0x01, 0x00, 0x09, 0x00, 0x00, 0x03, 71, 0x00, 0x00, 0x00, 0x00, 0x00, 45, 0x00, 0x00, 0x00,
        0x00, 0x00,
        // SETMAPMODE, anisotropic.
        4, 0, 0, 0, 0x03, 0x01, 8, 0,
        // SETWINDOWORG (0, 0), y first.
        5, 0, 0, 0, 0x0B, 0x02, 0, 0, 0, 0,
        // SETWINDOWEXT: height 20, then width 30.
        5, 0, 0, 0, 0x0C, 0x02, 20, 0, 30, 0,
        // DIBSTRETCHBLT, 13 + 64 / 2 words: SRCCOPY, source 2 x 3 from (0, 0), destination
        // 20 x 30 at (0, 0), heights first.
        45, 0, 0, 0, 0x41, 0x0B, 0x20, 0x00, 0xCC, 0x00, 2, 0, 3, 0, 0, 0, 0, 0, 20, 0, 30, 0, 0, 0,
        0, 0,
        // BITMAPINFOHEADER: 40 bytes, 3 x 2 (bottom-up), 1 plane, 24 bits, uncompressed,
        // 2 rows of 12 bytes, no resolution or colour counts.
        40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        // The bottom row first, blue green red, padded to 12 bytes; then the top row.
        12, 11, 10, 15, 14, 13, 18, 17, 16, 0, 0, 0, 3, 2, 1, 6, 5, 4, 9, 8, 7, 0, 0, 0,
        // End of file.
        3, 0, 0, 0, 0, 0};
    EXPECT_EQ(MetafileWriter::Bytes(picture, 30, 20), expected);
}

// The record walk of any picture: sizes in words that add up to the header's size, the
// largest one in the header, padded bottom-up rows.
TEST(MetafileWriter, RecordsAddUpForEverySize) {
    struct Case {
        std::int32_t width, height, destWidth, destHeight;
    };
    for (const Case c : {Case{1, 1, 1, 1}, Case{2, 3, 7, 5}, Case{4, 1, 4, 1}, Case{5, 7, 10, 14},
                         Case{1, 5, 0, 0}, Case{333, 2, 32767, 32767}}) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        const RtfPicture picture = Counting(c.width, c.height);
        const Bytes bytes = MetafileWriter::Bytes(picture, c.destWidth, c.destHeight);
        ASSERT_GE(bytes.size(), 18u);
        EXPECT_EQ(U16(bytes, 0), 1u);
        EXPECT_EQ(U16(bytes, 2), 9u);
        EXPECT_EQ(U16(bytes, 4), 0x0300u);
        EXPECT_EQ(U32(bytes, 6) * 2, bytes.size());
        EXPECT_EQ(U16(bytes, 10), 0u);
        EXPECT_EQ(U16(bytes, 16), 0u);

        std::vector<std::uint32_t> functions;
        std::uint32_t largest = 0;
        std::size_t at = 18;
        std::size_t blit = 0;
        while (at + 6 <= bytes.size()) {
            const std::uint32_t words = U32(bytes, at);
            ASSERT_GE(words, 3u);
            functions.push_back(U16(bytes, at + 4));
            if (functions.back() == 0x0B41)
                blit = at;
            largest = std::max(largest, words);
            at += std::size_t{words} * 2;
        }
        EXPECT_EQ(at, bytes.size());
        EXPECT_EQ(functions, (std::vector<std::uint32_t>{0x0103, 0x020B, 0x020C, 0x0B41, 0}));
        EXPECT_EQ(U32(bytes, 12), largest);
        ASSERT_NE(blit, 0u);

        EXPECT_EQ(I16(bytes, 18 + 8 + 10 + 6), c.destHeight); // window extent
        EXPECT_EQ(I16(bytes, 18 + 8 + 10 + 8), c.destWidth);
        EXPECT_EQ(I16(bytes, blit + 10), c.height);
        EXPECT_EQ(I16(bytes, blit + 12), c.width);
        EXPECT_EQ(I16(bytes, blit + 18), c.destHeight);
        EXPECT_EQ(I16(bytes, blit + 20), c.destWidth);

        const std::size_t dib = blit + 26;
        const std::size_t stride = (static_cast<std::size_t>(c.width) * 3 + 3) / 4 * 4;
        EXPECT_EQ(U32(bytes, dib + 4), static_cast<std::uint32_t>(c.width));
        EXPECT_EQ(U32(bytes, dib + 8), static_cast<std::uint32_t>(c.height));
        EXPECT_EQ(U32(bytes, dib + 20), stride * c.height);
        EXPECT_EQ(U32(bytes, blit) * 2, 26 + 40 + stride * c.height);
        for (std::int32_t y = 0; y < c.height; ++y) {
            const std::uint8_t* row = bytes.data() + dib + 40 + stride * (c.height - 1 - y);
            const std::uint8_t* source = picture.Row(y);
            for (std::int32_t x = 0; x < c.width; ++x) {
                ASSERT_EQ(row[x * 3], source[x * 3 + 2]) << x << ", " << y;
                ASSERT_EQ(row[x * 3 + 1], source[x * 3 + 1]) << x << ", " << y;
                ASSERT_EQ(row[x * 3 + 2], source[x * 3]) << x << ", " << y;
            }
            for (std::size_t pad = c.width * 3u; pad < stride; ++pad)
                ASSERT_EQ(row[pad], 0) << "padding of row " << y;
        }
    }
}

// Coordinates are signed 16-bit: larger pictures or destinations, and pictures without
// pixels, are refused before anything is written.
TEST(MetafileWriter, RefusesWhatTheFieldsCannotHold) {
    struct Case {
        RtfPicture picture;
        std::int32_t width, height;
        bool drawn;
    };
    const std::vector<Case> cases{
        {Counting(32767, 1), 1, 1, true},
        {Counting(32768, 1), 1, 1, false},
        {Counting(1, 32768), 1, 1, false},
        {Counting(1, 1), 32768, 1, false},
        {Counting(1, 1), 1, 32768, false},
        {Counting(1, 1), -1, 1, false},
        {RtfPicture{}, 1, 1, false},
        {RtfPicture{2, 2, Bytes(11)}, 2, 2, false}, // a byte short
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.picture.width << " x " << c.picture.height << " into "
                                        << c.width << " x " << c.height);
        EXPECT_EQ(MetafileWriter::CanDraw(c.picture, c.width, c.height), c.drawn);
        int pieces = 0;
        EXPECT_EQ(MetafileWriter::Write(c.picture, c.width, c.height,
                                        [&](std::span<const std::uint8_t>) {
                                            ++pieces;
                                            return true;
                                        }),
                  c.drawn);
        if (!c.drawn) {
            EXPECT_EQ(pieces, 0);
        }
    }
}

// Rows reach the sink one at a time, and a sink that stops ends the writing there.
TEST(MetafileWriter, StreamsRowsAndStopsWithTheSink) {
    const RtfPicture picture = Counting(100, 50);
    std::vector<std::size_t> pieces;
    ASSERT_TRUE(MetafileWriter::Write(picture, 100, 50, [&](std::span<const std::uint8_t> piece) {
        pieces.push_back(piece.size());
        return true;
    }));
    ASSERT_EQ(pieces.size(), 1u + 50 + 1);
    EXPECT_EQ(pieces[1], 300u);

    int calls = 0;
    EXPECT_FALSE(MetafileWriter::Write(picture, 100, 50,
                                       [&](std::span<const std::uint8_t>) { return ++calls < 3; }));
    EXPECT_EQ(calls, 3);
}

} // namespace
} // namespace vitalog
