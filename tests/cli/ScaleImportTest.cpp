// A bathroom-scale app's CSV exports, each layout, read into a fixture user's records.

#include "CliFixture.h"

#include "calc/MeasurementType.h"
#include "cli/ScaleImport.h"

#include <gmock/gmock.h>

namespace vitalog::test {
namespace {

using cli::ScaleLengthUnit;
using cli::ScaleWeightUnit;
using ::testing::HasSubstr;

constexpr DateKey Day = 20240305;

struct LayoutCase {
    const char* name;
    const char* csv;
    ScaleWeightUnit weightUnit;
    ScaleLengthUnit lengthUnit;
    const char* layout; // the start of the layout's name
    double weightLb;
    double bodyFat; // 0: no body composition record
    bool tape;      // a tape record is written
    double waistIn, hipIn, chestIn, thighIn, bicepsIn, neckIn;
};
void PrintTo(const LayoutCase& c, std::ostream* out) {
    *out << c.name;
}

// One reading of 5 March 2024 in every layout, the kilograms and centimetres of the older
// ones whatever units are asked for.
const LayoutCase LayoutCases[]{
    {"CurrentDateAndTime",
     "DATE,TIME,BICEPS,BMI,BODY_FAT,CALIPER_1,CHEST,COMMENT,HIPS,LBM,NECK,THIGH,WAIST,WATER,"
     "WEIGHT\n"
     "2024-03-05,07:31:12.250,31.5,23.1,24.5,,98,\"after a run, tired\",101.6,50,36.5,58,84,55,"
     "72.4\n",
     ScaleWeightUnit::Kg, ScaleLengthUnit::Cm, "3.x, DATE", 72.4 * KgToLb, 24.5, true, 84 / 2.54,
     101.6 / 2.54, 98 / 2.54, 58 / 2.54, 31.5 / 2.54, 36.5 / 2.54},
    {"CurrentHeaderInAnyCaseInPoundsAndInches",
     "Date,Time,Weight,Body_Fat,Waist,Custom Thing\r\n2024-03-05,07:31,165.5,0,33.25,4\r\n",
     ScaleWeightUnit::Lb, ScaleLengthUnit::In, "3.x, DATE", 165.5, 0, true, 33.25, 0, 0, 0, 0, 0},
    {"CurrentInStone", "DATE,TIME,WEIGHT\n2024-03-05,21:00,11.5\n", ScaleWeightUnit::St,
     ScaleLengthUnit::Cm, "3.x, DATE", 11.5 * 14, 0, true, 0, 0, 0, 0, 0, 0},
    {"CurrentDateTime", "dateTime,BODY_FAT,WAIST,WEIGHT\n2024-03-05 07:30,22,80,70\n",
     ScaleWeightUnit::Kg, ScaleLengthUnit::Cm, "3.x, dateTime", 70 * KgToLb, 22, true, 80 / 2.54, 0,
     0, 0, 0, 0},
    {"OlderQuotedAndReordered",
     "\"comment\",\"lbw\",\"waist\",\"fat\",\"visceralFat\",\"hip\",\"weight\",\"dateTime\","
     "\"caliper1\",\"neck\"\n"
     "\"a, b\",\"50\",\"82.5\",\"26.5\",\"7\",\"104\",\"68.2\",\"05.03.2024 18:45\",\"\",\"0\"\n",
     ScaleWeightUnit::Lb, ScaleLengthUnit::In, "2.x", 68.2 * KgToLb, 26.5, true, 82.5 / 2.54,
     104 / 2.54, 0, 0, 0, 0},
    {"Oldest10Fields", "05.03.2024 08:00,70.5,25,55,40,52,3,81,99,hello\n", ScaleWeightUnit::Kg,
     ScaleLengthUnit::Cm, "1.x, 10", 70.5 * KgToLb, 25, true, 81 / 2.54, 99 / 2.54, 0, 0, 0, 0},
    {"Oldest9Fields", "05.03.2024 08:00,70.5,25,55,40,3,81,99,\n", ScaleWeightUnit::St,
     ScaleLengthUnit::In, "1.x, 9", 70.5 * KgToLb, 25, true, 81 / 2.54, 99 / 2.54, 0, 0, 0, 0},
    {"Oldest8Fields", "05.03.2024 08:00,70.5,25,55,40,81,99,x\n", ScaleWeightUnit::Kg,
     ScaleLengthUnit::Cm, "1.x, 8", 70.5 * KgToLb, 25, true, 81 / 2.54, 99 / 2.54, 0, 0, 0, 0},
    // Weight and body fat only: the body composition record carries the weight, no tape.
    {"Oldest6Fields", "05.03.2024 08:00,70.5,25,55,40,\n", ScaleWeightUnit::Kg, ScaleLengthUnit::Cm,
     "1.x, 6", 70.5 * KgToLb, 25, false, 0, 0, 0, 0, 0, 0},
    {"Oldest5Fields", "05.03.2024 08:00,70.5,0,55,\n", ScaleWeightUnit::Kg, ScaleLengthUnit::Cm,
     "1.x, 5", 70.5 * KgToLb, 0, true, 0, 0, 0, 0, 0, 0},
};

class ScaleLayouts : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(ScaleLayouts, ReadBackThroughTheCoreWithConvertedValues) {
    TempDir dir;
    const Fixture fixture(dir.path());
    const LayoutCase& c = GetParam();
    const cli::ScaleReport report = cli::ImportScale(
        dir.path(), "Ann", c.csv, {.weightUnit = c.weightUnit, .lengthUnit = c.lengthUnit});
    ASSERT_TRUE(report.ok) << (report.problems.empty() ? "" : report.problems.front());
    EXPECT_THAT(report.layout.name, ::testing::StartsWith(c.layout));
    EXPECT_EQ(report.rowsRead, 1);
    EXPECT_EQ(report.firstDate, Day);

    const BodyFatRecord bf = BodyFatFile::Find(dir.path(), fixture.ann.Name(), Day);
    EXPECT_EQ(report.bodyComposition.written, c.bodyFat > 0 ? 1 : 0);
    if (c.bodyFat > 0) {
        ASSERT_EQ(bf.active, 1);
        EXPECT_EQ(std::string(bf.method), MeasurementType::Other);
        EXPECT_DOUBLE_EQ(bf.user.weight, c.weightLb);
        EXPECT_EQ(bf.bodyFat, c.bodyFat);
        // The fixture user is metric: the calculation ran in kilograms, stored in pounds.
        const double fat = c.weightLb * c.bodyFat / 100;
        EXPECT_NEAR(bf.fatWeight, fat, 1e-9);
        EXPECT_NEAR(bf.leanWeight, c.weightLb - fat, 1e-9);
        EXPECT_NEAR(bf.weightToLose, c.weightLb - (c.weightLb - fat) / (1 - 0.185), 1e-6);
        // The profile is copied, not changed.
        EXPECT_EQ(bf.user.age, fixture.ann.age);
        EXPECT_EQ(bf.user.desiredBodyFat, fixture.ann.desiredBodyFat);
    } else {
        EXPECT_EQ(bf.active, 0);
    }
    const TapeRecord tape = TapeFile::Find(dir.path(), fixture.ann.Name(), Day);
    EXPECT_EQ(report.tape.written, c.tape ? 1 : 0);
    if (c.tape) {
        ASSERT_EQ(tape.active, 1);
        EXPECT_DOUBLE_EQ(tape.user.weight, c.weightLb);
        EXPECT_DOUBLE_EQ(tape.waist, c.waistIn);
        EXPECT_DOUBLE_EQ(tape.forearmOrHip, c.hipIn);
        EXPECT_DOUBLE_EQ(tape.chest, c.chestIn);
        EXPECT_DOUBLE_EQ(tape.thigh, c.thighIn);
        EXPECT_DOUBLE_EQ(tape.biceps, c.bicepsIn);
        EXPECT_DOUBLE_EQ(tape.neck, c.neckIn);
        EXPECT_EQ(tape.calf, 0);
    } else {
        EXPECT_EQ(tape.active, 0);
    }
    UserRecord profile = fixture.ann;
    ASSERT_TRUE(FindUser(dir.path(), profile));
    EXPECT_EQ(profile.weight, fixture.ann.weight);
}

INSTANTIATE_TEST_SUITE_P(Files, ScaleLayouts, ::testing::ValuesIn(LayoutCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct RefusedScaleCase {
    const char* name;
    const char* csv;
    std::vector<std::string> options;
    const char* message;
};
void PrintTo(const RefusedScaleCase& c, std::ostream* out) {
    *out << c.name;
}

class RefusedScaleImport : public ::testing::TestWithParam<RefusedScaleCase> {};

TEST_P(RefusedScaleImport, NamesLineAndColumnAndChangesNoFile) {
    TempDir dir;
    const Fixture fixture(dir.path());
    const RefusedScaleCase& c = GetParam();
    WriteFile(dir / "in.csv", Bytes(c.csv, c.csv + std::strlen(c.csv)));
    const Snapshot before = TakeSnapshot(dir.path());
    std::vector<std::string> arguments{"import-scale", "--user", "Ann"};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    arguments.push_back((dir / "in.csv").string());
    const auto result = RunCli(dir.path(), arguments);
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.err, HasSubstr(c.message));
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(TakeSnapshot(dir.path()), before);
}

// Every case has good rows around the bad one: nothing at all may be written.
INSTANTIATE_TEST_SUITE_P(
    Rows, RefusedScaleImport,
    ::testing::Values(
        RefusedScaleCase{"DateThatDoesNotParse",
                         "DATE,TIME,WEIGHT\n2024-03-04,08:00,70\n2024-02-30,08:00,70\n",
                         {},
                         "line 3, column DATE: \"2024-02-30\" is not a date (YYYY-MM-DD)"},
        RefusedScaleCase{"DottedDateInTheCurrentLayout",
                         "dateTime,WEIGHT\n2024-03-04 08:00,70\n04.03.2024 08:00,70\n",
                         {},
                         "line 3, column dateTime: \"04.03.2024 08:00\" is not a date and time"},
        RefusedScaleCase{"TimeThatDoesNotParse",
                         "DATE,TIME,WEIGHT\n2024-03-04,8 Uhr,70\n",
                         {},
                         "line 2, column TIME: \"8 Uhr\" is not a time"},
        RefusedScaleCase{"NegativeWaist",
                         "\"dateTime\",\"weight\",\"waist\"\n\"04.03.2024 08:00\",\"70\",\"80\"\n"
                         "\"05.03.2024 08:00\",\"70\",\"-80\"\n",
                         {},
                         "line 3, column waist: a reading cannot be negative"},
        RefusedScaleCase{"BodyFatOfAHundred",
                         "05.03.2024 08:00,70.5,100,55,\n",
                         {},
                         "line 1, column 3 (fat): the body fat must be below 100 %"},
        RefusedScaleCase{"RowWithAnExtraField",
                         "DATE,TIME,WEIGHT\n2024-03-04,08:00,70,5\n",
                         {},
                         "line 2: the row has 4 fields, the header 3"},
        RefusedScaleCase{"DecimalComma",
                         "DATE,TIME,WEIGHT\n2024-03-04,08:00,\"70,5\"\n",
                         {},
                         "line 2, column WEIGHT: \"70,5\" is not a number"},
        RefusedScaleCase{"PoundsReadAsKilograms",
                         "DATE,TIME,WEIGHT\n2024-03-04,08:00,154\n2024-03-05,08:00,380\n",
                         {},
                         "line 3, column WEIGHT: 380 kg is not a plausible weight (20 to 350 kg); "
                         "were the readings in lb?"},
        RefusedScaleCase{"StonesReadAsPounds",
                         "DATE,TIME,WEIGHT\n2024-03-04,08:00,11.5\n",
                         {"--weight-unit", "lb"},
                         "11.5 lb is not a plausible weight (20 to 350 kg); were the readings in "
                         "st?"},
        RefusedScaleCase{"InchesReadAsCentimetres",
                         "DATE,TIME,WAIST,WEIGHT\n2024-03-04,08:00,29,70\n",
                         {},
                         "line 2, column WAIST: 29 cm is not a plausible waist (30 to 250 cm); "
                         "were the readings in in?"},
        RefusedScaleCase{"HeaderWithoutWeight",
                         "DATE,TIME,BODY_FAT\n2024-03-04,08:00,20\n",
                         {},
                         "line 1, column WEIGHT: missing from the header"},
        RefusedScaleCase{"SevenFieldsWithoutAHeader",
                         "05.03.2024 08:00,70.5,25,55,40,3,x\n",
                         {},
                         "a row without a header has 7 fields"},
        RefusedScaleCase{"RowWithoutADate",
                         "DATE,TIME,WEIGHT\n,08:00,70\n",
                         {},
                         "line 2, column DATE: \"\" is not a date"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScaleImport, AKnownDateIsSkippedUnlessOverwriteIsChosen) {
    TempDir dir;
    const Fixture fixture(dir.path());
    // Ann has a tape record of 5 January and a body composition record of 10 February.
    const std::string csv = "DATE,TIME,WEIGHT,BODY_FAT,WAIST\n"
                            "2024-01-05,08:00,70,0,80\n"
                            "2024-02-10,08:00,70,25,0\n"
                            "2024-02-11,08:00,70,25,0\n";
    WriteFile(dir / "in.csv", Bytes(csv.begin(), csv.end()));
    const std::vector<std::string> arguments{"import-scale", "--user", "Ann",
                                             (dir / "in.csv").string()};
    const Snapshot before = TakeSnapshot(dir.path());
    const auto first = RunCli(dir.path(), arguments);
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_THAT(first.out, HasSubstr("Body composition records: 1 written, 0 overwritten, 1 "
                                     "skipped"));
    EXPECT_THAT(first.out, HasSubstr("Tape records: 0 written, 0 overwritten, 1 skipped"));
    const Snapshot after = TakeSnapshot(dir.path());
    EXPECT_EQ(after.at("tmAnn.bin"), before.at("tmAnn.bin"));
    EXPECT_EQ(std::string(BodyFatFile::Find(dir.path(), "Ann", 20240210).method),
              MeasurementType::TapeMeasurement);

    auto again = arguments;
    again.insert(again.begin() + 3, "--overwrite");
    const auto second = RunCli(dir.path(), again);
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_THAT(second.out, HasSubstr("Body composition records: 0 written, 2 overwritten"));
    EXPECT_THAT(second.out, HasSubstr("Tape records: 0 written, 1 overwritten"));
    EXPECT_EQ(std::string(BodyFatFile::Find(dir.path(), "Ann", 20240210).method),
              MeasurementType::Other);
    EXPECT_DOUBLE_EQ(TapeFile::Find(dir.path(), "Ann", 20240105).waist, 80 / 2.54);
    // Written over in place: the files did not grow.
    EXPECT_EQ(ReadFile(dir / "tmAnn.bin").size(), after.at("tmAnn.bin").size());
}

TEST(ScaleImport, TheLastReadingOfADayCountsAndTheOthersAreMerged) {
    TempDir dir;
    const Fixture fixture(dir.path());
    // Newest first, as an export may list them; equal times go by the file's order.
    const char* csv = "DATE,TIME,WEIGHT\n"
                      "2024-03-06,09:00,69\n"
                      "2024-03-05,12:00,71\n"
                      "2024-03-05,21:00,72\n"
                      "2024-03-05,07:00,70\n"
                      "2024-03-06,09:00,69.5\n";
    const auto report = cli::ImportScale(dir.path(), "Ann", csv, {});
    ASSERT_TRUE(report.ok);
    EXPECT_EQ(report.rowsRead, 5);
    EXPECT_EQ(report.merged, 3);
    EXPECT_EQ(report.tape.written, 2);
    EXPECT_EQ(report.firstDate, 20240305);
    EXPECT_EQ(report.lastDate, 20240306);
    EXPECT_DOUBLE_EQ(TapeFile::Find(dir.path(), "Ann", 20240305).user.weight, 72 * KgToLb);
    EXPECT_DOUBLE_EQ(TapeFile::Find(dir.path(), "Ann", 20240306).user.weight, 69.5 * KgToLb);
}

TEST(ScaleImport, AMansHipIsDroppedAndCounted) {
    TempDir dir;
    const Fixture fixture(dir.path());
    const char* csv = "DATE,TIME,HIPS,WAIST,WEIGHT\n"
                      "2024-03-05,08:00,100,90,80\n"
                      "2024-03-06,08:00,100,,80\n"
                      "2024-03-07,08:00,,,\n";
    const auto report = cli::ImportScale(dir.path(), "Zo\xC3\xAB", csv, {});
    ASSERT_TRUE(report.ok);
    EXPECT_EQ(report.droppedHips, 2);
    EXPECT_EQ(report.droppedNoWeight, 1);
    EXPECT_EQ(report.tape.written, 2);
    const TapeRecord tape = TapeFile::Find(dir.path(), fixture.zoe.Name(), 20240305);
    EXPECT_DOUBLE_EQ(tape.waist, 90 / 2.54);
    EXPECT_EQ(tape.forearmOrHip, 0);
    // The imperial man's body fat would be in pounds already: his profile's units are kept.
    EXPECT_EQ(tape.user.units, Imperial);
    EXPECT_EQ(TapeFile::Find(dir.path(), fixture.zoe.Name(), 20240306).waist, 0);
    EXPECT_THAT(cli::ScaleReportLines(report), ::testing::Contains(HasSubstr("2 hip readings")));
}

TEST(ScaleImport, ADryRunCountsAndWritesNothing) {
    TempDir dir;
    const Fixture fixture(dir.path());
    const std::string csv = "DATE,TIME,WEIGHT,BODY_FAT\n2024-02-10,08:00,70,25\n"
                            "2024-02-11,08:00,70,25\n";
    WriteFile(dir / "in.csv", Bytes(csv.begin(), csv.end()));
    const Snapshot before = TakeSnapshot(dir.path());
    const auto result = RunCli(
        dir.path(), {"import-scale", "--user", "Ann", "--dry-run", (dir / "in.csv").string()});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_THAT(result.out, HasSubstr("Body composition records: 1 to write, 0 overwritten, 1 "
                                      "skipped"));
    EXPECT_THAT(result.out, HasSubstr("Dry run: nothing was written"));
    EXPECT_EQ(TakeSnapshot(dir.path()), before);
}

TEST(ScaleImport, UsageErrors) {
    TempDir dir;
    const Fixture fixture(dir.path());
    const std::string file = (dir / "in.csv").string();
    const std::vector<std::pair<std::vector<std::string>, const char*>> cases{
        {{"import-scale", "--user", "Ann", "--weight-unit", "g", file}, "unknown weight unit g"},
        {{"import-scale", "--user", "Ann", "--length-unit", "mm", file}, "unknown length unit mm"},
        {{"import-scale", "--user", "Ann"}, "a file to read is missing"},
        {{"import-scale", file}, "--user NAME is required"},
        {{"import-csv", "tape", "--user", "Ann", "--dry-run", file}, "--dry-run does not apply"},
    };
    for (const auto& [arguments, message] : cases) {
        const auto result = RunCli(dir.path(), arguments);
        EXPECT_EQ(result.status, 2) << message;
        EXPECT_THAT(result.err, HasSubstr(message));
    }
}

TEST(ScaleImport, TheLayoutIsFoundFromTheFirstRows) {
    const std::pair<const char*, cli::ScaleLayout> cases[]{
        {"DATE,TIME,WEIGHT\n2024-03-04,08:00,70\n", {"3.x, DATE and TIME columns", false}},
        {"dateTime,WEIGHT\n", {"3.x, dateTime column", false}},
        {"\"dateTime\",\"weight\"\n\"04.03.2024 08:00\",\"70\"\n", {"2.x, dateTime column", true}},
        {"04.03.2024 08:00,70,20,50,\n", {"1.x, 5 fields without a header", true}},
        {"name,age\nAnn,40\n", {"", false}},
    };
    for (const auto& [csv, layout] : cases) {
        const cli::ScaleLayout found = cli::FindScaleLayout(csv);
        EXPECT_EQ(found.name, layout.name) << csv;
        EXPECT_EQ(found.unitsFixed, layout.unitsFixed) << csv;
    }
}

} // namespace
} // namespace vitalog::test
