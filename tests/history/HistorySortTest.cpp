#include "history/HistorySort.h"

#include <gtest/gtest.h>

#include <string>

using namespace vitalog;

TEST(SortNumber, ReadsTheRealValueOfEveryCellForm) {
    struct Case {
        const char* cell;
        double value;
    };
    const Case cases[] = {
        {"1,234", 1234},
        {"12,345", 12345},
        {"999", 999},
        {"18.00 %", 18},
        {"-2.00 %", -2},
        {"-4.00", -4},
        {"0.00", 0},
        {"5 ' 10 ''", 70},
        {"5 ' 10.50 ''", 70.5},
        {"6 ' 0 ''", 72},
        {"6 ' 0''", 72},
        {"5 ' 10.50''", 70.5},
        // hundredths are printed unpadded: 65.05 inches reads "5 ' 5.5 ''"
        {"5 ' 5.5 ''", 65.05},
        {"9:05:30 PM", 21 * 3600 + 5 * 60 + 30},
        {"12:00:00 AM", 0},
        {"12:00:01 PM", 12 * 3600 + 1},
        {"9:05:30 AM", 9 * 3600 + 5 * 60 + 30},
        {"177.80", 177.8},
        {"120", 120},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(SortNumber(c.cell), c.value) << c.cell;
}

TEST(SortNumber, DashEmptyAndWordsSortLowest) {
    for (const char* cell : {"-", "", "Male", "Sedentary", "nan"}) {
        EXPECT_EQ(SortNumber(cell), NoNumber) << cell;
        EXPECT_LT(SortNumber(cell), SortNumber("-100000")) << cell;
    }
}

TEST(SortNumber, CommaGroupedValuesKeepTheirNumericOrder) {
    // "1,234" read up to its comma would be 1, below 999.
    EXPECT_LT(SortNumber("999"), SortNumber("1,000"));
    EXPECT_EQ(SortNumber("1,000"), SortNumber("1000"));
    EXPECT_LT(SortNumber("9,999"), SortNumber("10000"));
    EXPECT_LT(SortNumber("10000"), SortNumber("15,500"));
    // and times after noon after the morning ones
    EXPECT_LT(SortNumber("11:59:59 AM"), SortNumber("1:00:00 PM"));
    EXPECT_LT(SortNumber("5 ' 11 ''"), SortNumber("6 ' 0 ''"));
}

TEST(HistorySortState, SameColumnFlipsAnotherStartsAscending) {
    HistorySortState state;
    EXPECT_EQ(state.lastColumn, -1);
    EXPECT_TRUE(state.Click(0));
    EXPECT_FALSE(state.Click(0));
    EXPECT_TRUE(state.Click(0));
    EXPECT_TRUE(state.Click(2));
    EXPECT_FALSE(state.Click(2));
    EXPECT_TRUE(state.Click(0));
    EXPECT_EQ(state.lastColumn, 0);
}

TEST(HistorySort, TextColumnsOfEachTable) {
    struct Case {
        int mode, column;
        bool text;
    };
    const Case cases[] = {{1, 1, true},  {1, 2, false}, {2, 1, false}, {3, 5, true},
                          {3, 1, false}, {4, 3, true},  {4, 2, false}, {5, 0, true},
                          {5, 1, true},  {5, 2, false}, {6, 1, false}};
    for (const Case& c : cases)
        EXPECT_EQ(SortsAsText(c.mode, c.column), c.text) << c.mode << "/" << c.column;
    for (int mode = 1; mode <= 4; ++mode) {
        EXPECT_TRUE(RefillsByDate(mode, 0));
        EXPECT_FALSE(RefillsByDate(mode, 1));
    }
    EXPECT_FALSE(RefillsByDate(5, 0));
}
