#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vitalog {

// Reads "user.bin" and every record file of the data directory and describes each fault, one
// line each: a header that is not 600, a partial record at the end, a live key that occurs
// twice, an unknown method text, a record file of a user "user.bin" does not list, a stored
// text without its NUL. Empty for a sound directory. Never writes or creates a file.
std::vector<std::string> CheckDataDirectory(const std::filesystem::path& dataDir);

// The live records of a record file; none for a file of no known kind.
std::optional<std::size_t> LiveRecordCount(const std::filesystem::path& file);

} // namespace vitalog
