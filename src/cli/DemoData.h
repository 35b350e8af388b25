#pragma once

#include "records/DateKey.h"

#include <filesystem>
#include <string>

namespace vitalog::cli {

// Two users and a year of records of every kind but pictures, ending on lastDay: weights
// drifting, body fat by each method through the real formulas, tape, BMI and BMR every
// fortnight, blood pressure most days and on some days twice. The same lastDay always gives
// the same bytes. Refuses (false, with a reason) a directory that already holds users.
bool MakeDemoData(const std::filesystem::path& dataDir, DateKey lastDay, std::string& error);

// Whether "user.bin" is there with anything in it. The window program leaves an empty one
// behind when it starts on a new folder; that folder still counts as empty.
bool HoldsUserFile(const std::filesystem::path& dataDir);

} // namespace vitalog::cli
