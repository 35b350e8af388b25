#include "records/DateKey.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
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
    // Days next to the epoch too, where the key's fraction carries the most bits.
    for (int date : {20040307, 20151109, 18000101, 18991229, 18991230, 19000120, 20991231}) {
        int y = 0, mo = 0, d = 0;
        SplitDateKey(date, y, mo, d);
        for (int second = 0; second < 86400; ++second) {
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

TEST(DateTimeKey, SplitDecidesTheHalfSecondOnTheStoredValue) {
    // Each pair is the closest double below and above some second + 0.5, written out so the
    // test does not share the code's arithmetic.
    struct Case {
        double when;
        int y, mo, d, h, mi, s;
    };
    for (const Case& c : std::vector<Case>{
             {42317.19030671296, 2015, 11, 9, 4, 34, 2}, // 04:34:02.4999998, once read as :03
             {42317.19030671297, 2015, 11, 9, 4, 34, 3},
             {38053.000005787035, 2004, 3, 7, 0, 0, 0},
             {38053.00000578704, 2004, 3, 7, 0, 0, 1},
             {38053.500005787035, 2004, 3, 7, 12, 0, 0},
             {38053.50000578704, 2004, 3, 7, 12, 0, 1},
             {38053.99999421296, 2004, 3, 7, 23, 59, 59},
             {38053.999994212965, 2004, 3, 8, 0, 0, 0}, // carries into the next day
             {73050.99999421295, 2099, 12, 31, 23, 59, 59},
             {73050.99999421297, 2100, 1, 1, 0, 0, 0}, // and into the next year
             // Next to the epoch a product of fraction and 86400 can itself round onto the half.
             {21.669288194444444, 1900, 1, 20, 16, 3, 46},
             {21.669288194444448, 1900, 1, 20, 16, 3, 47},
             {5.787037037037037e-06, 1899, 12, 30, 0, 0, 0},
             {5.787037037037038e-06, 1899, 12, 30, 0, 0, 1},
             // Before the epoch the day still runs forward from its midnight.
             {-5.787037037037038e-06, 1899, 12, 29, 23, 59, 59},
             {-5.787037037037037e-06, 1899, 12, 30, 0, 0, 0},
             {-0.4216840277777778, 1899, 12, 29, 13, 52, 46},
             {-0.42168402777777775, 1899, 12, 29, 13, 52, 47},
             {-18094.235758101855, 1850, 6, 15, 18, 20, 30},
             {-18094.23575810185, 1850, 6, 15, 18, 20, 31},
             // Exactly on the half (1/256 of a day is 337.5 s): the later second, either side
             // of the epoch.
             {38053.00390625, 2004, 3, 7, 0, 5, 38},
             {-9.99609375, 1899, 12, 20, 0, 5, 38},
         }) {
        SCOPED_TRACE(testing::Message() << std::setprecision(17) << c.when);
        int y, mo, d, h, mi, s;
        ASSERT_TRUE(SplitDateTimeKey({c.when}, y, mo, d, h, mi, s));
        EXPECT_EQ(MakeDateKey(y, mo, d), MakeDateKey(c.y, c.mo, c.d));
        EXPECT_EQ(h * 3600 + mi * 60 + s, c.h * 3600 + c.mi * 60 + c.s);
    }
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
