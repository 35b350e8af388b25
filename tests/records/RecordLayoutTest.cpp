// Each kind written through its record file, then read back as raw bytes at the documented
// offsets.

#include "TestFiles.h"

#include "records/RecordFile.h"
#include "records/Units.h"
#include "records/Users.h"

#include <gtest/gtest.h>

#include <string>

namespace vitalog {
namespace {

using test::At;
using test::Bytes;
using test::ReadFile;
using test::TempDir;
using test::TextAt;

UserRecord SampleUser() {
    UserRecord u;
    u.SetName("Ann");
    u.weight = 150.25;
    u.age = 41;
    u.units = Imperial;
    u.lengthUnits = Inches;
    u.desiredBodyFat = 18.5f;
    u.sex = Female;
    u.active = 1;
    return u;
}

void ExpectUserAt(const Bytes& b, std::size_t at, const UserRecord& u) {
    SCOPED_TRACE("user block at " + std::to_string(at));
    EXPECT_EQ(TextAt(b, at, 32), std::string(u.name, 32)); // NUL and zero fill included
    EXPECT_EQ(At<double>(b, at + 32), u.weight);
    EXPECT_EQ(At<std::int32_t>(b, at + 40), u.age);
    EXPECT_EQ(At<std::int32_t>(b, at + 44), u.units);
    EXPECT_EQ(At<std::int32_t>(b, at + 48), u.lengthUnits);
    EXPECT_EQ(At<float>(b, at + 52), u.desiredBodyFat);
    EXPECT_EQ(At<std::int32_t>(b, at + 56), u.sex);
    EXPECT_EQ(At<std::int32_t>(b, at + 60), u.active);
}

// The bytes of the single record in a fresh file, after checking the header and the size.
Bytes OnlyRecord(const std::filesystem::path& file, std::size_t size) {
    const Bytes all = ReadFile(file);
    EXPECT_EQ(all.size(), 4 + size);
    EXPECT_EQ(At<std::int32_t>(all, 0), 600);
    if (all.size() != 4 + size)
        return Bytes(size);
    return Bytes(all.begin() + 4, all.end());
}

TEST(RecordLayout, UserRecord) {
    TempDir dir;
    UserRecord u = SampleUser();
    ASSERT_EQ(AddUser(dir.path(), u), StoreResult::Done);
    const Bytes b = OnlyRecord(dir / "user.bin", 64);
    ExpectUserAt(b, 0, u);
    EXPECT_EQ(TextAt(b, 0, 4), std::string("Ann\0", 4));
}

TEST(RecordLayout, BodyFatRecord) {
    TempDir dir;
    BodyFatRecord r;
    r.user = SampleUser();
    for (int i = 0; i < 7; ++i)
        r.sites[i] = 11 + i;
    r.tape[0] = 32.5;
    r.tape[1] = 70.25;
    r.tape[2] = 40.75;
    r.tape[3] = 15.125;
    ASSERT_TRUE(r.SetMethod("Jackson/Pollock 7"));
    r.bodyFat = 21.5;
    r.leanWeight = 117.94;
    r.fatWeight = 32.31;
    r.weightToLose = 5.5;
    r.date = 20040307;
    ASSERT_EQ(BodyFatFile::Append(dir.path(), r), StoreResult::Done);

    const Bytes b = OnlyRecord(dir / "bfAnn.bin", 200);
    EXPECT_EQ(At<std::int32_t>(b, 0), 0); // type tag
    EXPECT_EQ(At<std::int32_t>(b, 4), 0); // padding
    ExpectUserAt(b, 8, r.user);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(At<std::int32_t>(b, 72 + 4 * i), 11 + i) << "slot " << i;
    EXPECT_EQ(At<std::int32_t>(b, 100), 0); // padding
    EXPECT_EQ(At<double>(b, 104), 32.5);
    EXPECT_EQ(At<double>(b, 112), 70.25);
    EXPECT_EQ(At<double>(b, 120), 40.75);
    EXPECT_EQ(At<double>(b, 128), 15.125);
    EXPECT_EQ(TextAt(b, 136, 20), std::string("Jackson/Pollock 7\0\0\0", 20));
    EXPECT_EQ(At<std::int32_t>(b, 156), 0); // padding
    EXPECT_EQ(At<double>(b, 160), 21.5);
    EXPECT_EQ(At<double>(b, 168), 117.94);
    EXPECT_EQ(At<double>(b, 176), 32.31);
    EXPECT_EQ(At<double>(b, 184), 5.5);
    EXPECT_EQ(At<std::int32_t>(b, 192), 20040307);
    EXPECT_EQ(At<std::int32_t>(b, 196), 1);
}

TEST(RecordLayout, ParrilloPackedSlotIsStoredAsGiven) {
    TempDir dir;
    BodyFatRecord r;
    r.user = SampleUser();
    r.sites[0] = 5 * 65536 + 12; // biceps 5 mm, chest 12 mm
    r.SetMethod("Parrillo");
    r.date = 20040307;
    ASSERT_EQ(BodyFatFile::Append(dir.path(), r), StoreResult::Done);
    EXPECT_EQ(At<std::int32_t>(OnlyRecord(dir / "bfAnn.bin", 200), 72), 327692);
    const BodyFatRecord back = BodyFatFile::Find(dir.path(), "Ann", 20040307);
    EXPECT_EQ(back.sites[0], 327692);
    EXPECT_EQ(back.Method(), "Parrillo");
}

TEST(RecordLayout, TapeRecord) {
    TempDir dir;
    TapeRecord r;
    r.user = SampleUser();
    r.biceps = 12.5;
    r.forearmOrHip = 38.25;
    r.chest = 36.75;
    r.waist = 30.5;
    r.neck = 13.25;
    r.calf = 14.75;
    r.thigh = 22.125;
    r.date = 20101225;
    ASSERT_EQ(TapeFile::Append(dir.path(), r), StoreResult::Done);

    const Bytes b = OnlyRecord(dir / "tmAnn.bin", 128);
    ExpectUserAt(b, 0, r.user);
    EXPECT_EQ(At<double>(b, 64), 12.5);
    EXPECT_EQ(At<double>(b, 72), 38.25);
    EXPECT_EQ(At<double>(b, 80), 36.75);
    EXPECT_EQ(At<double>(b, 88), 30.5);
    EXPECT_EQ(At<double>(b, 96), 13.25);
    EXPECT_EQ(At<double>(b, 104), 14.75);
    EXPECT_EQ(At<double>(b, 112), 22.125);
    EXPECT_EQ(At<std::int32_t>(b, 120), 20101225);
    EXPECT_EQ(At<std::int32_t>(b, 124), 1);
}

TEST(RecordLayout, BmiRecord) {
    TempDir dir;
    BmiRecord r;
    r.user = SampleUser();
    r.bmi = 25.82;
    r.height = 70.0;
    r.date = 20040307;
    ASSERT_EQ(BmiFile::Append(dir.path(), r), StoreResult::Done);

    const Bytes b = OnlyRecord(dir / "bmiAnn.bin", 88);
    ExpectUserAt(b, 0, r.user);
    EXPECT_EQ(At<double>(b, 64), 25.82);
    EXPECT_EQ(At<double>(b, 72), 70.0);
    EXPECT_EQ(At<std::int32_t>(b, 80), 20040307);
    EXPECT_EQ(At<std::int32_t>(b, 84), 1);
}

TEST(RecordLayout, BmrRecord) {
    TempDir dir;
    BmrRecord r;
    r.user = SampleUser();
    r.user.units = Metric;
    r.user.lengthUnits = Centimetres; // stored in centimetres, unconverted
    r.bmr = 1500.5;
    r.bmrWithActivity = 2325.775;
    r.height = 177.8;
    r.activityFactor = 1.55;
    r.date = 20040307;
    ASSERT_EQ(BmrFile::Append(dir.path(), r), StoreResult::Done);

    const Bytes b = OnlyRecord(dir / "bmrAnn.bin", 104);
    ExpectUserAt(b, 0, r.user);
    EXPECT_EQ(At<double>(b, 64), 1500.5);
    EXPECT_EQ(At<double>(b, 72), 2325.775);
    EXPECT_EQ(At<double>(b, 80), 177.8);
    EXPECT_EQ(At<double>(b, 88), 1.55);
    EXPECT_EQ(At<std::int32_t>(b, 96), 20040307);
    EXPECT_EQ(At<std::int32_t>(b, 100), 1);
}

TEST(RecordLayout, BloodPressureRecord) {
    TempDir dir;
    BloodPressureRecord r;
    r.user = SampleUser();
    r.systolic = 120;
    r.diastolic = 80;
    r.pulse = 64;
    const std::string note(254, 'n'); // the longest note, stored whole
    ASSERT_TRUE(r.SetNotes(note));
    r.when = MakeDateTimeKey(2004, 3, 7, 8, 0, 0);
    ASSERT_EQ(BloodPressureFile::Append(dir.path(), r), StoreResult::Done);

    const Bytes b = OnlyRecord(dir / "bpAnn.bin", 352);
    ExpectUserAt(b, 0, r.user);
    EXPECT_EQ(At<std::int32_t>(b, 64), 120);
    EXPECT_EQ(At<std::int32_t>(b, 68), 80);
    EXPECT_EQ(At<std::int32_t>(b, 72), 64);
    EXPECT_EQ(TextAt(b, 76, 255), note + '\0');
    EXPECT_EQ(b[331], 0); // padding
    EXPECT_EQ(At<double>(b, 332), 38053.0 + 8.0 / 24);
    EXPECT_EQ(At<std::int32_t>(b, 340), 0);
    EXPECT_EQ(At<std::int32_t>(b, 344), 1);
    EXPECT_EQ(At<std::int32_t>(b, 348), 0); // padding

    const auto back = BloodPressureFile::Find(dir.path(), "Ann", r.when);
    EXPECT_EQ(back.Notes(), note);
}

TEST(RecordLayout, PictureRecord) {
    TempDir dir;
    PictureRecord r;
    r.user = SampleUser();
    const std::string path = "/home/ann/Pictures/" + std::string(280, 'p'); // 299 bytes
    ASSERT_TRUE(r.SetPath(path));
    r.date = 20040307;
    ASSERT_EQ(PictureFile::Append(dir.path(), r), StoreResult::Done);

    const Bytes b = OnlyRecord(dir / "ptAnn.bin", 376);
    ExpectUserAt(b, 0, r.user);
    EXPECT_EQ(TextAt(b, 64, 300), path + '\0');
    EXPECT_EQ(At<std::int32_t>(b, 364), 20040307);
    EXPECT_EQ(At<std::int32_t>(b, 368), 1);
    EXPECT_EQ(At<std::int32_t>(b, 372), 0);
}

} // namespace
} // namespace vitalog
