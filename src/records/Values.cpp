#include "Values.h"

#include "Units.h"

#include <charconv>
#include <cstdio>

namespace vitalog {

namespace {

template <class Number> std::string Shortest(Number value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// Exactly `count` digits at `at`.
std::optional<int> Digits(std::string_view text, std::size_t at, std::size_t count) {
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

bool ReadDate(std::string_view text, int& year, int& month, int& day) {
    if (text.size() < 10 || text[4] != '-' || text[7] != '-')
        return false;
    const auto y = Digits(text, 0, 4), m = Digits(text, 5, 2), d = Digits(text, 8, 2);
    if (!y || !m || !d || *y < 1 || *m < 1 || *m > 12 || *d < 1 || *d > DaysInMonth(*y, *m))
        return false;
    year = *y;
    month = *m;
    day = *d;
    return true;
}

} // namespace

std::string FormatNumber(double value) {
    return Shortest(value);
}

std::string FormatNumber(float value) {
    return Shortest(value);
}

std::optional<double> ParseNumber(std::string_view text) {
    // from_chars takes no leading '+'; a spreadsheet may write one.
    if (text.starts_with('+'))
        text.remove_prefix(1);
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<int> ParseWhole(std::string_view text) {
    if (text.starts_with('+'))
        text.remove_prefix(1);
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string FormatDate(DateKey key) {
    int year = 0, month = 0, day = 0;
    SplitDateKey(key, year, month, day);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", year, month, day);
    return buffer;
}

std::optional<DateKey> ParseDate(std::string_view text) {
    int year = 0, month = 0, day = 0;
    if (text.size() != 10 || !ReadDate(text, year, month, day))
        return std::nullopt;
    return MakeDateKey(year, month, day);
}

std::string FormatDateTime(const DateTimeKey& key) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (!SplitDateTimeKey(key, year, month, day, hour, minute, second))
        return {};
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02d", year, month, day, hour,
                  minute, second);
    return buffer;
}

std::optional<DateTimeKey> ParseDateTime(std::string_view text) {
    int year = 0, month = 0, day = 0;
    if (text.size() != 19 || text[10] != 'T' || text[13] != ':' || text[16] != ':' ||
        !ReadDate(text, year, month, day))
        return std::nullopt;
    const auto hour = Digits(text, 11, 2), minute = Digits(text, 14, 2),
               second = Digits(text, 17, 2);
    if (!hour || !minute || !second || *hour > 23 || *minute > 59 || *second > 59)
        return std::nullopt;
    return MakeDateTimeKey(year, month, day, *hour, *minute, *second);
}

std::string SexText(int sex) {
    return sex == Male ? "male" : sex == Female ? "female" : std::to_string(sex);
}

std::string UnitsText(int units) {
    return units == Imperial ? "imperial" : units == Metric ? "metric" : std::to_string(units);
}

std::optional<int> ParseSex(std::string_view text) {
    if (text == "male")
        return Male;
    if (text == "female")
        return Female;
    return std::nullopt;
}

std::optional<int> ParseUnits(std::string_view text) {
    if (text == "imperial")
        return Imperial;
    if (text == "metric")
        return Metric;
    return std::nullopt;
}

} // namespace vitalog
