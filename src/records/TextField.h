#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace vitalog::detail {

// Fixed-size, NUL-terminated text fields of the record layouts.

// The text up to the first NUL, never past the field (a damaged record may hold none).
inline std::string ReadTextField(const char* field, std::size_t size) {
    const void* nul = std::memchr(field, '\0', size);
    const std::size_t length =
        nul != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nul) - field) : size;
    return std::string(field, length);
}

// Stores the text and zero-fills the rest of the field. Refuses, leaving the field as it
// was, a text that does not fit with its NUL or that holds a NUL (it would read back cut).
inline bool WriteTextField(char* field, std::size_t size, std::string_view text) {
    if (text.size() >= size || text.find('\0') != std::string_view::npos)
        return false;
    std::memset(field, 0, size);
    std::memcpy(field, text.data(), text.size());
    return true;
}

} // namespace vitalog::detail
