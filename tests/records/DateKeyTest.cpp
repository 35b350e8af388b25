#include "records/DateKey.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace vitalog {
namespace {

TEST(DateKey, MakeAndSplitAreInverse) {
    struct Case {
        int year, month, day;
        DateKey key;
    };
    for (const Case& c : std::vector<Case>{{2004, 3, 7, 20040307},
                                           {2010, 12, 25, 20101225},
                                           {2000, 1, 1, 20000101},
                                           {1899, 12, 30, 18991230}}) {
        EXPECT_EQ(MakeDateKey(c.year, c.month, c.day), c.key);
        int y = 0, m = 0, d = 0;
        SplitDateKey(c.key, y, m, d);
        EXPECT_EQ(y, c.year) << c.key;
        EXPECT_EQ(m, c.month) << c.key;
        EXPECT_EQ(d, c.day) << c.key;
    }
}

TEST(DateKey, FormatStyles) {
    struct Case {
        DateKey key;
        int style;
        const char* text;
    };
    for (const Case& c : std::vector<Case>{
             {20040307, 1, "03/07/2004"},
             {20101225, 1, "12/25/2010"},
             {20041009, 1, "10/09/2004"},
             {20040307, 2, "3/7/04"},
             {20000307, 2, "3/7/2000"},
             {20101225, 2, "12/25/10"},
             {19991231, 2, "12/31/99"},
             {20090101, 2, "1/1/09"},
             {20040307, 0, ""},
             {20040307, 3, ""},
             {20040307, -1, ""},
         }) {
        EXPECT_EQ(FormatDateKey(c.key, c.style), c.text) << c.key << " style " << c.style;
    }
}

TEST(DateKey, ParseReadsStyleOne) {
    struct Case {
        const char* text;
        DateKey key;
    };
    for (const Case& c : std::vector<Case>{
             {"03/07/2004", 20040307},
             {"12/25/2010", 20101225},
             {"03072004", 20040307},
             {"03/07/2004 garbage", 20040307}, // digits stop at the blank
             {"  03/07/2004", 20040307},       // leading blanks, as the C library skips them
             {"", 0},
             {"abc", 0},
         }) {
        EXPECT_EQ(ParseDateKey(c.text), c.key) << '"' << c.text << '"';
    }
    // Round trip of every style-1 text.
    for (DateKey key : {20040307, 20101225, 19000101, 20991231})
        EXPECT_EQ(ParseDateKey(FormatDateKey(key, 1)), key);
}

TEST(DateKey, ParseOfHugeNumbersStaysDefined) {
    // Saturates like strtol; only checked for running clean under the sanitizers.
    (void)ParseDateKey("99999999999999999999999999");
    (void)ParseDateKey("-99999999999999999999999999");
    (void)ParseDateKey("99/99/99999999");
}

TEST(DateTimeKey, MakesAutomationDates) {
    struct Case {
        int y, mo, d, h, mi, s;
        double when;
    };
    for (const Case& c : std::vector<Case>{
             {1899, 12, 30, 0, 0, 0, 0.0},
             {1899, 12, 31, 0, 0, 0, 1.0},
             {1900, 1, 1, 0, 0, 0, 2.0},
             {1900, 3, 1, 0, 0, 0, 61.0}, // proleptic Gregorian: 1900 had no 29 February
             {2000, 1, 1, 0, 0, 0, 36526.0},
             {2004, 3, 7, 0, 0, 0, 38053.0},
             {2004, 3, 7, 12, 0, 0, 38053.5},
             {2004, 3, 7, 6, 0, 0, 38053.25},
             {1899, 12, 29, 0, 0, 0, -1.0},
         }) {
        const DateTimeKey k = MakeDateTimeKey(c.y, c.mo, c.d, c.h, c.mi, c.s);
        EXPECT_EQ(k.when, c.when) << c.y << '-' << c.mo << '-' << c.d;
        EXPECT_EQ(k.status, DateTimeKey::Valid);
    }
}

TEST(DateTimeKey, SplitRoundTripsEverySecondOfADay) {
    for (int date : {20040307, 18000101, 18991229, 20991231}) {
        int y = 0, mo = 0, d = 0;
        SplitDateKey(date, y, mo, d);
        for (int second = 0; second < 86400; second += 7) {
            const int h = second / 3600, mi = second % 3600 / 60, s = second % 60;
            const DateTimeKey k = MakeDateTimeKey(y, mo, d, h, mi, s);
            int y2, mo2, d2, h2, mi2, s2;
            ASSERT_TRUE(SplitDateTimeKey(k, y2, mo2, d2, h2, mi2, s2));
            ASSERT_EQ(MakeDateKey(y2, mo2, d2), date) << h << ':' << mi << ':' << s;
            ASSERT_EQ(h2 * 3600 + mi2 * 60 + s2, second) << date;
        }
    }
}

TEST(DateTimeKey, SplitRoundsToTheNearestSecond) {
    const double base = MakeDateTimeKey(2004, 3, 7, 23, 59, 59).when;
    int y, mo, d, h, mi, s;
    ASSERT_TRUE(SplitDateTimeKey({base + 0.4 / 86400}, y, mo, d, h, mi, s));
    EXPECT_EQ(MakeDateKey(y, mo, d), 20040307);
    EXPECT_EQ(h * 3600 + mi * 60 + s, 86399);
    // Half a second later is the next day.
    ASSERT_TRUE(SplitDateTimeKey({base + 0.6 / 86400}, y, mo, d, h, mi, s));
    EXPECT_EQ(MakeDateKey(y, mo, d), 20040308);
    EXPECT_EQ(h * 3600 + mi * 60 + s, 0);
}

TEST(DateTimeKey, SplitRefusesKeysThatDenoteNoMoment) {
    int y, mo, d, h, mi, s;
    EXPECT_FALSE(SplitDateTimeKey({38053.0, DateTimeKey::Invalid}, y, mo, d, h, mi, s));
    EXPECT_FALSE(SplitDateTimeKey({38053.0, DateTimeKey::Null}, y, mo, d, h, mi, s));
    EXPECT_FALSE(SplitDateTimeKey({std::nan("")}, y, mo, d, h, mi, s));
    EXPECT_FALSE(SplitDateTimeKey({std::numeric_limits<double>::infinity()}, y, mo, d, h, mi, s));
    EXPECT_FALSE(SplitDateTimeKey({1e300}, y, mo, d, h, mi, s));
}

TEST(DateTimeKey, OrdersByTheMomentDenoted) {
    const DateTimeKey morning = MakeDateTimeKey(2004, 3, 7, 8, 0, 0);
    const DateTimeKey evening = MakeDateTimeKey(2004, 3, 7, 20, 0, 0);
    const DateTimeKey nextDay = MakeDateTimeKey(2004, 3, 8, 0, 0, 0);
    const DateTimeKey before1899 = MakeDateTimeKey(1850, 1, 1, 12, 0, 0);
    EXPECT_TRUE(DateTimeKeyLess(morning, evening));
    EXPECT_FALSE(DateTimeKeyLess(evening, morning));
    EXPECT_TRUE(DateTimeKeyLess(evening, nextDay));
    EXPECT_TRUE(DateTimeKeyLess(before1899, morning));
    EXPECT_FALSE(DateTimeKeyLess(morning, morning));
    EXPECT_TRUE(DateTimeKeyLess({-2.0}, {-1.0}));
    // Keys without a moment sort before every valid one; NaN still has a place.
    EXPECT_TRUE(DateTimeKeyLess({99999.0, DateTimeKey::Null}, before1899));
    const DateTimeKey nan{std::nan("")};
    EXPECT_FALSE(DateTimeKeyLess(nan, nan));
    EXPECT_NE(DateTimeKeyLess(nan, morning), DateTimeKeyLess(morning, nan));
}

} // namespace
} // namespace vitalog
