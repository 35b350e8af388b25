#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vitalog {

// Windows-1252 is the encoding of every stored text. These are the only conversions;
// a text that has no Windows-1252 form is refused (nullopt), never altered.
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);
// Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D are unassigned and give nullopt.
std::optional<std::string> Cp1252ToUtf8(std::string_view cp1252);

} // namespace vitalog
