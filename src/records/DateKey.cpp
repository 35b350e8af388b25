#include "DateKey.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace vitalog {

namespace {

// Wider arithmetic, then the modular narrowing of C++20: nonsense input gives a nonsense
// key, never undefined behaviour.
DateKey KeyFrom(std::int64_t year, std::int64_t month, std::int64_t day) {
    return static_cast<DateKey>(year * 10000 + month * 100 + day);
}

std::string TwoDigits(int value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, value >= 10 ? "%d/" : "0%d/", value);
    return buf;
}

// Proleptic Gregorian day count, day 0 = 1 January 1970.
std::int64_t DaysFromCivil(std::int64_t y, std::int64_t m, std::int64_t d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, std::int64_t& y, int& m, int& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = yoe + era * 400 + (m <= 2 ? 1 : 0);
}

// 30 December 1899 in the count above.
constexpr std::int64_t AutomationEpoch = -25569;
constexpr std::int64_t SecondsPerDay = 86400;

// Maps a double onto an integer with the same order, NaNs and infinities included, so that
// keys read from a damaged file still sort without breaking the sort's preconditions.
std::int64_t OrderedBits(double v) {
    const auto bits = std::bit_cast<std::int64_t>(v);
    return bits >= 0 ? bits
                     : static_cast<std::int64_t>(std::numeric_limits<std::int64_t>::min() - bits);
}

} // namespace

DateKey MakeDateKey(int year, int month, int day) {
    return KeyFrom(year, month, day);
}

void SplitDateKey(DateKey key, int& year, int& month, int& day) {
    year = key / 10000;
    month = (key % 10000) / 100;
    day = key - year * 10000 - month * 100;
}

std::string FormatDateKey(DateKey key, int style) {
    int year = 0, month = 0, day = 0;
    SplitDateKey(key, year, month, day);
    char buf[32];
    switch (style) {
    case 1:
        std::snprintf(buf, sizeof buf, "%d", year);
        return TwoDigits(month) + TwoDigits(day) + buf;
    case 2: {
        const int shortYear = year % 100;
        if (shortYear >= 10)
            std::snprintf(buf, sizeof buf, "%d/%d/%d", month, day, shortYear);
        else if (shortYear >= 1)
            std::snprintf(buf, sizeof buf, "%d/%d/0%d", month, day, shortYear);
        else
            std::snprintf(buf, sizeof buf, "%d/%d/%d", month, day, year);
        return buf;
    }
    default:
        return {};
    }
}

DateKey ParseDateKey(std::string_view text) {
    std::string digits;
    digits.reserve(text.size());
    for (char c : text)
        if (c != '/')
            digits.push_back(c);

    // The C library's decimal conversion: leading white space, an optional sign, digits;
    // saturates on overflow like strtol with a 64-bit long.
    std::size_t i = 0;
    while (i < digits.size() && (digits[i] == ' ' || (digits[i] >= '\t' && digits[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < digits.size() && (digits[i] == '+' || digits[i] == '-')) {
        negative = digits[i] == '-';
        ++i;
    }
    constexpr std::int64_t max = std::numeric_limits<std::int64_t>::max();
    std::int64_t n = 0;
    bool overflow = false;
    for (; i < digits.size() && digits[i] >= '0' && digits[i] <= '9'; ++i) {
        const int digit = digits[i] - '0';
        if (!overflow && n > (max - digit) / 10)
            overflow = true;
        if (!overflow)
            n = n * 10 + digit;
    }
    if (overflow)
        n = negative ? std::numeric_limits<std::int64_t>::min() : max;
    else if (negative)
        n = -n;

    return KeyFrom(n % 10000, n / 1000000, (n % 1000000) / 10000);
}

DateTimeKey MakeDateTimeKey(int year, int month, int day, int hour, int minute, int second) {
    const std::int64_t days = DaysFromCivil(year, month, day) - AutomationEpoch;
    const std::int64_t seconds = std::int64_t{hour} * 3600 + std::int64_t{minute} * 60 + second;
    return DateTimeKey{static_cast<double>(days) + static_cast<double>(seconds) / SecondsPerDay,
                       DateTimeKey::Valid};
}

bool SplitDateTimeKey(const DateTimeKey& key, int& year, int& month, int& day, int& hour,
                      int& minute, int& second) {
    if (key.status != DateTimeKey::Valid || !std::isfinite(key.when))
        return false;
    // Beyond about ten million years the arithmetic below would overflow; no date is there.
    if (std::fabs(key.when) > 4e9)
        return false;
    // Whole days first, then the seconds into the day: when * 86400 rounded as one product can
    // land on the half second and turn 04:34:02.4999998 into :03. Days count by floor, so -0.25
    // is 29 December 1899 18:00, as MakeDateTimeKey builds it.
    constexpr double daySeconds = SecondsPerDay;
    const double wholeDays = std::floor(key.when);
    const double dayStart = wholeDays * daySeconds; // exact, far below 2^53
    // The first fma may still round onto a half second; the second one sees the exact
    // difference, so the choice between two seconds is right even next to the epoch.
    double seconds = std::floor(std::fma(key.when, daySeconds, -dayStart));
    if (std::fma(key.when, daySeconds, -(dayStart + seconds + 0.5)) >= 0)
        seconds += 1;
    std::int64_t days = static_cast<std::int64_t>(wholeDays);
    std::int64_t rest = static_cast<std::int64_t>(seconds);
    if (rest == SecondsPerDay) { // 23:59:59.5 and later is the next midnight
        rest = 0;
        ++days;
    }
    std::int64_t y = 0;
    CivilFromDays(days + AutomationEpoch, y, month, day);
    if (y < std::numeric_limits<int>::min() || y > std::numeric_limits<int>::max())
        return false;
    year = static_cast<int>(y);
    hour = static_cast<int>(rest / 3600);
    minute = static_cast<int>(rest % 3600 / 60);
    second = static_cast<int>(rest % 60);
    return true;
}

bool DateTimeKeyLess(const DateTimeKey& a, const DateTimeKey& b) {
    // Keys that denote no moment (invalid or null) sort before every valid one.
    const bool aValid = a.status == DateTimeKey::Valid;
    const bool bValid = b.status == DateTimeKey::Valid;
    if (aValid != bValid)
        return bValid;
    const std::int64_t x = OrderedBits(a.when);
    const std::int64_t y = OrderedBits(b.when);
    if (x != y)
        return x < y;
    return a.status < b.status;
}

} // namespace vitalog
