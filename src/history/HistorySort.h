#pragma once

// How the history view sorts: the sort state of the program run, which columns sort as text,
// and the value a cell sorts by as a number.

#include <limits>
#include <string_view>

namespace vitalog {

// The last clicked column and its direction, one pair for the whole program run: it outlives
// every view and is shared by every table.
struct HistorySortState {
    int lastColumn = -1;
    bool ascending = true;

    // A click on a header: the same column again flips the direction, another one starts
    // ascending. Returns the direction to sort in.
    bool Click(int column);

    static HistorySortState& Program();
};

// Whether a click on the column of the table shown in this mode sorts its rows as text.
bool SortsAsText(int historyMode, int column);
// Whether the column is the date column that re-fills the table instead of sorting it.
bool RefillsByDate(int historyMode, int column);

// The value a cell sorts by: its real value, so thousands commas are ignored, feet and inches
// count in inches and a 12-hour time counts in seconds of the day; "-", an empty cell and any
// text that is no number sort lowest.
inline constexpr double NoNumber = -std::numeric_limits<double>::infinity();
double SortNumber(std::string_view cell);

} // namespace vitalog
