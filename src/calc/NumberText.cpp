#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <limits>
#include <locale.h>
#include <vector>

namespace vitalog {

namespace {

// Qt installs the user's locale for the C library; number texts must still read "70.46".
class ClassicNumericLocale {
public:
    ClassicNumericLocale() : previous_(uselocale(Classic())) {}
    ~ClassicNumericLocale() {
        if (previous_ != nullptr)
            uselocale(previous_);
    }
    ClassicNumericLocale(const ClassicNumericLocale&) = delete;
    ClassicNumericLocale& operator=(const ClassicNumericLocale&) = delete;

private:
    static locale_t Classic() {
        static const locale_t classic = newlocale(LC_ALL_MASK, "C", locale_t{});
        return classic;
    }
    locale_t previous_;
};

std::string VFormat(const char* format, va_list args) {
    ClassicNumericLocale classic;
    char small[128];
    va_list again;
    va_copy(again, args);
    const int needed = std::vsnprintf(small, sizeof small, format, args);
    if (needed < 0) {
        va_end(again);
        return {};
    }
    if (static_cast<std::size_t>(needed) < sizeof small) {
        va_end(again);
        return std::string(small, static_cast<std::size_t>(needed));
    }
    std::vector<char> large(static_cast<std::size_t>(needed) + 1);
    std::vsnprintf(large.data(), large.size(), format, again);
    va_end(again);
    return std::string(large.data(), static_cast<std::size_t>(needed));
}

double ReadBack(const std::string& text, double fallback) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size())
        return fallback;
    return value;
}

} // namespace

std::string FormatText(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = VFormat(format, args);
    va_end(args);
    return text;
}

double RoundTo2(double value) {
    return ReadBack(FormatText("%.2f", value), value);
}

double RoundTo3(double value) {
    return ReadBack(FormatText("%.3f", value), value);
}

std::string FormatFeetInches(double height, const char* wholeFeet, const char* withFraction,
                             const char* plain) {
    // Damaged files hold heights (1e10, NaN, infinities) that no int counts in feet; like the
    // other number texts they show the value as printf writes it rather than a made-up one.
    const double truncated = std::trunc(height);
    if (!(truncated >= std::numeric_limits<int>::min() &&
          truncated <= std::numeric_limits<int>::max()))
        return FormatText("%.0f", height);
    const int whole = static_cast<int>(truncated);
    const int feet = whole / 12;
    const int inches = whole % 12;
    const double fraction = height - (12 * feet + inches);
    if (inches == 0)
        return FormatText(wholeFeet, feet);
    if (fraction != 0)
        return FormatText(withFraction, feet, static_cast<double>(inches), fraction * 100);
    return FormatText(plain, feet, static_cast<double>(inches));
}

std::string InsertThousandsComma(std::string text, double value) {
    if (value > 1000 && value < 10000) {
        // 9999.5 and above already print as "10000"; a comma after the first digit would
        // give "1,0000".
        if (FormatText("%.0f", value).size() == 4 && text.size() >= 1)
            text.insert(text.begin() + 1, ',');
    } else if (value > 10000 && value < 100000) {
        if (text.size() >= 2)
            text.insert(text.begin() + 2, ',');
    }
    return text;
}

} // namespace vitalog
