#include "TextEncoding.h"

#include <cstdint>

namespace vitalog {

namespace {

// Code points of the bytes 0x80-0x9F; 0 marks the five unassigned bytes. Every other byte
// stands for the code point of the same value.
constexpr char32_t HighTable[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,      // 0x88
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178, // 0x98
};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        // The table holds nothing beyond the Basic Multilingual Plane.
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Reads one strictly valid UTF-8 sequence (no overlong forms, no surrogates, nothing above
// U+10FFFF); false on anything else.
bool NextCodePoint(std::string_view s, std::size_t& i, char32_t& cp) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b0 = byte(i);
    int extra = 0;
    char32_t min = 0;
    if (b0 < 0x80) {
        cp = b0;
        ++i;
        return true;
    } else if ((b0 & 0xE0) == 0xC0) {
        extra = 1;
        cp = b0 & 0x1F;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2;
        cp = b0 & 0x0F;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3;
        cp = b0 & 0x07;
        min = 0x10000;
    } else {
        return false;
    }
    if (s.size() - i <= static_cast<std::size_t>(extra))
        return false;
    for (int k = 1; k <= extra; ++k) {
        const unsigned char b = byte(i + k);
        if ((b & 0xC0) != 0x80)
            return false;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return false;
    i += static_cast<std::size_t>(extra) + 1;
    return true;
}

} // namespace

std::optional<std::string> Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp = 0;
        if (!NextCodePoint(utf8, i, cp))
            return std::nullopt;
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out.push_back(static_cast<char>(cp));
            continue;
        }
        // U+0080-U+009F (C1 controls) fall through here too and find no byte.
        bool found = false;
        for (int k = 0; k < 32; ++k) {
            if (HighTable[k] != 0 && HighTable[k] == cp) {
                out.push_back(static_cast<char>(0x80 + k));
                found = true;
                break;
            }
        }
        if (!found)
            return std::nullopt;
    }
    return out;
}

std::optional<std::string> Cp1252ToUtf8(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size());
    for (char c : cp1252) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b <= 0x9F) {
            const char32_t cp = HighTable[b - 0x80];
            if (cp == 0)
                return std::nullopt;
            AppendUtf8(out, cp);
        } else {
            AppendUtf8(out, b);
        }
    }
    return out;
}

} // namespace vitalog
