#pragma once

#include <cstdint>

namespace vitalog {

// Result of the writing record operations; the values are part of the program's contract.
enum class StoreResult : std::int32_t {
    AlreadyExists = 1,
    NotFound = 2,
    Done = 3,
    FileError = 4,
};

} // namespace vitalog
