#include "calc/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <string>

namespace vitalog {
namespace {

TEST(NumberTextTest, RoundToTwoAndThreeFollowPrintfRounding) {
    struct Case {
        double value;
        double two;
        double three;
    };
    const Case cases[] = {
        {70.456, 70.46, 70.456},
        {-70.456, -70.46, -70.456},
        {1.23456, 1.23, 1.235},
        // 1.005 and 2.675 lie just below the half in binary, so printf rounds them down.
        {1.005, 1.0, 1.005},
        {2.675, 2.67, 2.675},
        {0.0, 0.0, 0.0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RoundTo2(c.value), c.two) << c.value;
        EXPECT_EQ(RoundTo3(c.value), c.three) << c.value;
    }
}

TEST(NumberTextTest, FormatFeetInchesPicksTheTextByInchesAndFraction) {
    struct Case {
        double height;
        const char* expected;
    };
    const Case cases[] = {
        {70, "5 ' 10 ''"},
        {70.5, "5 ' 10.50 ''"},
        // Whole feet drop the fraction.
        {72.5, "6 ' 0 ''"},
        // 65.05 - 65 is 0.0499999..., times 100 prints as "5": the fraction is not padded.
        {65.05, "5 ' 5.5 ''"},
        {0, "0 ' 0 ''"},
        {11.25, "0 ' 11.25 ''"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatFeetInches(c.height, "%d ' 0 ''", "%d ' %.0f.%.0f ''", "%d ' %.0f ''"),
                  c.expected)
            << c.height;
}

TEST(NumberTextTest, FormatFeetInchesShowsHeightsWithoutAFootCountAsPlainNumbers) {
    // Damaged files give heights no int can count in feet; they print as the number itself.
    struct Case {
        double height;
        const char* expected;
    };
    const Case cases[] = {
        {1e10, "10000000000"},
        {-1e10, "-10000000000"},
        {std::numeric_limits<double>::quiet_NaN(), "nan"},
        {std::numeric_limits<double>::infinity(), "inf"},
        {-std::numeric_limits<double>::infinity(), "-inf"},
        // The whole part decides: the largest an int holds still gets feet and inches.
        {2147483647.5, "178956970 ' 7.50 ''"},
        {2147483648.0, "2147483648"},
        {-2147483649.0, "-2147483649"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatFeetInches(c.height, "%d ' 0 ''", "%d ' %.0f.%.0f ''", "%d ' %.0f ''"),
                  c.expected)
            << c.height;
}

TEST(NumberTextTest, FormatFeetInchesUsesTheCallersTexts) {
    EXPECT_EQ(FormatFeetInches(70, "%d' 0''", "%d' %.0f.%.0f''", "%d' %.0f''"), "5' 10''");
    EXPECT_EQ(FormatFeetInches(70.5, "%d' 0''", "%d' %.0f.%.0f''", "%d' %.0f''"), "5' 10.50''");
    EXPECT_EQ(FormatFeetInches(72, "%d' 0''", "%d' %.0f.%.0f''", "%d' %.0f''"), "6' 0''");
}

TEST(NumberTextTest, InsertThousandsCommaOnlyWhereTheDigitsAllowIt) {
    struct Case {
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {999.6, "1000"},    {1000, "1000"},    {1000.4, "1,000"},
        {1808.63, "1,809"}, {9999.4, "9,999"}, {9999.5, "10000"},
        {9999.99, "10000"}, {10000, "10000"},  {10000.4, "10,000"},
        {12345, "12,345"},  {99999, "99,999"}, {100000, "100000"},
        {0, "0"},           {-1500, "-1500"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(InsertThousandsComma(FormatText("%.0f", c.value), c.value), c.expected)
            << c.value;
}

TEST(NumberTextTest, InsertThousandsCommaKeepsTheRestOfTheText) {
    EXPECT_EQ(InsertThousandsComma("2803 kcal/day", 2803.38), "2,803 kcal/day");
    EXPECT_EQ(InsertThousandsComma("10000 kcal/day", 9999.7), "10000 kcal/day");
}

TEST(NumberTextTest, FormatTextGrowsBeyondItsSmallBuffer) {
    const std::string long_text(300, 'x');
    EXPECT_EQ(FormatText("%s-%d", long_text.c_str(), 7), long_text + "-7");
}

TEST(NumberTextTest, NumbersUseADecimalPointUnderACommaLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "no de_DE.UTF-8 locale installed";
    const std::string text = FormatText("%.2f", 70.456);
    const double rounded = RoundTo2(70.456);
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(text, "70.46");
    EXPECT_EQ(rounded, 70.46);
}

} // namespace
} // namespace vitalog
