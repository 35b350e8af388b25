#pragma once

#include "DateKey.h"

#include <optional>
#include <string>
#include <string_view>

namespace vitalog {

// The texts of stored values in the CSV files and the readers that take them back.

// The shortest text that reads back to the same value.
std::string FormatNumber(double value);
std::string FormatNumber(float value);
std::optional<double> ParseNumber(std::string_view text);
std::optional<int> ParseWhole(std::string_view text);

// YYYY-MM-DD; the reader takes real calendar dates only.
std::string FormatDate(DateKey key);
std::optional<DateKey> ParseDate(std::string_view text);

// YYYY-MM-DDTHH:MM:SS; empty for a key that denotes no moment.
std::string FormatDateTime(const DateTimeKey& key);
std::optional<DateTimeKey> ParseDateTime(std::string_view text);

std::string SexText(int sex);                         // "male", "female", else the number
std::string UnitsText(int units);                     // "imperial", "metric", else the number
std::optional<int> ParseSex(std::string_view text);   // Sex
std::optional<int> ParseUnits(std::string_view text); // UnitSystem

} // namespace vitalog
