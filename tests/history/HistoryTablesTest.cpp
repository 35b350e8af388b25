#include "history/HistoryTables.h"
#include "calc/NumberText.h"
#include "calc/TestUsers.h"
#include "records/DateKey.h"
#include "records/RecordFile.h"
#include "records/TestFiles.h"
#include "records/Units.h"
#include "records/Users.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <map>
#include <random>
#include <string>

using namespace vitalog;
using vitalog::test::MakeUser;
using vitalog::test::TempDir;

namespace {

// The cell under a header in one row; fails the test when the header is missing.
std::string Under(const HistoryTable& table, const std::string& header, std::size_t row = 0) {
    for (std::size_t c = 0; c < table.columns.size(); ++c)
        if (table.columns[c].header == header)
            return std::string(table.Cell(row, c));
    ADD_FAILURE() << "no column " << header;
    return "<none>";
}

std::vector<std::string> Headers(const HistoryTable& table) {
    std::vector<std::string> headers;
    for (const HistoryColumn& c : table.columns)
        headers.push_back(c.header);
    return headers;
}

BodyFatRecord Assessment(const char* method, std::initializer_list<std::int32_t> sites,
                         DateKey date = 20050307) {
    BodyFatRecord r;
    r.user = MakeUser(Male, 30, 180);
    r.SetMethod(method);
    int i = 0;
    for (const std::int32_t s : sites)
        r.sites[i++] = s;
    r.bodyFat = 18.5;
    r.leanWeight = 146.7;
    r.fatWeight = 33.3;
    r.date = date;
    r.active = 1;
    return r;
}

HistoryTable OneBodyComposition(const BodyFatRecord& r, const UserRecord& user) {
    return BodyCompositionTable({r}, user, RowOrder::NewestOnTop);
}

} // namespace

TEST(BodyCompositionTable, HeadersFollowSexAndUnits) {
    const auto male = BodyCompositionColumns(MakeUser(Male, 30, 180));
    const auto female = BodyCompositionColumns(MakeUser(Female, 30, 140, Metric));
    HistoryTable m{male, {}, {}}, f{female, {}, {}};
    EXPECT_EQ(Headers(m),
              (std::vector<std::string>{"Date", "Type", "Body Fat %", "Weight lb", "Lean Body lb",
                                        "Body Fat lb", "Chest", "Abdominal", "Thigh", "Bicep",
                                        "Tricep", "Subscapular", "Suprailiac", "Midaxillary",
                                        "Lower Back", "Calf", "Abdomen", "Neck", "Height"}));
    EXPECT_EQ(Headers(f),
              (std::vector<std::string>{"Date",         "Type",        "Body Fat %", "Weight kg",
                                        "Lean Body kg", "Body Fat kg", "Tricep",     "Suprailiac",
                                        "Thigh",        "Chest",       "Abdominal",  "Subscapular",
                                        "Bicep",        "Midaxillary", "Lower Back", "Calf",
                                        "Waist",        "Hip",         "Neck",       "Height"}));
    // Any sex but 1 takes the women's sites.
    EXPECT_EQ(BodyCompositionColumns(MakeUser(0, 30, 180)).size(), 20u);
    // Widths and alignments: the first site is 100 wide, lean and fat weights 85.
    EXPECT_EQ(male[1].align, CellAlign::Centre);
    EXPECT_EQ(male[1].width, 110);
    EXPECT_EQ(male[4].width, 85);
    EXPECT_EQ(male[6].width, 100);
    EXPECT_EQ(male[7].width, 75);
    EXPECT_EQ(male[0].align, CellAlign::Left);
    EXPECT_EQ(male[18].align, CellAlign::Right);
}

struct BodyCompositionCase {
    const char* name;
    BodyFatRecord record;
    UserRecord user;
    std::map<std::string, std::string> cells; // header -> text
};

class BodyCompositionCells : public ::testing::TestWithParam<BodyCompositionCase> {};

TEST_P(BodyCompositionCells, ShowTheRecordAsStated) {
    const auto& c = GetParam();
    const HistoryTable table = OneBodyComposition(c.record, c.user);
    ASSERT_EQ(table.RowCount(), 1u);
    for (const auto& [header, text] : c.cells)
        EXPECT_EQ(Under(table, header), text) << "under " << header;
}

namespace {

BodyFatRecord WithTape(BodyFatRecord r, double waist, double height, double hip, double neck) {
    r.tape[0] = waist;
    r.tape[1] = height;
    r.tape[2] = hip;
    r.tape[3] = neck;
    return r;
}

const UserRecord ImperialMan = MakeUser(Male, 30, 180);
const UserRecord MetricMan = MakeUser(Male, 30, 180, Metric);
const UserRecord ImperialWoman = MakeUser(Female, 30, 140);
const UserRecord MetricWoman = MakeUser(Female, 30, 140, Metric);

} // namespace

INSTANTIATE_TEST_SUITE_P(
    Records, BodyCompositionCells,
    ::testing::Values(
        BodyCompositionCase{"JacksonPollock7",
                            Assessment("Jackson/Pollock 7", {1, 2, 3, 4, 5, 6, 7}),
                            ImperialMan,
                            {{"Date", "03/07/2005"},
                             {"Type", "Jackson/Pollock 7"},
                             {"Body Fat %", "18.50 %"},
                             {"Weight lb", "180.00"},
                             {"Lean Body lb", "146.70"},
                             {"Body Fat lb", "33.30"},
                             {"Chest", "1"},
                             {"Abdominal", "2"},
                             {"Thigh", "3"},
                             {"Bicep", "-"},
                             {"Tricep", "4"},
                             {"Subscapular", "5"},
                             {"Suprailiac", "6"},
                             {"Midaxillary", "7"},
                             {"Lower Back", "-"},
                             {"Calf", "-"},
                             {"Abdomen", "-"},
                             {"Neck", "-"},
                             {"Height", "-"}}},
        // Sites a method leaves at 0 read "-".
        BodyCompositionCase{
            "JacksonPollock4",
            Assessment("Jackson/Pollock 4", {0, 14, 22, 9, 0, 17, 0}),
            ImperialMan,
            {{"Chest", "-"}, {"Abdominal", "14"}, {"Subscapular", "-"}, {"Midaxillary", "-"}}},
        BodyCompositionCase{"ThreeSiteCaliperByItsOldName",
                            Assessment("Three Site Caliper", {10, 20, 30}),
                            ImperialMan,
                            {{"Type", "Jackson/Pollock 3"}, {"Chest", "10"}}},
        BodyCompositionCase{"SevenSiteCaliperByItsOldName",
                            Assessment("Seven Site Caliper", {1, 2, 3, 4, 5, 6, 7}),
                            ImperialMan,
                            {{"Type", "Jackson/Pollock 7"}}},
        BodyCompositionCase{"UnknownMethodAsStored",
                            Assessment("Whatever", {}),
                            ImperialMan,
                            {{"Type", "Whatever"}}},
        BodyCompositionCase{"Durnin",
                            Assessment("Durnin", {12, 0, 0, 8, 11, 9, 0}),
                            ImperialMan,
                            {{"Bicep", "12"},
                             {"Chest", "-"},
                             {"Abdominal", "-"},
                             {"Tricep", "8"},
                             {"Subscapular", "11"},
                             {"Suprailiac", "9"},
                             {"Midaxillary", "-"},
                             {"Lower Back", "-"},
                             {"Calf", "-"}}},
        // Only the exact text is Durnin: the chest slot stays chest.
        BodyCompositionCase{"DurninInOtherCaseIsNotDurnin",
                            Assessment("durnin", {12}),
                            ImperialMan,
                            {{"Bicep", "-"}, {"Chest", "12"}}},
        BodyCompositionCase{"DurninWithoutBicep",
                            Assessment("Durnin", {0, 0, 0, 8}),
                            ImperialMan,
                            {{"Bicep", "-"}, {"Chest", "-"}}},
        BodyCompositionCase{"ParrilloHalves",
                            Assessment("Parrillo", {10 << 16 | 12, 7 << 16 | 20, 30, 4, 5, 6, 9}),
                            ImperialMan,
                            {{"Bicep", "10"},
                             {"Chest", "12"},
                             {"Calf", "7"},
                             {"Abdominal", "20"},
                             {"Thigh", "30"},
                             {"Midaxillary", "-"},
                             {"Lower Back", "9"}}},
        // The halves and the lower back are written without the zero test.
        BodyCompositionCase{"ParrilloZeroHalves",
                            Assessment("Parrillo", {0, 0, 0, 0, 0, 0, 0}),
                            ImperialMan,
                            {{"Bicep", "0"},
                             {"Chest", "0"},
                             {"Calf", "0"},
                             {"Abdominal", "0"},
                             {"Lower Back", "0"},
                             {"Thigh", "-"}}},
        BodyCompositionCase{
            "FemaleSitesByHeaderNotPosition",
            Assessment("Jackson/Pollock 3", {0, 0, 25, 18, 0, 21, 0}),
            ImperialWoman,
            {{"Tricep", "18"}, {"Suprailiac", "21"}, {"Thigh", "25"}, {"Chest", "-"}}},
        BodyCompositionCase{"ImperialTape",
                            WithTape(Assessment("Tape Measurement", {}), 32.5, 70, 0, 15.25),
                            ImperialMan,
                            {{"Abdomen", "32.50"}, {"Neck", "15.25"}, {"Height", "5 ' 10''"}}},
        BodyCompositionCase{"ImperialHeightWithFraction",
                            WithTape(Assessment("Tape Measurement", {}), 32, 70.5, 0, 15),
                            ImperialMan,
                            {{"Height", "5 ' 10.50''"}}},
        BodyCompositionCase{"ImperialHeightOfWholeFeet",
                            WithTape(Assessment("Tape Measurement", {}), 32, 72.5, 0, 15),
                            ImperialMan,
                            {{"Height", "6 ' 0''"}}},
        BodyCompositionCase{"MetricTapeWoman",
                            WithTape(Assessment("Tape Measurement", {}), 32, 65, 40, 0),
                            MetricWoman,
                            {{"Waist", "81.28"},
                             {"Hip", "101.60"},
                             {"Neck", "-"},
                             {"Height", "165.10"},
                             {"Weight kg", "81.65"},
                             {"Lean Body kg", "66.54"},
                             {"Body Fat kg", "15.10"}}},
        // The current user's units decide, not the units kept in the record.
        BodyCompositionCase{"MetricUserReadsPounds",
                            Assessment("Other", {}),
                            MetricMan,
                            {{"Weight kg", "81.65"}, {"Body Fat %", "18.50 %"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TapeTable, MetricGirthsAndTheSexOfTheSecondSite) {
    TapeRecord r;
    r.user = MakeUser(Male, 30, 180);
    r.biceps = 14;
    r.forearmOrHip = 11.5;
    r.chest = 40;
    r.waist = 32;
    r.neck = 0;
    r.calf = 15;
    r.thigh = 22.25;
    r.date = 20050307;
    const HistoryTable metric =
        TapeTable({r}, MakeUser(Female, 30, 180, Metric), RowOrder::NewestOnTop);
    EXPECT_EQ(Headers(metric),
              (std::vector<std::string>{"Date", "Weight kg", "Bicep", "Hip", "Chest", "Waist",
                                        "Neck", "Calf", "Thigh"}));
    const std::vector<std::string> metricCells{"03/07/2005", "81.65", "35.56", "29.21", "101.60",
                                               "81.28",      "0.00",  "38.10", "56.52"};
    EXPECT_EQ(metric.Texts(), metricCells);

    const HistoryTable imperial = TapeTable({r}, MakeUser(Male, 30, 180), RowOrder::NewestOnTop);
    EXPECT_EQ(imperial.columns[1].header, "Weight lb");
    EXPECT_EQ(imperial.columns[3].header, "Forearm");
    const std::vector<std::string> imperialCells{"03/07/2005", "180.00", "14.00", "11.50", "40.00",
                                                 "32.00",      "0.00",   "15.00", "22.25"};
    EXPECT_EQ(imperial.Texts(), imperialCells);
}

TEST(HistoryDate, MonthDayYearWithLeadingZeros) {
    EXPECT_EQ(HistoryDate(20050307), "03/07/2005");
    EXPECT_EQ(HistoryDate(19991231), "12/31/1999");
    // Keys no calendar gives still read as the stored date text does.
    for (const DateKey key : {0, 9990101, 100000101, -20050307})
        EXPECT_EQ(HistoryDate(key), FormatDateKey(key, 1)) << key;
}

TEST(TapeTable, TwoDecimalsAsPrintfWritesThem) {
    // Ties of the binary value go to even, products near a tie are decided by the exact
    // value, and whatever the magnitude the text is printf's.
    std::vector<double> values{0.125,
                               0.375,
                               2.675,
                               1.005,
                               0.005,
                               0.015,
                               -0.001,
                               -0.0,
                               0,
                               1e14 + 0.5,
                               123456789.125,
                               9.995,
                               99.995,
                               -2.675,
                               1e300,
                               5e-324,
                               std::numeric_limits<double>::infinity(),
                               std::numeric_limits<double>::quiet_NaN()};
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> girth(0, 200);
    for (int i = 0; i < 20000; ++i)
        values.push_back(girth(random));
    for (int i = 0; i < 2000; ++i) // exact thousandths: the ties printf must round to even
        values.push_back(static_cast<double>(random() % 100000) / 1000);
    RecordList<TapeRecord> list;
    for (std::size_t i = 0; i < values.size(); i += 7) {
        TapeRecord r;
        double* girths[] = {&r.biceps, &r.forearmOrHip, &r.chest, &r.waist,
                            &r.neck,   &r.calf,         &r.thigh};
        for (std::size_t k = 0; k < 7; ++k)
            *girths[k] = values[std::min(i + k, values.size() - 1)];
        list.push_back(r);
    }
    const HistoryTable table = TapeTable(list, MakeUser(Male, 30, 180), RowOrder::NewestOnTop);
    for (std::size_t row = 0; row < list.size(); ++row) {
        const TapeRecord& r = list[row];
        const double girths[] = {r.biceps, r.forearmOrHip, r.chest, r.waist,
                                 r.neck,   r.calf,         r.thigh};
        for (std::size_t k = 0; k < 7; ++k)
            ASSERT_EQ(table.Cell(row, 2 + k), FormatText("%.2f", girths[k]))
                << std::hexfloat << girths[k];
    }
}

TEST(TapeTable, RowsInTheWalkOrder) {
    RecordList<TapeRecord> list(3);
    list[0].date = 20070101; // newest first, as LoadAll gives them
    list[1].date = 20060101;
    list[2].date = 20050101;
    const UserRecord user = MakeUser(Male, 30, 180);
    const HistoryTable newest = TapeTable(list, user, RowOrder::NewestOnTop);
    const HistoryTable oldest = TapeTable(list, user, RowOrder::OldestOnTop);
    ASSERT_EQ(newest.RowCount(), 3u);
    EXPECT_EQ(newest.Cell(0, 0), "01/01/2007");
    EXPECT_EQ(newest.Cell(2, 0), "01/01/2005");
    EXPECT_EQ(oldest.Cell(0, 0), "01/01/2005");
    EXPECT_EQ(oldest.Cell(2, 0), "01/01/2007");
}

TEST(BloodPressureTable, DateTimeNumbersAndFlattenedNotes) {
    struct Case {
        int hour, minute, second;
        const char* time;
    };
    const Case cases[] = {{21, 5, 30, "9:05:30 PM"},
                          {0, 0, 0, "12:00:00 AM"},
                          {12, 0, 1, "12:00:01 PM"},
                          {9, 59, 59, "9:59:59 AM"}};
    for (const Case& c : cases) {
        BloodPressureRecord r;
        r.when = MakeDateTimeKey(2005, 3, 7, c.hour, c.minute, c.second);
        r.systolic = 120;
        r.diastolic = 80;
        r.pulse = 64;
        ASSERT_TRUE(r.SetNotes("after\r\nthe run\nat 7\rpm"));
        const HistoryTable table = BloodPressureTable({r}, RowOrder::NewestOnTop);
        const std::vector<std::string> cells{"3/7/2005", c.time, "120",
                                             "80",       "64",   "after the runat 7 pm"};
        EXPECT_EQ(table.Texts(), cells);
    }
    const auto columns = BloodPressureColumns();
    EXPECT_EQ(columns[4].width, 55);
    EXPECT_EQ(columns[5].width, 300);
    EXPECT_EQ(columns[5].align, CellAlign::Left);
    EXPECT_EQ(columns[1].align, CellAlign::Right);
}

namespace {

BmiRecord Bmi(DateKey date, double height, double pounds = 180) {
    BmiRecord r;
    r.user = MakeUser(Male, 30, pounds);
    r.bmi = 25.826;
    r.height = height;
    r.date = date;
    r.active = 1;
    return r;
}

BmrRecord Bmr(DateKey date, double bmr, double factor, double withFactor) {
    BmrRecord r;
    r.bmr = bmr;
    r.activityFactor = factor;
    r.bmrWithActivity = withFactor;
    r.date = date;
    r.active = 1;
    return r;
}

} // namespace

TEST(BmiBmrTable, HeightsInBothForms) {
    struct Case {
        double height;
        int units;
        const char* text;
    };
    const Case cases[] = {
        {70, Imperial, "5 ' 10 ''"},  {70.5, Imperial, "5 ' 10.50 ''"},
        {72.5, Imperial, "6 ' 0 ''"}, {65.05, Imperial, "5 ' 5.5 ''"},
        {70, Metric, "177.80"},
    };
    for (const Case& c : cases) {
        const HistoryTable table = BmiBmrTable(
            {Bmi(20050307, c.height)}, {}, MakeUser(Male, 30, 180, c.units), RowOrder::NewestOnTop);
        EXPECT_EQ(Under(table, "Height"), c.text) << c.height;
    }
}

TEST(BmiBmrTable, KilocaloriesAndActivityFactors) {
    struct Case {
        double bmr, factor, withFactor;
        const char *bmrText, *factorText, *withText;
    };
    const Case cases[] = {
        {1000.4, 1.2, 1200.48, "1,000", "Sedentary", "1,200"},
        {999.6, 1.375, 1374.45, "1000", "Light", "1,374"},
        {10000, 1.55, 15500, "10000", "Moderate", "15,500"},
        {1700, 1.725, 2932.5, "1,700", "Very", "2,932"},
        {1700, 1.9, 99999.4, "1,700", "Extra", "99,999"},
        {1700, 1.3, 2210, "1,700", "", "2,210"},
        {1700, 1.55000001, 2635, "1,700", "", "2,635"},
        {9999.7, 0, 0, "10000", "", "0"},
    };
    for (const Case& c : cases) {
        const HistoryTable table =
            BmiBmrTable({Bmi(20050307, 70)}, {Bmr(20050307, c.bmr, c.factor, c.withFactor)},
                        MakeUser(Male, 30, 180), RowOrder::NewestOnTop);
        EXPECT_EQ(Under(table, "BMR"), c.bmrText) << c.bmr;
        EXPECT_EQ(Under(table, "Activity Factor (AF)"), c.factorText) << c.factor;
        EXPECT_EQ(Under(table, "BMR w/AF"), c.withText) << c.withFactor;
    }
}

TEST(BmiBmrTable, RowsComeFromBmiRecordsAndMatchBmrByDate) {
    const RecordList<BmiRecord> bmi{Bmi(20060101, 70, 176), Bmi(20050101, 70)};
    const RecordList<BmrRecord> bmr{Bmr(20070101, 1900, 1.2, 2280), Bmr(20050101, 1800, 1.9, 3420)};
    const HistoryTable table =
        BmiBmrTable(bmi, bmr, MakeUser(Male, 30, 180), RowOrder::NewestOnTop);
    ASSERT_EQ(table.RowCount(), 2u); // the BMR record of 2007 has no BMI record: no row
    const std::vector<std::string> cells{
        "01/01/2006", "25.83", "",      "",      "",      "176.00", "5 ' 10 ''",
        "01/01/2005", "25.83", "1,800", "Extra", "3,420", "180.00", "5 ' 10 ''"};
    EXPECT_EQ(table.Texts(), cells);
    EXPECT_EQ(table.columns[3].width, 120);
}

TEST(BmiBmrTable, TwoBmrRecordsOfOneDateMatchTheFirstMetOnTheWalk) {
    // The walk from the oldest meets the later of the two first; the walk from the newest the
    // earlier (list order keeps file order within a date).
    const RecordList<BmiRecord> bmi{Bmi(20050101, 70)};
    const RecordList<BmrRecord> bmr{Bmr(20050101, 1500, 1.2, 1800), Bmr(20050101, 1600, 1.2, 1920)};
    const UserRecord user = MakeUser(Male, 30, 180);
    EXPECT_EQ(Under(BmiBmrTable(bmi, bmr, user, RowOrder::NewestOnTop), "BMR"), "1,600");
    EXPECT_EQ(Under(BmiBmrTable(bmi, bmr, user, RowOrder::OldestOnTop), "BMR"), "1,500");
}

namespace {

// A user in "user.bin" with weight in pounds, and body composition records given as
// (date, body fat, total pounds, lean pounds).
struct Assess {
    DateKey date;
    double bodyFat, total, lean;
};

void AddTestUser(const std::filesystem::path& dir, const char* name, int units, double pounds,
                 int age, float desired, std::initializer_list<Assess> assessments,
                 int sex = Male) {
    UserRecord u = MakeUser(sex, age, units == Metric ? pounds * LbToKg : pounds, units, desired);
    std::memset(u.name, 0, sizeof u.name);
    ASSERT_TRUE(u.SetName(name));
    ASSERT_EQ(AddUser(dir, u), StoreResult::Done);
    for (const Assess& a : assessments) {
        BodyFatRecord r;
        r.user = MakeUser(sex, age, a.total); // imperial: stored as given
        ASSERT_TRUE(r.user.SetName(name));
        r.SetMethod("Other");
        r.bodyFat = a.bodyFat;
        r.leanWeight = a.lean;
        r.fatWeight = a.total - a.lean;
        r.date = a.date;
        ASSERT_EQ(BodyFatFile::Append(dir, r), StoreResult::Done);
    }
}

std::vector<std::string> Row(const HistoryTable& table, std::size_t row) {
    const std::vector<std::string> texts = table.Texts();
    return {texts.begin() + std::ptrdiff_t(row * table.columns.size()),
            texts.begin() + std::ptrdiff_t((row + 1) * table.columns.size())};
}

} // namespace

TEST(AllUsersTable, RowsOfTheWorkedExamples) {
    TempDir dir;
    AddTestUser(dir.path(), "Imperial", Imperial, 176, 40, 15,
                {{20050101, 20, 180, 144}, {20060101, 18, 183, 150}});
    AddTestUser(dir.path(), "Metric", Metric, 176, 40, 15,
                {{20050101, 20, 180, 144}, {20060101, 18, 183, 150}}, Female);
    AddTestUser(dir.path(), "Once", Imperial, 176, 0, 0, {{20050101, 20, 180, 144}});
    AddTestUser(dir.path(), "Never", Imperial, 176, 25, 12.5f, {});
    const auto table = AllUsersTable(dir.path());
    ASSERT_TRUE(table);
    EXPECT_EQ(Headers(*table),
              (std::vector<std::string>{"Name", "Sex", "Age", "Desired BF", "Current BF",
                                        "Starting BF", "BF Change", "Current Wt", "Starting Wt",
                                        "Wt Change", "Current LB", "Starting LB", "LB Change"}));
    ASSERT_EQ(table->RowCount(), 4u);
    // The last user of the file is on top.
    EXPECT_EQ(Row(*table, 0),
              (std::vector<std::string>{"Never", "Male", "25", "12.50 %", "-", "-", "-", "176.00",
                                        "176.00", "-", "-", "-", "-"}));
    EXPECT_EQ(Row(*table, 1),
              (std::vector<std::string>{"Once", "Male", "-", "-", "20.00 %", "20.00 %", "0.00 %",
                                        "176.00", "180.00", "-4.00", "144.00", "144.00", "0.00"}));
    EXPECT_EQ(Row(*table, 2), (std::vector<std::string>{
                                  "Metric", "Female", "40", "15.00 %", "18.00 %", "20.00 %",
                                  "-2.00 %", "79.83", "81.65", "-1.81", "68.04", "65.32", "2.72"}));
    EXPECT_EQ(Row(*table, 3),
              (std::vector<std::string>{"Imperial", "Male", "40", "15.00 %", "18.00 %", "20.00 %",
                                        "-2.00 %", "176.00", "180.00", "-4.00", "150.00", "144.00",
                                        "6.00"}));
    const auto& columns = table->columns;
    EXPECT_EQ(columns[0].align, CellAlign::Centre);
    EXPECT_EQ(columns[0].width, 110);
    EXPECT_EQ(columns[1].width, 55);
    EXPECT_EQ(columns[2].width, 45);
    EXPECT_EQ(columns[12].align, CellAlign::Right);
}

TEST(AllUsersTable, InactiveUsersGiveNoRowAndAProfileWithoutWeightShowsDashes) {
    TempDir dir;
    AddTestUser(dir.path(), "Ann", Imperial, 0, 30, 15, {});
    AddTestUser(dir.path(), "Bob", Imperial, 170, 30, 15, {});
    UserRecord bob;
    ASSERT_TRUE(bob.SetName("Bob"));
    ASSERT_TRUE(FindUser(dir.path(), bob));
    ASSERT_EQ(DeleteUser(dir.path(), bob), StoreResult::Done);
    const auto table = AllUsersTable(dir.path());
    ASSERT_TRUE(table);
    ASSERT_EQ(table->RowCount(), 1u);
    EXPECT_EQ(Under(*table, "Name"), "Ann");
    EXPECT_EQ(Under(*table, "Current Wt"), "-");
    EXPECT_EQ(Under(*table, "Starting Wt"), "-");
}

TEST(AllUsersTable, NoLiveUserGivesColumnsWithoutRowsAndNoFileNothing) {
    {
        TempDir dir; // no user.bin yet
        const auto table = AllUsersTable(dir.path());
        ASSERT_TRUE(table);
        EXPECT_EQ(table->columns.size(), 13u);
        EXPECT_EQ(table->RowCount(), 0u);
    }
    {
        TempDir dir;
        AddTestUser(dir.path(), "Gone", Imperial, 170, 30, 15, {});
        UserRecord gone;
        ASSERT_TRUE(gone.SetName("Gone"));
        ASSERT_TRUE(FindUser(dir.path(), gone));
        ASSERT_EQ(DeleteUser(dir.path(), gone), StoreResult::Done);
        const auto table = AllUsersTable(dir.path());
        ASSERT_TRUE(table);
        EXPECT_EQ(table->RowCount(), 0u);
    }
    {
        TempDir dir; // "user.bin" that is no file: nothing can be read
        std::filesystem::create_directory(dir.path() / UserFileName);
        EXPECT_FALSE(AllUsersTable(dir.path()));
    }
}
