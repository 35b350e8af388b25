// The verbs run as functions on fixture data folders.

#include "CliFixture.h"

#include "cli/DemoData.h"
#include "platform/DataDirectory.h"

#include <QString>

#include <gmock/gmock.h>

#include <set>

namespace vitalog::test {
namespace {

using ::testing::HasSubstr;

// A record file as its header and its records, each record's bytes whole. The import writes
// oldest first, whatever order the records were saved in, so the records are compared as a
// set.
std::vector<Bytes> Records(const Bytes& file, std::size_t size) {
    std::vector<Bytes> records;
    for (std::size_t at = 4; at + size <= file.size(); at += size)
        records.emplace_back(file.begin() + at, file.begin() + at + size);
    std::sort(records.begin(), records.end());
    records.insert(records.begin(),
                   Bytes(file.begin(), file.begin() + std::min<std::size_t>(4, file.size())));
    return records;
}

// The user's files of each kind (the BMI table carries the BMR records too).
struct KindCase {
    const char* kind;
    std::vector<std::pair<const char*, std::size_t>> files; // prefix, record size
};
// Test names in ctest show the case, not its bytes.
void PrintTo(const KindCase& c, std::ostream* out) {
    *out << c.kind;
}

class CsvRoundTrip : public ::testing::TestWithParam<KindCase> {};

TEST_P(CsvRoundTrip, ExportThenImportIntoAnEmptyFolderGivesTheSameBytes) {
    TempDir from, to;
    const Fixture fixture(from.path());
    const auto users =
        RunCli(from.path(), {"export-csv", "users", "--output", (from / "users.csv").string()});
    ASSERT_EQ(users.status, 0) << users.err;
    ASSERT_EQ(RunCli(to.path(), {"import-csv", "users", (from / "users.csv").string()}).status, 0);

    const KindCase& c = GetParam();
    if (c.files.empty()) {
        EXPECT_EQ(ReadFile(to / "user.bin"), ReadFile(from / "user.bin"));
        return;
    }
    for (const std::string user : {"Ann", "Zo\xC3\xAB"}) {
        const std::string csv = (from / (std::string(c.kind) + ".csv")).string();
        const auto exported =
            RunCli(from.path(), {"export-csv", c.kind, "--user", user, "--output", csv});
        ASSERT_EQ(exported.status, 0) << exported.err;
        const auto imported = RunCli(to.path(), {"import-csv", c.kind, "--user", user, csv});
        ASSERT_EQ(imported.status, 0) << imported.err;
        EXPECT_THAT(imported.out, HasSubstr("0 skipped"));

        for (const auto& [prefix, size] : c.files) {
            const std::string name = prefix + user + ".bin";
            const Bytes original = ReadFile(from / name);
            EXPECT_EQ(ReadFile(to / name).size(), original.size()) << name;
            EXPECT_EQ(Records(ReadFile(to / name), size), Records(original, size)) << name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, CsvRoundTrip,
    ::testing::Values(KindCase{"users", {}}, KindCase{"bodyfat", {{"bf", 200}}},
                      KindCase{"tape", {{"tm", 128}}}, KindCase{"bmi", {{"bmi", 88}, {"bmr", 104}}},
                      KindCase{"bp", {{"bp", 352}}}, KindCase{"pictures", {{"pt", 376}}}),
    [](const auto& info) { return std::string(info.param.kind); });

TEST(CsvExport, WritesStoredUnitsOldestFirstWithQuotedTexts) {
    TempDir dir;
    const Fixture fixture(dir.path());
    const auto bp = RunCli(dir.path(), {"export-csv", "bp", "--user", "Zo\xC3\xAB"});
    ASSERT_EQ(bp.status, 0) << bp.err;
    EXPECT_EQ(bp.out.substr(0, bp.out.find("\r\n")),
              "date_time,systolic,diastolic,pulse,notes,weight_lb,age,sex,units,"
              "desired_body_fat_pct");
    EXPECT_THAT(bp.out, HasSubstr("\r\n2024-03-07T08:05:09,128,84,71,\"after coffee, "
                                  "\"\"strong\"\"\r\nfelt fine \xE2\x82\xAC\",181.25,41,male,"
                                  "imperial,18.5\r\n2024-03-07T20:00:00,119,"));

    // A metric user's lengths are inches on disk and in the table, written to the last bit.
    const auto tape = RunCli(dir.path(), {"export-csv", "tape", "--user", "Ann"});
    EXPECT_THAT(tape.out, HasSubstr("\r\n2024-01-05,142.19798999999998,12.00787401574803,"));
    EXPECT_THAT(tape.out, HasSubstr(",31.999999999999996,")); // 81.28 cm

    // Body fat oldest first; the BMI date without a BMR record leaves those columns empty.
    const auto bodyFat = RunCli(dir.path(), {"export-csv", "bodyfat", "--user", "Zo\xC3\xAB"});
    EXPECT_LT(bodyFat.out.find("2024-01-01,Other"), bodyFat.out.find("2024-03-07,Parrillo"));
    EXPECT_THAT(bodyFat.out, HasSubstr(",327692,")); // biceps 5 and chest 12 in one slot
    const auto bmi = RunCli(dir.path(), {"export-csv", "bmi", "--user", "Zo\xC3\xAB"});
    EXPECT_THAT(bmi.out, HasSubstr("\r\n2024-01-20,"));
    EXPECT_THAT(bmi.out, HasSubstr(",70.5,,,,,41,male,imperial,18.5\r\n"));
}

TEST(CsvExport, ReadingLeavesTheFolderAsItWas) {
    TempDir dir;
    const Fixture fixture(dir.path());
    const Snapshot before = TakeSnapshot(dir.path());
    EXPECT_EQ(RunCli(dir.path(), {"export-csv", "pictures", "--user", "Ann"}).status, 0);
    EXPECT_EQ(RunCli(dir.path(), {"users"}).out, "Ann\nZo\xC3\xAB\n");
    EXPECT_EQ(TakeSnapshot(dir.path()), before); // no empty ptAnn.bin made by looking
    const auto unknown = RunCli(dir.path(), {"export-csv", "tape", "--user", "Bob"});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_THAT(unknown.err, HasSubstr("no user \"Bob\""));
}

// A refused import names the line and the column and writes nothing anywhere.
struct RefusedCase {
    const char* name;
    const char* kind;
    const char* csv;
    const char* message;
};
// Test names in ctest show the case, not its bytes.
void PrintTo(const RefusedCase& c, std::ostream* out) {
    *out << c.name;
}

class RefusedImport : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedImport, NamesLineAndColumnAndChangesNoFile) {
    TempDir dir;
    const Fixture fixture(dir.path());
    const RefusedCase& c = GetParam();
    WriteFile(dir / "in.csv", Bytes(c.csv, c.csv + std::strlen(c.csv)));
    const Snapshot before = TakeSnapshot(dir.path());
    const auto result =
        RunCli(dir.path(), {"import-csv", c.kind, "--user", "Ann", (dir / "in.csv").string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.err, HasSubstr(c.message));
    EXPECT_EQ(TakeSnapshot(dir.path()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RefusedImport,
    ::testing::Values(
        RefusedCase{"BadDateOnLine3", "tape",
                    "date,weight_lb,bicep_in,forearm_or_hip_in,chest_in,waist_in,neck_in,calf_in,"
                    "thigh_in\n2024-05-01,140,12,40,36,31,13,14,22\n"
                    "2024-02-30,140,12,40,36,31,13,14,22\n",
                    "line 3, column date: \"2024-02-30\" is not a date"},
        RefusedCase{"Systolic300", "bp",
                    "date_time,systolic,diastolic,pulse,notes\n2024-05-01T08:00:00,300,80,70,\n",
                    "line 2, column systolic"},
        RefusedCase{"MissingColumn", "bp",
                    "date_time,systolic,diastolic,notes\n2024-05-01T08:00:00,120,80,\n",
                    "line 1, column pulse: missing"},
        // A quoted note over two lines moves the row after it down.
        RefusedCase{"LineCountedThroughAQuotedBreak", "bp",
                    "date_time,systolic,diastolic,pulse,notes\r\n"
                    "2024-05-01T08:00:00,120,80,70,\"one\r\ntwo\"\r\n"
                    "2024-05-01T09:00:00,120,80,150,\r\n",
                    "line 4, column pulse"},
        RefusedCase{"SameTimeTwice", "bp",
                    "date_time,systolic,diastolic,pulse,notes\n2024-05-01T08:00:00,120,80,70,\n"
                    "2024-05-01T08:00:00,121,80,70,\n",
                    "line 3, column date_time: 2024-05-01T08:00:00 is on line 2 already"},
        RefusedCase{"NotesTooLong", "bp",
                    "date_time,systolic,diastolic,pulse,notes\n2024-05-01T08:00:00,120,80,70,"
                    "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
                    "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
                    "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
                    "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\n",
                    "line 2, column notes"},
        // 1000 cm is past the tape screen's range for a metric user; 393.7 inches is not.
        RefusedCase{"MetricLengthOutOfRange", "tape",
                    "date,weight_lb,bicep_in,forearm_or_hip_in,chest_in,waist_in,neck_in,calf_in,"
                    "thigh_in\n2024-05-01,140,12,40,36,393.71,13,14,22\n",
                    "line 2, column waist_in"},
        RefusedCase{"UnknownMethod", "bodyfat",
                    "date,method,body_fat_pct,weight_lb,lean_weight_lb,fat_weight_lb,"
                    "weight_to_lose_lb,desired_body_fat_pct,age,sex,units,skinfold1,skinfold2,"
                    "skinfold3,skinfold4,skinfold5,skinfold6,skinfold7,tape_waist_in,"
                    "tape_height_in,tape_hip_in,tape_neck_in\n"
                    "2024-05-01,Bioimpedance,20,150,120,30,0,18,40,female,metric,0,0,0,0,0,0,0,0,"
                    "0,0,0\n",
                    "line 2, column method"},
        RefusedCase{"SkinfoldPast80", "bodyfat",
                    "date,method,body_fat_pct,weight_lb,lean_weight_lb,fat_weight_lb,"
                    "weight_to_lose_lb,desired_body_fat_pct,age,sex,units,skinfold1,skinfold2,"
                    "skinfold3,skinfold4,skinfold5,skinfold6,skinfold7,tape_waist_in,"
                    "tape_height_in,tape_hip_in,tape_neck_in\n"
                    "2024-05-01,Durnin,20,150,120,30,0,18,40,female,metric,12,0,0,81,0,0,0,0,"
                    "0,0,0\n",
                    "line 2, column skinfold4"},
        RefusedCase{"BmrHalfGiven", "bmi",
                    "date,bmi,weight_lb,height_in,bmr_kcal,bmr_activity_kcal,activity_factor\n"
                    "2024-05-01,23.1,140,65,1400,,1.55\n",
                    "line 2, column bmr_activity_kcal"},
        RefusedCase{"ShortRow", "pictures", "date,path\n2024-05-01\n", "line 2, column path"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CsvImport, AKnownDateIsSkippedUnlessOverwriteIsGiven) {
    TempDir dir;
    const Fixture fixture(dir.path());
    // 2024-01-05 is recorded already (Ann's BMI and BMR); 2024-06-01 is new and has no BMR.
    const std::string csv =
        "date,bmi,weight_lb,height_in,bmr_kcal,bmr_activity_kcal,activity_factor\n"
        "2024-01-05,22.5,140,65,1400,2170,1.55\n"
        "2024-06-01,22.75,141,65,,,\n";
    WriteFile(dir / "in.csv", Bytes(csv.begin(), csv.end()));
    const auto bmiOn = [&](DateKey date) { return BmiFile::Find(dir.path(), "Ann", date); };
    const double storedBmi = bmiOn(20240105).bmi;

    const auto skipped =
        RunCli(dir.path(), {"import-csv", "bmi", "--user", "Ann", (dir / "in.csv").string()});
    ASSERT_EQ(skipped.status, 0) << skipped.err;
    EXPECT_EQ(skipped.out, "1 imported, 1 skipped (already recorded), 0 overwritten\n");
    EXPECT_EQ(bmiOn(20240105).bmi, storedBmi);
    EXPECT_EQ(bmiOn(20240601).bmi, 22.75);
    EXPECT_EQ(bmiOn(20240601).user.weight, 141);
    EXPECT_EQ(BmrFile::Find(dir.path(), "Ann", 20240601).active, 0);

    const auto overwritten = RunCli(dir.path(), {"import-csv", "bmi", "--user", "Ann",
                                                 "--overwrite", (dir / "in.csv").string()});
    ASSERT_EQ(overwritten.status, 0) << overwritten.err;
    EXPECT_EQ(overwritten.out, "0 imported, 0 skipped (already recorded), 2 overwritten\n");
    EXPECT_EQ(bmiOn(20240105).bmi, 22.5);
    // The BMR record goes with its BMI record; the metric user's keeps centimetres.
    const BmrRecord bmr = BmrFile::Find(dir.path(), "Ann", 20240105);
    EXPECT_EQ(bmr.bmr, 1400);
    EXPECT_DOUBLE_EQ(bmr.height, 65 * InToCm);
    // Each date still has one live record.
    RecordList<BmiRecord> all;
    BmiFile::LoadAll(dir.path(), "Ann", all);
    EXPECT_EQ(all.size(), 2u);
}

TEST(CsvImport, AKnownUserIsSkippedUnlessOverwriteIsGiven) {
    TempDir dir;
    const Fixture fixture(dir.path());
    // Weights are pounds for the metric Ann as well: stored as written, never converted.
    const std::string csv = "name,sex,age,units,weight_lb,desired_body_fat_pct\n"
                            "Ann,female,42,metric,150.5,20\n"
                            "Bea,female,30,metric,130.25,24.5\n";
    WriteFile(dir / "in.csv", Bytes(csv.begin(), csv.end()));
    const auto profile = [&](const char* name) {
        UserRecord user{};
        user.SetName(name);
        EXPECT_TRUE(FindUser(dir.path(), user)) << name;
        return user;
    };

    const auto skipped = RunCli(dir.path(), {"import-csv", "users", (dir / "in.csv").string()});
    ASSERT_EQ(skipped.status, 0) << skipped.err;
    EXPECT_EQ(skipped.out, "1 imported, 1 skipped (already recorded), 0 overwritten\n");
    EXPECT_EQ(profile("Ann").weight, fixture.ann.weight);
    EXPECT_EQ(profile("Bea").weight, 130.25);
    EXPECT_EQ(profile("Bea").lengthUnits, Centimetres);

    const auto overwritten =
        RunCli(dir.path(), {"import-csv", "users", "--overwrite", (dir / "in.csv").string()});
    ASSERT_EQ(overwritten.status, 0) << overwritten.err;
    EXPECT_EQ(profile("Ann").weight, 150.5);
    EXPECT_EQ(profile("Ann").age, 42);
    EXPECT_EQ(profile("Ann").desiredBodyFat, 20.0f);
    EXPECT_EQ(ListUsers(dir.path()), (std::vector<std::string>{"Ann", "Zo\xEB", "Bea"}));
}

TEST(CsvImport, AFileOfALaterVersionIsRefusedBeforeAnythingIsWritten) {
    TempDir dir;
    const Fixture fixture(dir.path());
    Bytes later = ReadFile(dir / "bpZo\xC3\xAB.bin");
    PutAt<std::int32_t>(later, 0, 601);
    WriteFile(dir / "bpZo\xC3\xAB.bin", later);
    const std::string csv = "date_time,systolic,diastolic,pulse,notes\n"
                            "2024-05-01T08:00:00,120,80,70,\n";
    WriteFile(dir / "in.csv", Bytes(csv.begin(), csv.end()));
    const Snapshot before = TakeSnapshot(dir.path());
    const auto result =
        RunCli(dir.path(), {"import-csv", "bp", "--user", "Zo\xC3\xAB", (dir / "in.csv").string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.err, HasSubstr("bpZo\xC3\xAB.bin comes from a later version"));
    EXPECT_EQ(TakeSnapshot(dir.path()), before);
}

TEST(CsvImport, RecordsTakeTheProfileOfTheUserWhereTheTableHasNoColumn) {
    TempDir dir;
    const Fixture fixture(dir.path());
    const std::string csv = "date,path\n2024-08-01,/pictures/one.jpg\n";
    WriteFile(dir / "in.csv", Bytes(csv.begin(), csv.end()));
    ASSERT_EQ(
        RunCli(dir.path(), {"import-csv", "pictures", "--user", "Ann", (dir / "in.csv").string()})
            .status,
        0);
    RecordList<PictureRecord> pictures;
    ASSERT_TRUE(PictureFile::LoadAll(dir.path(), "Ann", pictures));
    EXPECT_EQ(pictures.front().Path(), "/pictures/one.jpg");
    EXPECT_EQ(pictures.front().user.Name(), "Ann");
    EXPECT_EQ(pictures.front().user.sex, Female);
    EXPECT_EQ(pictures.front().user.weight, fixture.ann.weight);
}

TEST(WritingVerbs, RefuseWhileTheWindowProgramHoldsTheFolder) {
    TempDir dir;
    const Fixture fixture(dir.path());
    const std::string csv = "date,path\n2024-08-01,/pictures/one.jpg\n";
    WriteFile(dir / "in.csv", Bytes(csv.begin(), csv.end()));
    const auto lock = DataDirectory::Lock(QString::fromStdString(dir.path().string()));
    ASSERT_TRUE(lock);
    const Snapshot before = TakeSnapshot(dir.path());
    const auto result =
        RunCli(dir.path(), {"import-csv", "pictures", "--user", "Ann", (dir / "in.csv").string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.err, HasSubstr("Vitalog is running with the data folder"));
    EXPECT_EQ(TakeSnapshot(dir.path()), before);
    // Reading goes on.
    EXPECT_EQ(RunCli(dir.path(), {"users"}).status, 0);
}

TEST(Demo, FillsAnEmptyOrNewFolderTheSameWayEachTime) {
    TempDir a, b;
    ASSERT_EQ(RunCli(a / "data", {"demo"}).status, 0);
    // The empty user.bin the window program leaves in a folder it started on holds no users.
    WriteFile(b / "user.bin", {});
    ASSERT_EQ(RunCli(b.path(), {"demo"}).status, 0);
    Snapshot first = TakeSnapshot(a / "data"), second = TakeSnapshot(b.path());
    first.erase("vitalog.lock");
    second.erase("vitalog.lock");
    EXPECT_EQ(first, second);

    EXPECT_EQ(RunCli(a / "data", {"users"}).out, "Alex\nMaria\n");
    const auto check = RunCli(a / "data", {"check"});
    EXPECT_EQ(check.status, 0) << check.out;
    EXPECT_EQ(check.out, "");
    EXPECT_TRUE(std::filesystem::exists(a / "data" / "db")); // the window program's pictures

    for (const char* user : {"Alex", "Maria"}) {
        RecordList<BodyFatRecord> bodyFat;
        ASSERT_TRUE(BodyFatFile::LoadAll(a / "data", user, bodyFat));
        // A year, newest on the day given, by every method.
        EXPECT_EQ(bodyFat.front().date / 100, 202612);
        EXPECT_EQ(bodyFat.back().date / 100, 202512);
        std::set<std::string> methods;
        for (const auto& r : bodyFat)
            methods.insert(r.Method());
        EXPECT_EQ(methods.size(), 7u) << user;

        RecordList<BloodPressureRecord> bp;
        ASSERT_TRUE(BloodPressureFile::LoadAll(a / "data", user, bp));
        std::map<DateKey, int> perDay;
        for (const auto& r : bp) {
            int y, m, d, h, min, s;
            SplitDateTimeKey(r.when, y, m, d, h, min, s);
            ++perDay[MakeDateKey(y, m, d)];
        }
        EXPECT_TRUE(std::any_of(perDay.begin(), perDay.end(),
                                [](const auto& day) { return day.second == 2; }));
        for (const char* prefix : {"tm", "bmi", "bmr"})
            EXPECT_GT(
                std::filesystem::file_size(a / "data" / (prefix + std::string(user) + ".bin")),
                20 * 88u);
    }
}

TEST(Demo, RefusesAFolderThatHoldsUsers) {
    TempDir dir;
    const Fixture fixture(dir.path());
    const Snapshot before = TakeSnapshot(dir.path());
    const auto result = RunCli(dir.path(), {"demo"});
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.err, HasSubstr("already holds user.bin"));
    EXPECT_EQ(TakeSnapshot(dir.path()), before);
}

} // namespace
} // namespace vitalog::test
