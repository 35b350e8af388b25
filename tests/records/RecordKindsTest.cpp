// What single kinds add to the shared protocol: unit conversions, several pictures per date,
// date-and-time keys, ordering, damaged text fields.

#include "TestFiles.h"

#include "records/RecordFile.h"
#include "records/Units.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace vitalog {
namespace {

using test::At;
using test::Bytes;
using test::PutAt;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

UserRecord User(int units) {
    UserRecord u;
    u.SetName("Ann");
    u.weight = 176.3696;
    u.age = 40;
    u.units = units;
    u.lengthUnits = units + 2;
    u.sex = Male;
    u.active = 1;
    return u;
}

double StoredDouble(const std::filesystem::path& file, std::size_t recordSize, int index,
                    std::size_t offset) {
    return At<double>(ReadFile(file), 4 + recordSize * static_cast<std::size_t>(index) + offset);
}

// ---- conversions: each happens exactly once across Save, AlreadyExists, Overwrite

TEST(BodyFatConversion, MetricWeightsBecomePoundsOnceAcrossSaveAndOverwrite) {
    TempDir dir;
    const auto file = dir / "bfAnn.bin";
    BodyFatRecord r;
    r.user = User(Metric);
    r.date = 20040307;
    r.leanWeight = 60;
    r.fatWeight = 20;
    r.weightToLose = 5;
    ASSERT_EQ(BodyFatFile::Append(dir.path(), r), StoreResult::Done);
    EXPECT_EQ(StoredDouble(file, 200, 0, 168), 60 * KgToLb);
    EXPECT_NEAR(StoredDouble(file, 200, 0, 168), 132.2772, 1e-9);
    EXPECT_EQ(StoredDouble(file, 200, 0, 176), 20 * KgToLb);
    EXPECT_EQ(StoredDouble(file, 200, 0, 184), 5 * KgToLb);
    EXPECT_EQ(r.leanWeight, 60 * KgToLb); // the object holds pounds after saving

    BodyFatRecord again;
    again.user = User(Metric);
    again.date = 20040307;
    again.leanWeight = 70;
    const Bytes before = ReadFile(file);
    ASSERT_EQ(BodyFatFile::Append(dir.path(), again), StoreResult::AlreadyExists);
    EXPECT_EQ(again.leanWeight, 70); // still kilograms
    EXPECT_EQ(ReadFile(file), before);
    ASSERT_EQ(BodyFatFile::Overwrite(dir.path(), again, again.date), StoreResult::Done);
    EXPECT_EQ(StoredDouble(file, 200, 0, 168), 70 * KgToLb);
    EXPECT_EQ(again.leanWeight, 70 * KgToLb);
}

TEST(BodyFatConversion, ImperialWeightsAreStoredAsGiven) {
    TempDir dir;
    BodyFatRecord r;
    r.user = User(Imperial);
    r.date = 20040307;
    r.leanWeight = 132.5;
    ASSERT_EQ(BodyFatFile::Append(dir.path(), r), StoreResult::Done);
    EXPECT_EQ(StoredDouble(dir / "bfAnn.bin", 200, 0, 168), 132.5);
}

TEST(BodyFatConversion, OverwriteOfAMissingDateConvertsNothing) {
    TempDir dir;
    BodyFatRecord r;
    r.user = User(Metric);
    r.date = 20040307;
    r.leanWeight = 60;
    ASSERT_EQ(BodyFatFile::Overwrite(dir.path(), r, r.date), StoreResult::NotFound);
    EXPECT_EQ(r.leanWeight, 60);
}

TEST(TapeConversion, MetricLengthsBecomeInchesBeforeTheExistenceTest) {
    TempDir dir;
    const auto file = dir / "tmAnn.bin";
    TapeRecord r;
    r.user = User(Metric);
    r.date = 20040307;
    r.waist = 81.28;
    r.biceps = 30;
    r.thigh = 55;
    ASSERT_EQ(TapeFile::Append(dir.path(), r), StoreResult::Done);
    EXPECT_NEAR(StoredDouble(file, 128, 0, 88), 32.0, 1e-12);
    EXPECT_EQ(StoredDouble(file, 128, 0, 88), 81.28 * CmToIn);
    EXPECT_EQ(StoredDouble(file, 128, 0, 64), 30 * CmToIn);
    EXPECT_EQ(StoredDouble(file, 128, 0, 112), 55 * CmToIn);

    TapeRecord again;
    again.user = User(Metric);
    again.date = 20040307;
    again.waist = 90;
    ASSERT_EQ(TapeFile::Append(dir.path(), again), StoreResult::AlreadyExists);
    EXPECT_EQ(again.waist, 90 * CmToIn); // converted already: the overwrite must not again
    ASSERT_EQ(TapeFile::Overwrite(dir.path(), again, again.date), StoreResult::Done);
    EXPECT_EQ(StoredDouble(file, 128, 0, 88), 90 * CmToIn);
}

TEST(TapeConversion, ImperialLengthsAreStoredAsGiven) {
    TempDir dir;
    TapeRecord r;
    r.user = User(Imperial);
    r.date = 20040307;
    r.waist = 32;
    ASSERT_EQ(TapeFile::Append(dir.path(), r), StoreResult::Done);
    EXPECT_EQ(StoredDouble(dir / "tmAnn.bin", 128, 0, 88), 32.0);
}

TEST(BmrConversion, ImperialHeightGoesBackToInchesOnce) {
    TempDir dir;
    const auto file = dir / "bmrAnn.bin";
    BmrRecord r;
    r.user = User(Imperial);
    r.date = 20040307;
    r.height = 177.8; // centimetres in memory
    ASSERT_EQ(BmrFile::Append(dir.path(), r), StoreResult::Done);
    EXPECT_NEAR(StoredDouble(file, 104, 0, 80), 70.0, 1e-12);

    BmrRecord again = r;
    again.height = 180.34;
    ASSERT_EQ(BmrFile::Append(dir.path(), again), StoreResult::AlreadyExists);
    ASSERT_EQ(BmrFile::Overwrite(dir.path(), again, again.date), StoreResult::Done);
    EXPECT_EQ(StoredDouble(file, 104, 0, 80), 180.34 * CmToIn);
}

TEST(BmrConversion, MetricHeightStaysInCentimetres) {
    TempDir dir;
    BmrRecord r;
    r.user = User(Metric);
    r.date = 20040307;
    r.height = 177.8;
    ASSERT_EQ(BmrFile::Append(dir.path(), r), StoreResult::Done);
    EXPECT_EQ(StoredDouble(dir / "bmrAnn.bin", 104, 0, 80), 177.8);
}

TEST(Conversion, AFailedAppendLeavesTheRecordAsGiven) {
    TempDir dir;
    const auto missing = dir / "no-such-folder";
    TapeRecord tape;
    tape.user = User(Metric);
    tape.date = 20040307;
    tape.waist = 81.28;
    EXPECT_EQ(TapeFile::Append(missing, tape), StoreResult::FileError);
    EXPECT_EQ(tape.waist, 81.28); // a retry must not convert twice
    EXPECT_EQ(tape.active, 0);

    BodyFatRecord bf;
    bf.user = User(Metric);
    bf.date = 20040307;
    bf.leanWeight = 60;
    EXPECT_EQ(BodyFatFile::Append(missing, bf), StoreResult::FileError);
    EXPECT_EQ(bf.leanWeight, 60);
    EXPECT_FALSE(std::filesystem::exists(missing));
}

// ---- ordering of LoadAll

TEST(LoadAll, NewestDateFirst) {
    TempDir dir;
    for (DateKey date : {20040101, 20050101, 20040601}) {
        BodyFatRecord r;
        r.user = User(Imperial);
        r.date = date;
        ASSERT_EQ(BodyFatFile::Append(dir.path(), r), StoreResult::Done);
    }
    std::vector<BodyFatRecord> list;
    ASSERT_TRUE(BodyFatFile::LoadAll(dir.path(), "Ann", list));
    std::vector<DateKey> dates;
    for (const auto& r : list)
        dates.push_back(r.date);
    EXPECT_EQ(dates, (std::vector<DateKey>{20050101, 20040601, 20040101}));
}

struct PictureOrderCase {
    const char* name;
    std::vector<DateKey> saved; // in saving order; the picture's path is its saving index
    std::vector<int> loaded;    // saving indexes in the expected LoadAll order
};

TEST(LoadAll, PicturesOfOneDateStayInSavingOrder) {
    for (const PictureOrderCase& c : std::vector<PictureOrderCase>{
             {"mixed", {20040307, 20040301, 20040307, 20040307}, {0, 2, 3, 1}},
             {"oldest first", {20040301, 20040301, 20040307, 20040307, 20040309}, {4, 2, 3, 0, 1}},
             {"newest first", {20040309, 20040307, 20040307, 20040301}, {0, 1, 2, 3}},
             {"one date", {20040307, 20040307, 20040307}, {0, 1, 2}},
         }) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        for (std::size_t i = 0; i < c.saved.size(); ++i) {
            PictureRecord p;
            p.user = User(Imperial);
            p.SetPath(std::to_string(i));
            p.date = c.saved[i];
            ASSERT_EQ(PictureFile::Append(dir.path(), p), StoreResult::Done);
        }
        std::vector<PictureRecord> list;
        ASSERT_TRUE(PictureFile::LoadAll(dir.path(), "Ann", list));
        std::vector<int> order;
        for (const auto& p : list)
            order.push_back(std::stoi(p.Path()));
        EXPECT_EQ(order, c.loaded);
    }
}

TEST(LoadAll, MergesIntoAListThatHoldsRecords) {
    TempDir dir;
    for (int i = 0; i < 2; ++i) {
        PictureRecord p;
        p.user = User(Imperial);
        p.SetPath("new" + std::to_string(i));
        p.date = i == 0 ? 20040307 : 20040301;
        ASSERT_EQ(PictureFile::Append(dir.path(), p), StoreResult::Done);
    }
    std::vector<PictureRecord> list(2);
    list[0].SetPath("old0");
    list[0].date = 20040309;
    list[1].SetPath("old1");
    list[1].date = 20040307;
    ASSERT_TRUE(PictureFile::LoadAll(dir.path(), "Ann", list));
    std::vector<std::string> paths;
    for (const auto& p : list)
        paths.push_back(p.Path());
    EXPECT_EQ(paths, (std::vector<std::string>{"old0", "old1", "new0", "new1"}));
}

// Large files written directly (one read chunk; several, read ahead by a second thread), in
// the orders a diary can have, with many records per date and some tombstones: LoadAll must
// equal a stable sort of the live records by date, newest first.
TEST(LoadAll, EqualsAStableSortOfTheFile) {
    enum Order { Ascending, Descending, Random };
    for (const int n : {2500, 12000}) { // 0.9 MB and 4.5 MB
        for (Order order : {Ascending, Descending, Random}) {
            for (unsigned seed : {1u, 2u}) {
                SCOPED_TRACE(std::to_string(n) + " records, order " + std::to_string(order) +
                             " seed " + std::to_string(seed));
                std::mt19937 rng(seed);
                std::vector<DateKey> dates(n);
                for (int i = 0; i < n; ++i)
                    dates[i] = MakeDateKey(2000 + i / 12, 1 + i % 12 / 4, 1); // runs of 4
                if (order == Descending)
                    std::reverse(dates.begin(), dates.end());
                if (order == Random)
                    std::shuffle(dates.begin(), dates.end(), rng);

                Bytes file(4 + n * PictureKind::Size);
                PutAt<std::int32_t>(file, 0, 600);
                std::vector<PictureRecord> expected;
                for (int i = 0; i < n; ++i) {
                    PictureRecord p;
                    p.user = User(Imperial);
                    p.SetPath(std::to_string(i));
                    p.date = dates[i];
                    p.active = rng() % 10 == 0 ? 0 : 1;
                    PictureKind::Encode(p, file.data() + 4 + i * PictureKind::Size);
                    if (p.active)
                        expected.push_back(p);
                }
                std::stable_sort(expected.begin(), expected.end(),
                                 [](const auto& a, const auto& b) { return a.date > b.date; });
                TempDir dir;
                WriteFile(dir / "ptAnn.bin", file);

                std::vector<PictureRecord> list;
                ASSERT_TRUE(PictureFile::LoadAll(dir.path(), "Ann", list));
                ASSERT_EQ(list.size(), expected.size());
                for (std::size_t i = 0; i < list.size(); ++i) {
                    ASSERT_EQ(list[i].Path(), expected[i].Path()) << i;
                    ASSERT_EQ(list[i].date, expected[i].date) << i;
                }
            }
        }
    }
}

// ---- pictures

TEST(PictureFile, RemoveTombstonesEveryPictureOfTheDate) {
    TempDir dir;
    const DateKey dates[] = {20040307, 20040301, 20040307, 20040307};
    for (DateKey date : dates) {
        PictureRecord p;
        p.user = User(Imperial);
        p.SetPath("/pictures/a.jpg");
        p.date = date;
        ASSERT_EQ(PictureFile::Append(dir.path(), p), StoreResult::Done);
    }
    const auto file = dir / "ptAnn.bin";
    ASSERT_EQ(ReadFile(file).size(), 4 + 4 * 376u);
    EXPECT_EQ(PictureFile::Remove(dir.path(), "Ann", 20040307), StoreResult::Done);
    const Bytes b = ReadFile(file);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(At<std::int32_t>(b, 4 + 376 * i + 368), dates[i] == 20040307 ? 0 : 1) << i;
    EXPECT_EQ(PictureFile::Remove(dir.path(), "Ann", 20040307), StoreResult::NotFound);
    std::vector<PictureRecord> list;
    ASSERT_TRUE(PictureFile::LoadAll(dir.path(), "Ann", list));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].date, 20040301);
}

// ---- blood pressure: date and time keys

BloodPressureRecord Reading(int hour, int systolic) {
    BloodPressureRecord r;
    r.user = User(Imperial);
    r.systolic = systolic;
    r.when = MakeDateTimeKey(2004, 3, 7, hour, 0, 0);
    return r;
}

TEST(BloodPressureFile, SeveralReadingsADayOneForEachTime) {
    TempDir dir;
    auto morning = Reading(8, 120);
    auto evening = Reading(20, 135);
    ASSERT_EQ(BloodPressureFile::Append(dir.path(), morning), StoreResult::Done);
    ASSERT_EQ(BloodPressureFile::Append(dir.path(), evening), StoreResult::Done);
    auto sameTime = Reading(20, 140);
    EXPECT_EQ(BloodPressureFile::Append(dir.path(), sameTime), StoreResult::AlreadyExists);

    std::vector<BloodPressureRecord> list;
    ASSERT_TRUE(BloodPressureFile::LoadAll(dir.path(), "Ann", list));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].systolic, 135); // evening first
    EXPECT_EQ(list[1].systolic, 120);

    // A key matches only when the time and the status both match.
    EXPECT_EQ(BloodPressureFile::Find(dir.path(), "Ann", morning.when).systolic, 120);
    DateTimeKey otherStatus = morning.when;
    otherStatus.status = DateTimeKey::Null;
    EXPECT_EQ(BloodPressureFile::Find(dir.path(), "Ann", otherStatus).active, 0);
    DateTimeKey oneSecondLater = MakeDateTimeKey(2004, 3, 7, 8, 0, 1);
    EXPECT_EQ(BloodPressureFile::Find(dir.path(), "Ann", oneSecondLater).active, 0);

    EXPECT_EQ(BloodPressureFile::Remove(dir.path(), "Ann", evening.when), StoreResult::Done);
    EXPECT_EQ(BloodPressureFile::Find(dir.path(), "Ann", morning.when).active, 1);
}

// ---- damaged text fields

TEST(RecordDecoding, TextFieldsWithoutANulEndInsideTheField) {
    TempDir dir;
    BodyFatRecord bf;
    bf.user = User(Imperial);
    bf.SetMethod("Durnin");
    bf.date = 20040307;
    ASSERT_EQ(BodyFatFile::Append(dir.path(), bf), StoreResult::Done);
    BloodPressureRecord bp = Reading(8, 120);
    ASSERT_EQ(BloodPressureFile::Append(dir.path(), bp), StoreResult::Done);
    PictureRecord pt;
    pt.user = User(Imperial);
    pt.date = 20040307;
    ASSERT_EQ(PictureFile::Append(dir.path(), pt), StoreResult::Done);

    const auto fill = [](const std::filesystem::path& file, std::size_t at, std::size_t size) {
        Bytes b = ReadFile(file);
        std::memset(b.data() + 4 + at, 'x', size);
        WriteFile(file, b);
    };
    fill(dir / "bfAnn.bin", 8, 32); // the embedded user name
    fill(dir / "bfAnn.bin", 136, 20);
    fill(dir / "bpAnn.bin", 76, 255);
    fill(dir / "ptAnn.bin", 64, 300);

    const auto b = BodyFatFile::Find(dir.path(), "Ann", 20040307);
    ASSERT_EQ(b.active, 1);
    EXPECT_EQ(std::strlen(b.method), 19u);
    EXPECT_EQ(std::strlen(b.user.name), 31u);
    EXPECT_EQ(std::strlen(BloodPressureFile::Find(dir.path(), "Ann", bp.when).notes), 254u);
    std::vector<PictureRecord> list;
    ASSERT_TRUE(PictureFile::LoadAll(dir.path(), "Ann", list));
    EXPECT_EQ(std::strlen(list[0].path), 299u);
}

} // namespace
} // namespace vitalog
