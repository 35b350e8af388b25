#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vitalog::cli {

// Reads "user.bin" and every record file of the data directory and describes each fault, one
// line each: a header that is not 600, a partial record at the end, a live key that occurs
// twice, an unknown method text, a record file of a user "user.bin" does not list, a stored
// text without its NUL. Empty for a sound directory. Never writes or creates a file.
std::vector<std::string> CheckDataDirectory(const std::filesystem::path& dataDir);

} // namespace vitalog::cli
