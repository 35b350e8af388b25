// The history's print texts and exported documents, built from record files in a temporary
// data folder. Documents are compared byte for byte with the files in golden/ (run with
// VITALOG_UPDATE_GOLDEN=1 to rewrite them after a deliberate change, and read the difference).
#include "history/HistoryReports.h"
#include "calc/NumberText.h"
#include "calc/ParrilloCalc.h"
#include "calc/TestUsers.h"
#include "records/DateKey.h"
#include "records/RecordFile.h"
#include "records/RecordKinds.h"
#include "records/TestFiles.h"
#include "records/Units.h"
#include "records/Users.h"
#include "reports/RtfWriter.h"
#include "reports/ScreenReport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

using namespace vitalog;
using vitalog::test::MakeUser;
using vitalog::test::TempDir;

namespace {

namespace fs = std::filesystem;

const std::string Footer = "Vitalog - www.example.com";

// Records are stored for an imperial profile, so that no unit conversion happens on the way
// into the file; the reports convert for the current user given to them.
UserRecord Stored(double pounds = 180) {
    return MakeUser(Male, 30, pounds);
}

void AddTape(const fs::path& dir, DateKey date, double weight, std::vector<double> lengths) {
    TapeRecord r;
    r.user = Stored(weight);
    r.date = date;
    double* fields[] = {&r.biceps, &r.forearmOrHip, &r.chest, &r.waist, &r.neck, &r.calf, &r.thigh};
    for (std::size_t i = 0; i < lengths.size(); ++i)
        *fields[i] = lengths[i];
    ASSERT_EQ(TapeFile::Append(dir, r), StoreResult::Done);
}

void AddPressure(const fs::path& dir, DateTimeKey when, int systolic, int diastolic, int pulse,
                 const char* notes) {
    BloodPressureRecord r;
    r.user = Stored();
    r.when = when;
    r.systolic = systolic;
    r.diastolic = diastolic;
    r.pulse = pulse;
    ASSERT_TRUE(r.SetNotes(notes));
    ASSERT_EQ(BloodPressureFile::Append(dir, r), StoreResult::Done);
}

struct Assessment {
    const char* method = "Jackson/Pollock 7";
    std::vector<std::int32_t> sites = {};
    std::vector<double> tape = {}; // waist, height, hip, neck
    DateKey date = 20050307;
    double bodyFat = 18.5, lean = 146.7, fat = 33.3, weight = 180;
};

void AddBodyFat(const fs::path& dir, const Assessment& a) {
    BodyFatRecord r;
    r.user = Stored(a.weight);
    ASSERT_TRUE(r.SetMethod(a.method));
    for (std::size_t i = 0; i < a.sites.size(); ++i)
        r.sites[i] = a.sites[i];
    for (std::size_t i = 0; i < a.tape.size(); ++i)
        r.tape[i] = a.tape[i];
    r.bodyFat = a.bodyFat;
    r.leanWeight = a.lean;
    r.fatWeight = a.fat;
    r.date = a.date;
    ASSERT_EQ(BodyFatFile::Append(dir, r), StoreResult::Done);
}

void AddBmi(const fs::path& dir, DateKey date, double bmi, double weight, double height) {
    BmiRecord r;
    r.user = Stored(weight);
    r.date = date;
    r.bmi = bmi;
    r.height = height;
    ASSERT_EQ(BmiFile::Append(dir, r), StoreResult::Done);
}

void AddBmr(const fs::path& dir, DateKey date, double bmr, double factor) {
    BmrRecord r;
    r.user = Stored();
    r.user.lengthUnits = Centimetres; // no conversion of the height on append
    r.date = date;
    r.bmr = bmr;
    r.activityFactor = factor;
    r.bmrWithActivity = bmr * factor;
    ASSERT_EQ(BmrFile::Append(dir, r), StoreResult::Done);
}

void AddNamedUser(const fs::path& dir, const char* name, UserRecord user, bool deleted = false) {
    ASSERT_TRUE(user.SetName(name));
    ASSERT_EQ(AddUser(dir, user), StoreResult::Done);
    if (deleted) {
        ASSERT_TRUE(FindUser(dir, user));
        ASSERT_EQ(DeleteUser(dir, user), StoreResult::Done);
    }
}

// Body composition records of a named user (the all-users report reads them by name).
void AddNamedBodyFat(const fs::path& dir, const char* name, DateKey date, double bodyFat,
                     double total, double lean) {
    BodyFatRecord r;
    r.user = Stored(total);
    ASSERT_TRUE(r.user.SetName(name));
    r.SetMethod("Jackson/Pollock 3");
    r.bodyFat = bodyFat;
    r.leanWeight = lean;
    r.fatWeight = total - lean;
    r.date = date;
    ASSERT_EQ(BodyFatFile::Append(dir, r), StoreResult::Done);
}

std::string ReadText(const fs::path& file) {
    const auto bytes = vitalog::test::ReadFile(file);
    return std::string(bytes.begin(), bytes.end());
}

int Count(const std::string& text, const std::string& piece) {
    int n = 0;
    for (auto at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++n;
    return n;
}

// ---- print texts ----

struct PrintCase {
    const char* name;
    ShownTable table;
    UserRecord current;
    std::function<void(const fs::path&)> records;
    std::string expected;
};

const UserRecord ImperialMan = MakeUser(Male, 30, 180);
const UserRecord MetricWoman = MakeUser(Female, 30, 140, Metric);

std::vector<PrintCase> PrintCases() {
    return {
        {"tape_newest_first_whatever_the_file_order", ShownTable::Tape, ImperialMan,
         [](const fs::path& d) {
             AddTape(d, 20050307, 180, {14.5, 11.25, 40, 34.5, 15, 15.5, 22});
             AddTape(d, 20050101, 182.5, {14, 11, 41, 35, 15.25, 15, 21.75});
             AddTape(d, 20060101, 178, {15, 11.5, 40, 33, 15, 15.5, 22.5});
         },
         "\nTape Measurements Report for Alex\n\n"
         "Date: 01/01/2006\nWeight: 178.00\nBicep: 15.00\nForearm: 11.50\nChest: 40.00\n"
         "Waist: 33.00\nNeck: 15.00\nCalf: 15.50\nThigh: 22.50\n\n"
         "Date: 03/07/2005\nWeight: 180.00\nBicep: 14.50\nForearm: 11.25\nChest: 40.00\n"
         "Waist: 34.50\nNeck: 15.00\nCalf: 15.50\nThigh: 22.00\n\n"
         "Date: 01/01/2005\nWeight: 182.50\nBicep: 14.00\nForearm: 11.00\nChest: 41.00\n"
         "Waist: 35.00\nNeck: 15.25\nCalf: 15.00\nThigh: 21.75\n\n"},
        {"tape_metric_woman_has_hip_and_converted_values", ShownTable::Tape, MetricWoman,
         [](const fs::path& d) {
             AddTape(d, 20050307, 140, {10, 38, 36, 28, 13, 14, 22});
         },
         "\nTape Measurements Report for Alex\n\n"
         "Date: 03/07/2005\nWeight: 63.50\nBicep: 25.40\nHip: 96.52\nChest: 91.44\n"
         "Waist: 71.12\nNeck: 33.02\nCalf: 35.56\nThigh: 55.88\n\n"},
        {"blood_pressure_notes_keep_their_line_breaks", ShownTable::BloodPressure, ImperialMan,
         [](const fs::path& d) {
             AddPressure(d, MakeDateTimeKey(2005, 3, 7, 7, 0, 0), 120, 80, 60, "");
             AddPressure(d, MakeDateTimeKey(2005, 3, 7, 21, 5, 30), 135, 88, 72,
                         "After the run\r\nfelt dizzy\nrested");
         },
         "\nBlood Pressure Report for Alex\n\n"
         "Date: 3/7/2005\nTime: 9:05:30 PM\nSystolic: 135\nDiastolic: 88\nPulse: 72\n"
         "Notes: After the run\r\nfelt dizzy\nrested\n\n"
         "Date: 3/7/2005\nTime: 7:00:00 AM\nSystolic: 120\nDiastolic: 80\nPulse: 60\n"
         "Notes: \n\n"},
        {"body_composition_metric_weights", ShownTable::BodyComposition, MetricWoman,
         [](const fs::path& d) {
             AddBodyFat(d, {.sites = {1, 2, 3, 4, 5, 6, 7}});
         },
         "\nBody Composition Report for Alex\n\n"
         "Date:  03/07/2005\nBody Fat Percentage:  18.50%\nLean Body Weight:  66.54\n"
         "Body Fat:  15.10\nTotal Body Weight:  81.65\n"
         "Measurement Type: Jackson/Pollock 7\n"
         "Chest: 1   Abdominal: 2   Thigh: 3   Tricep: 4\n"
         "Subscapular: 5   Suprailiac: 6   Midaxilla: 7\n\n"},
        {"bmi_with_and_without_bmr", ShownTable::BmiBmr, ImperialMan,
         [](const fs::path& d) {
             AddBmi(d, 20050307, 24.5, 180, 70);
             AddBmr(d, 20050307, 1234.4, 1.2);
             AddBmi(d, 20050201, 24.75, 181, 70.5);
             AddBmr(d, 20050201, 999.6, 1.3);    // no activity name, no AF line
             AddBmi(d, 20050101, 25, 182, 72.5); // no BMR record of its date
             AddBmr(d, 20041231, 1500, 1.55);    // no BMI record: not printed
         },
         "\nBMI/BMR Report for Alex\n\n"
         "Date: 03/07/2005\nBMI: 24.50\nBMR: 1,234\nActivity Factor (AF): Sedentary\n"
         "BMR w/AF: 1,481\nWeight: 180.00\nHeight: 5 ' 10 ''\n\n"
         "Date: 02/01/2005\nBMI: 24.75\nBMR: 1000\nBMR w/AF: 1,299\nWeight: 181.00\n"
         "Height: 5 ' 10.50 ''\n\n"
         "Date: 01/01/2005\nBMI: 25.00\nWeight: 182.00\nHeight: 6 ' 0 ''\n\n"},
        {"bmi_metric_height_in_centimetres", ShownTable::BmiBmr, MetricWoman,
         [](const fs::path& d) {
             AddBmi(d, 20050307, 22, 140, 70);
             AddBmr(d, 20050307, 1350.5, 1.9);
         },
         "\nBMI/BMR Report for Alex\n\n"
         "Date: 03/07/2005\nBMI: 22.00\nBMR: 1,350\nActivity Factor (AF): Extra\n"
         "BMR w/AF: 2,566\nWeight: 63.50\nHeight: 177.80\n\n"},
        {"all_users_in_file_order_with_dash_forms", ShownTable::AllUsers, ImperialMan,
         [](const fs::path& d) {
             AddNamedUser(d, "Ann", MakeUser(Male, 40, 176, Imperial, 15));
             AddNamedBodyFat(d, "Ann", 20050101, 20, 180, 144);
             AddNamedBodyFat(d, "Ann", 20060101, 18, 183, 150);
             AddNamedUser(d, "Gone", MakeUser(Male, 40, 176), true);
             AddNamedUser(d, "Bea", MakeUser(Female, 0, 0, Metric, 0));
             // The profile takes kilograms from a metric user.
             AddNamedUser(d, "Cy", MakeUser(Male, 25, 150, Metric, 12.5f));
         },
         "\nAll Users \n\n"
         "Name: Ann   Sex: Male   Age: 40   Desired BF: 15.00 %   \n"
         "Current BF: 18.00 %   Starting BF: 20.00 %   BF Change: -2.00 %   \n"
         "Current Wt:   176.00 Starting Wt: 180.00   Wt Change: -4.00   \n"
         "Current LB: 150.00   Starting LB: 144.00   LB Change: 6.00   \n\n"
         "Name: Bea   Sex: Female   Age: -   Desired BF: -   \n"
         "Current BF: -   Starting BF: -   BF Change: -   \n"
         "Current Wt: -   Starting Wt: -   Wt Change: -   \n"
         "Current LB: -   Starting LB: -   LB Change: -   \n\n"
         "Name: Cy   Sex: Male   Age: 25   Desired BF: 12.50 %   \n"
         "Current BF: -   Starting BF: -   BF Change: -   \n"
         "Current Wt:   150.00 Starting Wt: 150.00   Wt Change: -   \n"
         "Current LB: -   Starting LB: -   LB Change: -   \n\n"},
        {"all_users_without_a_live_user_is_the_title_alone", ShownTable::AllUsers, ImperialMan,
         [](const fs::path& d) { AddNamedUser(d, "Gone", MakeUser(Male, 40, 176), true); },
         "\nAll Users \n\n"},
    };
}

class PrintText : public testing::TestWithParam<PrintCase> {};

TEST_P(PrintText, WholeTextOfTheVariant) {
    TempDir dir;
    GetParam().records(dir.path());
    if (HasFatalFailure())
        return;
    const HistoryPrintText print =
        BuildHistoryPrintText(GetParam().table, dir.path(), GetParam().current);
    EXPECT_EQ(print.outcome, HistoryReportOutcome::Done);
    EXPECT_EQ(print.text, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Variants, PrintText, testing::ValuesIn(PrintCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// The method block of a body composition record: everything after "Total Body Weight".
struct MethodCase {
    const char* name;
    UserRecord current;
    Assessment record;
    std::string block;
};

class MethodBlock : public testing::TestWithParam<MethodCase> {};

TEST_P(MethodBlock, FollowsTheStoredMethodText) {
    TempDir dir;
    AddBodyFat(dir.path(), GetParam().record);
    const HistoryPrintText print =
        BuildHistoryPrintText(ShownTable::BodyComposition, dir.path(), GetParam().current);
    const std::string text = print.text;
    const auto from = text.find("Measurement Type:");
    ASSERT_NE(from, std::string::npos) << text;
    EXPECT_EQ(text.substr(from), GetParam().block + "\n\n");
}

const UserRecord ImperialWoman = MakeUser(Female, 30, 140);
const UserRecord MetricMan = MakeUser(Male, 30, 180, Metric);

INSTANTIATE_TEST_SUITE_P(
    Methods, MethodBlock,
    testing::Values(
        MethodCase{"jackson_pollock_7_zero_sites_printed",
                   ImperialMan,
                   {.sites = {10, 0, 12, 13, 14, 15, 16}},
                   "Measurement Type: Jackson/Pollock 7\n"
                   "Chest: 10   Abdominal: 0   Thigh: 12   Tricep: 13\n"
                   "Subscapular: 14   Suprailiac: 15   Midaxilla: 16"},
        MethodCase{"seven_site_caliper_is_jackson_pollock_7",
                   ImperialMan,
                   {.method = "Seven Site Caliper", .sites = {1, 2, 3, 4, 5, 6, 7}},
                   "Measurement Type: Jackson/Pollock 7\n"
                   "Chest: 1   Abdominal: 2   Thigh: 3   Tricep: 4\n"
                   "Subscapular: 5   Suprailiac: 6   Midaxilla: 7"},
        MethodCase{"jackson_pollock_4",
                   ImperialMan,
                   {.method = "Jackson/Pollock 4", .sites = {0, 22, 23, 24, 0, 26, 0}},
                   "Measurement Type: Jackson/Pollock 4\n"
                   "Abdominal: 22   Thigh: 23   Tricep: 24   Suprailiac: 26"},
        MethodCase{"jackson_pollock_3_man",
                   ImperialMan,
                   {.method = "Jackson/Pollock 3", .sites = {11, 12, 13, 14, 15, 16, 17}},
                   "Measurement Type: Jackson/Pollock 3\nChest: 11   Abdominal: 12   Thigh: 13"},
        MethodCase{"three_site_caliper_woman",
                   ImperialWoman,
                   {.method = "Three Site Caliper", .sites = {11, 12, 13, 14, 15, 16, 17}},
                   "Measurement Type: Jackson/Pollock 3\nTricep: 14   Suprailiac: 16   Thigh: 13"},
        MethodCase{"durnin",
                   ImperialMan,
                   {.method = "Durnin", .sites = {31, 0, 0, 34, 35, 36, 0}},
                   "Measurement Type: Durnin\n"
                   "Bicep: 31   Tricep: 34   Subscapular: 35   Suprailiac: 36"},
        MethodCase{"parrillo_nine_sites_on_two_lines",
                   ImperialMan,
                   {.method = "Parrillo",
                    .sites = {ParrilloCalc::PackSites(12, 10), ParrilloCalc::PackSites(20, 9), 13,
                              14, 15, 16, 17}},
                   "Measurement Type: Parrillo\n"
                   "Chest: 12   Abdominal: 20   Thigh: 13   Bicep: 10\n"
                   "Tricep: 14   Subscapular: 15   Suprailiac: 16   Lower Back: 17   Calf: 9"},
        MethodCase{"tape_woman_abdomen_label_and_hip",
                   ImperialWoman,
                   {.method = "Tape Measurement", .tape = {30, 64, 38, 13}},
                   "Measurement Type: Tape Measurement\n"
                   "Abdomen: 30.00   Neck: 13.00   Height: 5 ' 4''   Hip: 38.00"},
        MethodCase{"tape_man_feet_inches_and_fraction",
                   ImperialMan,
                   {.method = "Tape Measurement", .tape = {34.5, 70.5, 0, 15.25}},
                   "Measurement Type: Tape Measurement\n"
                   "Abdomen: 34.50   Neck: 15.25   Height: 5 ' 10.50''"},
        MethodCase{"tape_man_metric",
                   MetricMan,
                   {.method = "Tape Measurement", .tape = {34, 70, 0, 15}},
                   "Measurement Type: Tape Measurement\n"
                   "Abdomen: 86.36   Neck: 38.10   Height: 177.80"},
        MethodCase{"any_other_text_is_other",
                   ImperialMan,
                   {.method = "Bioimpedance", .sites = {1, 2, 3, 4, 5, 6, 7}},
                   "Measurement Type:  Other"},
        MethodCase{"method_names_compare_exactly",
                   ImperialMan,
                   {.method = "durnin", .sites = {1, 2, 3, 4, 5, 6, 7}},
                   "Measurement Type:  Other"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- when there are no records ----

struct MissingCase {
    const char* name;
    ShownTable table;
    std::function<void(const fs::path&)> files;
    HistoryReportOutcome outcome;
    std::string message;
};

class Missing : public testing::TestWithParam<MissingCase> {};

// The print gives the message instead of a text; the export writes the title and the header,
// then closes and removes its file and gives the same message.
TEST_P(Missing, PrintAndExportSayWhyAndLeaveNoFile) {
    TempDir dir;
    GetParam().files(dir.path());
    if (HasFatalFailure())
        return;
    const HistoryPrintText print = BuildHistoryPrintText(GetParam().table, dir.path(), ImperialMan);
    EXPECT_EQ(print.outcome, GetParam().outcome);
    EXPECT_EQ(print.text, GetParam().message);

    TempDir out;
    const fs::path file = out / "export.rtf";
    const HistoryExportFile exported =
        ExportHistory(file, GetParam().table, dir.path(), ImperialMan, Footer);
    EXPECT_EQ(exported.outcome, GetParam().outcome);
    EXPECT_EQ(exported.message, GetParam().message);
    EXPECT_FALSE(fs::exists(file));

    // Through an open writer the body stops after the header row and closes the document;
    // no footer follows.
    RtfWriter writer;
    ASSERT_EQ(writer.OpenDocument(file, ExportFonts, ExportColours), RtfResult::RtfSuccess);
    const HistoryExportBody body =
        WriteHistoryExportBody(writer, GetParam().table, dir.path(), ImperialMan);
    EXPECT_EQ(body.outcome, GetParam().outcome);
    EXPECT_EQ(body.rows, 0u);
    EXPECT_FALSE(writer.IsOpen());
    const std::string document = ReadText(file);
    EXPECT_EQ(Count(document, "\\row"), 1) << "the header row alone";
    EXPECT_EQ(document.find("Vitalog - "), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Variants, Missing,
    testing::Values(
        MissingCase{"tape_no_file", ShownTable::Tape, [](const fs::path&) {},
                    HistoryReportOutcome::NoRecords,
                    "No tape measurement records exist for user Alex"},
        MissingCase{"blood_pressure_no_file", ShownTable::BloodPressure, [](const fs::path&) {},
                    HistoryReportOutcome::NoRecords,
                    "No blood pressure records exist for user Alex"},
        MissingCase{"body_composition_only_deleted_records", ShownTable::BodyComposition,
                    [](const fs::path& d) {
                        AddBodyFat(d, {.sites = {1, 2, 3, 4, 5, 6, 7}});
                        ASSERT_EQ(BodyFatFile::Remove(d, "Alex", 20050307), StoreResult::Done);
                    },
                    HistoryReportOutcome::NoRecords,
                    "No body composition records exist for user Alex"},
        MissingCase{"bmr_records_alone_do_not_count", ShownTable::BmiBmr,
                    [](const fs::path& d) { AddBmr(d, 20050307, 1500, 1.2); },
                    HistoryReportOutcome::NoRecords, "No Bmi records exist for user Alex"},
        MissingCase{"all_users_file_unreadable_says_nothing", ShownTable::AllUsers,
                    [](const fs::path& d) { fs::create_directory(d / UserFileName); },
                    HistoryReportOutcome::Nothing, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- exported documents ----

std::string ExportToText(ShownTable table, const fs::path& dataDir, const UserRecord& current,
                         HistoryExportFile* result = nullptr) {
    TempDir out;
    const fs::path file = out / "export.rtf";
    const HistoryExportFile exported = ExportHistory(file, table, dataDir, current, Footer);
    EXPECT_EQ(exported.outcome, HistoryReportOutcome::Done);
    EXPECT_EQ(exported.result, RtfResult::RtfSuccess);
    if (result)
        *result = exported;
    return ReadText(file);
}

void CompareWithGolden(const std::string& document, const std::string& name) {
    const fs::path golden = fs::path(VITALOG_HISTORY_GOLDEN_DIR) / name;
    if (std::getenv("VITALOG_UPDATE_GOLDEN")) {
        std::ofstream(golden, std::ios::binary) << document;
        return;
    }
    ASSERT_TRUE(fs::exists(golden)) << "no golden file " << golden;
    const std::string expected = ReadText(golden);
    if (document != expected) {
        const fs::path kept = fs::temp_directory_path() / ("vitalog-" + name);
        std::ofstream(kept, std::ios::binary) << document;
        FAIL() << name << " differs from its golden file; written to " << kept;
    }
}

struct GoldenCase {
    const char* name;
    ShownTable table;
    UserRecord current;
    std::function<void(const fs::path&)> records;
    std::vector<std::string> cells; // cell texts the case is about, as the file holds them
};

class ExportDocument : public testing::TestWithParam<GoldenCase> {};

TEST_P(ExportDocument, MatchesItsGoldenFile) {
    TempDir dir;
    GetParam().records(dir.path());
    if (HasFatalFailure())
        return;
    const std::string document = ExportToText(GetParam().table, dir.path(), GetParam().current);
    // The writer ends each cell's paragraph with a line end of its own before "\cell".
    for (const std::string& cell : GetParam().cells)
        EXPECT_NE(document.find(" " + cell + "\r\n\\cell"), std::string::npos) << cell;
    CompareWithGolden(document, std::string(GetParam().name) + ".rtf");
}

INSTANTIATE_TEST_SUITE_P(
    Variants, ExportDocument,
    testing::Values(
        GoldenCase{"HistoryTape",
                   ShownTable::Tape,
                   ImperialWoman,
                   [](const fs::path& d) {
                       AddTape(d, 20050307, 140, {10, 38, 36, 28, 13, 14, 22});
                       AddTape(d, 20050101, 142, {10.5, 38.5, 36, 28.25, 13, 14, 22.75});
                   },
                   {"Hip", "38.00\r\n", "22.75\r\n\r\n"}},
        GoldenCase{"HistoryBP",
                   ShownTable::BloodPressure,
                   ImperialMan,
                   [](const fs::path& d) {
                       AddPressure(d, MakeDateTimeKey(2005, 3, 7, 21, 5, 30), 135, 88, 72,
                                   "After the run\r\n{dizzy} \\ rested");
                       AddPressure(d, MakeDateTimeKey(2005, 3, 8, 7, 0, 0), 120, 80, 60, "");
                   },
                   // Notes as stored: CR stays, LF becomes CR LF, braces and backslash escaped.
                   {"9:05:30 PM", "After the run\r\r\n\\{dizzy\\} \\\\ rested"}},
        GoldenCase{"HistoryBodyComp",
                   ShownTable::BodyComposition,
                   MetricMan,
                   [](const fs::path& d) {
                       AddBodyFat(d, {.method = "Three Site Caliper",
                                      .sites = {1, 2, 3, 0, 0, 0, 0},
                                      .date = 20050307});
                       AddBodyFat(d, {.method = "Bioimpedance", .date = 20050201});
                       AddBodyFat(d, {.method = "Tape Measurement",
                                      .tape = {34, 70, 0, 15},
                                      .date = 20050101});
                   },
                   {"Jackson/Pollock 3\r\n", "Other", "18.50%", " 66.54"}},
        GoldenCase{"HistoryBMIBMR",
                   ShownTable::BmiBmr,
                   ImperialMan,
                   [](const fs::path& d) {
                       AddBmi(d, 20050307, 24.5, 180, 70.5);
                       AddBmr(d, 20050307, 1234.4, 1.3);
                       AddBmi(d, 20050101, 25, 182, 72);
                   },
                   {"5 ' 10.50 ''\r\n", "1,234", "6 ' 0 ''\r\n"}},
        GoldenCase{"HistoryBMIBMR_metric",
                   ShownTable::BmiBmr,
                   MetricWoman,
                   [](const fs::path& d) {
                       AddBmi(d, 20050307, 22, 140, 70);
                       AddBmr(d, 20050307, 1350.5, 1.725);
                   },
                   {"177.80\r\n", "Very", "63.50"}},
        GoldenCase{"HistoryUsers",
                   ShownTable::AllUsers,
                   ImperialMan,
                   [](const fs::path& d) {
                       AddNamedUser(d, "Ann", MakeUser(Male, 40, 176, Imperial, 15));
                       AddNamedBodyFat(d, "Ann", 20050101, 20, 180, 144);
                       AddNamedBodyFat(d, "Ann", 20060101, 18, 183, 150);
                       AddNamedUser(d, "Gone", MakeUser(Male, 40, 176), true);
                       AddNamedUser(d, "Bea", MakeUser(Female, 0, 0, Metric, 0));
                   },
                   {"176.00 ", "18.00 %", "150.00   ", "Female"}},
        GoldenCase{
            "HistoryUsers_deleted_only",
            ShownTable::AllUsers,
            ImperialMan,
            [](const fs::path& d) { AddNamedUser(d, "Gone", MakeUser(Male, 40, 176), true); },
            {"Name", "Lean Body Weight"}}),
    [](const auto& info) { return std::string(info.param.name); });

// The title and header come again before the 34th, 67th, ... data row of the long tables
// only. The document is cut at each header row; what lies between two of them is one title
// and the data rows before the next.
struct RepeatCase {
    const char* name;
    ShownTable table;
    int records;
    std::vector<int> rowsPerHeader;
};

class RepeatedHeader : public testing::TestWithParam<RepeatCase> {};

TEST_P(RepeatedHeader, EveryThirtyThreeRowsForTheLongTables) {
    TempDir dir;
    const int n = GetParam().records;
    for (int i = 0; i < n; ++i) {
        const DateKey date = MakeDateKey(2005 + i / 300, 1 + i / 28 % 12, 1 + i % 28);
        switch (GetParam().table) {
        case ShownTable::Tape:
            AddTape(dir.path(), date, 180, {14, 11, 40, 34, 15, 15, 22});
            break;
        case ShownTable::BloodPressure:
            AddPressure(dir.path(), MakeDateTimeKey(2005, 3, 1 + i % 28, i / 28, 0, 0), 120, 80, 60,
                        "");
            break;
        case ShownTable::BmiBmr:
            AddBmi(dir.path(), date, 24, 180, 70);
            break;
        default:
            AddBodyFat(dir.path(), {.sites = {1, 2, 3, 4, 5, 6, 7}, .date = date});
            break;
        }
    }
    const std::string document = ExportToText(GetParam().table, dir.path(), ImperialMan);
    const std::string header = " Date\r\n\\cell";
    std::vector<int> rows;
    std::vector<std::string> between;
    for (auto at = document.find(header); at != std::string::npos;) {
        const auto next = document.find(header, at + 1);
        const std::string part = document.substr(at, next == std::string::npos ? next : next - at);
        rows.push_back(Count(part, "\\row") - 1);
        between.push_back(part);
        at = next;
    }
    EXPECT_EQ(rows, GetParam().rowsPerHeader);
    // The repeated title is a centred bold paragraph out of the table, in the body font (no
    // section of its own, unlike the first title in font 0, size 24), and two empty paragraphs.
    for (std::size_t i = 0; i + 1 < between.size(); ++i) {
        const std::string& part = between[i];
        EXPECT_EQ(Count(part, "Report for Alex"), 1);
        EXPECT_EQ(Count(part, "\\sect"), 0);
        const auto title = part.find("Report for Alex");
        const auto start = part.rfind('\n', title) + 1;
        const std::string paragraph = part.substr(start, title - start);
        EXPECT_EQ(paragraph.rfind("\\pard\\plain\\qc", 0), 0u) << paragraph;
        EXPECT_NE(paragraph.find("\\sb120"), std::string::npos) << paragraph;
        EXPECT_NE(paragraph.find("\\f1\\fs20\\cf0\\b\\"), std::string::npos) << paragraph;
        const auto header = part.find("\\trowd", title);
        EXPECT_EQ(Count(part.substr(title, header - title), "\\par\\pard\\plain\\qc"), 2);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, RepeatedHeader,
    testing::Values(RepeatCase{"tape_40", ShownTable::Tape, 40, {33, 7}},
                    RepeatCase{"tape_33", ShownTable::Tape, 33, {33}},
                    RepeatCase{"blood_pressure_40", ShownTable::BloodPressure, 40, {40}},
                    RepeatCase{"bmi_67", ShownTable::BmiBmr, 67, {33, 33, 1}},
                    RepeatCase{"body_composition_66", ShownTable::BodyComposition, 66, {33, 33}}),
    [](const auto& info) { return std::string(info.param.name); });

// The reports read records as they write them, a chunk of the file at a time, yet list them
// as the loader does: newest first, records of one date in file order. Files of a few thousand
// records cross the chunks in both directions; duplicate dates only come from files made by
// hand, so the file is written byte for byte.
struct OrderCase {
    const char* name;
    std::function<DateKey(int index, int count)> dateOf;
};

class ReadOrder : public testing::TestWithParam<OrderCase> {};

TEST_P(ReadOrder, SameAsTheLoader) {
    TempDir dir;
    constexpr int Count = 3000;
    vitalog::test::Bytes bytes(4 + Count * BodyFatKind::Size);
    const std::int32_t header = RecordFileVersion;
    std::memcpy(bytes.data(), &header, 4);
    for (int i = 0; i < Count; ++i) {
        BodyFatRecord r;
        r.user = Stored();
        r.SetMethod("Other");
        r.bodyFat = i; // tells the records apart in the text
        r.date = GetParam().dateOf(i, Count);
        r.active = i % 7 == 3 ? 0 : 1;
        BodyFatKind::Encode(r, bytes.data() + 4 + i * BodyFatKind::Size);
    }
    vitalog::test::WriteFile(BodyFatFile::PathFor(dir.path(), "Alex"), bytes);

    RecordList<BodyFatRecord> loaded;
    ASSERT_TRUE(BodyFatFile::LoadAll(dir.path(), "Alex", loaded));
    std::string expected;
    for (const BodyFatRecord& r : loaded)
        expected += FormatText("%.2f%%\n", r.bodyFat);

    const std::string text =
        BuildHistoryPrintText(ShownTable::BodyComposition, dir.path(), ImperialMan).text;
    std::string listed;
    const std::string label = "Body Fat Percentage:  ";
    for (auto at = text.find(label); at != std::string::npos; at = text.find(label, at + 1)) {
        const auto from = at + label.size();
        listed += text.substr(from, text.find('\n', from) + 1 - from);
    }
    EXPECT_EQ(listed, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadOrder,
    testing::Values(OrderCase{"oldest_first",
                              [](int i, int) {
                                  return MakeDateKey(1900 + i / 336, 1 + i / 28 % 12, 1 + i % 28);
                              }},
                    OrderCase{"newest_first",
                              [](int i, int n) {
                                  const int j = n - i;
                                  return MakeDateKey(1900 + j / 336, 1 + j / 28 % 12, 1 + j % 28);
                              }},
                    OrderCase{"mixed_with_runs_of_one_date",
                              [](int i, int) {
                                  const int j =
                                      (i * 7919) % 1000; // each date three times, scattered
                                  return MakeDateKey(1900 + j / 336, 1 + j / 28 % 12, 1 + j % 28);
                              }}),
    [](const auto& info) { return std::string(info.param.name); });

// What the screen shows plays no part, and neither does an old export of the same name.
TEST(HistoryExport, OverwritesAnOlderFileAndEndsWithTheBoldFooter) {
    TempDir dir;
    AddTape(dir.path(), 20050307, 180, {14, 11, 40, 34, 15, 15, 22});
    TempDir out;
    const fs::path file = out / "HistoryTape.rtf";
    std::ofstream(file) << std::string(100000, 'x');
    EXPECT_EQ(ExportHistory(file, ShownTable::Tape, dir.path(), ImperialMan, Footer).result,
              RtfResult::RtfSuccess);
    const std::string document = ReadText(file);
    EXPECT_EQ(document.find('x' + std::string(10, 'x')), std::string::npos);
    // The footer's paragraph, out of the table and bold, ends the document.
    const auto footer = document.rfind(Footer);
    ASSERT_NE(footer, std::string::npos);
    const auto line = document.rfind('\n', footer);
    const std::string paragraph = document.substr(line + 1);
    EXPECT_NE(paragraph.find("\\plain"), std::string::npos) << paragraph;
    EXPECT_NE(paragraph.find("\\b\\caps0"), std::string::npos) << paragraph;
    EXPECT_EQ(paragraph.substr(paragraph.size() - 5), "\\par}");
}

} // namespace
