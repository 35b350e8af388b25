#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vitalog {

// year * 10000 + month * 100 + day; 0 or less means no date chosen.
using DateKey = std::int32_t;

DateKey MakeDateKey(int year, int month, int day);
void SplitDateKey(DateKey key, int& year, int& month, int& day);
// style 1: "03/07/2004"; style 2: "3/7/04" (full year when year % 100 == 0); else "".
std::string FormatDateKey(DateKey key, int style);
// Inverts style 1: slashes removed, leading digits read as one number.
DateKey ParseDateKey(std::string_view text);

// Blood pressure key: days since 30 December 1899 (fraction = time of day) and a status.
struct DateTimeKey {
    enum Status : std::int32_t { Valid = 0, Invalid = 1, Null = 2 };

    double when = 0;
    std::int32_t status = Valid;

    friend bool operator==(const DateTimeKey&, const DateTimeKey&) = default;
};

// The one function that turns a calendar date and a time of day into the stored double.
DateTimeKey MakeDateTimeKey(int year, int month, int day, int hour, int minute, int second);
// Back to calendar fields, rounded to the nearest second. Returns false for a non-valid key.
bool SplitDateTimeKey(const DateTimeKey& key, int& year, int& month, int& day, int& hour,
                      int& minute, int& second);
// Ordering by the moment denoted (used to sort newest first).
bool DateTimeKeyLess(const DateTimeKey& a, const DateTimeKey& b);

} // namespace vitalog
