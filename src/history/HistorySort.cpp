#include "HistorySort.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace vitalog {

bool HistorySortState::Click(int column) {
    ascending = column == lastColumn ? !ascending : true;
    lastColumn = column;
    return ascending;
}

HistorySortState& HistorySortState::Program() {
    static HistorySortState state;
    return state;
}

bool SortsAsText(int historyMode, int column) {
    switch (historyMode) {
    case 1: // "Type"
        return column == 1;
    case 3: // "Notes"
        return column == 5;
    case 4: // "Activity Factor (AF)"
        return column == 3;
    case 5: // "Name", "Sex"
        return column == 0 || column == 1;
    default:
        return false;
    }
}

bool RefillsByDate(int historyMode, int column) {
    return column == 0 && historyMode >= 1 && historyMode <= 4;
}

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// A number (decimal, or whole for an integer type) at the start of the text; advances past
// it. False when none starts there.
template <class Number> bool ReadNumber(std::string_view& text, Number& value) {
    text = TrimBlanks(text);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{})
        return false;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return true;
}

// "5 ' 10.50 ''", "6 ' 0''": the inches' fraction is printed as hundredths without padding,
// so "5 ' 5.5 ''" is 5 feet 5.05 inches.
bool ReadFeetInches(std::string_view text, double& inches) {
    long feet = 0, whole = 0, hundredths = 0;
    if (!ReadNumber(text, feet))
        return false;
    text = TrimBlanks(text);
    if (text.empty() || text.front() != '\'')
        return false;
    text.remove_prefix(1);
    if (!ReadNumber(text, whole))
        return false;
    if (!text.empty() && text.front() == '.') {
        text.remove_prefix(1);
        if (!ReadNumber(text, hundredths))
            return false;
    }
    if (TrimBlanks(text) != "''")
        return false;
    inches = static_cast<double>(feet) * 12 + static_cast<double>(whole) +
             static_cast<double>(hundredths) / 100;
    return true;
}

// "9:05:30 PM"
bool ReadTime(std::string_view text, double& seconds) {
    long hour = 0, minute = 0, second = 0;
    if (!ReadNumber(text, hour) || text.empty() || text.front() != ':')
        return false;
    text.remove_prefix(1);
    if (!ReadNumber(text, minute) || text.empty() || text.front() != ':')
        return false;
    text.remove_prefix(1);
    if (!ReadNumber(text, second))
        return false;
    text = TrimBlanks(text);
    if (text != "AM" && text != "PM")
        return false;
    seconds =
        static_cast<double>((hour % 12 + (text == "PM" ? 12 : 0)) * 3600 + minute * 60 + second);
    return true;
}

} // namespace

double SortNumber(std::string_view cell) {
    if (cell.find('\'') != std::string_view::npos) {
        double inches = 0;
        return ReadFeetInches(cell, inches) ? inches : NoNumber;
    }
    if (cell.find(':') != std::string_view::npos) {
        double seconds = 0;
        return ReadTime(cell, seconds) ? seconds : NoNumber;
    }
    // Thousands commas are only grouping.
    std::string digits;
    if (cell.find(',') != std::string_view::npos) {
        digits.reserve(cell.size());
        for (const char c : cell)
            if (c != ',')
                digits.push_back(c);
        cell = digits;
    }
    double value = 0;
    if (cell.empty() || !(IsDigit(cell.front()) || cell.front() == '-' || cell.front() == ' ' ||
                          cell.front() == '.'))
        return NoNumber;
    return ReadNumber(cell, value) ? value : NoNumber;
}

} // namespace vitalog
