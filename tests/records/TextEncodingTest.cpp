#include "records/TextEncoding.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace vitalog {
namespace {

struct Pair {
    std::string cp1252;
    std::string utf8;
};

// Both directions of the conversion, including every special byte of 0x80-0x9F.
TEST(TextEncoding, ConvertsBothWays) {
    for (const Pair& p : std::vector<Pair>{
             {"Ann", "Ann"},
             {"", ""},
             {"\x80", "\u20AC"},
             {"\x82\x83\x84\x85\x86\x87", "\u201A\u0192\u201E\u2026\u2020\u2021"},
             {"\x88\x89\x8A\x8B\x8C\x8E", "\u02C6\u2030\u0160\u2039\u0152\u017D"},
             {"\x91\x92\x93\x94\x95\x96\x97", "\u2018\u2019\u201C\u201D\u2022\u2013\u2014"},
             {"\x98\x99\x9A\x9B\x9C\x9E\x9F", "\u02DC\u2122\u0161\u203A\u0153\u017E\u0178"},
             {"\xA0\xA9\xE9\xFF", "\u00A0\u00A9\u00E9\u00FF"},
             {"Jos\xE9 M\xFCller", "Jos\u00E9 M\u00FCller"},
             {std::string("a\0b", 3), std::string("a\0b", 3)},
         }) {
        EXPECT_EQ(Cp1252ToUtf8(p.cp1252), p.utf8) << p.utf8;
        EXPECT_EQ(Utf8ToCp1252(p.utf8), p.cp1252) << p.utf8;
    }
}

TEST(TextEncoding, EveryAssignedByteRoundTrips) {
    for (int b = 1; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const auto utf8 = Cp1252ToUtf8(byte);
        if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) {
            EXPECT_EQ(utf8, std::nullopt) << b;
            continue;
        }
        ASSERT_TRUE(utf8.has_value()) << b;
        EXPECT_EQ(Utf8ToCp1252(*utf8), byte) << b;
    }
}

TEST(TextEncoding, RefusesWhatHasNoForm) {
    for (const std::string& utf8 : std::vector<std::string>{
             "\u0100",     // Latin Extended-A letter not in the table
             "\u4E2D",     // CJK
             "\U0001F600", // outside the Basic Multilingual Plane
             "\u0080",
             "\u0081", // C1 controls: those bytes mean other characters here
             "ok\u20ACbut\u0101",
         })
        EXPECT_EQ(Utf8ToCp1252(utf8), std::nullopt) << utf8;
}

TEST(TextEncoding, RefusesInvalidUtf8) {
    for (const std::string& bad : std::vector<std::string>{
             "\x80",             // lone continuation byte
             "\xC3",             // cut short
             "\xE2\x82",         // cut short
             "\xC0\xAF",         // overlong '/'
             "\xE0\x80\xAF",     // overlong '/'
             "\xED\xA0\x80",     // surrogate
             "\xF4\x90\x80\x80", // above U+10FFFF
             "\xFF", "\xFE",
             "abc\xE9", // Windows-1252 text is not UTF-8
         })
        EXPECT_EQ(Utf8ToCp1252(bad), std::nullopt);
}

} // namespace
} // namespace vitalog
