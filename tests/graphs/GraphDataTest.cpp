// What a graph shows for a set of records: the rows in range, the values in the current
// user's units, the labels and the Y axis.
#include "graphs/GraphData.h"
#include "calc/NumberText.h"
#include "records/Units.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

namespace vitalog {
namespace {

using Strings = std::vector<std::string>;

UserRecord User(int units, int sex = Male, double weight = 180) {
    UserRecord user;
    user.SetName("Jane");
    user.weight = weight;
    user.age = 40;
    user.units = units;
    user.lengthUnits = units + 2;
    user.sex = sex;
    user.active = 1;
    return user;
}

GraphMoment Day(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return {year, month, day, hour, minute, second};
}

BodyFatRecord BodyFat(DateKey date, double bodyFat, double weight, double fatWeight = 0,
                      double leanWeight = 0, const UserRecord& savedBy = User(Imperial)) {
    BodyFatRecord r;
    r.user = savedBy;
    r.user.weight = weight;
    r.bodyFat = bodyFat;
    r.fatWeight = fatWeight;
    r.leanWeight = leanWeight;
    r.date = date;
    r.active = 1;
    return r;
}

BloodPressureRecord Reading(int y, int mo, int d, int h, int mi, int s, int systolic, int diastolic,
                            int pulse) {
    BloodPressureRecord r;
    r.user = User(Imperial);
    r.systolic = systolic;
    r.diastolic = diastolic;
    r.pulse = pulse;
    r.when = MakeDateTimeKey(y, mo, d, h, mi, s);
    r.active = 1;
    return r;
}

// Four weekly body composition records, newest first as LoadAll lists them.
GraphRecords FourWeeks() {
    GraphRecords records;
    records.kind = GraphKind::BodyComposition;
    records.bodyFat = {BodyFat(20250322, 18.5, 172), BodyFat(20250315, 19.0, 174),
                       BodyFat(20250308, 19.6, 176), BodyFat(20250301, 20.1, 178)};
    return records;
}

TEST(GraphDataTest, RowsInRangeOldestFirst) {
    struct Case {
        const char* name;
        GraphMoment from;
        GraphMoment to;
        GraphOutcome outcome;
        Strings labels;
        std::vector<double> values;
    };
    const Case cases[] = {
        {"whole span",
         Day(2025, 3, 1),
         Day(2025, 3, 22),
         GraphOutcome::Drawn,
         {"3/1/25", "3/8/25", "3/15/25", "3/22/25"},
         {20.1, 19.6, 19.0, 18.5}},
        {"From equal to To",
         Day(2025, 3, 8),
         Day(2025, 3, 8),
         GraphOutcome::Drawn,
         {"3/8/25"},
         {19.6}},
        {"bounds between records",
         Day(2025, 3, 2),
         Day(2025, 3, 15),
         GraphOutcome::Drawn,
         {"3/8/25", "3/15/25"},
         {19.6, 19.0}},
        {"times do not count for dated records",
         Day(2025, 3, 8, 23, 59, 59),
         Day(2025, 3, 8),
         GraphOutcome::Drawn,
         {"3/8/25"},
         {19.6}},
        {"From after To", Day(2025, 3, 15), Day(2025, 3, 8), GraphOutcome::FromAfterTo, {}, {}},
        {"nothing in range", Day(2025, 4, 1), Day(2025, 4, 30), GraphOutcome::NoneInRange, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const GraphSelection s =
            SelectGraphData(FourWeeks(), User(Imperial), {"Body Fat %"}, c.from, c.to);
        EXPECT_EQ(s.outcome, c.outcome);
        EXPECT_EQ(s.grid.rowLabels, c.labels);
        EXPECT_TRUE(s.grid.rowTimeLabels.empty());
        std::vector<double> values;
        for (const auto& row : s.grid.values) {
            ASSERT_EQ(row.size(), 1u);
            values.push_back(row[0]);
        }
        EXPECT_EQ(values, c.values);
    }
}

TEST(GraphDataTest, NoRecordsComesBeforeTheRangeTest) {
    GraphRecords none;
    none.kind = GraphKind::BloodPressure;
    const GraphSelection s =
        SelectGraphData(none, User(Imperial), {"Pulse"}, Day(2025, 3, 15), Day(2025, 3, 8));
    EXPECT_EQ(s.outcome, GraphOutcome::NoRecords);
}

TEST(GraphDataTest, AxisRange) {
    struct Case {
        double smallest;
        double largest;
        double minimum;
        double maximum;
    };
    const Case cases[] = {
        {12.3, 27.9, 7, 32}, {0.4, 4.9, 0, 9}, {5, 5, 0, 10},
        {5.5, 6, 0, 11},     {0, 0, 0, 5},     {150.2, 182.7, 145, 187},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.smallest) + " to " + std::to_string(c.largest));
        double minimum = -1, maximum = -1;
        GraphAxisRange(c.smallest, c.largest, minimum, maximum);
        EXPECT_EQ(minimum, c.minimum);
        EXPECT_EQ(maximum, c.maximum);
    }
}

TEST(GraphDataTest, AxisSpansEveryColumnOfTheRowsInRange) {
    struct Case {
        const char* name;
        std::vector<double> first;  // body fat % of the four records, oldest first
        std::vector<double> second; // weight
        double minimum;
        double maximum;
    };
    const Case cases[] = {
        {"12.3 to 27.9", {12.3, 20, 27.9, 15}, {20, 21, 22, 23}, 7, 32},
        {"between 0 and 5", {0.5, 4.9, 1, 2}, {3, 3, 3, 3}, 0, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GraphRecords records;
        records.kind = GraphKind::BodyComposition;
        for (int i = 3; i >= 0; --i)
            records.bodyFat.push_back(BodyFat(20250301 + i, c.first[i], c.second[i]));
        const GraphSelection s = SelectGraphData(records, User(Imperial), {"Body Fat %", "Weight"},
                                                 Day(2025, 3, 1), Day(2025, 3, 4));
        ASSERT_EQ(s.outcome, GraphOutcome::Drawn);
        EXPECT_EQ(s.grid.minimum, c.minimum);
        EXPECT_EQ(s.grid.maximum, c.maximum);
    }
}

TEST(GraphDataTest, TwoSeriesInTheOrderGiven) {
    const GraphSelection s = SelectGraphData(FourWeeks(), User(Imperial), {"Body Fat %", "Weight"},
                                             Day(2025, 3, 15), Day(2025, 3, 22));
    ASSERT_EQ(s.outcome, GraphOutcome::Drawn);
    EXPECT_EQ(s.grid.columnLabels, (Strings{"Body Fat %", "Weight"}));
    EXPECT_EQ(s.grid.values, (std::vector<std::vector<double>>{{19.0, 174}, {18.5, 172}}));
    EXPECT_EQ(s.grid.minimum, 13);
    EXPECT_EQ(s.grid.maximum, 179);
}

// The current user's units decide, whatever units the record was saved in.
TEST(GraphDataTest, ValuesInTheCurrentUsersUnits) {
    const UserRecord imperial = User(Imperial);
    const UserRecord metric = User(Metric);
    TapeRecord tape;
    tape.user = metric; // saved while the user was metric: still inches on disk
    tape.user.weight = 154.32;
    tape.biceps = 14;
    tape.forearmOrHip = 11.5;
    tape.chest = 40;
    tape.waist = 32;
    tape.neck = 15.5;
    tape.calf = 15;
    tape.thigh = 22.25;
    tape.date = 20250301;
    tape.active = 1;
    BmiRecord bmi;
    bmi.user = imperial;
    bmi.user.weight = 154.32;
    bmi.bmi = 22.14;
    bmi.height = 70;
    bmi.date = 20250301;
    bmi.active = 1;

    struct Case {
        const char* name;
        GraphKind kind;
        UserRecord user;
        Strings items;
        std::vector<double> values;
    };
    const Case cases[] = {
        {"body composition, metric",
         GraphKind::BodyComposition,
         metric,
         {"Body Fat %", "Body Fat Wt", "Lean Body Wt", "Weight"},
         {20.5, 13.61, 56.39, 70}},
        {"body composition, imperial",
         GraphKind::BodyComposition,
         imperial,
         {"Body Fat %", "Body Fat Wt", "Lean Body Wt", "Weight"},
         {20.5, 30, 124.32, 154.32}},
        {"tape, metric",
         GraphKind::Tape,
         metric,
         {"Bicep", "Forearm", "Chest", "Waist", "Neck", "Calf", "Thigh", "Weight"},
         {35.56, 29.21, 101.6, 81.28, 39.37, 38.1, 56.52, 70}},
        {"tape, imperial",
         GraphKind::Tape,
         imperial,
         {"Waist", "Hip", "Weight"},
         {32, 11.5, 154.32}},
        {"BMI, metric", GraphKind::Bmi, metric, {"BMI", "Height", "Weight"}, {22.14, 177.8, 70}},
        {"BMI, imperial",
         GraphKind::Bmi,
         imperial,
         {"BMI", "Height", "Weight"},
         {22.14, 70, 154.32}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GraphRecords records;
        records.kind = c.kind;
        records.bodyFat = {BodyFat(20250301, 20.5, 154.32, 30, 124.32, metric)};
        records.tape = {tape};
        records.bmi = {bmi};
        const GraphSelection s =
            SelectGraphData(records, c.user, c.items, Day(2025, 3, 1), Day(2025, 3, 1));
        ASSERT_EQ(s.outcome, GraphOutcome::Drawn);
        ASSERT_EQ(s.grid.values.size(), 1u);
        ASSERT_EQ(s.grid.values[0].size(), c.values.size());
        for (std::size_t i = 0; i < c.values.size(); ++i)
            EXPECT_DOUBLE_EQ(s.grid.values[0][i], c.values[i]) << c.items[i];
    }
}

TEST(GraphDataTest, BloodPressureRowsByDateAndTime) {
    GraphRecords records;
    records.kind = GraphKind::BloodPressure;
    records.bloodPressure = {
        Reading(2004, 3, 8, 7, 0, 0, 118, 76, 60),    Reading(2004, 3, 7, 21, 0, 0, 121, 79, 66),
        Reading(2004, 3, 7, 12, 30, 15, 125, 82, 72), Reading(2004, 3, 7, 8, 5, 0, 130, 85, 70),
        Reading(2004, 3, 6, 23, 59, 59, 140, 90, 80),
    };
    struct Case {
        const char* name;
        GraphMoment from;
        GraphMoment to;
        GraphOutcome outcome;
        Strings times;
    };
    const Case cases[] = {
        {"one day",
         Day(2004, 3, 7),
         Day(2004, 3, 7, 23, 59, 59),
         GraphOutcome::Drawn,
         {"8:05:00 AM", "12:30:15 PM", "9:00:00 PM"}},
        {"bounds on readings",
         Day(2004, 3, 7, 12, 30, 15),
         Day(2004, 3, 7, 21),
         GraphOutcome::Drawn,
         {"12:30:15 PM", "9:00:00 PM"}},
        {"a second before",
         Day(2004, 3, 7, 12, 30, 16),
         Day(2004, 3, 7, 12, 30, 15),
         GraphOutcome::FromAfterTo,
         {}},
        {"between readings",
         Day(2004, 3, 7, 12, 30, 16),
         Day(2004, 3, 7, 20, 59, 59),
         GraphOutcome::NoneInRange,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const GraphSelection s = SelectGraphData(records, User(Imperial),
                                                 {"Diastolic", "Pulse", "Systolic"}, c.from, c.to);
        EXPECT_EQ(s.outcome, c.outcome);
        EXPECT_EQ(s.grid.rowTimeLabels, c.times);
        EXPECT_EQ(s.grid.rowLabels, Strings(c.times.size(), "3/7/2004"));
    }
    const GraphSelection day = SelectGraphData(records, User(Imperial), {"Systolic", "Pulse"},
                                               Day(2004, 3, 7), Day(2004, 3, 7, 23, 59, 59));
    EXPECT_EQ(day.grid.values, (std::vector<std::vector<double>>{{130, 70}, {125, 72}, {121, 66}}));
    EXPECT_EQ(day.grid.minimum, 61);
    EXPECT_EQ(day.grid.maximum, 135);
}

TEST(GraphDataTest, SpanOfTheRecords) {
    GraphRecords records = FourWeeks();
    auto span = RecordSpan(records);
    ASSERT_TRUE(span);
    EXPECT_EQ(span->oldest, Day(2025, 3, 1));
    EXPECT_EQ(span->newest, Day(2025, 3, 22));

    records.kind = GraphKind::BloodPressure;
    records.bloodPressure = {Reading(2004, 3, 8, 7, 0, 0, 118, 76, 60),
                             Reading(2004, 3, 6, 23, 59, 59, 140, 90, 80)};
    span = RecordSpan(records);
    ASSERT_TRUE(span);
    EXPECT_EQ(span->oldest, Day(2004, 3, 6, 23, 59, 59));
    EXPECT_EQ(span->newest, Day(2004, 3, 8, 7));

    records.kind = GraphKind::Tape;
    EXPECT_FALSE(RecordSpan(records));
}

TEST(GraphDataTest, ItemsOfEachKind) {
    EXPECT_EQ(GraphItems(GraphKind::BodyComposition, false),
              (Strings{"Body Fat %", "Body Fat Wt", "Lean Body Wt", "Weight"}));
    EXPECT_EQ(GraphItems(GraphKind::Tape, false),
              (Strings{"Bicep", "Forearm", "Chest", "Waist", "Neck", "Calf", "Thigh", "Weight"}));
    EXPECT_EQ(GraphItems(GraphKind::Tape, true),
              (Strings{"Bicep", "Hip", "Chest", "Waist", "Neck", "Calf", "Thigh", "Weight"}));
    EXPECT_EQ(GraphItems(GraphKind::Bmi, true), (Strings{"BMI", "Height", "Weight"}));
    EXPECT_EQ(GraphItems(GraphKind::BloodPressure, false),
              (Strings{"Systolic", "Diastolic", "Pulse"}));
}

TEST(GraphDataTest, TrendValues) {
    // 2^-0.1: the share a reading of yesterday keeps.
    const double dayApart = 180 - 2 * (1 - 0.93303299153680741);
    struct Case {
        const char* name;
        std::vector<TrendReading> readings; // oldest first
        std::vector<double> trend;
    };
    const Case cases[] = {
        {"one reading", {{45000, 180}}, {180}},
        {"two readings a day apart", {{45000, 180}, {45001, 178}}, {180, dayApart}},
        {"ten days: half of the step",
         {{45000, 180}, {45010, 170}, {45020, 170}},
         {180, 175, 172.5}},
        {"a 90-day gap starts afresh, exactly 60 days does not",
         {{45000, 180}, {45010, 170}, {45100, 160}, {45160, 150}},
         {180, 175, 160, 160 - 10 * (1 - 1.0 / 64)}},
        {"a second reading of a day: the day's mean with the day's weight",
         {{45000, 180}, {45010, 170}, {45010, 174}, {45020, 166}},
         {180, 175, 176, 171}},
        {"two readings on the first day",
         {{45000, 180}, {45000, 170}, {45010, 165}},
         {180, 175, 170}},
        {"times of day count as fractions",
         {{45000.25, 100}, {45005.25, 90}},
         {100, 100 - 10 * (1 - 0.70710678118654752)}},
        {"no readings", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<double> trend = TrendValues(c.readings);
        ASSERT_EQ(trend.size(), c.trend.size());
        for (std::size_t i = 0; i < trend.size(); ++i)
            EXPECT_NEAR(trend[i], c.trend[i], 1e-9) << "reading " << i;
    }
}

// Four body composition records ten days apart, newest first; each saved with a desired body
// fat of 20 % and a lean weight of 144 lb.
GraphRecords TenDaysApart() {
    GraphRecords records;
    records.kind = GraphKind::BodyComposition;
    for (const auto& [date, weight] : std::vector<std::pair<DateKey, double>>{
             {20250331, 150}, {20250321, 160}, {20250311, 170}, {20250301, 180}}) {
        UserRecord savedBy = User(Imperial);
        savedBy.desiredBodyFat = 20;
        records.bodyFat.push_back(
            BodyFat(date, 100 * (weight - 144) / weight, weight, weight - 144, 144, savedBy));
    }
    return records;
}

// The trend runs over the range's rows only, oldest first, on the values as shown.
TEST(GraphDataTest, TrendOfTheRowsInRange) {
    struct Case {
        const char* name;
        int units;
        std::vector<double> weightTrend;
    };
    const Case cases[] = {
        {"imperial", Imperial, {170, 165, 157.5}},
        // 170, 160 and 150 lb are 77.11, 72.57 and 68.04 kg.
        {"metric user: the kilograms are smoothed", Metric, {77.11, 74.84, 71.44}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const UserRecord user = User(c.units);
        const Strings items{"Body Fat %", "Weight"};
        const GraphSelection off =
            SelectGraphData(TenDaysApart(), user, items, Day(2025, 3, 11), Day(2025, 3, 31));
        const GraphSelection on = SelectGraphData(TenDaysApart(), user, items, Day(2025, 3, 11),
                                                  Day(2025, 3, 31), {.trend = true});
        ASSERT_EQ(on.outcome, GraphOutcome::Drawn);
        EXPECT_TRUE(off.overlays.empty());
        ASSERT_EQ(on.overlays.size(), 2u);
        EXPECT_EQ(on.overlays[0].name, "Body Fat % trend");
        EXPECT_EQ(on.overlays[0].column, 0u);
        EXPECT_EQ(on.overlays[1].name, "Weight trend");
        EXPECT_EQ(on.overlays[1].column, 1u);
        for (const GraphOverlay& overlay : on.overlays)
            EXPECT_EQ(overlay.style, GraphOverlay::Style::Trend);
        ASSERT_EQ(on.overlays[1].values.size(), c.weightTrend.size());
        for (std::size_t i = 0; i < c.weightTrend.size(); ++i)
            EXPECT_NEAR(on.overlays[1].values[i], c.weightTrend[i], 1e-9);
        // A trend stays between the readings: nothing else changes.
        EXPECT_EQ(on.grid.values, off.grid.values);
        EXPECT_EQ(on.grid.rowLabels, off.grid.rowLabels);
        EXPECT_EQ(on.grid.columnLabels, off.grid.columnLabels);
        EXPECT_EQ(on.grid.minimum, off.grid.minimum);
        EXPECT_EQ(on.grid.maximum, off.grid.maximum);
    }
}

// A site that was not taken is stored as 0: no trend point there, and the trend goes on from
// the readings around it.
TEST(GraphDataTest, ReadingsNotTakenAreLeftOutOfTheTrend) {
    GraphRecords records;
    records.kind = GraphKind::Tape;
    for (const auto& [date, waist, weight] : std::vector<std::tuple<DateKey, double, double>>{
             {20250321, 35, 160}, {20250311, 0, 170}, {20250301, 36, 180}}) {
        TapeRecord r;
        r.user = User(Imperial);
        r.user.weight = weight;
        r.waist = waist;
        r.date = date;
        r.active = 1;
        records.tape.push_back(r);
    }
    const GraphSelection s = SelectGraphData(records, User(Imperial), {"Waist", "Weight"},
                                             Day(2025, 3, 1), Day(2025, 3, 31), {.trend = true});
    ASSERT_EQ(s.overlays.size(), 2u);
    const std::vector<double>& waist = s.overlays[0].values;
    ASSERT_EQ(waist.size(), 3u);
    EXPECT_EQ(waist[0], 36);
    EXPECT_TRUE(std::isnan(waist[1]));
    EXPECT_DOUBLE_EQ(waist[2], 36 - 0.75); // twenty days on: three quarters of the step
    EXPECT_EQ(s.overlays[1].values, (std::vector<double>{180, 175, 167.5}));
    EXPECT_EQ(s.grid.values[1], (std::vector<double>{0, 170})); // drawn as it always was
}

TEST(GraphDataTest, UserGoals) {
    const auto user = [](int units, float desired) {
        UserRecord u = User(units);
        u.desiredBodyFat = desired;
        return u;
    };
    const auto saved = [](DateKey date, double lean, float desired) {
        UserRecord savedBy = User(Imperial);
        savedBy.desiredBodyFat = desired;
        return BodyFat(date, 20, lean * 1.25, lean * 0.25, lean, savedBy);
    };
    const RecordList<BodyFatRecord> records{saved(20250331, 144, 20), saved(20250301, 150, 25)};
    struct Case {
        const char* name;
        UserRecord user;
        RecordList<BodyFatRecord> records;
        std::optional<double> bodyFat;
        std::optional<double> weight;
    };
    const Case cases[] = {
        {"imperial: the newest record's lean weight over its desired share", user(Imperial, 15),
         records, 15, 180},
        // 144 lb of lean weight are 65.32 kg, as the results screen shows them.
        {"metric", user(Metric, 15), records, 15, 65.32 / 0.8},
        {"no records: no goal weight", user(Imperial, 15), {}, 15, std::nullopt},
        {"desired body fat 0: no goal", user(Imperial, 0), records, std::nullopt, 180},
        {"a record's desired body fat of 100: no goal weight",
         user(Imperial, 99.5f),
         {saved(20250331, 144, 100)},
         99.5,
         std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const GraphGoals goals = UserGoals(c.user, c.records);
        EXPECT_EQ(goals.bodyFat.has_value(), c.bodyFat.has_value());
        if (goals.bodyFat && c.bodyFat) {
            EXPECT_DOUBLE_EQ(*goals.bodyFat, *c.bodyFat);
        }
        EXPECT_EQ(goals.weight.has_value(), c.weight.has_value());
        if (goals.weight && c.weight) {
            EXPECT_NEAR(*goals.weight, *c.weight, 1e-9);
        }
    }
}

// Goal lines for "Body Fat %" and "Weight" only, named so that two can be told apart, and an
// axis that reaches them.
TEST(GraphDataTest, GoalLines) {
    struct Case {
        const char* name;
        Strings items;
        GraphGoals goals;
        Strings lines; // "name: series at level"
        double minimum;
        double maximum;
    };
    const Case cases[] = {
        {"weight alone: \"Goal\"", {"Weight"}, {20, 180}, {"Goal: Weight at 180"}, 145, 185},
        {"below every reading: the axis reaches down to it",
         {"Weight"},
         {20, 130},
         {"Goal: Weight at 130"},
         125,
         185},
        {"both: named by their series",
         {"Body Fat %", "Lean Body Wt", "Weight"},
         {15, 180},
         {"Body Fat % goal: Body Fat % at 15", "Weight goal: Weight at 180"},
         0,
         185},
        {"no goal weight: the body fat goal alone",
         {"Weight", "Body Fat %"},
         {15, {}},
         {"Goal: Body Fat % at 15"},
         0,
         185},
        {"no goal for the other items", {"Lean Body Wt", "Body Fat Wt"}, {15, 180}, {}, 1, 149},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const GraphSelection off = SelectGraphData(TenDaysApart(), User(Imperial), c.items,
                                                   Day(2025, 3, 1), Day(2025, 3, 31));
        const GraphSelection on =
            SelectGraphData(TenDaysApart(), User(Imperial), c.items, Day(2025, 3, 1),
                            Day(2025, 3, 31), {.goal = true}, c.goals);
        ASSERT_EQ(on.outcome, GraphOutcome::Drawn);
        Strings lines;
        for (const GraphOverlay& overlay : on.overlays) {
            EXPECT_EQ(overlay.style, GraphOverlay::Style::Goal);
            ASSERT_EQ(overlay.values.size(), 1u);
            lines.push_back(overlay.name + ": " + on.grid.columnLabels.at(overlay.column) + " at " +
                            FormatText("%g", overlay.values.front()));
        }
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(on.grid.minimum, c.minimum);
        EXPECT_EQ(on.grid.maximum, c.maximum);
        EXPECT_EQ(on.grid.values, off.grid.values);
        EXPECT_EQ(on.grid.rowLabels, off.grid.rowLabels);
    }
}

TEST(GraphDataTest, OnlyTheLineGraphsButBloodPressureTakeOverlays) {
    Strings taking;
    for (const GraphType& type : GraphTypes) {
        if (GraphTakesOverlays(type))
            taking.push_back(type.text);
    }
    EXPECT_EQ(taking, (Strings{"Body Composition     - Line", "Tape Measurements - Line",
                               "Body Mass Index      - Line"}));
}

TEST(GraphDataTest, TwelveHourTimes) {
    struct Case {
        int hour, minute, second;
        const char* text;
    };
    const Case cases[] = {
        {0, 0, 0, "12:00:00 AM"},  {8, 5, 0, "8:05:00 AM"},  {11, 59, 59, "11:59:59 AM"},
        {12, 0, 0, "12:00:00 PM"}, {13, 7, 9, "1:07:09 PM"}, {23, 59, 59, "11:59:59 PM"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TwelveHourTime(c.hour, c.minute, c.second), c.text);
}

} // namespace
} // namespace vitalog
