#include "TestUsers.h"

#include "calc/ActivityLevel.h"
#include "calc/BasalMetabolicRate.h"
#include "calc/BodyMassIndex.h"

#include <gtest/gtest.h>

namespace vitalog {
namespace {

using test::MakeUser;

TEST(BmiBmrTest, BodyMassIndex) {
    struct Case {
        const char* name;
        UserRecord user;
        double height; // in the user's length units
        double storedInches;
        const char* bmi;
    };
    const Case cases[] = {
        {"180 lb at 70 in", MakeUser(Male, 40, 180), 70, 70, "25.82"},
        {"80 kg at 177.8 cm", MakeUser(Male, 40, 176.3696, Metric), 177.8, 70, "25.30"},
        {"60 kg woman at 165 cm", MakeUser(Female, 30, 132.2772, Metric), 165, 64.96062992126,
         "22.04"},
        {"no height", MakeUser(Male, 40, 180), 0, 0, "0.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BmiRecord record = BuildBmiRecord(c.user, c.height, 20240307);
        EXPECT_NEAR(record.height, c.storedInches, 1e-9);
        EXPECT_EQ(record.user.weight, c.user.weight);
        EXPECT_EQ(record.date, 20240307);
        EXPECT_EQ(record.active, 1);
        const double bmi = CalculateBmi(record);
        EXPECT_EQ(bmi, record.bmi);
        EXPECT_EQ(FormatBmi(record.bmi), c.bmi);
    }
}

TEST(BmiBmrTest, BasalMetabolicRate) {
    struct Case {
        const char* name;
        UserRecord user;
        double height; // in the user's length units
        double factor;
        double centimetres;
        const char* bmr;
        const char* withActivity;
    };
    const Case cases[] = {
        {"man 180 lb 70 in 40 y moderate", MakeUser(Male, 40, 180), 70, 1.55, 177.8,
         "1,809 kcal/day", "2,803 kcal/day"},
        {"woman 60 kg 165 cm 30 y, no factor", MakeUser(Female, 30, 132.2772, Metric), 165, 0, 165,
         "1,394 kcal/day", "0 kcal/day"},
        {"woman sedentary", MakeUser(Female, 30, 132.2772, Metric), 165, 1.2, 165, "1,394 kcal/day",
         "1,673 kcal/day"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BmrRecord record = BuildBmrRecord(c.user, c.height, 20240307, c.factor);
        EXPECT_NEAR(record.height, c.centimetres, 1e-9);
        EXPECT_DOUBLE_EQ(record.user.weight, c.user.weight * 0.45359290943563974);
        EXPECT_EQ(record.activityFactor, c.factor);
        EXPECT_EQ(record.date, 20240307);
        EXPECT_EQ(record.active, 1);
        const double bmr = CalculateBmr(record);
        EXPECT_EQ(bmr, record.bmr);
        EXPECT_EQ(FormatKcalPerDay(record.bmr), c.bmr);
        EXPECT_EQ(FormatKcalPerDay(record.bmrWithActivity), c.withActivity);
    }
}

TEST(BmiBmrTest, BmrOfTheWorkedExampleAtFullPrecision) {
    BmrRecord record = BuildBmrRecord(MakeUser(Male, 40, 180), 70, 0, 1.55);
    CalculateBmr(record);
    EXPECT_NEAR(record.bmr, 1808.6328, 1e-4);
    EXPECT_NEAR(record.bmrWithActivity, 2803.3809, 1e-4);
    BmrRecord woman = BuildBmrRecord(MakeUser(Female, 30, 132.2772, Metric), 165, 0, 0);
    CalculateBmr(woman);
    EXPECT_NEAR(woman.bmr, 1393.8155, 1e-4);
}

TEST(BmiBmrTest, WomensEquationForAnySexButMale) {
    BmrRecord female = BuildBmrRecord(MakeUser(Female, 30, 140), 65, 0, 0);
    BmrRecord other = BuildBmrRecord(MakeUser(0, 30, 140), 65, 0, 0);
    EXPECT_EQ(CalculateBmr(other), CalculateBmr(female));
}

TEST(BmiBmrTest, KcalTextsAroundTheCommaLimits) {
    EXPECT_EQ(FormatKcalPerDay(1000), "1000 kcal/day");
    EXPECT_EQ(FormatKcalPerDay(10000), "10000 kcal/day");
    EXPECT_EQ(FormatKcalPerDay(9999.6), "10000 kcal/day");
    EXPECT_EQ(FormatKcalPerDay(12345.2), "12,345 kcal/day");
    EXPECT_EQ(FormatKcalPerDay(0), "0 kcal/day");
}

TEST(BmiBmrTest, ActivityLevels) {
    struct Case {
        const char* caption;
        const char* description;
        double factor;
    };
    const Case expected[] = {
        {"Sedentary", "Little or no exercise", 1.2},
        {"Light", "Light exercise/sports 1-3 days per week", 1.375},
        {"Moderate", "Moderate exercise/sports 3-5 days per week", 1.55},
        {"Very", "Hard exercise/sports 6-7 days per week", 1.725},
        {"Extra", "Extreme hard daily exercise/sports and physical job", 1.9},
    };
    ASSERT_EQ(ActivityLevels.size(), std::size(expected));
    for (std::size_t i = 0; i < ActivityLevels.size(); ++i) {
        SCOPED_TRACE(expected[i].caption);
        EXPECT_EQ(ActivityLevels[i].caption, expected[i].caption);
        EXPECT_EQ(ActivityLevels[i].description, expected[i].description);
        EXPECT_EQ(ActivityLevels[i].factor, expected[i].factor);
        EXPECT_EQ(ActivityFactorFor(expected[i].caption), expected[i].factor);
        EXPECT_EQ(ActivityLevelIndexFor(expected[i].factor), i);
    }
}

TEST(BmiBmrTest, NoChoiceMeansFactorZeroAndOnlyExactFactorsFindAChoice) {
    EXPECT_EQ(ActivityFactorFor(""), 0);
    EXPECT_EQ(ActivityFactorFor("moderate"), 0);
    for (const double factor : {0.0, 1.0, 1.5500001, 1.549999, 2.0})
        EXPECT_FALSE(ActivityLevelIndexFor(factor).has_value()) << factor;
}

} // namespace
} // namespace vitalog
