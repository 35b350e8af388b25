#include "TestUsers.h"

#include "calc/BodyCompositionResults.h"
#include "calc/NumberText.h"
#include "calc/OtherCalc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vitalog {
namespace {

using test::MakeUser;

OtherCalc Calculated(double pounds, int units, double bodyFat, float desired) {
    OtherCalc calc(MakeUser(Male, 30, pounds, units, desired), bodyFat);
    calc.Calculate();
    return calc;
}

TEST(BodyCompositionResultsTest, DerivedWeightsAndGoalWeight) {
    struct Case {
        const char* name;
        double pounds;
        int units;
        double bodyFat;
        float desired;
        const char* fat;
        const char* lean;
        const char* toLose;
        const char* goal;
    };
    const Case cases[] = {
        {"180 lb, 20 % to 15 %", 180, Imperial, 20, 15, "36.00 lbs", "144.00 lbs", "10.59 lbs",
         "169.41 lbs"},
        // At the target the goal is the current weight; below it, above the current weight.
        {"desired equals body fat", 180, Imperial, 20, 20, "36.00 lbs", "144.00 lbs", "0.00 lbs",
         "180.00 lbs"},
        {"desired above body fat", 180, Imperial, 20, 25, "36.00 lbs", "144.00 lbs", "0.00 lbs",
         "192.00 lbs"},
        {"desired 0", 180, Imperial, 20, 0, "36.00 lbs", "144.00 lbs", "36.00 lbs", "144.00 lbs"},
        {"200 lb, 25 % to 15 %", 200, Imperial, 25, 15, "50.00 lbs", "150.00 lbs", "23.53 lbs",
         "176.47 lbs"},
        {"same profile, metric", 200, Metric, 25, 15, "22.68 kgs", "68.04 kgs", "10.67 kgs",
         "80.05 kgs"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const OtherCalc calc = Calculated(c.pounds, c.units, c.bodyFat, c.desired);
        const BodyFatRecord& r = calc.record;
        EXPECT_EQ(FormatWeight(r.fatWeight, c.units), c.fat);
        EXPECT_EQ(FormatWeight(r.leanWeight, c.units), c.lean);
        EXPECT_EQ(FormatWeight(r.weightToLose, c.units), c.toLose);
        EXPECT_EQ(FormatWeight(BodyFatCalculation::GoalWeight(r.leanWeight, r.user.desiredBodyFat),
                               c.units),
                  c.goal);
        EXPECT_EQ(r.bodyFat, c.bodyFat);
    }
}

TEST(BodyCompositionResultsTest, DerivedWeightsAreNotRounded) {
    const OtherCalc calc = Calculated(180, Imperial, 20, 15);
    EXPECT_DOUBLE_EQ(calc.record.weightToLose, 180 - 144 / 0.85);
}

TEST(BodyCompositionResultsTest, RecalculateWithANewDesiredPercentage) {
    struct Case {
        const char* name;
        int units;
        float desired;
        const char* goal;
        const char* toLose;
    };
    const Case cases[] = {
        {"lower target", Imperial, 20, "187.50 lbs", "12.50 lbs"},
        {"target at body fat", Imperial, 25, "200.00 lbs", "0.00 lbs"},
        {"target above body fat", Imperial, 30, "214.29 lbs", "0.00 lbs"},
        {"metric lower target", Metric, 20, "85.05 kgs", "5.67 kgs"},
        {"metric target above body fat", Metric, 40, "113.40 kgs", "0.00 kgs"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OtherCalc calc = Calculated(200, c.units, 25, 15);
        const BodyFatRecord before = calc.record;
        const std::optional<double> goal = RecalculateDesired(calc.record, c.desired, c.units);
        ASSERT_TRUE(goal.has_value());
        EXPECT_EQ(FormatWeight(*goal, c.units), c.goal);
        EXPECT_EQ(FormatWeight(calc.record.weightToLose, c.units), c.toLose);
        EXPECT_EQ(calc.record.user.desiredBodyFat, c.desired);
        EXPECT_EQ(calc.record.bodyFat, before.bodyFat);
        EXPECT_EQ(calc.record.leanWeight, before.leanWeight);
        EXPECT_EQ(calc.record.fatWeight, before.fatWeight);
    }
}

TEST(BodyCompositionResultsTest, RecalculateRefusesADesiredPercentageOutOfRange) {
    const float refused[] = {
        100, 100.5f, 250, 0, -0.0f, -5, std::numeric_limits<float>::quiet_NaN()};
    for (const float desired : refused) {
        OtherCalc calc = Calculated(200, Imperial, 25, 15);
        EXPECT_FALSE(RecalculateDesired(calc.record, desired, Imperial).has_value()) << desired;
        EXPECT_EQ(calc.record.user.desiredBodyFat, 15) << desired;
        EXPECT_EQ(FormatWeight(calc.record.weightToLose, Imperial), "23.53 lbs") << desired;
    }
}

TEST(BodyCompositionResultsTest, RecalculateNearTheLimitsGivesAFiniteGoal) {
    for (const float desired : {0.01f, 99.9f, 99.99f}) {
        OtherCalc calc = Calculated(200, Imperial, 25, 15);
        const std::optional<double> goal = RecalculateDesired(calc.record, desired, Imperial);
        ASSERT_TRUE(goal.has_value()) << desired;
        EXPECT_TRUE(IsShowableGoalWeight(*goal)) << desired;
    }
}

TEST(BodyCompositionResultsTest, GoalWeightWithoutAFiniteValueIsNotShowable) {
    EXPECT_FALSE(IsShowableGoalWeight(BodyFatCalculation::GoalWeight(150, 100)));
    EXPECT_FALSE(IsShowableGoalWeight(BodyFatCalculation::GoalWeight(0, 100)));
    EXPECT_TRUE(IsShowableGoalWeight(BodyFatCalculation::GoalWeight(150, 15)));
}

TEST(BodyCompositionResultsTest, TextForms) {
    EXPECT_EQ(FormatBodyFat(14.634639), "14.63%");
    EXPECT_EQ(FormatBodyFat(30.898593), "30.90%");
    EXPECT_EQ(FormatBodyFatSpaced(14.634639), "14.63 %");
    EXPECT_EQ(FormatWeight(176.470588, Imperial), "176.47 lbs");
    EXPECT_EQ(FormatWeight(80.045807, Metric), "80.05 kgs");
}

TEST(BodyCompositionResultsTest, StoredPoundsAreShownInTheUsersUnits) {
    struct Case {
        double pounds;
        int units;
        const char* text;
    };
    const Case cases[] = {
        {132.2772, Metric, "60.00 kgs"},    {150, Metric, "68.04 kgs"},
        {23.529411, Metric, "10.67 kgs"},   {150, Imperial, "150.00 lbs"},
        {23.529411, Imperial, "23.53 lbs"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatStoredWeight(c.pounds, c.units), c.text) << c.pounds;
    EXPECT_EQ(StoredWeightInUnits(150, Metric), 68.04);
}

} // namespace
} // namespace vitalog
