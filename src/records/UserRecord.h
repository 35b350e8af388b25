#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vitalog {

// A user's profile: 64 bytes in "user.bin", in CurrentUser and at the start of every record.
struct UserRecord {
    static constexpr std::size_t NameFieldSize = 32;
    static constexpr std::size_t MaxNameLength = 30;

    char name[NameFieldSize] = {}; // Windows-1252 bytes, NUL-terminated, zero-filled
    double weight = 0;             // always pounds on disk
    std::int32_t age = 0;
    std::int32_t units = 0;       // UnitSystem
    std::int32_t lengthUnits = 0; // LengthUnits, always units + 2
    float desiredBodyFat = 0;
    std::int32_t sex = 0;    // Sex
    std::int32_t active = 0; // 1 live, 0 tombstone; in CurrentUser: a user is selected

    // The stored name (Windows-1252 bytes) up to its NUL, never past the field.
    std::string Name() const;
    // Copies at most 31 bytes and zero-fills the rest; returns false (and stores nothing)
    // when the text does not fit or holds a NUL (it would read back shorter).
    bool SetName(std::string_view cp1252Name);
};

} // namespace vitalog
